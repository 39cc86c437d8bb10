#pragma once

#include <QList>

class IssueStore;

// Record indexes (1 up) in the order of the issue list: by title, ascending, case-insensitive
// and locale-aware; issues with equal titles keep their record order.
QList<qint32> IssueListOrder(const IssueStore &store);
