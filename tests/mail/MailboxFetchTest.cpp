#include "MailboxFetch.h"
#include "DovecotServer.h"
#include "IssueLibrary.h"
#include "MailboxClient.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class MailboxFetch : public ::testing::Test
{
protected:
    MailboxFetchReport fetch(const QString &folder, const MailboxProgress &progress = {})
    {
        MailboxOptions options;
        options.caBundles.append(server.file(u"ca.pem"_s));
        return fetchIntoLibrary(*IssueLibrary::open(path), server.account(folder), u"secret"_s,
                                options, progress);
    }
    FolderPosition position(const QString &folder)
    {
        return IssueLibrary::open(path)->folderPosition(mailboxSource(server.account(folder)));
    }
    QStringList titles()
    {
        QStringList titles;
        for (const LibraryEntry &entry : IssueLibrary::open(path)->entries())
            titles.append(entry.title);
        titles.sort();
        return titles;
    }
    static QStringList titlesOf(int from, int to)
    {
        QStringList titles;
        for (int i = from; i <= to; ++i)
            titles.append(u"第%1回"_s.arg(i));
        titles.sort();
        return titles;
    }

    DovecotServer server;
    QTemporaryDir dir;
    QString path = dir.filePath(u"library.sqlite"_s);
};

} // namespace

// Every mail read counts, a repeat adds nothing, and each issue is named by the mailbox. (That
// a fetched mail reads as its file does is the client's sweep; the tool compares the issues.)
TEST_F(MailboxFetch, IssuesAreNamedByTheMailboxAndRepeatsDropped)
{
    const QString examples = QStringLiteral(ROTAM_EXAMPLES_DIR);
    const QStringList files{examples + u"/rotam-0131.eml"_s,
                            examples + u"/rotam-maildir/new/1106600400.M2P100.example"_s,
                            examples + u"/rotam-0131.eml"_s};
    server.createFolder(u"Examples"_s);
    server.saveFiles(u"Examples"_s, files);

    const MailboxFetchReport report = fetch(u"Examples"_s);
    ASSERT_FALSE(report.error) << report.error.english().toStdString();
    EXPECT_EQ(report.mailsRead, files.size());
    auto library = IssueLibrary::open(path);
    const QList<LibraryEntry> entries = library->entries();
    EXPECT_EQ(report.issuesAdded, entries.size());
    ASSERT_EQ(entries.size(), 2);
    for (const LibraryEntry &entry : entries)
        EXPECT_EQ(library->history(entry.id).source,
                  u"imap://rotam@127.0.0.1:%1/Examples"_s.arg(server.imapsPort()));
}

// The library keeps where the folder was left: only new mail comes next time, and a new
// UIDVALIDITY reads everything again without adding a repeat.
TEST_F(MailboxFetch, TheNextFetchGoesOnFromTheLibrarysPosition)
{
    const QString folder = u"Position"_s;
    server.createFolder(folder);
    for (int i = 1; i <= 3; ++i)
        server.save(folder, issueMail(i));
    QList<int> totals;
    const auto count = [&](int done, int total) {
        if (done == 0)
            totals.append(total);
        return true;
    };
    EXPECT_EQ(fetch(folder, count).mailsRead, 3);
    const FolderPosition first = position(folder);
    EXPECT_EQ(first.lastUid, 3u);
    EXPECT_NE(first.uidValidity, 0u);

    server.save(folder, issueMail(4));
    const MailboxFetchReport second = fetch(folder, count);
    EXPECT_EQ(second.mailsRead, 1);
    EXPECT_EQ(second.issuesAdded, 1);
    EXPECT_EQ(position(folder).lastUid, 4u);
    EXPECT_EQ(fetch(folder, count).mailsRead, 0);

    server.setUidValidity(folder, first.uidValidity + 1);
    const MailboxFetchReport again = fetch(folder, count);
    EXPECT_EQ(again.mailsRead, 4);
    EXPECT_EQ(again.issuesAdded, 0);
    EXPECT_EQ(position(folder), (FolderPosition{first.uidValidity + 1, 4}));
    EXPECT_EQ(totals, (QList<int>{3, 1, 0, 4}));
    EXPECT_EQ(titles(), titlesOf(1, 4));
    // Another folder of the same account has a position of its own.
    EXPECT_EQ(position(u"INBOX"_s), FolderPosition{});
}

// A stop keeps every mail read before it, although fewer than a batch, and the next fetch
// reads the rest.
TEST_F(MailboxFetch, AStopKeepsWhatCameAndTheNextFetchTakesTheRest)
{
    const QString folder = u"Stopped"_s;
    server.createFolder(folder);
    for (int i = 1; i <= 8; ++i)
        server.save(folder, issueMail(i));

    MailboxFetchReport report = fetch(folder, [](int done, int) { return done < 3; });
    EXPECT_EQ(report.error.kind, MailboxError::Kind::Cancelled);
    EXPECT_EQ(report.mailsRead, 3);
    EXPECT_EQ(report.issuesAdded, 3);
    EXPECT_EQ(position(folder).lastUid, 3u);
    EXPECT_EQ(titles(), titlesOf(1, 3));

    report = fetch(folder, [&](int done, int) {
        if (done == 2)
            server.crash();
        return true;
    });
    server.start();
    EXPECT_EQ(report.error.kind, MailboxError::Kind::ConnectionLost);
    EXPECT_EQ(report.mailsRead, 2);
    EXPECT_EQ(position(folder).lastUid, 5u);
    EXPECT_EQ(titles(), titlesOf(1, 5));

    // Stopped before the first mail is read: nothing moves.
    report = fetch(folder, [](int, int) { return false; });
    EXPECT_EQ(report.mailsRead, 0);
    EXPECT_EQ(position(folder).lastUid, 5u);

    report = fetch(folder);
    EXPECT_FALSE(report.error);
    EXPECT_EQ(report.mailsRead, 3);
    EXPECT_EQ(titles(), titlesOf(1, 8));
}

TEST(MailboxSource, ReservedCharactersArePercentEncoded)
{
    MailboxAccount account;
    account.host = u"imap.example.com"_s;
    account.user = u"rotam@example.com"_s;
    account.folder = u"受信/今日 の#ロタム"_s;
    account.port = 143;
    EXPECT_EQ(mailboxSource(account),
              u"imap://rotam%40example.com@imap.example.com:143/"
              "%E5%8F%97%E4%BF%A1/%E4%BB%8A%E6%97%A5%20%E3%81%AE%23%E3%83%AD%E3%82%BF%E3%83%A0"_s);
}
