#pragma once

#include "MailboxAccount.h"
#include "UiServices.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// 「メールサーバーの設定」: the one mail account, its password, the folder chosen from the
// server's list, and whether the window fetches on starting. A certificate the server showed
// and the checks refused is trusted here only by ticking it, fingerprint in view.
class MailServerDialog : public QDialog
{
    Q_OBJECT

public:
    // Uses the services' password prompt-free parts: the progress windows, messages and
    // mailbox options while it lists the folders.
    MailServerDialog(const UiServices &services, QWidget *parent = nullptr);

    void setAccount(const MailboxAccount &account, const QString &password, bool fetchOnStart);
    // Shows the refused certificate's fingerprint with a check box to trust exactly it.
    void offerTrust(const QString &fingerprint);

    MailboxAccount account() const;
    QString password() const;
    bool fetchOnStart() const;

private:
    void securityChanged();
    void listFolders();

    const UiServices &m_services;
    QLineEdit *hostField;
    QSpinBox *portField;
    QComboBox *securityBox;
    QLineEdit *userField;
    QLineEdit *passwordField;
    QComboBox *folderBox;
    QPushButton *listFoldersButton;
    QLineEdit *senderField;
    QCheckBox *fetchOnStartBox;
    QLabel *certificateLabel;
    QCheckBox *trustCertificateBox;
    QString m_trusted; // the fingerprint trusted before, kept unless another is ticked
    QString m_offered;
    int m_previousPort = 993;
};
