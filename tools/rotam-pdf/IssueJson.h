#pragma once

#include <QJsonObject>
#include <QList>

class IssueStore;

// {"issues": [...]}: one object per record in record order, arrays without their element 0.
QJsonObject issuesToJson(const IssueStore &store);
// The same for these record indexes, in their order.
QJsonObject issuesToJson(const IssueStore &store, const QList<qint32> &indexes);
