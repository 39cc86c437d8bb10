#pragma once

class IssueStore;

// Walks store.TextLines once and appends a record for every issue it recognises.
void ParseIssues(IssueStore &store);
