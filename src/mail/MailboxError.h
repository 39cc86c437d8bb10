#pragma once

#include <QString>

// Why talking to the mail server failed, with one message for the window (Japanese) and one
// for the command line (English), each naming what failed.
struct MailboxError
{
    enum class Kind
    {
        None,
        Unreachable, // not found, refused, or no progress within the timeout
        TlsFailed,   // handshake failed, or STARTTLS not offered
        CertificateUntrusted,
        CertificateMismatch, // valid, but for another host name
        LoginRefused,
        FolderMissing,
        ConnectionLost, // after some mails may have been handed over
        Cancelled,
    };

    Kind kind = Kind::None;
    QString host;
    QString user;
    QString folder;
    // The refused certificate's SHA-256 fingerprint, for trusting it explicitly.
    QString fingerprint;
    // How many mails were handed over before the connection was lost or cancelled.
    int kept = 0;
    // The server's or library's own words, for the log.
    QString detail;

    explicit operator bool() const { return kind != Kind::None; }
    QString japanese() const;
    QString english() const;
};
