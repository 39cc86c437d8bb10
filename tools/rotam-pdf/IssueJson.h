#pragma once

#include <QJsonObject>

class IssueStore;

// {"issues": [...]}: one object per record in record order, arrays without their element 0.
QJsonObject IssuesToJson(const IssueStore &store);
