// Times one fetch of a folder of the benchmark's Dovecot (scripts/dovecot-test-server.sh):
//   rotam-bench-mailbox fetch DOVECOT_DIR FOLDER LIBRARY   fetchIntoLibrary into LIBRARY
//   rotam-bench-mailbox bare DOVECOT_DIR FOLDER            the anchor: a bare vmime loop that
//                                                          fetches every message whole, peeking
// Prints "<mode> <ms> <mails> <bytes or issues>".
#include "CertificateTrust.h"
#include "IssueLibrary.h"
#include "MailboxClient.h"
#include "MailboxFetch.h"

#include <QElapsedTimer>
#include <QFile>

#include <vmime/vmime.hpp>

#include <cstdio>
#include <cstring>

namespace {

quint16 imapsPort(const QString &dir)
{
    QFile ports(dir + QStringLiteral("/ports"));
    if (!ports.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : ports.readAll().split('\n'))
        if (line.startsWith("imaps="))
            return quint16(line.mid(6).toUInt());
    return 0;
}

int bare(const QString &dir, const QString &folderName)
{
    QElapsedTimer timer;
    timer.start();
    auto session = vmime::net::session::create();
    auto store = session->getStore(vmime::utility::url("imaps", "127.0.0.1", imapsPort(dir)));
    store->setProperty("auth.username", std::string("rotam"));
    store->setProperty("auth.password", std::string("secret"));
    store->setProperty("options.sasl", false);
    store->setCertificateVerifier(std::make_shared<FingerprintVerifier>(
        loadCaBundles({QString::fromLatin1(systemCaBundle), dir + QStringLiteral("/ca.pem")}),
        QString()));
    store->connect();
    auto folder = store->getFolder(vmime::net::folder::path(folderName.toStdString()));
    folder->open(vmime::net::folder::MODE_READ_ONLY);
    auto messages = folder->getMessages(vmime::net::messageSet::byUID("1", "*"));
    folder->fetchMessages(messages, vmime::net::fetchAttributes::UID);
    qint64 bytes = 0;
    for (const auto &message : messages) {
        std::string text;
        vmime::utility::outputStreamStringAdapter out(text);
        message->extract(out, nullptr, 0, size_t(-1), true);
        bytes += qint64(text.size());
    }
    folder->close(false);
    store->disconnect();
    std::printf("bare %lld %zu %lld\n", qint64(timer.elapsed()), messages.size(), bytes);
    return 0;
}

int fetch(const QString &dir, const QString &folder, const QString &libraryPath)
{
    QElapsedTimer timer;
    timer.start();
    MailboxAccount account;
    account.host = QStringLiteral("127.0.0.1");
    account.port = imapsPort(dir);
    account.user = QStringLiteral("rotam");
    account.folder = folder;
    MailboxOptions options;
    options.caBundles.append(dir + QStringLiteral("/ca.pem"));
    const auto library = IssueLibrary::open(libraryPath);
    const MailboxFetchReport report =
        fetchIntoLibrary(*library, account, QStringLiteral("secret"), options);
    if (report.error) {
        std::fprintf(stderr, "%s\n", qPrintable(report.error.english()));
        return 1;
    }
    std::printf("fetch %lld %d %d\n", qint64(timer.elapsed()), report.mailsRead,
                report.issuesAdded);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "bare") == 0)
        return bare(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 5 && std::strcmp(argv[1], "fetch") == 0)
        return fetch(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                     QString::fromLocal8Bit(argv[4]));
    std::fprintf(stderr, "usage: rotam-bench-mailbox fetch DOVECOT_DIR FOLDER LIBRARY\n"
                         "       rotam-bench-mailbox bare DOVECOT_DIR FOLDER\n");
    return 2;
}
