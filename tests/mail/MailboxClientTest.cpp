#include "MailboxClient.h"
#include "DovecotServer.h"
#include "LineArray.h"
#include "MimeMessages.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <map>

namespace {

QByteArray exampleFile(const char *name)
{
    QFile file(QStringLiteral(ROTAM_EXAMPLES_DIR "/") + QString::fromUtf8(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

// The texts the reader takes from a message, one string each.
QStringList readerTexts(const QByteArray &message)
{
    QStringList texts;
    readMessage(message, [&](LineArray &lines) {
        QStringList text;
        for (qsizetype i = 0; i < lines.size(); ++i)
            text.append(lines[i].toString());
        texts.append(text.join(QLatin1Char('\n')));
    });
    return texts;
}

// A photo as a mailer attaches it: a megabyte in base64.
QByteArray photoPart()
{
    QByteArray photo(1024 * 1024, '\0');
    for (qsizetype i = 0; i < photo.size(); ++i)
        photo[i] = char((i * 7919) >> 3);
    QByteArray lines;
    const QByteArray base64 = photo.toBase64();
    for (qsizetype i = 0; i < base64.size(); i += 76)
        lines += base64.mid(i, 76) + "\n";
    return "Content-Type: image/jpeg\nContent-Transfer-Encoding: base64\n"
           "Content-Disposition: attachment; filename=\"photo.jpg\"\n\n" +
           lines;
}

QByteArray multipart(const QByteArray &subject, const QList<QByteArray> &parts)
{
    QByteArray message = "From: friend@example.com\nTo: rotam@example.com\nSubject: " + subject +
                         "\nDate: Sun, 23 Jan 2005 06:00:00 +0900\nMIME-Version: 1.0\n"
                         "Content-Type: multipart/mixed; boundary=\"b0\"\n\n";
    for (const QByteArray &part : parts)
        message += "--b0\n" + part + "\n";
    return message + "--b0--\n";
}

QByteArray attached(const QByteArray &message)
{
    return "Content-Type: message/rfc822\nContent-Disposition: attachment\n\n" + message;
}

QByteArray textPart(const QByteArray &text, const QByteArray &disposition = "inline")
{
    return "Content-Type: text/plain; charset=UTF-8\nContent-Transfer-Encoding: 8bit\n"
           "Content-Disposition: " +
           disposition + "\n\n" + text;
}

struct Fetched
{
    MailboxError error;
    std::map<quint32, QByteArray> mails;
};

Fetched fetch(const MailboxAccount &account, FolderPosition &position,
              const std::function<bool(quint32)> &more = {})
{
    MailboxOptions options;
    options.caBundles.append(DovecotServer().file(QStringLiteral("ca.pem")));
    MailboxClient client(account, options);
    Fetched fetched;
    fetched.error = client.connect(QStringLiteral("secret"));
    if (!fetched.error)
        fetched.error = client.fetchNew(position, [&](quint32 uid, const QByteArray &bytes) {
            fetched.mails[uid] = bytes;
            return !more || more(uid);
        });
    return fetched;
}

std::vector<quint32> uids(const Fetched &fetched)
{
    std::vector<quint32> result;
    for (const auto &[uid, bytes] : fetched.mails)
        result.push_back(uid);
    return result;
}

class MailboxClientTest : public ::testing::Test
{
protected:
    DovecotServer server;
};

// A fetched mail gives the reader what the same mail read from a file gives, whether it
// was small enough to fetch whole or rebuilt from its header and text part.
TEST_F(MailboxClientTest, FetchedMailsReadAsTheirFiles)
{
    const QByteArray forwarded = exampleFile("rotam-0131.eml");
    const QByteArray plain = exampleFile("rotam-maildir/cur/1106514000.M1P100.example");
    const struct
    {
        const char *name;
        QByteArray message;
        bool hasText;
    } cases[] = {
        {"maildir cur 1", plain, true},
        {"maildir cur 2", exampleFile("rotam-maildir/cur/1106686800.M3P100.example"), true},
        {"maildir new", exampleFile("rotam-maildir/new/1106600400.M2P100.example"), true},
        {"webmail alternative", forwarded, true},
        {"text and photo", multipart("photo", {textPart("本文です。\n二行目\n"), photoPart()}),
         true},
        {"attached text skipped, forward with alternative",
         multipart("fwd", {textPart("note\n", "attachment"), attached(forwarded), photoPart()}),
         true},
        {"forward of a single part", multipart("fwd", {photoPart(), attached(plain)}), true},
        {"photo only", multipart("photo", {photoPart()}), false},
        {"large plain text",
         "Subject: long\nDate: Mon, 24 Jan 2005 06:00:00 +0900\n\n" +
             QByteArray(300 * 1024, 'x').replace(70, 1, "\n"),
         true},
    };
    server.createFolder(QStringLiteral("Sweep"));
    for (const auto &c : cases)
        server.save(QStringLiteral("Sweep"), c.message);

    FolderPosition position;
    const Fetched fetched = fetch(server.account(QStringLiteral("Sweep")), position);
    ASSERT_FALSE(fetched.error) << fetched.error.english().toStdString();
    ASSERT_EQ(fetched.mails.size(), std::size(cases));
    auto mail = fetched.mails.begin();
    for (const auto &c : cases) {
        const QStringList texts = readerTexts(mail->second);
        EXPECT_EQ(texts, readerTexts(c.message)) << c.name;
        EXPECT_EQ(texts.size(), c.hasText ? 1 : 0) << c.name;
        ++mail;
    }
    EXPECT_EQ(position.lastUid, fetched.mails.rbegin()->first);
}

TEST_F(MailboxClientTest, PhotosStayOnTheServer)
{
    server.createFolder(QStringLiteral("Photos"));
    for (int i = 0; i < 5; ++i)
        server.save(QStringLiteral("Photos"),
                    multipart("photo", {textPart("text\n"), photoPart()}));
    const qsizetype log = server.logSize();
    FolderPosition position;
    const Fetched fetched = fetch(server.account(QStringLiteral("Photos")), position);
    ASSERT_FALSE(fetched.error) << fetched.error.english().toStdString();
    EXPECT_EQ(fetched.mails.size(), 5u);
    EXPECT_LT(server.bytesSentAfter(log), 64 * 1024);
}

// Only UIDs above the last one read come, although "n+1:*" always answers with the last
// message; a new UIDVALIDITY brings everything again.
TEST_F(MailboxClientTest, OnlyNewMailsCome)
{
    const QString folder = QStringLiteral("Newer");
    server.createFolder(folder);
    server.save(folder, exampleFile("rotam-0131.eml"));
    server.save(folder, exampleFile("rotam-0131.eml"));
    const MailboxAccount account = server.account(folder);
    FolderPosition position;
    EXPECT_EQ(uids(fetch(account, position)), (std::vector<quint32>{1, 2}));
    EXPECT_EQ(uids(fetch(account, position)), std::vector<quint32>{});
    EXPECT_EQ(position.lastUid, 2u);

    server.save(folder, exampleFile("rotam-0131.eml"));
    EXPECT_EQ(uids(fetch(account, position)), std::vector<quint32>{3});

    const quint32 before = position.uidValidity;
    server.setUidValidity(folder, before + 1);
    EXPECT_EQ(uids(fetch(account, position)), (std::vector<quint32>{1, 2, 3}));
    EXPECT_EQ(position.uidValidity, before + 1);
}

TEST_F(MailboxClientTest, FlagsStayAsTheyWere)
{
    const QString folder = QStringLiteral("Flags");
    server.createFolder(folder);
    server.save(folder, exampleFile("rotam-0131.eml"));
    server.save(folder, multipart("photo", {textPart("text\n"), photoPart()}));
    const QString before = server.flags(folder);
    FolderPosition position;
    EXPECT_EQ(fetch(server.account(folder), position).mails.size(), 2u);
    EXPECT_EQ(server.flags(folder), before);
}

TEST_F(MailboxClientTest, SenderFilterSkipsOthersAndPassesThem)
{
    const QString folder = QStringLiteral("Filter");
    server.createFolder(folder);
    server.save(folder, exampleFile("rotam-0131.eml"));
    server.save(folder, multipart("other", {textPart("text\n")}));
    MailboxAccount account = server.account(folder);
    account.senderFilter = QStringLiteral("friend@example");
    FolderPosition position;
    EXPECT_EQ(uids(fetch(account, position)), std::vector<quint32>{2});
    EXPECT_EQ(position.lastUid, 2u);
}

// What came before a stop or a lost connection stays with the caller, and the position
// says where to go on.
TEST_F(MailboxClientTest, InterruptedFetchKeepsWhatCame)
{
    const QString folder = QStringLiteral("Interrupted");
    server.createFolder(folder);
    for (int i = 0; i < 3; ++i)
        server.save(folder, exampleFile("rotam-0131.eml"));
    const MailboxAccount account = server.account(folder);

    FolderPosition position;
    Fetched fetched = fetch(account, position, [](quint32) { return false; });
    EXPECT_EQ(fetched.error.kind, MailboxError::Kind::Cancelled);
    EXPECT_EQ(fetched.error.kept, 1);
    EXPECT_EQ(position.lastUid, 1u);

    fetched = fetch(account, position, [&](quint32) {
        server.crash();
        return true;
    });
    server.start();
    EXPECT_EQ(fetched.error.kind, MailboxError::Kind::ConnectionLost);
    EXPECT_EQ(uids(fetched), std::vector<quint32>{2});
    EXPECT_EQ(fetched.error.kept, 1);
    EXPECT_EQ(position.lastUid, 2u);

    EXPECT_EQ(uids(fetch(account, position)), std::vector<quint32>{3});
}

QString opensslFingerprint(const QString &pem)
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("x509"), QStringLiteral("-noout"), QStringLiteral("-fingerprint"),
                   QStringLiteral("-sha256"), QStringLiteral("-in"), pem});
    openssl.waitForFinished();
    return QString::fromLatin1(openssl.readAllStandardOutput())
        .trimmed()
        .section(QLatin1Char('='), 1);
}

TEST_F(MailboxClientTest, FailuresNameWhatFailed)
{
    using Kind = MailboxError::Kind;
    enum Port
    {
        Imaps,
        Imap,
        Closed,
        Silent
    };
    enum Print
    {
        NoPrint,
        ServerPrint,
        WrongPrint
    };
    server.createFolder(QStringLiteral("Present"));
    const QString prints[] = {{},
                              opensslFingerprint(server.file(QStringLiteral("server.pem"))),
                              opensslFingerprint(server.file(QStringLiteral("wrong.pem")))};
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 ports[] = {server.imapsPort(), server.imapPort(), closed.serverPort(),
                             silent.serverPort()};
    closed.close();

    const struct
    {
        const char *host;
        Port port;
        const char *password;
        const char *folder;
        bool testCa;
        Print trusted;
        Kind kind;
        Print shown;
    } cases[] = {
        {"127.0.0.1", Imaps, "secret", "Present", true, NoPrint, Kind::None, NoPrint},
        {"127.0.0.1", Imap, "secret", "Present", true, NoPrint, Kind::None, NoPrint},
        {"localhost", Imaps, "secret", "Present", true, NoPrint, Kind::None, NoPrint},
        {"127.0.0.1", Imaps, "secret", "Absent", true, NoPrint, Kind::FolderMissing, NoPrint},
        {"127.0.0.1", Imaps, "secret", "Present", false, NoPrint, Kind::CertificateUntrusted,
         ServerPrint},
        {"127.0.0.1", Imap, "secret", "Present", false, NoPrint, Kind::CertificateUntrusted,
         ServerPrint},
        {"127.0.0.1", Imaps, "secret", "Present", false, ServerPrint, Kind::None, NoPrint},
        {"127.0.0.2", Imaps, "secret", "Present", true, NoPrint, Kind::CertificateMismatch,
         WrongPrint},
        {"127.0.0.2", Imap, "secret", "Present", true, ServerPrint, Kind::CertificateMismatch,
         WrongPrint},
        {"127.0.0.2", Imaps, "secret", "Present", true, WrongPrint, Kind::None, NoPrint},
        {"127.0.0.1", Closed, "secret", "Present", true, NoPrint, Kind::Unreachable, NoPrint},
        {"no-such-host.invalid", Imaps, "secret", "Present", true, NoPrint, Kind::Unreachable,
         NoPrint},
        {"127.0.0.1", Silent, "secret", "Present", true, NoPrint, Kind::Unreachable, NoPrint},
        // Last: after a refused login Dovecot makes the next one from this address wait.
        {"127.0.0.1", Imaps, "wrong", "Present", true, NoPrint, Kind::LoginRefused, NoPrint},
        {"127.0.0.1", Imap, "wrong", "Present", true, NoPrint, Kind::LoginRefused, NoPrint},
    };
    for (const auto &c : cases) {
        const std::string row = std::string(c.host) + ':' + std::to_string(int(c.port)) + ' ' +
                                c.password + ' ' + c.folder + (c.testCa ? " test CA" : "") +
                                " trusting " + std::to_string(int(c.trusted));
        MailboxAccount account = server.account(QString::fromUtf8(c.folder));
        account.host = QString::fromUtf8(c.host);
        account.port = ports[c.port];
        account.security =
            c.port == Imap ? MailboxAccount::Security::StartTls : MailboxAccount::Security::SslTls;
        // The client compares fingerprints whatever their case.
        account.trustedFingerprint = prints[c.trusted].toLower();
        MailboxOptions options;
        if (c.testCa)
            options.caBundles.append(server.file(QStringLiteral("ca.pem")));
        if (c.port == Silent)
            options.timeoutSeconds = 1;
        MailboxClient client(account, options);
        MailboxError error = client.connect(QString::fromUtf8(c.password));
        FolderPosition position;
        if (!error)
            error = client.fetchNew(position, [](quint32, const QByteArray &) { return true; });
        EXPECT_EQ(error.kind, c.kind) << row << ": " << error.english().toStdString();
        EXPECT_EQ(error.fingerprint, prints[c.shown]) << row;
        if (c.shown != NoPrint) {
            EXPECT_TRUE(error.japanese().contains(prints[c.shown])) << row;
        }
    }
}

// Where the server offers no STARTTLS, the client leaves without trying to log in.
TEST_F(MailboxClientTest, NoPasswordWithoutEncryption)
{
    MailboxAccount account = server.account(QStringLiteral("INBOX"));
    account.host = QStringLiteral("127.0.0.3");
    account.port = server.imapPort();
    account.security = MailboxAccount::Security::StartTls;
    const qsizetype log = server.logSize();
    EXPECT_EQ(MailboxClient(account).connect(QStringLiteral("secret")).kind,
              MailboxError::Kind::TlsFailed);
    EXPECT_TRUE(server.logLineAfter(log, QRegularExpression(QStringLiteral("lip=127\\.0\\.0\\.3")))
                    .contains(QStringLiteral("no auth attempts")));
}

TEST_F(MailboxClientTest, FoldersAreListed)
{
    server.createFolder(QStringLiteral("Listed.Inner"));
    MailboxOptions options;
    options.caBundles.append(server.file(QStringLiteral("ca.pem")));
    MailboxClient client(server.account(QStringLiteral("INBOX")), options);
    ASSERT_FALSE(client.connect(QStringLiteral("secret")));
    QStringList folders;
    ASSERT_FALSE(client.listFolders(folders));
    EXPECT_TRUE(folders.contains(QStringLiteral("INBOX")));
    EXPECT_TRUE(folders.contains(QStringLiteral("Listed/Inner")));
}

} // namespace
