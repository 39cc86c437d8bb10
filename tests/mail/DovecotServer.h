#pragma once

#include "MailboxAccount.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// A mail of one issue, titled 第<number>回.
QByteArray issueMail(int number);

// The Dovecot server the CTest fixture started (scripts/dovecot-test-server.sh): accounts
// for it, and its mailbox changed behind the client's back with doveadm.
class DovecotServer
{
public:
    DovecotServer();

    // The test user on 127.0.0.1 with implicit TLS, on a fresh folder of that name.
    MailboxAccount account(const QString &folder) const;
    quint16 imapPort() const { return m_imap; }
    quint16 imapsPort() const { return m_imaps; }
    QString file(const QString &name) const;

    // An empty folder of that name, made anew.
    void createFolder(const QString &folder) const;
    void save(const QString &folder, const QByteArray &message) const;
    // The mails saved as these files, in order.
    void saveFiles(const QString &folder, const QStringList &paths) const;
    void setUidValidity(const QString &folder, quint32 uidValidity) const;
    // doveadm's listing of every message's UID and flags.
    QString flags(const QString &folder) const;
    // Kills the server and its sessions; start() brings it back.
    void crash() const;
    void start() const;
    // The server's log so far, to find the logout line of a session begun after it.
    qsizetype logSize() const;
    // The first line matching the pattern that the server logged after `logOffset`.
    QString logLineAfter(qsizetype logOffset, const QRegularExpression &pattern) const;
    // The bytes sent to the client by the first session that logged out after `logOffset`.
    qint64 bytesSentAfter(qsizetype logOffset) const;

private:
    QByteArray run(const QString &program, const QStringList &arguments,
                   const QByteArray &input = {}, bool mayFail = false) const;
    QByteArray doveadm(const QStringList &arguments, const QByteArray &input = {},
                       bool mayFail = false) const;

    QString m_dir;
    quint16 m_imap = 0;
    quint16 m_imaps = 0;
};
