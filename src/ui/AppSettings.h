#pragma once

#include "MailboxAccount.h"
#include "PrintJob.h"

#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class QSettings;

// What the program remembers between runs. Each value is checked as it is read: one that is
// missing, unreadable or of the wrong type reads as absent, so a broken settings file costs
// that value and nothing else. Without a store nothing is remembered.
class AppSettings
{
public:
    explicit AppSettings(std::shared_ptr<QSettings> store);

    // The folder the open dialog was last left in, while it still exists.
    std::optional<QString> openFolder() const;
    void setOpenFolder(const QString &folder);

    std::optional<PagePlacement> placement() const;
    void setPlacement(PagePlacement placement);

    std::optional<PageLayout> layout() const;
    void setLayout(PageLayout layout);

    // Whether the print options fill in the cells the mail gives.
    std::optional<bool> cells() const;
    void setCells(bool cells);

    // The printer last chosen in the print dialog.
    std::optional<QString> printerName() const;
    void setPrinterName(const QString &name);

    // The PDF file last chosen in the print dialog, as an absolute path.
    std::optional<QString> pdfFileName() const;
    void setPdfFileName(const QString &path);

    // The main window's size as the user last left it, in logical pixels.
    std::optional<QSize> windowSize() const;
    void setWindowSize(QSize size);

    // The mail account, all of it but the password; absent until one was set up with a
    // server and a user name.
    std::optional<MailboxAccount> mailAccount() const;
    void setMailAccount(const MailboxAccount &account);

    // Whether the window fetches new mail once it has opened.
    bool fetchOnStart() const;
    void setFetchOnStart(bool fetch);

private:
    std::optional<QString> text(const QString &key) const;
    void write(const QString &key, const QVariant &value);

    std::shared_ptr<QSettings> m_store;
};
