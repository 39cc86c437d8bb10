#pragma once

#include <QJsonObject>
#include <QList>

class IssueStore;

// {"issues": [...]}: one object per record in record order, arrays without their element 0.
QJsonObject IssuesToJson(const IssueStore &store);
// The same for these record indexes, in their order.
QJsonObject IssuesToJson(const IssueStore &store, const QList<qint32> &indexes);
