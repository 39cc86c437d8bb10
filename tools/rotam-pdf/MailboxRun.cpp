#include "MailboxRun.h"

#include "MailboxClient.h"
#include "MailboxFetch.h"
#include "PasswordKeyring.h"

#include <QProcess>
#include <QTextStream>

namespace {

std::optional<QString> commandPassword(const QString &command, QTextStream &err)
{
    QProcess process;
    // Its error output is the user's to see; its standard output is the password.
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    process.closeWriteChannel();
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        err << "rotam-pdf: the password command failed";
        if (process.exitStatus() == QProcess::NormalExit)
            err << " with exit code " << process.exitCode();
        err << '\n';
        return std::nullopt;
    }
    QByteArray line = process.readAllStandardOutput();
    line.truncate(line.indexOf('\n') < 0 ? line.size() : line.indexOf('\n'));
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.isEmpty()) {
        err << "rotam-pdf: the password command printed no password\n";
        return std::nullopt;
    }
    return QString::fromUtf8(line);
}

MailboxOptions clientOptions(const MailboxRunOptions &options)
{
    MailboxOptions client;
    client.caBundles.append(options.caFiles);
    return client;
}

} // namespace

std::optional<QString> mailboxPassword(const MailboxRunOptions &options, QTextStream &err)
{
    if (!options.passwordCommand.isEmpty())
        return commandPassword(options.passwordCommand, err);
    PasswordKeyring keyring(QString::fromUtf16(PasswordService));
    const QString password = keyring.read(passwordKey(options.account));
    if (!password.isEmpty())
        return password;
    if (keyring.hasKeyring())
        err << "rotam-pdf: the keyring holds no password for " << passwordKey(options.account)
            << "; give --password-command\n";
    else
        err << "rotam-pdf: no keyring to take the password from; give --password-command\n";
    return std::nullopt;
}

bool fetchMailbox(const MailboxRunOptions &options, IssueStore &store, QTextStream &err)
{
    const std::optional<QString> password = mailboxPassword(options, err);
    if (!password)
        return false;
    const MailboxError error =
        fetchAllIntoStore(store, options.account, *password, clientOptions(options));
    if (error)
        err << "rotam-pdf: " << error.english() << '\n';
    return !error;
}

bool fetchMailbox(const MailboxRunOptions &options, IssueLibrary &library, QTextStream &err)
{
    const std::optional<QString> password = mailboxPassword(options, err);
    if (!password)
        return false;
    const MailboxFetchReport report =
        fetchIntoLibrary(library, options.account, *password, clientOptions(options));
    if (report.error)
        err << "rotam-pdf: " << report.error.english() << '\n';
    return !report.error;
}
