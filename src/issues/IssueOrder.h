#pragma once

#include <QList>

class IssueStore;

// Record indexes (1 up) of the issues, in the order of the issue list: by title, ascending,
// case-insensitive and locale-aware, runs of digits (full-width too) by their value; issues
// with equal titles keep their record order.
// Records without a title line are no issues and are left out.
QList<qint32> issueListOrder(const IssueStore &store);
