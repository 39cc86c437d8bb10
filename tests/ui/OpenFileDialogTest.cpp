#include "OpenFileDialog.h"
#include "MailFolders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Makes the folders (names ending in /) and files under root.
void makeUnder(const QString &root, const QStringList &paths)
{
    for (const QString &path : paths) {
        if (path.endsWith(u'/')) {
            QDir(root).mkpath(path);
        } else {
            QDir(root).mkpath(QFileInfo(path).path());
            QFile(QDir(root).filePath(path)).open(QIODevice::WriteOnly);
        }
    }
}

} // namespace

TEST(MailFolders, OnlyThoseThatExist)
{
    const struct
    {
        QStringList made;
        QStringList found;
    } cases[] = {
        {{}, {}},
        {{u".thunderbird/profiles.ini"_s, u".thunderbird/b.work/Mail/"_s,
          u".thunderbird/a.default/ImapMail/"_s, u".thunderbird/a.default/Mail/"_s,
          u".thunderbird/c.empty/"_s},
         {u".thunderbird/a.default/Mail"_s, u".thunderbird/a.default/ImapMail"_s,
          u".thunderbird/b.work/Mail"_s}},
        {{u"snap/thunderbird/common/.thunderbird/s/Mail/"_s,
          u".var/app/org.mozilla.Thunderbird/.thunderbird/f/ImapMail/"_s},
         {u"snap/thunderbird/common/.thunderbird/s/Mail"_s,
          u".var/app/org.mozilla.Thunderbird/.thunderbird/f/ImapMail"_s}},
        {{u"Maildir/cur/"_s, u"mail/"_s, u".local/share/evolution/mail/local/"_s},
         {u"Maildir"_s, u"mail"_s, u".local/share/evolution/mail/local"_s}},
        // Files of those names are no folders.
        {{u"Maildir"_s, u"mail"_s, u".thunderbird/p/Mail"_s}, {}},
    };
    for (const auto &c : cases) {
        QTemporaryDir home;
        makeUnder(home.path(), c.made);
        QStringList expected;
        for (const QString &folder : c.found)
            expected << home.filePath(folder);
        EXPECT_EQ(mailFolders(home.path()), expected) << c.made.join(u' ').toStdString();
    }
}

TEST(OpenFileDialog, ShowsEveryFileFirstAndTheMailFoldersInItsSidebar)
{
    QTemporaryDir home;
    makeUnder(home.path(), {u".thunderbird/p/Mail/Local Folders/Inbox"_s, u"Maildir/new/"_s});
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    const QString inbox = home.filePath(u".thunderbird/p/Mail/Local Folders/Inbox"_s);
    // The name filters and sidebar of each dialog shown.
    QList<QStringList> filters;
    QList<QList<QUrl>> places;
    const auto answer = [&](const QString &chosen) {
        QTimer::singleShot(0, [&, chosen] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            filters.append(dialog->nameFilters());
            places.append(dialog->sidebarUrls());
            dialog->selectFile(chosen);
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides it
        });
    };
    OpenFileDialog open;
    answer(inbox);
    const QStringList files = open.chooseFiles(nullptr, QFileInfo(inbox).path());
    answer(home.filePath(u"Maildir"_s));
    const QString folder = open.chooseFolder(nullptr, home.path());
    qputenv("HOME", realHome);

    EXPECT_EQ(files, QStringList{inbox});
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0],
              (QStringList{u"すべてのファイル (*)"_s, u"メール (*.txt *.eml *.mbox)"_s}));
    EXPECT_EQ(folder, home.filePath(u"Maildir"_s));
    for (const QList<QUrl> &shown : places) {
        for (const QString &mail : {u".thunderbird/p/Mail"_s, u"Maildir"_s})
            EXPECT_TRUE(shown.contains(QUrl::fromLocalFile(home.filePath(mail))))
                << mail.toStdString();
    }
}
