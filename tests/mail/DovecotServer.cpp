#include "DovecotServer.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

QByteArray issueMail(int number)
{
    return "From: rotam@example.com\nSubject: rotam\nDate: Thu, 27 Jan 2005 06:00:00 +0900\n"
           "MIME-Version: 1.0\nContent-Type: text/plain; charset=UTF-8\n"
           "Content-Transfer-Encoding: 8bit\n\n" +
           QStringLiteral("◇第%1回◇　木曜版\n　　ＡＢ\n　ａ□□\n　ｂ□■\n").arg(number).toUtf8();
}

DovecotServer::DovecotServer() : m_dir(QStringLiteral(ROTAM_DOVECOT_DIR))
{
    QFile ports(file(QStringLiteral("ports")));
    if (!ports.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "no Dovecot fixture in " << m_dir.toStdString();
    for (const QByteArray &line : ports.readAll().split('\n')) {
        if (line.startsWith("imap="))
            m_imap = quint16(line.mid(5).toUInt());
        else if (line.startsWith("imaps="))
            m_imaps = quint16(line.mid(6).toUInt());
    }
}

MailboxAccount DovecotServer::account(const QString &folder) const
{
    MailboxAccount account;
    account.host = QStringLiteral("127.0.0.1");
    account.port = m_imaps;
    account.user = QStringLiteral("rotam");
    account.folder = folder;
    return account;
}

QString DovecotServer::file(const QString &name) const
{
    return m_dir + QLatin1Char('/') + name;
}

QByteArray DovecotServer::run(const QString &program, const QStringList &arguments,
                              const QByteArray &input, bool mayFail) const
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    EXPECT_TRUE(mayFail || process.exitCode() == 0)
        << program.toStdString() << ' ' << arguments.join(QLatin1Char(' ')).toStdString() << ": "
        << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

QByteArray DovecotServer::doveadm(const QStringList &arguments, const QByteArray &input,
                                  bool mayFail) const
{
    return run(QStringLiteral("doveadm"),
               QStringList{QStringLiteral("-c"), file(QStringLiteral("dovecot.conf"))} + arguments,
               input, mayFail);
}

void DovecotServer::createFolder(const QString &folder) const
{
    doveadm({QStringLiteral("mailbox"), QStringLiteral("delete"), QStringLiteral("-u"),
             QStringLiteral("rotam"), folder},
            {}, true);
    doveadm({QStringLiteral("mailbox"), QStringLiteral("create"), QStringLiteral("-u"),
             QStringLiteral("rotam"), folder});
}

void DovecotServer::save(const QString &folder, const QByteArray &message) const
{
    doveadm({QStringLiteral("save"), QStringLiteral("-u"), QStringLiteral("rotam"),
             QStringLiteral("-m"), folder},
            message);
}

void DovecotServer::saveFiles(const QString &folder, const QStringList &paths) const
{
    for (const QString &path : paths) {
        QFile mail(path);
        if (!mail.open(QIODevice::ReadOnly))
            ADD_FAILURE() << "cannot read " << path.toStdString();
        save(folder, mail.readAll());
    }
}

void DovecotServer::setUidValidity(const QString &folder, quint32 uidValidity) const
{
    doveadm({QStringLiteral("mailbox"), QStringLiteral("update"), QStringLiteral("--uid-validity"),
             QString::number(uidValidity), QStringLiteral("-u"), QStringLiteral("rotam"), folder});
}

QString DovecotServer::flags(const QString &folder) const
{
    return QString::fromUtf8(doveadm({QStringLiteral("fetch"), QStringLiteral("-u"),
                                      QStringLiteral("rotam"), QStringLiteral("uid flags"),
                                      QStringLiteral("mailbox"), folder, QStringLiteral("all")}));
}

void DovecotServer::crash() const
{
    run(QStringLiteral(ROTAM_DOVECOT_SCRIPT), {QStringLiteral("crash"), m_dir});
}

void DovecotServer::start() const
{
    run(QStringLiteral(ROTAM_DOVECOT_SCRIPT), {QStringLiteral("start"), m_dir});
}

qsizetype DovecotServer::logSize() const
{
    return QFile(file(QStringLiteral("dovecot.log"))).size();
}

QString DovecotServer::logLineAfter(qsizetype logOffset, const QRegularExpression &pattern) const
{
    // Dovecot writes a session's line once it has ended, a moment after the client left.
    for (int attempt = 0; attempt < 50; ++attempt) {
        QFile log(file(QStringLiteral("dovecot.log")));
        if (log.open(QIODevice::ReadOnly) && log.seek(logOffset)) {
            for (const QString &line : QString::fromUtf8(log.readAll()).split(QLatin1Char('\n')))
                if (pattern.match(line).hasMatch())
                    return line;
        }
        QThread::msleep(100);
    }
    ADD_FAILURE() << "no line like " << pattern.pattern().toStdString() << " in the Dovecot log";
    return {};
}

qint64 DovecotServer::bytesSentAfter(qsizetype logOffset) const
{
    static const QRegularExpression loggedOut(QStringLiteral("Logged out in=\\d+ out=(\\d+)"));
    return loggedOut.match(logLineAfter(logOffset, loggedOut)).captured(1).toLongLong();
}
