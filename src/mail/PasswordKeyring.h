#pragma once

#include "MailboxAccount.h"

#include <QHash>
#include <QString>

// Passwords in the desktop's keyring. Where no keyring answers, a password is kept in memory
// for this run only, so that it is asked for once per run and never written anywhere.
class PasswordKeyring
{
public:
    explicit PasswordKeyring(QString service);

    // The password under the key, or an empty string when there is none.
    QString read(const QString &key);
    void write(const QString &key, const QString &password);
    void remove(const QString &key);
    // False once the keyring turned out to be missing: no D-Bus session, or a session in
    // which writing fails and nothing can be read back.
    bool hasKeyring() const { return m_hasKeyring; }

private:
    QString m_service;
    bool m_hasKeyring = true;
    QHash<QString, QString> m_memory;
};

// Where the program keeps an account's password: its keyring service, and the key, which
// leaves the folder out so that choosing another keeps the password. The window and
// rotam-pdf both read it there.
inline constexpr char16_t PasswordService[] = u"rotam-print";
QString passwordKey(const MailboxAccount &account);
