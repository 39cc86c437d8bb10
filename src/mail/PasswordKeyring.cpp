#include "PasswordKeyring.h"

#include <QEventLoop>

#include <qt6keychain/keychain.h>

namespace {

// QtKeychain answers through the event loop; the callers want the answer in place.
QKeychain::Error runJob(QKeychain::Job &job)
{
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    return job.error();
}

struct ReadResult
{
    QKeychain::Error error;
    QString password;
};

ReadResult readEntry(const QString &service, const QString &key)
{
    QKeychain::ReadPasswordJob job(service);
    job.setKey(key);
    const QKeychain::Error error = runJob(job);
    return {error, job.textData()};
}

} // namespace

PasswordKeyring::PasswordKeyring(QString service) : m_service(std::move(service)) {}

QString PasswordKeyring::read(const QString &key)
{
    if (m_hasKeyring) {
        const ReadResult result = readEntry(m_service, key);
        if (result.error == QKeychain::NoError)
            return result.password;
        if (result.error == QKeychain::OtherError || result.error == QKeychain::NoBackendAvailable)
            m_hasKeyring = false;
    }
    return m_memory.value(key);
}

void PasswordKeyring::write(const QString &key, const QString &password)
{
    if (m_hasKeyring) {
        QKeychain::WritePasswordJob job(m_service);
        job.setKey(key);
        job.setTextData(password);
        const QKeychain::Error error = runJob(job);
        if (error == QKeychain::NoError)
            return;
        // A session bus without a keyring fails the write and then finds no entry.
        if (error == QKeychain::OtherError || error == QKeychain::NoBackendAvailable ||
            readEntry(m_service, key).error == QKeychain::EntryNotFound)
            m_hasKeyring = false;
    }
    m_memory.insert(key, password);
}

void PasswordKeyring::remove(const QString &key)
{
    m_memory.remove(key);
    if (!m_hasKeyring)
        return;
    QKeychain::DeletePasswordJob job(m_service);
    job.setKey(key);
    runJob(job);
}

QString passwordKey(const MailboxAccount &account)
{
    return QStringLiteral("%1@%2:%3").arg(account.user, account.host).arg(account.port);
}
