// The main window's mail: the account dialog and the fetch of new mail into the library.
#include "MainWindow.h"

#include "MailServerDialog.h"
#include "MailboxFetch.h"

#include <atomic>
#include <chrono>
#include <future>

using namespace Qt::StringLiterals;

namespace {

bool refusedCertificate(const MailboxError &error)
{
    return error.kind == MailboxError::Kind::CertificateUntrusted ||
           error.kind == MailboxError::Kind::CertificateMismatch;
}

} // namespace

bool MainWindow::editMailServer(const QString &refusedFingerprint)
{
    MailServerDialog dialog(m_services, this);
    if (const std::optional<MailboxAccount> account = m_settings.mailAccount())
        dialog.setAccount(*account, m_services.passwords->read(*account),
                          m_settings.fetchOnStart());
    if (!refusedFingerprint.isEmpty())
        dialog.offerTrust(refusedFingerprint);
    if (m_services.runModal(dialog) != QDialog::Accepted)
        return false;
    const MailboxAccount account = dialog.account();
    m_settings.setMailAccount(account);
    m_settings.setFetchOnStart(dialog.fetchOnStart());
    if (!dialog.password().isEmpty())
        m_services.passwords->write(account, dialog.password());
    return true;
}

void MainWindow::receiveMail()
{
    std::optional<MailboxAccount> account = m_settings.mailAccount();
    if (!account) {
        if (!editMailServer())
            return;
        account = m_settings.mailAccount();
        if (!account)
            return;
    }
    QString password = m_services.passwords->read(*account);
    if (password.isEmpty()) {
        // Without a keyring it is asked for once a run: the store keeps it in memory.
        password = m_services.askPassword ? m_services.askPassword(this, *account) : QString();
        if (password.isEmpty())
            return;
        m_services.passwords->write(*account, password);
    }

    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<bool> stop{false};
    const MailboxProgress told = [&](int n, int m) {
        done = n;
        total = m;
        return !stop;
    };
    std::unique_ptr<JobProgress> progress =
        startProgress({u"メールを受信"_s, u"メールを受信しています… %1 / %2 通"_s, 0, true,
                       u"メールサーバーに接続しています…"_s});
    const auto advance = [&] {
        if (progress && !progress->advance(done, total))
            stop = true;
    };
    MailboxFetchReport report;
    std::optional<LibraryError> libraryFailure;
    if (m_libraryPath == u":memory:"_s) {
        // A library in memory is this thread's alone: the fetch runs here, repainting as
        // it goes.
        try {
            report = fetchIntoLibrary(*m_library, *account, password, m_services.mailboxOptions,
                                      [&](int n, int m) {
                                          told(n, m);
                                          advance();
                                          return !stop;
                                      });
        } catch (const LibraryError &error) {
            libraryFailure = error;
        }
    } else {
        // Off the UI thread, on a connection of its own to the same file.
        const QString path = m_libraryPath;
        const MailboxOptions options = m_services.mailboxOptions;
        auto fetch = std::async(std::launch::async, [&, path, options] {
            try {
                const std::unique_ptr<IssueLibrary> library = IssueLibrary::open(path);
                return fetchIntoLibrary(*library, *account, password, options, told);
            } catch (const LibraryError &error) {
                libraryFailure = error;
                return MailboxFetchReport{};
            }
        });
        while (fetch.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
            advance();
        report = fetch.get();
    }
    progress.reset();
    refreshIssueList();
    if (libraryFailure)
        showLibraryFailure(u"受信したメールをライブラリーに加えられませんでした"_s,
                           *libraryFailure);
    showReceiveFailure(report.error);
}

void MainWindow::showReceiveFailure(const MailboxError &error)
{
    // A cancel was the user's own doing; what came before it is in the list.
    if (!error || error.kind == MailboxError::Kind::Cancelled)
        return;
    const QString title = u"メールを受信できませんでした"_s;
    if (refusedCertificate(error)) {
        const UserMessage question{
            UserMessage::Kind::Warning, title,
            error.japanese() + u"\n\n「メールサーバーの設定」でこの証明書を信頼しますか？"_s};
        if (m_services.confirm && m_services.confirm(this, question))
            editMailServer(error.fingerprint);
        return;
    }
    m_services.showMessage(this, {UserMessage::Kind::Critical, title, error.japanese()});
}
