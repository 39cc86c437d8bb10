#include "MailServerDialog.h"

#include "MailboxClient.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <chrono>
#include <future>

using namespace Qt::StringLiterals;

namespace {

constexpr int SslTlsPort = 993;
constexpr int StartTlsPort = 143;

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

bool refusedCertificate(const MailboxError &error)
{
    return error.kind == MailboxError::Kind::CertificateUntrusted ||
           error.kind == MailboxError::Kind::CertificateMismatch;
}

} // namespace

MailServerDialog::MailServerDialog(const UiServices &services, QWidget *parent)
    : QDialog(parent), m_services(services)
{
    setObjectName(u"mailServerDialog"_s);
    setWindowTitle(u"メールサーバーの設定"_s);

    hostField = named(new QLineEdit(this), "hostField");
    hostField->setPlaceholderText(u"imap.example.jp"_s);
    portField = named(new QSpinBox(this), "portField");
    portField->setRange(1, 65535);
    portField->setValue(SslTlsPort);
    securityBox = named(new QComboBox(this), "securityBox");
    securityBox->addItems({u"SSL/TLS"_s, u"STARTTLS"_s});
    userField = named(new QLineEdit(this), "userField");
    passwordField = named(new QLineEdit(this), "passwordField");
    passwordField->setEchoMode(QLineEdit::Password);
    folderBox = named(new QComboBox(this), "folderBox");
    folderBox->setEditable(true);
    folderBox->addItem(u"INBOX"_s);
    folderBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    listFoldersButton = named(new QPushButton(u"フォルダ一覧を取得"_s, this), "listFoldersButton");
    listFoldersButton->setAutoDefault(false);
    senderField = named(new QLineEdit(this), "senderField");
    senderField->setPlaceholderText(u"空欄ならすべてのメール"_s);
    fetchOnStartBox = named(new QCheckBox(u"起動時に受信する"_s, this), "fetchOnStartBox");
    certificateLabel = named(new QLabel(this), "certificateLabel");
    certificateLabel->setWordWrap(true);
    certificateLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    trustCertificateBox =
        named(new QCheckBox(u"この証明書を信頼する"_s, this), "trustCertificateBox");
    certificateLabel->hide();
    trustCertificateBox->hide();

    auto *serverRow = new QHBoxLayout;
    serverRow->addWidget(hostField, 1);
    serverRow->addWidget(new QLabel(u"ポート"_s, this));
    serverRow->addWidget(portField);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(folderBox, 1);
    folderRow->addWidget(listFoldersButton);

    auto *form = new QFormLayout;
    form->addRow(u"サーバー"_s, serverRow);
    form->addRow(u"暗号化"_s, securityBox);
    form->addRow(u"ユーザー名"_s, userField);
    form->addRow(u"パスワード"_s, passwordField);
    form->addRow(u"フォルダ"_s, folderRow);
    form->addRow(u"差出人"_s, senderField);

    auto *buttons = named(
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this), "buttonBox");
    buttons->button(QDialogButtonBox::Cancel)->setText(u"キャンセル"_s);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(fetchOnStartBox);
    layout->addWidget(certificateLabel);
    layout->addWidget(trustCertificateBox);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    connect(securityBox, &QComboBox::currentIndexChanged, this, &MailServerDialog::securityChanged);
    connect(listFoldersButton, &QPushButton::clicked, this, &MailServerDialog::listFolders);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void MailServerDialog::setAccount(const MailboxAccount &account, const QString &password,
                                  bool fetchOnStart)
{
    hostField->setText(account.host);
    securityBox->setCurrentIndex(account.security == MailboxAccount::Security::StartTls ? 1 : 0);
    portField->setValue(account.port);
    userField->setText(account.user);
    passwordField->setText(password);
    folderBox->setCurrentText(account.folder);
    senderField->setText(account.senderFilter);
    fetchOnStartBox->setChecked(fetchOnStart);
    m_trusted = account.trustedFingerprint;
}

void MailServerDialog::offerTrust(const QString &fingerprint)
{
    m_offered = fingerprint;
    certificateLabel->setText(
        u"サーバーの証明書は検証できませんでした。\nSHA-256 フィンガープリント:\n%1"_s.arg(
            fingerprint));
    trustCertificateBox->setChecked(false);
    certificateLabel->show();
    trustCertificateBox->show();
    // The one thing to decide when the dialog opened for it.
    trustCertificateBox->setFocus();
}

MailboxAccount MailServerDialog::account() const
{
    MailboxAccount account;
    account.host = hostField->text().trimmed();
    account.port = quint16(portField->value());
    account.security = securityBox->currentIndex() == 1 ? MailboxAccount::Security::StartTls
                                                        : MailboxAccount::Security::SslTls;
    account.user = userField->text().trimmed();
    const QString folder = folderBox->currentText().trimmed();
    account.folder = folder.isEmpty() ? u"INBOX"_s : folder;
    account.senderFilter = senderField->text().trimmed();
    account.trustedFingerprint =
        !m_offered.isEmpty() && trustCertificateBox->isChecked() ? m_offered : m_trusted;
    return account;
}

QString MailServerDialog::password() const
{
    return passwordField->text();
}

bool MailServerDialog::fetchOnStart() const
{
    return fetchOnStartBox->isChecked();
}

void MailServerDialog::securityChanged()
{
    // Only a port left at the other encryption's default follows; one typed in stays.
    const bool startTls = securityBox->currentIndex() == 1;
    if (portField->value() == (startTls ? SslTlsPort : StartTlsPort))
        portField->setValue(startTls ? StartTlsPort : SslTlsPort);
}

void MailServerDialog::listFolders()
{
    const MailboxAccount shown = account();
    const QString password = passwordField->text();
    // Off the UI thread, so that the dialog repaints while a server that does not answer is
    // waited for, up to the client's timeout.
    QStringList folders;
    auto listing = std::async(std::launch::async, [&] {
        MailboxClient client(shown, m_services.mailboxOptions);
        MailboxError error = client.connect(password);
        if (!error)
            error = client.listFolders(folders);
        client.disconnect();
        return error;
    });
    std::unique_ptr<JobProgress> progress;
    if (m_services.progress)
        progress = m_services.progress->start(
            this, {u"フォルダ一覧"_s, QString(), 500, false, u"フォルダ一覧を取得しています…"_s});
    while (listing.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        if (progress)
            progress->advance(0, 0);
    }
    progress.reset();
    const MailboxError error = listing.get();
    if (refusedCertificate(error))
        offerTrust(error.fingerprint);
    if (error) {
        m_services.showMessage(this, {UserMessage::Kind::Critical,
                                      u"フォルダ一覧を取得できませんでした"_s, error.japanese()});
        return;
    }
    const QString chosen = folderBox->currentText();
    folderBox->clear();
    folderBox->addItems(folders);
    folderBox->setCurrentText(folders.contains(chosen) ? chosen : u"INBOX"_s);
}
