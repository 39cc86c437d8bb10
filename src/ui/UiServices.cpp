#include "UiServices.h"

#include "IssueLibrary.h"

#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>

using namespace Qt::StringLiterals;

UiServices defaultUiServices()
{
    UiServices services;
    services.openDialog = std::make_shared<OpenFileDialog>();
    services.printDialog = std::make_shared<QtPrintDialog>();
    services.runModal = [](QDialog &dialog) { return dialog.exec(); };
    services.showMessage = [](QWidget *parent, const UserMessage &message) {
        if (message.kind == UserMessage::Kind::Critical)
            QMessageBox::critical(parent, message.title, message.text);
        else
            QMessageBox::warning(parent, message.title, message.text);
    };
    services.confirm = [](QWidget *parent, const UserMessage &question) {
        return QMessageBox::question(parent, question.title, question.text,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    services.settings = std::make_shared<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                    u"rotam-print"_s, u"rotam-print"_s);
    services.libraryPath = IssueLibrary::defaultPath();
    services.progress = std::make_shared<ProgressWindows>();
    services.passwords = std::make_shared<KeyringPasswords>();
    services.askPassword = [](QWidget *parent, const MailboxAccount &account) {
        return QInputDialog::getText(parent, u"パスワード"_s,
                                     u"%1 の %2 のパスワード:"_s.arg(account.host, account.user),
                                     QLineEdit::Password);
    };
    return services;
}
