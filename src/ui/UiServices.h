#pragma once

#include "JobProgress.h"
#include "MailboxAccount.h"
#include "MailboxClient.h"
#include "OpenFileDialog.h"
#include "PasswordStore.h"
#include "QtPrintDialog.h"

#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QSettings;
class QWidget;

// A message to the user that only needs reading: a warning, or a failure.
struct UserMessage
{
    enum class Kind
    {
        Warning,
        Critical
    };
    Kind kind = Kind::Warning;
    QString title;
    QString text;
};

// What the main window reaches outside itself: the open dialog, the print dialog, the way a
// modal window is run, its messages and questions to the user, the settings and the library
// kept between runs, the progress windows of long jobs, and the mail account's password and
// server.
// Tests put scripted stand-ins in their place; without settings nothing is remembered,
// without progress windows none are shown.
struct UiServices
{
    std::shared_ptr<OpenFileDialog> openDialog;
    std::shared_ptr<UiPrintDialog> printDialog;
    // Shows a modal window and returns its result when it has been closed.
    std::function<int(QDialog &)> runModal;
    // Shows a message over the given window and returns when it has been read.
    std::function<void(QWidget *, const UserMessage &)> showMessage;
    // Asks the user to confirm what the message says is about to happen; true: go ahead.
    std::function<bool(QWidget *, const UserMessage &)> confirm;
    std::shared_ptr<QSettings> settings;
    // The library file the window lists; ":memory:" keeps nothing.
    QString libraryPath = QStringLiteral(":memory:");
    std::shared_ptr<ProgressWindows> progress;
    std::shared_ptr<PasswordStore> passwords;
    // Asks for the account's password when none is kept; empty when the user declined.
    std::function<QString(QWidget *, const MailboxAccount &)> askPassword;
    // How the mail server is reached: the CAs trusted and the timeout.
    MailboxOptions mailboxOptions;
};

// The real thing: QFileDialog, QPrintDialog, QDialog::exec, QMessageBox, the
// user's settings and library in the platform's places, QProgressDialog, the keyring and
// QInputDialog.
UiServices defaultUiServices();
