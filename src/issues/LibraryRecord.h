#pragma once

#include "PuzzleRecord.h"

#include <QString>
#include <QVariantList>

class QSqlQuery;

// The issue table's columns that hold a record, in the order recordValues() gives them.
QString recordColumns();

// A record's values for those columns: strings and the count as they are, string arrays as
// JSON arrays of their values from index 1.
QVariantList recordValues(const PuzzleRecord &record);

// The record from a query that selected recordColumns() from column `first` on. Arrays get
// their element 0 back; labels never read come back as read but empty, the same issue to
// sameIssue().
PuzzleRecord recordFromQuery(const QSqlQuery &query, int first);

// A hash of recordValues() that stays the same across runs and Qt versions: records that are
// the same issue have the same hash.
qint64 recordHash(const QVariantList &values);

// What the list's search matches: the title line and the comment lines.
QString recordSearchText(const PuzzleRecord &record);
