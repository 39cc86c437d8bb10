#pragma once

#include "MailboxAccount.h"

#include <QString>

#include <memory>

class PasswordKeyring;

// Where the mail account's password is kept: never in the settings.
class PasswordStore
{
public:
    virtual ~PasswordStore() = default;
    // Empty when none is kept for the account.
    virtual QString read(const MailboxAccount &account) = 0;
    virtual void write(const MailboxAccount &account, const QString &password) = 0;
};

// The desktop's keyring, one entry per user and server; where no keyring answers, memory for
// this run only.
class KeyringPasswords final : public PasswordStore
{
public:
    KeyringPasswords();
    ~KeyringPasswords() override;
    QString read(const MailboxAccount &account) override;
    void write(const MailboxAccount &account, const QString &password) override;

private:
    std::unique_ptr<PasswordKeyring> m_keyring;
};
