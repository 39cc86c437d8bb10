#include "MailFiles.h"

#include "LargeBuffers.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads to the end, beyond the size stat gave: a file may grow, or have no size (procfs).
bool readAll(int fd, QByteArray &bytes, qint64 expected)
{
    bytes.resize(qsizetype(expected) + 1);
    AdviseHugePages(bytes.data(), size_t(bytes.size()));
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, MaxMailFileBytes + 1));
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        filled += got;
        if (got == 0 || filled > MaxMailFileBytes)
            break;
    }
    bytes.truncate(filled);
    return true;
}

QStringList sortedByNameBytes(QStringList paths)
{
    std::stable_sort(paths.begin(), paths.end(), [](const QString &a, const QString &b) {
        return QFile::encodeName(QFileInfo(a).fileName()) <
               QFile::encodeName(QFileInfo(b).fileName());
    });
    return paths;
}

QList<MailFile> maildirFiles(const QDir &maildir)
{
    QStringList paths;
    for (const QString &sub : {QStringLiteral("cur"), QStringLiteral("new")}) {
        const QDir dir(maildir.filePath(sub));
        // Every entry but folders: a FIFO left here must be reported, not silently skipped.
        for (const QString &name : dir.entryList(QDir::Files | QDir::System | QDir::Hidden))
            if (!name.startsWith(u'.'))
                paths.append(dir.filePath(name));
    }
    QList<MailFile> files;
    for (const QString &path : sortedByNameBytes(paths))
        files.append({path, FileKind::Message});
    return files;
}

} // namespace

std::variant<QByteArray, ReadFailure> ReadWholeFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status
    {
    };
    if (::stat(name.constData(), &status) != 0)
        return MakeReadFailure(
            path, errno == ENOENT ? ReadProblem::Missing : ReadProblem::SystemError, errno);
    // Only regular files: a folder, a FIFO or a device would fail or block the window.
    if (!S_ISREG(status.st_mode))
        return MakeReadFailure(path, ReadProblem::NotAFile);
    // No mail comes near this; a disk image chosen by mistake must not exhaust the memory.
    if (status.st_size > MaxMailFileBytes)
        return MakeReadFailure(path, ReadProblem::TooLarge);
    // Not blocking on open: the file may have been swapped for a FIFO since the stat.
    const FileDescriptor fd(::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return MakeReadFailure(path, ReadProblem::SystemError, errno);
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return MakeReadFailure(path, ReadProblem::NotAFile);
    QByteArray bytes;
    if (!readAll(fd.get(), bytes, status.st_size))
        return MakeReadFailure(path, ReadProblem::SystemError, errno);
    if (bytes.size() > MaxMailFileBytes)
        return MakeReadFailure(path, ReadProblem::TooLarge);
    return bytes;
}

QList<MailFile> FilesOfPath(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return {{path, FileKind::Sniffed}};
    const QDir dir(path);
    if (QFileInfo(dir.filePath(QStringLiteral("cur"))).isDir() ||
        QFileInfo(dir.filePath(QStringLiteral("new"))).isDir())
        return maildirFiles(dir);
    QStringList paths;
    for (const QFileInfo &entry : dir.entryInfoList(QDir::Files | QDir::Hidden))
        if (entry.isFile())
            paths.append(entry.filePath());
    QList<MailFile> files;
    for (const QString &file : sortedByNameBytes(paths))
        files.append({file, FileKind::Sniffed});
    return files;
}
