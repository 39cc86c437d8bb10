#pragma once

#include <QStringList>
#include <QtGlobal>

class IssueStore;
struct PuzzleRecord;

// Whether two records are the same issue: equal in every value the record shows, as
// rotam-pdf --json prints them. How a title block that ended before its header line left the
// record does not tell it apart.
bool sameIssue(const PuzzleRecord &a, const PuzzleRecord &b);

// Drops every titled record from index `from` on that shows the same values as a titled
// record before it, as rotam-pdf --json prints them: loading a file twice, or an mbox that
// has grown, adds only what is new.
// The records after a dropped one move up, so the indexes stay without gaps.
// When given, alongside is parallel to the records and moves with them.
void dropRepeatedIssues(IssueStore &store, qint32 from, QStringList *alongside = nullptr);
