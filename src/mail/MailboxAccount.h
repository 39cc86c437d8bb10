#pragma once

#include <QString>

// Where mail is fetched from: one folder of one IMAP account. The password is not part of it:
// it lives in the keyring or, without one, in memory only.
struct MailboxAccount
{
    // How the connection is encrypted; there is no plain choice, a password never goes out
    // unencrypted.
    enum class Security
    {
        SslTls,
        StartTls
    };

    QString host;
    quint16 port = 993;
    Security security = Security::SslTls;
    QString user;
    QString folder = QStringLiteral("INBOX");
    // Only mails whose From contains this, when not empty.
    QString senderFilter;
    // The SHA-256 fingerprint of a certificate the user chose to trust although it failed
    // the checks, as MailboxError shows it.
    QString trustedFingerprint;
};

// Where the last fetch of a folder stopped. A different UIDVALIDITY means the UIDs were
// given anew: everything is new again.
struct FolderPosition
{
    quint32 uidValidity = 0;
    quint32 lastUid = 0;

    friend bool operator==(const FolderPosition &, const FolderPosition &) = default;
};
