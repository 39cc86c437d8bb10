#include "MailboxFetch.h"

#include "IssueLibrary.h"
#include "IssueStore.h"
#include "LineArray.h"
#include "MailParser.h"
#include "MailboxClient.h"
#include "MimeMessages.h"

#include <QElapsedTimer>
#include <QUrl>

#include <exception>

namespace {

// A transaction per mail would cost more than the fetch; a batch this size or age keeps
// what a stop loses to nothing, as the batch is written before returning.
constexpr int BatchMails = 50;
constexpr qint64 BatchMsecs = 1000;

// The issues read from the folder and not yet in the library.
class FetchBatch
{
public:
    FetchBatch(IssueLibrary &library, QString mailbox)
        : m_library(library), m_mailbox(std::move(mailbox))
    {
        m_age.start();
    }

    // Whether the last record waits for the next mail to title it, as it would between the
    // files of a load.
    bool pending() const
    {
        const qint32 last = m_store.lastIndex();
        return last > 0 && m_store.puzzles[last].TitleLine.isEmpty();
    }

    void read(const QByteArray &mail)
    {
        readMessage(mail, [this](LineArray &lines) { parseIssues(lines, m_store, m_context); });
        ++m_mails;
    }

    bool full() const { return m_mails >= BatchMails || m_age.elapsed() >= BatchMsecs; }

    // Adds the titled issues with the position; an untitled last record stays for the next
    // mail, which may title it.
    int write(const FolderPosition &position)
    {
        const int added = int(m_library.addFetched(m_store, m_mailbox, position).size());
        IssueStore next;
        if (pending())
            next.puzzles.append(m_store.puzzles.last());
        m_store = std::move(next);
        m_mails = 0;
        m_age.restart();
        return added;
    }

private:
    IssueLibrary &m_library;
    QString m_mailbox;
    IssueStore m_store;
    ParseContext m_context;
    int m_mails = 0;
    QElapsedTimer m_age;
};

} // namespace

QString mailboxSource(const MailboxAccount &account)
{
    QUrl url;
    url.setScheme(QStringLiteral("imap"));
    url.setUserName(account.user);
    url.setHost(account.host);
    url.setPort(account.port);
    url.setPath(QLatin1Char('/') + account.folder);
    return url.toString(QUrl::FullyEncoded);
}

MailboxFetchReport fetchIntoLibrary(IssueLibrary &library, const MailboxAccount &account,
                                    const QString &password, const MailboxOptions &options,
                                    const MailboxProgress &progress)
{
    MailboxFetchReport report;
    const QString mailbox = mailboxSource(account);
    const FolderPosition kept = library.folderPosition(mailbox);
    MailboxClient client(account, options);
    if ((report.error = client.connect(password)))
        return report;

    FetchBatch batch(library, mailbox);
    FolderPosition position = kept;
    // The last UID up to which every mail's issues are in the library or in the batch; a mail
    // whose last record waits to be titled is not, so that a stop fetches it again.
    quint32 settled = kept.lastUid;
    int total = 0;
    bool counted = false;
    bool stopped = false;
    std::exception_ptr libraryFailure;
    const auto count = [&](int newMails) {
        total = newMails;
        counted = true;
        settled = position.lastUid; // 0 when the UIDVALIDITY changed
        stopped = progress && !progress(0, total);
    };
    const auto take = [&](quint32 uid, const QByteArray &bytes) {
        if (stopped)
            return false;
        if (!batch.pending())
            settled = position.lastUid;
        batch.read(bytes);
        ++report.mailsRead;
        if (!batch.pending())
            settled = uid;
        try {
            if (batch.full())
                report.issuesAdded += batch.write({position.uidValidity, settled});
        } catch (...) {
            libraryFailure = std::current_exception();
            return false;
        }
        return !progress || progress(report.mailsRead, total);
    };
    report.error = client.fetchNew(position, take, count);
    client.disconnect();
    if (libraryFailure)
        std::rethrow_exception(libraryFailure);
    // A whole fetch has read every mail of the folder, those a sender filter passed over too.
    // Before the count, nothing was read and a new UIDVALIDITY is not yet worth keeping.
    const FolderPosition reached = !report.error ? position
                                   : counted     ? FolderPosition{position.uidValidity, settled}
                                                 : kept;
    if (reached != kept || report.mailsRead > 0)
        report.issuesAdded += batch.write(reached);
    return report;
}
