// 「メールサーバーの設定」 without a server: what it keeps where, its port and its trust.
#include "MailServerDialog.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Typed into the dialog opened from the window, the account is kept in the settings and the
// password in the keyring only; a later run shows both again.
TEST(MailServerDialog, ThePasswordGoesToTheKeyringAndNeverIntoTheSettings)
{
    MainWindowFixture f;
    const QString password = u"pa55-wörd=;[x]"_s;
    f.modal = [&](QDialog &dialog) {
        namedChild<QLineEdit>(dialog, u"hostField"_s)->setText(u" imap.example.jp "_s);
        namedChild<QComboBox>(dialog, u"securityBox"_s)->setCurrentIndex(1);
        namedChild<QLineEdit>(dialog, u"userField"_s)->setText(u"rotam"_s);
        namedChild<QLineEdit>(dialog, u"passwordField"_s)->setText(password);
        namedChild<QComboBox>(dialog, u"folderBox"_s)->setCurrentText(u"ロタム/2005"_s);
        namedChild<QLineEdit>(dialog, u"senderField"_s)->setText(u"rotam@example.com"_s);
        namedChild<QCheckBox>(dialog, u"fetchOnStartBox"_s)->setChecked(true);
        dialog.accept();
        return int(QDialog::Accepted);
    };
    f.window->findChild<QAction *>(u"mailServerAction"_s)->trigger();
    f.restart();

    QFile ini(f.settingsDir.filePath(u"rotam-print.ini"_s));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray written = ini.readAll();
    EXPECT_TRUE(written.contains("imap.example.jp"));
    for (const QByteArray &form : {password.toUtf8(), QUrl::toPercentEncoding(password),
                                   password.toLatin1(), QByteArray("pa55")})
        EXPECT_FALSE(written.contains(form)) << form.toStdString();
    EXPECT_EQ(f.passwords->kept.value(u"rotam@imap.example.jp"_s), password);

    const std::optional<MailboxAccount> kept = AppSettings(f.settings).mailAccount();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->port, 143);
    EXPECT_EQ(kept->security, MailboxAccount::Security::StartTls);
    EXPECT_EQ(kept->folder, u"ロタム/2005"_s);
    EXPECT_EQ(kept->senderFilter, u"rotam@example.com"_s);
    EXPECT_TRUE(AppSettings(f.settings).fetchOnStart());
    f.modal = [&](QDialog &dialog) {
        EXPECT_EQ(namedChild<QLineEdit>(dialog, u"passwordField"_s)->text(), password);
        EXPECT_EQ(namedChild<QLineEdit>(dialog, u"hostField"_s)->text(), u"imap.example.jp"_s);
        return int(QDialog::Rejected);
    };
    f.window->findChild<QAction *>(u"mailServerAction"_s)->trigger();
    EXPECT_EQ(f.modalCount, 2);
}

// Switching the encryption moves the port only from the other one's default.
TEST(MailServerDialog, ThePortFollowsTheEncryptionOnlyFromItsDefault)
{
    struct Case
    {
        int port;
        int security;
        int expected;
    } cases[] = {{993, 1, 143}, {143, 0, 993}, {10993, 1, 10993}, {143, 1, 143}, {993, 0, 993}};
    const UiServices services;
    for (const Case &c : cases) {
        MailServerDialog dialog(services);
        auto *security = namedChild<QComboBox>(dialog, u"securityBox"_s);
        security->setCurrentIndex(1 - c.security);
        namedChild<QSpinBox>(dialog, u"portField"_s)->setValue(c.port);
        security->setCurrentIndex(c.security);
        EXPECT_EQ(dialog.account().port, c.expected) << c.port << " to " << c.security;
    }
}

// Only the offered certificate, and only ticked, replaces the one trusted before.
TEST(MailServerDialog, TrustsTheOfferedCertificateOnlyWhenTicked)
{
    MailboxAccount account;
    account.trustedFingerprint = u"AA:BB"_s;
    const UiServices services;
    for (const bool tick : {false, true}) {
        MailServerDialog dialog(services);
        dialog.setAccount(account, {}, false);
        EXPECT_EQ(dialog.account().trustedFingerprint, u"AA:BB"_s);
        dialog.offerTrust(u"CC:DD"_s);
        namedChild<QCheckBox>(dialog, u"trustCertificateBox"_s)->setChecked(tick);
        EXPECT_EQ(dialog.account().trustedFingerprint, tick ? u"CC:DD"_s : u"AA:BB"_s);
    }
}

// A server that is not there: one message naming it, and the folder as it was.
TEST(MailServerDialog, AFailedFolderListingShowsOneMessage)
{
    const quint16 port = 1; // tcpmux, served nowhere: refused at once
    QList<UserMessage> messages;
    UiServices services;
    services.showMessage = [&](QWidget *, const UserMessage &m) { messages.append(m); };
    MailServerDialog dialog(services);
    namedChild<QLineEdit>(dialog, u"hostField"_s)->setText(u"127.0.0.1"_s);
    namedChild<QSpinBox>(dialog, u"portField"_s)->setValue(port);
    namedChild<QComboBox>(dialog, u"folderBox"_s)->setCurrentText(u"Rotam"_s);
    namedChild<QPushButton>(dialog, u"listFoldersButton"_s)->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.contains(u"127.0.0.1 に接続できません"_s))
        << messages[0].text.toStdString();
    EXPECT_EQ(dialog.account().folder, u"Rotam"_s);
}

} // namespace
