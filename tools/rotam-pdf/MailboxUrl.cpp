#include "MailboxUrl.h"

#include <QRegularExpression>
#include <QUrl>

std::variant<MailboxAccount, QString> accountFromUrl(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    MailboxAccount account;
    if (url.scheme() == QLatin1String("imaps")) {
        account.security = MailboxAccount::Security::SslTls;
        account.port = 993;
    } else if (url.scheme() == QLatin1String("imap")) {
        account.security = MailboxAccount::Security::StartTls;
        account.port = 143;
    } else {
        return QStringLiteral("--imap takes imaps://USER@HOST[:PORT]/FOLDER or imap://...");
    }
    if (!url.isValid())
        return QStringLiteral("--imap: not a URL: ") + url.errorString();
    if (url.host().isEmpty())
        return QStringLiteral("--imap: the URL names no host");
    if (!url.password().isEmpty())
        return QStringLiteral("--imap: no password in the URL; use --password-command");
    if (url.hasQuery() || url.hasFragment())
        return QStringLiteral("--imap: the URL names a folder, not a search or a message");
    // RFC 5092 lets ";AUTH=..." follow the user; the server's choice is taken anyway.
    static const QRegularExpression auth(QStringLiteral(";AUTH=.*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    account.user =
        QUrl::fromPercentEncoding(url.userName(QUrl::FullyEncoded).remove(auth).toUtf8());
    if (account.user.isEmpty())
        return QStringLiteral("--imap: the URL names no user");
    account.host = url.host();
    if (url.port() > 0)
        account.port = quint16(url.port());
    QString folder = url.path(QUrl::FullyEncoded);
    while (folder.startsWith(QLatin1Char('/')))
        folder.remove(0, 1);
    while (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    if (folder.contains(QLatin1Char(';')))
        return QStringLiteral("--imap: the URL names a folder, not a message");
    if (!folder.isEmpty())
        account.folder = QUrl::fromPercentEncoding(folder.toUtf8());
    return account;
}
