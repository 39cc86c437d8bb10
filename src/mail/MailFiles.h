#pragma once

#include "ReadFailure.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <utility>
#include <variant>

// Text files and single messages, read whole, are refused beyond this: their text would need
// three times as much memory. An mbox is streamed and has no limit.
inline constexpr qint64 MaxTextFileBytes = qint64(1) << 30;

// A regular file open for reading, closed with this.
class OpenFile
{
public:
    OpenFile(int fd, qint64 size) : m_fd(fd), m_size(size) {}
    ~OpenFile();
    OpenFile(OpenFile &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size)
    {
    }
    OpenFile &operator=(OpenFile &&) = delete;

    int fd() const { return m_fd; }
    qint64 size() const { return m_size; } // when it was opened

private:
    int m_fd;
    qint64 m_size;
};

// The regular file at path opened for reading, or why it cannot be.
std::variant<OpenFile, ReadFailure> openRegularFile(const QString &path);

// Whether the file's first bytes are these; the file is not read further.
bool beginsWith(const OpenFile &file, QByteArrayView prefix);

// The whole content of the opened file at path, up to MaxTextFileBytes, or why it cannot be
// had.
std::variant<QByteArray, ReadFailure> readWholeFile(const OpenFile &file, const QString &path);

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
