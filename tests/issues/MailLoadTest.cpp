#include "AccessAsNobody.h"
#include "IssueLoad.h"
#include "IssueOrder.h"
#include "IssueStore.h"
#include "MailLoadFixture.h"
#include "MailMarkers.h"
#include "MimeMessages.h"
#include "RepeatedIssues.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// One issue as UTF-8 text with LF line ends, titled t.
QByteArray issueText(const QString &t, const QString &comment = u"c"_s)
{
    using namespace MailMarkers;
    return (u"◇"_s + t + u"◇\n\n　Ａ\n　ａ□\n\n\n"_s + DividerA + u"\nx\n"_s + comment + u"\n"_s +
            DividerB + u"\nマガジンＩＤ：1\n"_s + DividerC + u"\n"_s)
        .toUtf8();
}

QByteArray message(const QByteArray &headers, const QByteArray &body)
{
    return "MIME-Version: 1.0\n" + headers + "\n\n" + body;
}

} // namespace

TEST_F(MailLoad, RawMailExamples)
{
    const QString examples = QStringLiteral(ROTAM_EXAMPLES_DIR) + u'/';
    const LoadReport report =
        loadMailPaths(store, {examples + u"rotam-0131.eml"_s, examples + u"rotam-0132-0134.mbox"_s,
                              examples + u"rotam-maildir"_s});
    EXPECT_TRUE(report.unreadable.isEmpty());
    EXPECT_TRUE(report.withoutIssue.isEmpty());
    // The Maildir's last mail, a greeting without a puzzle, stays as an untitled record.
    EXPECT_EQ(titles(), (QStringList{u"第１３１回"_s, u"第１３２回"_s, u"第１３４回"_s,
                                     u"第１３５回"_s, u"第１３６回"_s, QString()}));
    EXPECT_EQ(issueListOrder(store).size(), 5);
    EXPECT_TRUE(store.puzzles[1].CommentLines.join(QString()).contains(u"①②③も、髙や﨑も"_s));
    EXPECT_EQ(store.puzzles[1].SendTime, u"Sun, 23 Jan 2005 06:00:00 +0900"_s);
    // The notice mail between two issues lends the second one nothing.
    EXPECT_EQ(store.puzzles[3].CommentLines, (QStringList{QString(), u"お休み明けの一問です。"_s}));
    EXPECT_EQ(store.puzzles[3].MagazineId, u"0001234567"_s);
}

TEST_F(MailLoad, TextsOfOneLoadShareNoParserState)
{
    // The first text ends inside its annotation; the second's issue comes out as if alone.
    const QByteArray first = issueText(u"一"_s);
    const QString b = write(u"b.txt"_s, issueText(u"二"_s).replace("Ａ", "Ｂ"));
    loadMailPaths(store, {write(u"a.txt"_s, first.left(first.indexOf(u"：1"_s.toUtf8()))), b});
    IssueStore alone;
    loadMailPaths(alone, {b});
    ASSERT_EQ(store.lastIndex(), 2);
    EXPECT_EQ(store.puzzles[2], alone.puzzles[1]);
}

TEST_F(MailLoad, RepeatsAreDroppedAndCountAsFound)
{
    const QString one = write(u"one.txt"_s, issueText(u"一"_s));
    loadMailPaths(store, {one, one});
    QByteArray mbox = "From a\nDate: 1\n\n" + issueText(u"二"_s) + "\n";
    const QString box = write(u"box"_s, mbox);
    loadMailPaths(store, {box});
    write(u"box"_s, mbox + "From b\nDate: 2\n\n" + issueText(u"三"_s));
    const LoadReport report = loadMailPaths(store, {one, box});
    EXPECT_EQ(titles(), (QStringList{u"一"_s, u"二"_s, u"三"_s}));
    EXPECT_TRUE(report.withoutIssue.isEmpty());
}

TEST_F(MailLoad, ARecordIsTheSameIssueWhereverItsHeaderWasLeft)
{
    // One file ends after the title, one has an empty header line: no labels either way.
    loadMailPaths(store, {write(u"cut.txt"_s, "◇Ａ◇\n"), write(u"empty.txt"_s, "◇Ａ◇\n\n\n")});
    EXPECT_EQ(titles(), QStringList{u"Ａ"_s});
}

TEST(RepeatedIssues, AnyValueTellsIssuesApart)
{
    PuzzleRecord issue;
    issue.TitleLine = u"◇一◇"_s;
    issue.Title = u"一"_s;
    issue.ColCount = 1;
    issue.ColLabels = issue.RowLabels = issue.Cells = issue.HintLines = issue.CommentLines =
        QStringList{QString(), u"x"_s};
    const std::function<void(PuzzleRecord &)> changes[] = {
        [](PuzzleRecord &r) { r.SendTime = u"d"_s; },
        [](PuzzleRecord &r) { r.TitleLine += u"!"_s; },
        [](PuzzleRecord &r) { r.Title = u"二"_s; },
        [](PuzzleRecord &r) { r.ColCount = 2; },
        [](PuzzleRecord &r) { r.GridNote = u"n"_s; },
        [](PuzzleRecord &r) { r.TyuukiText = u"t"_s; },
        [](PuzzleRecord &r) { r.Publisher = u"p"_s; },
        [](PuzzleRecord &r) { r.MagazineId = u"1"_s; },
        [](PuzzleRecord &r) { r.HintLines[1] = u"y"_s; },
        [](PuzzleRecord &r) { r.CommentLines.append(QString()); },
        [](PuzzleRecord &r) { r.ColLabels[1] = u"y"_s; },
        [](PuzzleRecord &r) { r.RowLabels = {}; },
        [](PuzzleRecord &r) { r.Cells[1] = u"y"_s; },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        IssueStore store;
        PuzzleRecord changed = issue;
        changes[i](changed);
        PuzzleRecord withElement0 = issue;
        withElement0.HintLines[0] = u"element 0 is no value"_s;
        store.puzzles = {PuzzleRecord{}, issue, changed, withElement0};
        dropRepeatedIssues(store, 2);
        EXPECT_EQ(store.lastIndex(), 2) << "change " << i;
    }
}

TEST_F(MailLoad, FoldersThatCannotBeListedAreUnreadable)
{
    // Open to the group too: with the permissions of nobody, root's group may still count.
    QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QString locked = QFileInfo(write(u"locked/a.txt"_s, issueText(u"A"_s))).path();
    const QString maildir = dir.filePath(u"md"_s);
    write(u"md/cur/b"_s, message("Date: 1", issueText(u"B"_s)));
    write(u"md/new/c"_s, message("Date: 2", issueText(u"C"_s)));
    const QString shutFile = write(u"shut/d.txt"_s, issueText(u"D"_s));
    const QString good = write(u"good.txt"_s, issueText(u"G"_s));
    const QStringList shut{locked, maildir + u"/cur"_s, shutFile};
    for (const QString &path : shut)
        QFile::setPermissions(path, QFileDevice::Permissions());

    LoadReport report;
    bool works = false;
    {
        const AccessAsNobody nobody;
        works = nobody.works();
        report = loadMailPaths(store, {locked, maildir, QFileInfo(shutFile).path(), good});
    }
    for (const QString &path : shut)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!works)
        GTEST_SKIP() << "running as root without the right to take another user's permissions";

    QStringList failed;
    for (const ReadFailure &f : report.unreadable) {
        failed << f.path;
        EXPECT_EQ(f.systemError, EACCES) << f.path.toStdString();
    }
    EXPECT_EQ(failed, shut);
    EXPECT_TRUE(report.withoutIssue.isEmpty()) << report.withoutIssue.join(u' ').toStdString();
    EXPECT_EQ(titles(), (QStringList{u"C"_s, u"G"_s}));
}

TEST_F(MailLoad, LongMboxMessagesLendEachOtherNothing)
{
    // More messages than the reader keeps buffers for, so they are filled again: a date or
    // a charset of one message must not reach a later one, nor one without headers.
    QByteArray mbox;
    const auto dated = [](int i) { return i % 2 == 0 && i % 5 != 1; };
    for (int i = 0; i < 600; ++i) {
        const QByteArray date = dated(i) ? "Date: " + QByteArray::number(i) + "\n" : QByteArray();
        const QByteArray type = i % 3 ? "text/plain" : "text/plain; charset=UTF-8";
        const QByteArray headers =
            i % 5 == 1 ? QByteArray() : date + "Content-Type: " + type + "\n\n";
        mbox += "From x\n" + headers + issueText(QString::number(i)) + "\n";
    }
    loadMailPaths(store, {write(u"box.mbox"_s, mbox)});
    ASSERT_EQ(store.lastIndex(), 600);
    for (int i = 0; i < 600; ++i) {
        EXPECT_EQ(store.puzzles[i + 1].Title, QString::number(i));
        EXPECT_EQ(store.puzzles[i + 1].SendTime, dated(i) ? QString::number(i) : QString()) << i;
    }
}

TEST_F(MailLoad, PathsWithoutIssuesAreNamed)
{
    QDir(dir.path()).mkdir(u"empty"_s);
    const QStringList paths{write(u"plain.txt"_s, "no issue here\n"), dir.filePath(u"empty"_s),
                            write(u"html.eml"_s, message("Content-Type: text/html", "<p>◇x◇</p>")),
                            write(u"good.txt"_s, issueText(u"一"_s)), dir.filePath(u"gone.txt"_s)};
    const LoadReport report = loadMailPaths(store, paths);
    EXPECT_EQ(report.withoutIssue, paths.first(3));
    ASSERT_EQ(report.unreadable.size(), 1);
    EXPECT_EQ(report.unreadable[0].problem, ReadProblem::Missing);
    EXPECT_EQ(titles(), QStringList{u"一"_s}) << "a text with nothing in it leaves no record";

    EXPECT_EQ(loadPastedText(store, u"nothing"_s).withoutIssue, QStringList{QString()});
    const QString pasted = QString::fromUtf8(issueText(u"二"_s)).replace(u'\n', u"\r\n"_s);
    EXPECT_TRUE(loadPastedText(store, pasted).withoutIssue.isEmpty());
}

TEST_F(MailLoad, FoldersAndMaildirsInTheOrderOfTheirNames)
{
    write(u"md/new/b"_s, message("Date: Mon", issueText(u"B"_s)));
    write(u"md/cur/a"_s, message("Content-Type: text/plain", issueText(u"A"_s)));
    write(u"md/cur/c"_s, issueText(u"C"_s)); // no header block: all body
    write(u"md/cur/.hidden"_s, issueText(u"hidden"_s));
    write(u"plain/Z.txt"_s, issueText(u"Z"_s));
    write(u"plain/a.txt"_s, issueText(u"a"_s));
    write(u"plain/sub/deeper.txt"_s, issueText(u"deeper"_s));
    write(u"plain/.DS_Store"_s, issueText(u"finder"_s));
    write(u"plain/.a.txt.swp"_s, issueText(u"editor"_s));
    loadMailPaths(store, {dir.filePath(u"md"_s), dir.filePath(u"plain"_s)});
    EXPECT_EQ(titles(), (QStringList{u"A"_s, u"B"_s, u"C"_s, u"Z"_s, u"a"_s}));
    EXPECT_EQ(store.puzzles[2].SendTime, u"Mon"_s);
}

TEST_F(MailLoad, WhatAMessageContributes)
{
    const QByteArray plain = issueText(u"本文"_s);
    const struct
    {
        QByteArray mail;
        QStringList titles;
        QString sendTime;
    } cases[] = {
        // The first text/plain leaf, depth first; attachments passed over.
        {message("Date:  Sun,\n\t16 Jan  \nContent-Type: multipart/mixed; boundary=b",
                 "--b\nContent-Type: text/plain\nContent-Disposition: attachment\n\n" +
                     issueText(u"添付"_s) +
                     "\n--b\nContent-Type: multipart/alternative; boundary=c\n\n--c\nContent-Type: "
                     "text/html\n\nx\n"
                     "--c\nContent-Type: text/plain; charset=utf-8\nContent-Transfer-Encoding: "
                     "base64\n\n" +
                     plain.toBase64() + "\n--c--\n--b--\n"),
         {u"本文"_s},
         u"Sun,\t16 Jan"_s},
        // Into an attached message; the date is the outer one's.
        {message("Date: outer\nContent-Type: message/rfc822",
                 "Date: inner\nContent-Type: text/plain\n\n" + plain),
         {u"本文"_s},
         u"outer"_s},
        // Quoted-printable, with a byte-order mark.
        {message(
             "Content-Type: text/plain; charset=UTF-8\nContent-Transfer-Encoding: quoted-printable",
             "=EF=BB=BF" + plain),
         {u"本文"_s},
         QString()},
        // A signed issue: its text, not the signature after it.
        {message("Content-Type: multipart/mixed; boundary=b",
                 "--b\nContent-Type: text/plain; charset=utf-8\n\n" + plain +
                     "\n--b\nContent-Type: text/plain\n\n-- \nsig\n--b--\n"),
         {u"本文"_s},
         QString()},
        {message("Content-Type: multipart/signed; boundary=b",
                 "--b\nContent-Type: text/plain; charset=utf-8\n\n" + plain +
                     "\n--b\nContent-Type: application/pgp-signature\n\nsig\n--b--\n"),
         {u"本文"_s},
         QString()},
        // No text/plain part at all: not even a record.
        {message("Date: x\nContent-Type: text/html", plain), {}, QString()},
    };
    for (const auto &c : cases) {
        IssueStore one;
        loadMailPaths(one, {write(u"m.eml"_s, c.mail)});
        QStringList got;
        for (qint32 i = 1; i <= one.lastIndex(); ++i)
            got << one.puzzles[i].Title;
        EXPECT_EQ(got, c.titles) << c.mail.left(60).toStdString();
        if (one.lastIndex() > 0) {
            EXPECT_EQ(one.puzzles[1].SendTime, c.sendTime);
        }
    }
}

TEST_F(MailLoad, MboxMessageBoundaries)
{
    // A From line right before the next gives no message; a headerless one is all body; the
    // empty line that ends each message, the last too, belongs to none: no empty comment line.
    const QByteArray cut = issueText(u"一"_s).left(issueText(u"一"_s).indexOf("x\nc") + 4);
    const QByteArray mbox =
        "From a\nFrom b\n" + issueText(u"一"_s) + "\nFrom c\nDate: 2\n\n" + cut + "\n";
    loadMailPaths(store, {write(u"box.mbox"_s, mbox)});
    EXPECT_EQ(titles(), (QStringList{u"一"_s, u"一"_s}));
    EXPECT_EQ(store.puzzles[2].CommentLines, (QStringList{QString(), u"c"_s}));
}

TEST(MailKinds, WhichFilesAreSavedMessages)
{
    const struct
    {
        const char *start;
        bool message;
    } cases[] = {
        {"MIME-Version: 1.0\nSubject: x\n\nbody", true},
        {"Subject: x\r\ncontent-type: text/plain;\r\n charset=utf-8\r\n\r\n", true},
        {"From: a\nSubject: x\nDate: y\n\nbody", false}, // a mail saved as text
        {"Subject: x\nnot a field\nMIME-Version: 1.0\n\n", false},
        {"MIME-Version: 1.0", false}, // no end to the header block
        {" MIME-Version: 1.0\n\n", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(beginsWithMimeHeaders(QByteArrayView(c.start)), c.message) << c.start;
}
