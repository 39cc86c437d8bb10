#pragma once

#include <QJsonObject>
#include <QList>

class IssueStore;

// {"issues": [...]}: one object per record in record order, arrays without their element 0.
QJsonObject issuesToJson(const IssueStore &store);
// The same for these record indexes, in their order.
QJsonObject issuesToJson(const IssueStore &store, const QList<qint32> &indexes);
// The same for a library's records: store.puzzles[i + 1] is shown with the index ids[i].
QJsonObject libraryIssuesToJson(const IssueStore &store, const QList<qint64> &ids);
