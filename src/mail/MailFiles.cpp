#include "MailFiles.h"

#include "LargeBuffers.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <optional>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads to the end, beyond the size stat gave: a file may grow, or have no size (procfs).
bool readAll(int fd, QByteArray &bytes, qint64 expected)
{
    bytes.resize(qsizetype(expected) + 1);
    adviseHugePages(bytes.data(), size_t(bytes.size()));
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, MaxTextFileBytes + 1));
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        filled += got;
        if (got == 0 || filled > MaxTextFileBytes)
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

// QDir lists a folder it cannot read as empty; this tells the two apart.
std::optional<ReadFailure> listingFailure(const QString &folder)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return makeReadFailure(folder, ReadProblem::SystemError, errno);
    ::closedir(dir);
    return std::nullopt;
}

void addMaildirFiles(const QDir &maildir, PathFiles &result)
{
    QStringList paths;
    for (const QString &sub : {QStringLiteral("cur"), QStringLiteral("new")}) {
        const QDir dir(maildir.filePath(sub));
        if (!QFileInfo(dir.path()).isDir())
            continue;
        if (auto failure = listingFailure(dir.path())) {
            result.unlisted.append(std::move(*failure));
            continue;
        }
        // Every entry but folders: a FIFO left here must be reported, not silently skipped.
        for (const QString &name : dir.entryList(QDir::Files | QDir::System | QDir::Hidden))
            if (!name.startsWith(u'.'))
                paths.append(dir.filePath(name));
    }
    for (const QString &path : sortedByNameBytes(paths))
        result.files.append({path, FileKind::Message});
}

} // namespace

OpenFile::~OpenFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::variant<OpenFile, ReadFailure> openRegularFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status
    {
    };
    if (::stat(name.constData(), &status) != 0)
        return makeReadFailure(
            path, errno == ENOENT ? ReadProblem::Missing : ReadProblem::SystemError, errno);
    // Only regular files: a folder, a FIFO or a device would fail or block the window.
    if (!S_ISREG(status.st_mode))
        return makeReadFailure(path, ReadProblem::NotAFile);
    // Not blocking on open: the file may have been swapped for a FIFO since the stat.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return makeReadFailure(path, ReadProblem::SystemError, errno);
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    OpenFile file(fd, status.st_size);
    if (!regular)
        return makeReadFailure(path, ReadProblem::NotAFile);
    return file;
}

bool beginsWith(const OpenFile &file, QByteArrayView prefix)
{
    QByteArray head(prefix.size(), Qt::Uninitialized);
    ssize_t got = 0;
    do {
        got = ::pread(file.fd(), head.data(), size_t(head.size()), 0);
    } while (got < 0 && errno == EINTR);
    return got == head.size() && head == prefix;
}

std::variant<QByteArray, ReadFailure> readWholeFile(const OpenFile &file, const QString &path)
{
    // No mail text comes near this; a disk image chosen by mistake must not exhaust the memory.
    if (file.size() > MaxTextFileBytes)
        return makeReadFailure(path, ReadProblem::TooLarge);
    QByteArray bytes;
    if (::lseek(file.fd(), 0, SEEK_SET) != 0 || !readAll(file.fd(), bytes, file.size()))
        return makeReadFailure(path, ReadProblem::SystemError, errno);
    if (bytes.size() > MaxTextFileBytes)
        return makeReadFailure(path, ReadProblem::TooLarge);
    return bytes;
}

PathFiles filesOfPath(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return {{{path, FileKind::Sniffed}}, {}};
    PathFiles result;
    const QDir dir(path);
    if (QFileInfo(dir.filePath(QStringLiteral("cur"))).isDir() ||
        QFileInfo(dir.filePath(QStringLiteral("new"))).isDir()) {
        addMaildirFiles(dir, result);
        return result;
    }
    if (auto failure = listingFailure(path)) {
        result.unlisted.append(std::move(*failure));
        return result;
    }
    QStringList paths;
    for (const QFileInfo &entry : dir.entryInfoList(QDir::Files | QDir::Hidden))
        if (entry.isFile() && !entry.fileName().startsWith(u'.'))
            paths.append(entry.filePath());
    for (const QString &file : sortedByNameBytes(paths))
        result.files.append({file, FileKind::Sniffed});
    return result;
}
