#include "PasswordStore.h"

#include "PasswordKeyring.h"

KeyringPasswords::KeyringPasswords()
    : m_keyring(std::make_unique<PasswordKeyring>(QString::fromUtf16(PasswordService)))
{
}

KeyringPasswords::~KeyringPasswords() = default;

QString KeyringPasswords::read(const MailboxAccount &account)
{
    return m_keyring->read(passwordKey(account));
}

void KeyringPasswords::write(const MailboxAccount &account, const QString &password)
{
    m_keyring->write(passwordKey(account), password);
}
