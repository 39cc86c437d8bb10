#include "DovecotServer.h"

#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ProgramRun
{
    int exitCode; // -1: ended by a signal
    QByteArray out;
    QByteArray err;
};

ProgramRun
runProgram(const QStringList &arguments,
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ROTAM_PDF_PATH), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

class RotamPdfImap : public ::testing::Test
{
protected:
    QString url(const QString &folder, const QString &host = u"127.0.0.1"_s, quint16 port = 0,
                const QString &scheme = u"imaps"_s) const
    {
        return u"%1://rotam@%2:%3/%4"_s.arg(scheme, host)
            .arg(port ? port : server.imapsPort())
            .arg(folder);
    }
    QStringList trusted() const { return {u"--ca-file"_s, server.file(u"ca.pem"_s)}; }
    QStringList secret() const { return {u"--password-command"_s, u"echo secret"_s}; }

    DovecotServer server;
    QTemporaryDir dir;
    QString library = dir.filePath(u"library.sqlite"_s);
};

} // namespace

// A folder reads as its mails saved as files do; with the library only new mail comes, and
// the whole library is listed.
TEST_F(RotamPdfImap, AFolderReadsAsItsFilesAndTheLibraryTakesNewMail)
{
    const QString examples = QStringLiteral(ROTAM_EXAMPLES_DIR);
    const QStringList files{examples + u"/rotam-maildir/cur/1106514000.M1P100.example"_s,
                            examples + u"/rotam-0131.eml"_s,
                            examples + u"/rotam-maildir/new/1106600400.M2P100.example"_s};
    server.createFolder(u"Tool"_s);
    server.saveFiles(u"Tool"_s, files);
    const ProgramRun json =
        runProgram(QStringList{u"--imap"_s, url(u"Tool"_s), u"--json"_s} + secret() + trusted());
    EXPECT_EQ(json.exitCode, 0) << json.err.toStdString();
    EXPECT_EQ(json.out, runProgram(files + QStringList{u"--json"_s}).out);

    const QStringList onLibrary =
        QStringList{u"--imap"_s, url(u"Tool"_s), u"--library"_s, library, u"--list"_s} + secret() +
        trusted();
    const ProgramRun first = runProgram(onLibrary);
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    const qsizetype issues = first.out.count('\n');
    EXPECT_GE(issues, 3);
    server.save(u"Tool"_s, issueMail(900));
    const qsizetype log = server.logSize();
    const ProgramRun second = runProgram(onLibrary);
    EXPECT_EQ(second.out.count('\n'), issues + 1);
    EXPECT_TRUE(second.out.contains(u"第900回"_s.toUtf8()));
    // Only the new mail came: a few kilobytes, not the examples again.
    EXPECT_LT(server.bytesSentAfter(log), 8 * 1024);
}

TEST_F(RotamPdfImap, EveryFailureExitsWith1AndWritesNothing)
{
    server.createFolder(u"Present"_s);
    server.save(u"Present"_s, issueMail(1));
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 closedPort = closed.serverPort();
    closed.close();
    QProcessEnvironment noBus = QProcessEnvironment::systemEnvironment();
    noBus.remove(u"DBUS_SESSION_BUS_ADDRESS"_s);
    noBus.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent"_s);

    const struct
    {
        const char *name;
        QStringList arguments;
        const char *says;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    } cases[] = {
        {"untrusted CA", QStringList{u"--imap"_s, url(u"Present"_s)} + secret(), "not trusted"},
        {"host name mismatch",
         QStringList{u"--imap"_s, url(u"Present"_s, u"127.0.0.2"_s)} + secret() + trusted(),
         "for another name"},
        {"unreachable",
         QStringList{u"--imap"_s, url(u"Present"_s, u"127.0.0.1"_s, closedPort)} + secret() +
             trusted(),
         "cannot reach"},
        {"missing folder", QStringList{u"--imap"_s, url(u"Absent"_s)} + secret() + trusted(),
         "no folder Absent"},
        {"missing folder, library",
         QStringList{u"--imap"_s, url(u"Absent"_s), u"--library"_s, library} + secret() + trusted(),
         "no folder Absent"},
        {"no STARTTLS",
         QStringList{u"--imap"_s, url(u"Present"_s, u"127.0.0.3"_s, server.imapPort(), u"imap"_s)} +
             secret() + trusted(),
         "no encrypted connection"},
        {"failing password command",
         QStringList{u"--imap"_s, url(u"Present"_s), u"--password-command"_s, u"exit 3"_s} +
             trusted(),
         "exit code 3"},
        {"password command without output",
         QStringList{u"--imap"_s, url(u"Present"_s), u"--password-command"_s, u"true"_s} +
             trusted(),
         "no password"},
        {"no keyring", QStringList{u"--imap"_s, url(u"Present"_s)} + trusted(), "keyring", noBus},
        // Last: Dovecot may make the next login from this address wait.
        {"wrong password",
         QStringList{u"--imap"_s, url(u"Present"_s), u"--password-command"_s,
                     u"printf 'wrong\\nsecret\\n'"_s} +
             trusted(),
         "refused the login of user rotam"},
    };
    for (const auto &c : cases) {
        for (const char *output : {"--list", "--json"}) {
            const ProgramRun r =
                runProgram(c.arguments + QStringList{QString::fromLatin1(output)}, c.environment);
            EXPECT_EQ(r.exitCode, 1) << c.name << ' ' << output << ": " << r.err.toStdString();
            EXPECT_TRUE(r.out.isEmpty()) << c.name << ' ' << output;
            EXPECT_TRUE(r.err.contains(c.says)) << c.name << ": " << r.err.toStdString();
        }
    }
}
