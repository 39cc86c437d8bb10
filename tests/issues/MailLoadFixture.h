#pragma once

#include "IssueStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Mail files written into a temporary folder, and the store they are loaded into.
class MailLoad : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &content)
    {
        QDir(dir.path()).mkpath(QFileInfo(dir.filePath(name)).path());
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }

    QStringList titles() const
    {
        QStringList result;
        for (qint32 i = 1; i <= store.lastIndex(); ++i)
            result << store.puzzles[i].Title;
        return result;
    }

    QTemporaryDir dir;
    IssueStore store;
};
