#pragma once

#include "ReadFailure.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <variant>

// Larger files are refused: their text would need three times as much memory.
inline constexpr qint64 MaxMailFileBytes = qint64(1) << 30;

// The whole content of a regular file, or why it cannot be had.
std::variant<QByteArray, ReadFailure> readWholeFile(const QString &path);

// How the bytes of a file are read.
enum class FileKind
{
    Sniffed, // an mbox, a saved message or a text file, by its first bytes
    Message  // a Maildir entry: a single message whatever it begins with
};

struct MailFile
{
    QString path;
    FileKind kind = FileKind::Sniffed;
};

// The files a chosen path stands for, in reading order, and the folders among them that
// could not be listed.
struct PathFiles
{
    QList<MailFile> files;
    QList<ReadFailure> unlisted;
};

// A file stands for itself; a Maildir (a folder with cur/ or new/) for the messages in both,
// and any other folder for its regular files, each ordered by the bytes of their names.
// Names that begin with a dot are left out. Folders inside are not entered.
PathFiles filesOfPath(const QString &path);
