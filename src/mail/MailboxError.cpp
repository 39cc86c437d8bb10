#include "MailboxError.h"

QString MailboxError::japanese() const
{
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::Unreachable:
        return QStringLiteral("サーバー %1 に接続できません。見つからないか、応答がありません。")
            .arg(host);
    case Kind::TlsFailed:
        return QStringLiteral(
                   "サーバー %1 と暗号化した接続ができません。パスワードは送っていません。")
            .arg(host);
    case Kind::CertificateUntrusted:
        return QStringLiteral(
                   "サーバー %1 の証明書は信頼できません。SHA-256 フィンガープリント: %2")
            .arg(host, fingerprint);
    case Kind::CertificateMismatch:
        return QStringLiteral(
                   "サーバー %1 の証明書は別の名前のものです。SHA-256 フィンガープリント: %2")
            .arg(host, fingerprint);
    case Kind::LoginRefused:
        return QStringLiteral("サーバー %1 がユーザー %2 のログインを拒否しました。")
            .arg(host, user);
    case Kind::FolderMissing:
        return QStringLiteral("サーバー %1 にフォルダー %2 がありません。").arg(host, folder);
    case Kind::ConnectionLost:
        return QStringLiteral(
                   "受信中にサーバー %1 との接続が切れました。受信済みの %2 通は残しました。")
            .arg(host)
            .arg(kept);
    case Kind::Cancelled:
        return QStringLiteral("受信を中止しました。受信済みの %1 通は残しました。").arg(kept);
    }
    return {};
}

QString MailboxError::english() const
{
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::Unreachable:
        return QStringLiteral("cannot reach server %1: not found or not answering").arg(host);
    case Kind::TlsFailed:
        return QStringLiteral("no encrypted connection to server %1; the password was not sent")
            .arg(host);
    case Kind::CertificateUntrusted:
        return QStringLiteral("the certificate of server %1 is not trusted; SHA-256 fingerprint %2")
            .arg(host, fingerprint);
    case Kind::CertificateMismatch:
        return QStringLiteral(
                   "the certificate of server %1 is for another name; SHA-256 fingerprint %2")
            .arg(host, fingerprint);
    case Kind::LoginRefused:
        return QStringLiteral("server %1 refused the login of user %2").arg(host, user);
    case Kind::FolderMissing:
        return QStringLiteral("server %1 has no folder %2").arg(host, folder);
    case Kind::ConnectionLost:
        return QStringLiteral("lost the connection to server %1 while fetching; kept %2 mails")
            .arg(host)
            .arg(kept);
    case Kind::Cancelled:
        return QStringLiteral("fetching cancelled; kept %1 mails").arg(kept);
    }
    return {};
}
