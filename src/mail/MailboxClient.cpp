#include "MailboxClient.h"

#include "ImapRawFetch.h"
#include "PartMessage.h"

#include <vmime/net/imap/IMAPConnection.hpp>
#include <vmime/net/imap/IMAPStore.hpp>
#include <vmime/vmime.hpp>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// Aborts a socket wait after a stretch without progress; vmime resets it on every read.
class NoProgressTimeout : public vmime::net::timeoutHandler
{
public:
    explicit NoProgressTimeout(int seconds) : m_limit(std::chrono::seconds(seconds)) {}
    bool isTimeOut() override { return Clock::now() - m_since > m_limit; }
    void resetTimeOut() override { m_since = Clock::now(); }
    bool handleTimeOut() override { return false; }

private:
    Clock::duration m_limit;
    Clock::time_point m_since = Clock::now();
};

class NoProgressTimeouts : public vmime::net::timeoutHandlerFactory
{
public:
    explicit NoProgressTimeouts(int seconds) : m_seconds(seconds) {}
    std::shared_ptr<vmime::net::timeoutHandler> create() override
    {
        return std::make_shared<NoProgressTimeout>(m_seconds);
    }

private:
    int m_seconds;
};

QString folderName(const vmime::net::folder::path &path)
{
    QStringList components;
    for (size_t i = 0; i < path.getSize(); ++i)
        components.append(QString::fromStdString(path[i].getConvertedText(vmime::charsets::UTF_8)));
    return components.join(QLatin1Char('/'));
}

} // namespace

struct MailboxClient::Session
{
    std::shared_ptr<vmime::net::session> session = vmime::net::session::create();
    std::shared_ptr<FingerprintVerifier> verifier;
    std::shared_ptr<vmime::net::imap::IMAPStore> store;
};

MailboxClient::MailboxClient(MailboxAccount account, MailboxOptions options)
    : m_account(std::move(account)), m_options(std::move(options))
{
}

MailboxClient::~MailboxClient()
{
    disconnect();
}

MailboxError MailboxClient::failure(MailboxError::Kind kind, const char *detail) const
{
    MailboxError error;
    error.kind = kind;
    error.host = m_account.host;
    error.user = m_account.user;
    error.folder = m_account.folder;
    error.detail = QString::fromLocal8Bit(detail);
    return error;
}

MailboxError MailboxClient::connect(const QString &password)
{
    disconnect();
    auto session = std::make_unique<Session>();
    const bool implicitTls = m_account.security == MailboxAccount::Security::SslTls;
    const vmime::utility::url url(implicitTls ? "imaps" : "imap", m_account.host.toStdString(),
                                  m_account.port);
    session->store =
        std::dynamic_pointer_cast<vmime::net::imap::IMAPStore>(session->session->getStore(url));
    auto &store = *session->store;
    store.setProperty("auth.username", m_account.user.toStdString());
    store.setProperty("auth.password", password.toStdString());
    store.setProperty("options.sasl", false);
    if (!implicitTls) {
        store.setProperty("connection.tls", true);
        store.setProperty("connection.tls.required", true);
    }
    session->verifier = std::make_shared<FingerprintVerifier>(loadCaBundles(m_options.caBundles),
                                                              m_account.trustedFingerprint);
    store.setCertificateVerifier(session->verifier);
    store.setTimeoutHandlerFactory(std::make_shared<NoProgressTimeouts>(m_options.timeoutSeconds));
    try {
        store.connect();
    } catch (const vmime::exception &e) {
        MailboxError error;
        switch (session->verifier->refusal()) {
        case FingerprintVerifier::Refusal::Untrusted:
            error = failure(MailboxError::Kind::CertificateUntrusted, e.what());
            break;
        case FingerprintVerifier::Refusal::Mismatch:
            error = failure(MailboxError::Kind::CertificateMismatch, e.what());
            break;
        case FingerprintVerifier::Refusal::None:
            if (dynamic_cast<const vmime::exceptions::authentication_error *>(&e))
                error = failure(MailboxError::Kind::LoginRefused, e.what());
            else if (dynamic_cast<const vmime::exceptions::socket_exception *>(&e) ||
                     dynamic_cast<const vmime::exceptions::operation_timed_out *>(&e) ||
                     dynamic_cast<const vmime::exceptions::connection_greeting_error *>(&e))
                error = failure(MailboxError::Kind::Unreachable, e.what());
            else
                error = failure(MailboxError::Kind::TlsFailed, e.what());
            break;
        }
        error.fingerprint = session->verifier->refusedFingerprint();
        return error;
    }
    m_session = std::move(session);
    return {};
}

MailboxError MailboxClient::listFolders(QStringList &folders)
{
    folders.clear();
    if (!m_session)
        return failure(MailboxError::Kind::ConnectionLost);
    try {
        for (const auto &folder : m_session->store->getRootFolder()->getFolders(true))
            folders.append(folderName(folder->getFullPath()));
    } catch (const vmime::exception &e) {
        return failure(MailboxError::Kind::ConnectionLost, e.what());
    }
    return {};
}

QByteArray MailboxClient::fetchOne(const MessageOutline &outline)
{
    ImapRawFetch raw(m_session->store->getConnection());
    if (outline.size <= m_options.wholeMessageLimit ||
        (outline.hasText && outline.textSection.isEmpty()))
        return raw.section(outline.uid, {});
    const QByteArray header = raw.section(outline.uid, "HEADER");
    if (!outline.hasText)
        return header;
    return partMessage(header, raw.section(outline.uid, outline.textHeaderSection),
                       raw.section(outline.uid, outline.textSection));
}

MailboxError MailboxClient::fetchNew(FolderPosition &position, const FetchedMailSink &take,
                                     const NewMailCount &count)
{
    if (!m_session)
        return failure(MailboxError::Kind::ConnectionLost);
    ImapRawFetch raw(m_session->store->getConnection());
    quint32 uidValidity = 0;
    try {
        uidValidity = raw.examine(m_account.folder);
    } catch (const vmime::exceptions::command_error &e) {
        return failure(MailboxError::Kind::FolderMissing, e.what());
    } catch (const vmime::exception &e) {
        return failure(MailboxError::Kind::ConnectionLost, e.what());
    }
    if (uidValidity != position.uidValidity)
        position = {uidValidity, 0};
    int handed = 0;
    try {
        const auto outlines = raw.outlinesAbove(position.lastUid);
        std::vector<quint32> wanted;
        if (!m_account.senderFilter.isEmpty())
            wanted = raw.fromSenderAbove(position.lastUid, m_account.senderFilter);
        if (count)
            count(int(m_account.senderFilter.isEmpty() ? outlines.size() : wanted.size()));
        for (const MessageOutline &outline : outlines) {
            if (m_account.senderFilter.isEmpty() ||
                std::binary_search(wanted.begin(), wanted.end(), outline.uid)) {
                const QByteArray bytes = fetchOne(outline);
                ++handed;
                const bool more = take(outline.uid, bytes);
                position.lastUid = outline.uid;
                if (!more) {
                    MailboxError error = failure(MailboxError::Kind::Cancelled);
                    error.kept = handed;
                    return error;
                }
            } else {
                position.lastUid = outline.uid;
            }
        }
    } catch (const vmime::exception &e) {
        MailboxError error = failure(MailboxError::Kind::ConnectionLost, e.what());
        error.kept = handed;
        disconnect();
        return error;
    }
    return {};
}

void MailboxClient::disconnect()
{
    if (!m_session)
        return;
    try {
        if (m_session->store->isConnected())
            m_session->store->disconnect();
    } catch (const vmime::exception &) {
        // Already gone: nothing left to close.
    }
    m_session.reset();
}
