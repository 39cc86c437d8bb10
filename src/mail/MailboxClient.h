#pragma once

#include "CertificateTrust.h"
#include "MailboxAccount.h"
#include "MailboxError.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <memory>

struct MessageOutline;

struct MailboxOptions
{
    // PEM files of the CAs to trust; the tests add their own CA to the system's.
    QStringList caBundles{QString::fromLatin1(systemCaBundle)};
    // Without any progress for this long, the server counts as not answering.
    int timeoutSeconds = 30;
    // Messages up to this size are fetched whole; larger ones only as far as the reader needs.
    quint64 wholeMessageLimit = 256 * 1024;
};

// Takes one fetched message as the reader reads a saved one; false stops fetching.
using FetchedMailSink = std::function<bool(quint32 uid, const QByteArray &bytes)>;
// Told once the folder has been looked at, before the first message: how many will come.
using NewMailCount = std::function<void(int count)>;

// Reads new mail of one IMAP folder without changing the mailbox: the folder is opened
// read-only and every fetch peeks, so that no flag changes.
class MailboxClient
{
public:
    explicit MailboxClient(MailboxAccount account, MailboxOptions options = {});
    ~MailboxClient();
    MailboxClient(const MailboxClient &) = delete;
    MailboxClient &operator=(const MailboxClient &) = delete;

    // Connects, checks the certificate and logs in; the password goes out encrypted only.
    MailboxError connect(const QString &password);
    // The names of the server's folders, with "/" between levels, for choosing one.
    MailboxError listFolders(QStringList &folders);
    // Hands over each message above the position, oldest first, advancing the position as
    // it goes: after an error or a stop it still tells what was handed over.
    MailboxError fetchNew(FolderPosition &position, const FetchedMailSink &take,
                          const NewMailCount &count = {});
    void disconnect();

private:
    struct Session;
    MailboxError failure(MailboxError::Kind kind, const char *detail = "") const;
    QByteArray fetchOne(const MessageOutline &outline);

    MailboxAccount m_account;
    MailboxOptions m_options;
    std::unique_ptr<Session> m_session;
};
