#include "PdfOutputFile.h"

#include "ReadFailure.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <limits.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int MaxLinks = 40; // as the kernel follows them
constexpr int CreateAttempts = 100;
constexpr qsizetype CopyChunk = 1 << 16;

// The descriptor a name stands for, which opening the name would not reach as it is: a pipe's
// or a socket's /proc link leads nowhere, and reopening a file would start it from the top.
std::optional<int> descriptorNamed(const QByteArray &path)
{
    if (path == "-" || path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const QByteArrayView prefix :
         {QByteArrayView("/dev/fd/"), QByteArrayView("/proc/self/fd/")}) {
        if (!path.startsWith(prefix))
            continue;
        const QByteArray number = path.mid(prefix.size());
        bool ok = false;
        const int fd = number.toInt(&ok);
        if (ok && fd >= 0 && QByteArray::number(fd) == number)
            return fd;
    }
    return std::nullopt;
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

std::optional<QByteArray> linkTarget(const QByteArray &link)
{
    char buffer[PATH_MAX];
    const ssize_t length = readlink(link.constData(), buffer, sizeof buffer);
    if (length < 0)
        return std::nullopt;
    if (size_t(length) == sizeof buffer) {
        errno = ENAMETOOLONG;
        return std::nullopt;
    }
    const QByteArray target(buffer, length);
    return target.startsWith('/') ? target : folderOf(link) + '/' + target;
}

// QPdfEngine does not report failed writes; a complete file ends with its trailer.
bool endsWithTrailer(int fd)
{
    struct stat status;
    if (fstat(fd, &status) != 0 || status.st_size < 16)
        return false;
    char tail[16];
    if (pread(fd, tail, sizeof tail, status.st_size - off_t(sizeof tail)) != sizeof tail)
        return false;
    return QByteArrayView(tail, sizeof tail).contains("%%EOF");
}

class EndingSignalsHeld
{
public:
    EndingSignalsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        sigaddset(&held, SIGINT);
        sigaddset(&held, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &held, &m_before);
    }
    ~EndingSignalsHeld() { pthread_sigmask(SIG_SETMASK, &m_before, nullptr); }
    EndingSignalsHeld(const EndingSignalsHeld &) = delete;

private:
    sigset_t m_before;
};

} // namespace

QString OutputFailure::english() const
{
    if (kind == Kind::Incomplete)
        return u"the PDF could not be written whole"_s;
    return englishSystemError(systemError);
}

QString OutputFailure::japanese() const
{
    if (kind == Kind::Incomplete)
        return u"PDF を最後まで書き込めませんでした"_s;
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
        return u"ディスクの空きが足りません"_s;
    case EACCES:
    case EPERM:
        return u"書き込みの権限がありません"_s;
    case EROFS:
        return u"読み取り専用の場所です"_s;
    case ENOENT:
        return u"フォルダーが見つかりません"_s;
    case EISDIR:
        return u"フォルダーです"_s;
    case EIO:
        return u"書き込み中に入出力エラーが起きました"_s;
    default:
        return u"書き込めませんでした（エラー番号 %1）"_s.arg(systemError);
    }
}

bool writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = write(fd, bytes.data(), size_t(bytes.size()));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes = bytes.sliced(written);
    }
    return true;
}

PdfOutputFile::PdfOutputFile(QString target) : m_target(std::move(target)) {}

PdfOutputFile::~PdfOutputFile()
{
    discard();
    if (m_ownsStream)
        close(m_streamFd);
}

bool PdfOutputFile::fail(int systemError)
{
    m_failure = {OutputFailure::Kind::SystemError, systemError};
    return false;
}

bool PdfOutputFile::open(const PartialAnnouncer &announce)
{
    QByteArray path = QFile::encodeName(m_target);
    for (int links = 0;; ++links) {
        if (const auto fd = descriptorNamed(path)) {
            struct stat status;
            if (fstat(*fd, &status) != 0)
                return fail(errno);
            m_streamFd = *fd;
            return createPartial(QFile::encodeName(QDir::tempPath()), "rotam-pdf-", 0600, announce);
        }
        struct stat status;
        if (lstat(path.constData(), &status) != 0) {
            if (errno != ENOENT)
                return fail(errno);
            break;
        }
        if (S_ISLNK(status.st_mode)) {
            if (links == MaxLinks)
                return fail(ELOOP);
            const auto target = linkTarget(path);
            if (!target)
                return fail(errno);
            path = *target;
            continue;
        }
        if (!S_ISREG(status.st_mode)) {
            return openStream(path, int(status.st_mode)) &&
                   createPartial(QFile::encodeName(QDir::tempPath()), "rotam-pdf-", 0600, announce);
        }
        m_keepOwnerAndMode = true;
        m_uid = status.st_uid;
        m_gid = status.st_gid;
        m_mode = status.st_mode & 07777;
        break;
    }
    m_replaced = path;
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    // A new file is created with the mode it keeps, so that the umask and a folder's default
    // ACL apply as to any new file; a replaced one takes the old mode before the rename.
    return createPartial(folderOf(path), '.' + name + '.', m_keepOwnerAndMode ? 0600 : 0666,
                         announce);
}

bool PdfOutputFile::openStream(const QByteArray &path, int kind)
{
    if (S_ISSOCK(kind)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (size_t(path.size()) >= sizeof address.sun_path)
            return fail(ENAMETOOLONG);
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        m_streamFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_streamFd < 0)
            return fail(errno);
        m_ownsStream = true;
        if (connect(m_streamFd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
            return fail(errno);
        return true;
    }
    do
        m_streamFd = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    while (m_streamFd < 0 && errno == EINTR);
    if (m_streamFd < 0)
        return fail(errno);
    m_ownsStream = true;
    return true;
}

bool PdfOutputFile::createPartial(const QByteArray &folder, const QByteArray &prefix, unsigned mode,
                                  const PartialAnnouncer &announce)
{
    std::optional<EndingSignalsHeld> held;
    if (announce)
        held.emplace();
    // mkstemp would fix the mode at 0600.
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < CreateAttempts; ++attempt) {
        QByteArray name = folder + '/' + prefix;
        for (int i = 0; i < 6; ++i)
            name += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            m_partialFd = fd;
            m_partialName = name;
            m_partialPath = QFile::decodeName(name);
            if (announce)
                announce(m_partialName);
            return true;
        }
        if (errno != EEXIST)
            return fail(errno);
    }
    return fail(EEXIST);
}

bool PdfOutputFile::commit()
{
    if (m_partialFd < 0)
        return false;
    if (!endsWithTrailer(m_partialFd)) {
        m_failure = {OutputFailure::Kind::Incomplete, 0};
        return false;
    }
    if (m_replaced.isEmpty())
        return copyToStream();

    if (m_keepOwnerAndMode) {
        // Only root may give the file away; anyone else replaces it as its new owner.
        if (m_uid != getuid() || m_gid != getgid())
            (void)fchown(m_partialFd, m_uid, m_gid);
        if (fchmod(m_partialFd, m_mode) != 0)
            return fail(errno);
    }
    if (fsync(m_partialFd) != 0)
        return fail(errno);
    if (rename(m_partialName.constData(), m_replaced.constData()) != 0)
        return fail(errno);
    close(m_partialFd);
    m_partialFd = -1;
    m_partialName.clear();
    m_partialPath.clear();
    // The rename itself lasts only once the folder is written.
    const int folder = ::open(folderOf(m_replaced).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

bool PdfOutputFile::copyToStream()
{
    QByteArray chunk(CopyChunk, Qt::Uninitialized);
    for (off_t offset = 0;;) {
        const ssize_t got = pread(m_partialFd, chunk.data(), size_t(chunk.size()), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(errno);
        if (got == 0)
            break;
        if (!writeAll(m_streamFd, QByteArrayView(chunk.constData(), got)))
            return fail(errno);
        offset += got;
    }
    struct stat status;
    if (fstat(m_streamFd, &status) == 0 && S_ISREG(status.st_mode) && fsync(m_streamFd) != 0)
        return fail(errno);
    if (m_ownsStream) {
        m_ownsStream = false;
        if (close(m_streamFd) != 0 && errno != EINTR)
            return fail(errno);
    }
    discard();
    return true;
}

void PdfOutputFile::discard()
{
    if (m_partialFd >= 0)
        close(m_partialFd);
    m_partialFd = -1;
    if (!m_partialName.isEmpty())
        unlink(m_partialName.constData());
    m_partialName.clear();
    m_partialPath.clear();
}
