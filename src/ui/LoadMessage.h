#pragma once

#include "IssueLoad.h"

#include <QString>
#include <QStringList>

// The one message a load ends with: the files that could not be read and the files (or
// the pasted text) in which no issue was found. Empty title when all went well.
struct LoadMessage
{
    QString title;
    QString text;
};

LoadMessage composeLoadMessage(const QStringList &chosen, const LoadReport &report);
