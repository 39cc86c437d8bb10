// The account dialog and 「メールを受信」 against the tests' own Dovecot server.
#include "DovecotServer.h"
#include "MailServerDialog.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray exampleFile(const QString &name)
{
    QFile file(QStringLiteral(ROTAM_EXAMPLES_DIR "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

const QStringList exampleMails{u"rotam-0131.eml"_s,
                               u"rotam-maildir/cur/1106514000.M1P100.example"_s,
                               u"rotam-maildir/new/1106600400.M2P100.example"_s,
                               u"rotam-maildir/cur/1106686800.M3P100.example"_s};

// The account as the user types it into 「メールサーバーの設定」, the folder picked from the
// server's list; then OK.
std::function<int(QDialog &)> typeAccount(const DovecotServer &server, const QString &folder,
                                          const QString &password)
{
    return [&server, folder, password](QDialog &shown) {
        auto &dialog = dynamic_cast<MailServerDialog &>(shown);
        namedChild<QLineEdit>(dialog, u"hostField"_s)->setText(u"127.0.0.1"_s);
        namedChild<QSpinBox>(dialog, u"portField"_s)->setValue(server.imapsPort());
        namedChild<QLineEdit>(dialog, u"userField"_s)->setText(u"rotam"_s);
        namedChild<QLineEdit>(dialog, u"passwordField"_s)->setText(password);
        namedChild<QPushButton>(dialog, u"listFoldersButton"_s)->click();
        auto *folders = namedChild<QComboBox>(dialog, u"folderBox"_s);
        EXPECT_GE(folders->findText(folder), 0) << "the server's folders are listed";
        folders->setCurrentIndex(folders->findText(folder));
        dialog.accept();
        return int(QDialog::Accepted);
    };
}

class MailFetch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.mailboxOptions.caBundles.append(server.file(u"ca.pem"_s));
        f.restart();
    }
    void receive() { f.window->findChild<QAction *>(u"receiveAction"_s)->trigger(); }

    DovecotServer server;
    MainWindowFixture f;
};

// The dialog set up through its widgets, the example mails fetch into the list as opening
// the same files does, a second fetch finds nothing new, and the password stays out of
// the settings.
TEST_F(MailFetch, AnAccountSetUpInTheDialogFetchesAsOpeningTheFilesDoes)
{
    server.createFolder(u"Rotam"_s);
    QStringList paths;
    for (const QString &name : exampleMails) {
        server.save(u"Rotam"_s, exampleFile(name));
        paths.append(QStringLiteral(ROTAM_EXAMPLES_DIR "/") + name);
    }
    MainWindowFixture reference;
    reference.openFiles(paths);
    ASSERT_GT(reference.libraryCount(), 0);

    f.modal = typeAccount(server, u"Rotam"_s, u"secret"_s);
    receive(); // no account yet: the dialog comes first
    EXPECT_EQ(f.modalCount, 1);
    EXPECT_EQ(f.listTexts(), reference.listTexts());
    receive();
    EXPECT_EQ(f.listTexts(), reference.listTexts()) << "nothing new the second time";
    EXPECT_TRUE(f.messages.isEmpty());
    EXPECT_EQ(f.passwordPrompts, 0) << "the dialog's password was kept";

    f.settings->sync();
    QFile ini(f.settingsDir.filePath(u"rotam-print.ini"_s));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray written = ini.readAll();
    EXPECT_TRUE(written.contains("Rotam"));
    EXPECT_FALSE(written.contains("secret"));
    EXPECT_EQ(f.passwords->kept.value(u"rotam@127.0.0.1"_s), u"secret"_s);
}

// A refused login says so once, names the user, and leaves the list as it was; the wrong
// password asked for is not asked again for this run.
TEST_F(MailFetch, ARefusedLoginShowsOneMessageAndKeepsTheList)
{
    server.createFolder(u"Refused"_s);
    server.save(u"Refused"_s, issueMail(1));
    f.paste(mailText({titled(u"貼り付けた回"_s)}));
    MailboxAccount account = server.account(u"Refused"_s);
    AppSettings(f.settings).setMailAccount(account);
    f.passwordAnswers = {u"wrong"_s};
    receive();
    EXPECT_EQ(f.passwordPrompts, 1);
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].text.contains(u"ユーザー rotam のログインを拒否"_s))
        << f.messages[0].text.toStdString();
    EXPECT_EQ(f.listTexts().size(), 1);
}

// Cancelled from the progress window: what was fetched stays, and the next fetch brings the
// rest, nothing twice.
TEST_F(MailFetch, ACancelKeepsWhatWasFetched)
{
    server.createFolder(u"Many"_s);
    constexpr int Count = 40;
    for (int n = 1; n <= Count; ++n)
        server.save(u"Many"_s, issueMail(n));
    AppSettings(f.settings).setMailAccount(server.account(u"Many"_s));
    f.passwords->kept.insert(u"rotam@127.0.0.1"_s, u"secret"_s);
    f.progress->cancelAt = 1;
    receive();
    const qsizetype kept = f.libraryCount();
    EXPECT_EQ(f.listTexts().size(), kept);
    EXPECT_GE(kept, 1);
    EXPECT_LT(kept, Count) << "stopped before the end";
    EXPECT_TRUE(f.messages.isEmpty()) << "a cancel is the user's own doing";
    ASSERT_FALSE(f.progress->requests.isEmpty());
    EXPECT_EQ(f.progress->requests.last().label, u"メールを受信しています… %1 / %2 通"_s);
    f.progress->cancelAt = 0;
    receive();
    EXPECT_EQ(f.libraryCount(), Count);
}

// A certificate the checks refuse is not used: the message shows its fingerprint, and only
// ticking it in the dialog trusts it, after which the fetch goes through.
TEST_F(MailFetch, ARefusedCertificateIsTrustedOnlyThroughTheDialog)
{
    f.mailboxOptions = MailboxOptions{}; // the system's CAs only: the server's is unknown
    f.restart();
    server.createFolder(u"Trust"_s);
    server.save(u"Trust"_s, issueMail(1));
    AppSettings(f.settings).setMailAccount(server.account(u"Trust"_s));
    f.passwords->kept.insert(u"rotam@127.0.0.1"_s, u"secret"_s);
    for (const bool trust : {false, true}) {
        f.questions.clear();
        QString shownFingerprint;
        f.modal = [&](QDialog &dialog) {
            auto *label = namedChild<QLabel>(dialog, u"certificateLabel"_s);
            EXPECT_TRUE(label->isVisibleTo(&dialog));
            shownFingerprint = label->text().section(u'\n', -1);
            namedChild<QCheckBox>(dialog, u"trustCertificateBox"_s)->setChecked(trust);
            dialog.accept();
            return int(QDialog::Accepted);
        };
        receive();
        ASSERT_EQ(f.questions.size(), 1);
        EXPECT_TRUE(f.questions[0].text.contains(shownFingerprint));
        EXPECT_EQ(shownFingerprint.size(), 95) << "SHA-256 as 32 pairs with colons";
        EXPECT_EQ(f.libraryCount(), 0);
    }
    f.questions.clear();
    receive();
    EXPECT_TRUE(f.questions.isEmpty());
    EXPECT_EQ(f.libraryCount(), 1);
    EXPECT_EQ(AppSettings(f.settings).mailAccount()->trustedFingerprint.size(), 95);
}

// 「起動時に受信する」: a window that opens fetches once, and only when ticked.
TEST_F(MailFetch, FetchesOnceTheWindowShowsWhenAskedTo)
{
    server.createFolder(u"Start"_s);
    server.save(u"Start"_s, issueMail(1));
    AppSettings(f.settings).setMailAccount(server.account(u"Start"_s));
    f.passwords->kept.insert(u"rotam@127.0.0.1"_s, u"secret"_s);
    for (const bool onStart : {false, true}) {
        AppSettings(f.settings).setFetchOnStart(onStart);
        f.restart();
        f.window->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(f.libraryCount(), onStart ? 1 : 0);
    }
}

} // namespace
