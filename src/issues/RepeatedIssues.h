#pragma once

#include <QtGlobal>

class IssueStore;

// Drops every titled record from index `from` on that shows the same values as a titled
// record before it, as rotam-pdf --json prints them: loading a file twice, or an mbox that
// has grown, adds only what is new.
// The records after a dropped one move up, so the indexes stay without gaps.
void dropRepeatedIssues(IssueStore &store, qint32 from);
