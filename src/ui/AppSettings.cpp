#include "AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>

using namespace Qt::StringLiterals;

AppSettings::AppSettings(std::shared_ptr<QSettings> store) : m_store(std::move(store)) {}

std::optional<QString> AppSettings::text(const QString &key) const
{
    if (!m_store)
        return std::nullopt;
    const QVariant value = m_store->value(key);
    // An INI file gives strings; a list, a number or an @Variant of another type is foreign.
    if (value.typeId() != QMetaType::QString || value.toString().isEmpty())
        return std::nullopt;
    return value.toString();
}

void AppSettings::write(const QString &key, const QVariant &value)
{
    if (m_store)
        m_store->setValue(key, value);
}

std::optional<QString> AppSettings::openFolder() const
{
    const std::optional<QString> folder = text(u"open/folder"_s);
    if (!folder || !QDir::isAbsolutePath(*folder) || !QFileInfo(*folder).isDir())
        return std::nullopt;
    return folder;
}

void AppSettings::setOpenFolder(const QString &folder)
{
    write(u"open/folder"_s, folder);
}

std::optional<PagePlacement> AppSettings::placement() const
{
    const std::optional<QString> name = text(u"print/position"_s);
    return name ? placementFromName(*name) : std::nullopt;
}

void AppSettings::setPlacement(PagePlacement placement)
{
    write(u"print/position"_s, placementName(placement));
}

std::optional<PageLayout> AppSettings::layout() const
{
    const std::optional<QString> name = text(u"print/layout"_s);
    return name ? layoutFromName(*name) : std::nullopt;
}

void AppSettings::setLayout(PageLayout layout)
{
    write(u"print/layout"_s, layoutName(layout));
}

std::optional<bool> AppSettings::cells() const
{
    const std::optional<QString> value = text(u"print/cells"_s);
    if (value == u"true"_s)
        return true;
    if (value == u"false"_s)
        return false;
    return std::nullopt;
}

void AppSettings::setCells(bool cells)
{
    write(u"print/cells"_s, cells ? u"true"_s : u"false"_s);
}

std::optional<QString> AppSettings::printerName() const
{
    return text(u"print/printer"_s);
}

void AppSettings::setPrinterName(const QString &name)
{
    write(u"print/printer"_s, name);
}

std::optional<QString> AppSettings::pdfFileName() const
{
    const std::optional<QString> path = text(u"print/pdfFile"_s);
    if (!path || !QDir::isAbsolutePath(*path))
        return std::nullopt;
    return path;
}

void AppSettings::setPdfFileName(const QString &path)
{
    write(u"print/pdfFile"_s, path);
}

std::optional<QSize> AppSettings::windowSize() const
{
    // "WIDTHxHEIGHT": a string like every other value, readable in the INI file.
    const std::optional<QString> value = text(u"window/size"_s);
    if (!value)
        return std::nullopt;
    const QStringList parts = value->split(u'x');
    bool wide = false, high = false;
    const QSize size(parts.value(0).toInt(&wide), parts.value(1).toInt(&high));
    if (parts.size() != 2 || !wide || !high || size.isEmpty())
        return std::nullopt;
    return size;
}

void AppSettings::setWindowSize(QSize size)
{
    write(u"window/size"_s, u"%1x%2"_s.arg(size.width()).arg(size.height()));
}

std::optional<MailboxAccount> AppSettings::mailAccount() const
{
    const std::optional<QString> host = text(u"mail/host"_s);
    const std::optional<QString> user = text(u"mail/user"_s);
    if (!host || !user)
        return std::nullopt;
    MailboxAccount account;
    account.host = *host;
    account.user = *user;
    const std::optional<QString> security = text(u"mail/security"_s);
    if (security == u"starttls"_s)
        account.security = MailboxAccount::Security::StartTls;
    bool number = false;
    const uint port = text(u"mail/port"_s).value_or(QString()).toUInt(&number);
    // A port that cannot be one reads as the default for the encryption.
    if (number && port > 0 && port <= 65535)
        account.port = quint16(port);
    else
        account.port = account.security == MailboxAccount::Security::StartTls ? 143 : 993;
    account.folder = text(u"mail/folder"_s).value_or(u"INBOX"_s);
    account.senderFilter = text(u"mail/sender"_s).value_or(QString());
    account.trustedFingerprint = text(u"mail/trustedCertificate"_s).value_or(QString());
    return account;
}

void AppSettings::setMailAccount(const MailboxAccount &account)
{
    write(u"mail/host"_s, account.host);
    write(u"mail/port"_s, QString::number(account.port));
    write(u"mail/security"_s,
          account.security == MailboxAccount::Security::StartTls ? u"starttls"_s : u"ssl"_s);
    write(u"mail/user"_s, account.user);
    write(u"mail/folder"_s, account.folder);
    write(u"mail/sender"_s, account.senderFilter);
    write(u"mail/trustedCertificate"_s, account.trustedFingerprint);
}

bool AppSettings::fetchOnStart() const
{
    return text(u"mail/fetchOnStart"_s) == u"true"_s;
}

void AppSettings::setFetchOnStart(bool fetch)
{
    write(u"mail/fetchOnStart"_s, fetch ? u"true"_s : u"false"_s);
}
