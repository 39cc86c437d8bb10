#pragma once

#include <QtGlobal>

class IssueStore;

// Drops every titled record from index `from` on that equals, in every field, a titled
// record before it: loading a file twice, or an mbox that has grown, adds only what is new.
// The records after a dropped one move up, so the indexes stay without gaps.
void DropRepeatedIssues(IssueStore &store, qint32 from);
