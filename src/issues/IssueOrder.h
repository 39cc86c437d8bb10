#pragma once

#include <QList>
#include <QString>

class IssueStore;

// Positions (0 up) of the titles in the order of the issue list: ascending, case-insensitive
// and locale-aware, runs of digits (full-width too) by their value; equal titles keep their
// order. The store's list and the library's list share it.
QList<qsizetype> titleOrder(const QList<QString> &titles);

// Record indexes (1 up) of the issues, in the order of the issue list (titleOrder), issues
// with equal titles in record order.
// Records without a title line are no issues and are left out.
QList<qint32> issueListOrder(const IssueStore &store);
