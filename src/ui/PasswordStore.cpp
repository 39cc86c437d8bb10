#include "PasswordStore.h"

#include "PasswordKeyring.h"

using namespace Qt::StringLiterals;

namespace {

// The folder is no part of it: choosing another keeps the password.
QString keyOf(const MailboxAccount &account)
{
    return u"%1@%2:%3"_s.arg(account.user, account.host).arg(account.port);
}

} // namespace

KeyringPasswords::KeyringPasswords()
    : m_keyring(std::make_unique<PasswordKeyring>(u"rotam-print"_s))
{
}

KeyringPasswords::~KeyringPasswords() = default;

QString KeyringPasswords::read(const MailboxAccount &account)
{
    return m_keyring->read(keyOf(account));
}

void KeyringPasswords::write(const MailboxAccount &account, const QString &password)
{
    m_keyring->write(keyOf(account), password);
}
