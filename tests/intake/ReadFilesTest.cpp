#include "IssueStore.h"
#include "MailParser.h"
#include "TextIntake.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class ReadFiles : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &content)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }

    QList<ReadFailure> read(const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names)
            paths.append(dir.filePath(name));
        return ReadMailFiles(store, paths);
    }

    QTemporaryDir dir;
    IssueStore store;
};

} // namespace

TEST_F(ReadFiles, FilesAreReadInOrderOneAfterAnother)
{
    write(QStringLiteral("a.txt"), "A1\r\nA2\r\n");
    write(QStringLiteral("b.txt"), "B1\rB2");
    store.LoadText = QStringLiteral("pasted before");
    EXPECT_TRUE(read({QStringLiteral("b.txt"), QStringLiteral("a.txt")}).isEmpty());
    EXPECT_EQ(store.TextLines.toStringList(),
              (QStringList{QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("A1"),
                           QStringLiteral("A2")}));
    EXPECT_TRUE(store.LoadText.isEmpty()) << "a file intake empties the pasted text";
}

TEST_F(ReadFiles, FilesFromTwoFoldersAreEachReadFromTheirOwnFolder)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("a")) &&
                QDir(dir.path()).mkpath(QStringLiteral("b")));
    write(QStringLiteral("a/x.txt"), "AX\r\n");
    write(QStringLiteral("b/y.txt"), "BY\r\n");
    write(QStringLiteral("a/y.txt"), "wrong folder\r\n");
    EXPECT_TRUE(read({QStringLiteral("a/x.txt"), QStringLiteral("b/y.txt")}).isEmpty());
    EXPECT_EQ(store.TextLines.toStringList(),
              (QStringList{QStringLiteral("AX"), QStringLiteral("BY")}));
}

TEST_F(ReadFiles, NoLineAtAllLeavesOneEmptyLine)
{
    write(QStringLiteral("empty.txt"), QByteArray());
    EXPECT_TRUE(read({QStringLiteral("empty.txt")}).isEmpty());
    EXPECT_EQ(store.TextLines.toStringList(), QStringList{QString()});
}

TEST_F(ReadFiles, UnreadableFilesAreReportedAndTheOthersStillLoad)
{
    write(QStringLiteral("good.txt"), "G\r\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    write(QStringLiteral("locked.txt"), "L\r\n");
    QFile::setPermissions(dir.filePath(QStringLiteral("locked.txt")), QFileDevice::Permissions());
    const bool runningAsRoot = geteuid() == 0; // root reads it anyway

    const QList<ReadFailure> failures =
        read({QStringLiteral("missing.txt"), QStringLiteral("folder"), QStringLiteral("fifo"),
              QStringLiteral("good.txt"), QStringLiteral("locked.txt")});
    QStringList failed;
    for (const ReadFailure &f : failures) {
        failed << QFileInfo(f.path).fileName();
        EXPECT_FALSE(f.reason.isEmpty());
    }
    QStringList expected{QStringLiteral("missing.txt"), QStringLiteral("folder"),
                         QStringLiteral("fifo")};
    if (!runningAsRoot)
        expected << QStringLiteral("locked.txt");
    EXPECT_EQ(failed, expected);
    EXPECT_EQ(store.TextLines[0], u"G");
}

TEST_F(ReadFiles, EarlierIssuesSurviveAFailedLoad)
{
    write(QStringLiteral("one.txt"), QByteArray("\x81\x9E"
                                                "A"
                                                "\x81\x9E\r\n",
                                                7));
    read({QStringLiteral("one.txt")});
    ParseIssues(store);
    ASSERT_EQ(store.UpperBound(), 1);
    read({QStringLiteral("gone.txt")});
    ParseIssues(store);
    EXPECT_EQ(store.Puzzles[1].Title, QStringLiteral("A"));
}

TEST(Examples, EverySampleMailParsesToItsIssues)
{
    IssueStore store;
    const QString dir = QStringLiteral(ROTAM_EXAMPLES_DIR) + QDir::separator();
    const QStringList paths{dir + QStringLiteral("rotam-0123.txt"),
                            dir + QStringLiteral("rotam-digest-0124-0127.txt"),
                            dir + QStringLiteral("rotam-0130-forwarded.txt")};
    ASSERT_TRUE(ReadMailFiles(store, paths).isEmpty());
    ParseIssues(store);
    ASSERT_EQ(store.UpperBound(), 6);
    QList<qint32> sizes;
    for (qint32 i = 1; i <= 6; ++i)
        sizes << store.Puzzles[i].ColCount;
    EXPECT_EQ(sizes, (QList<qint32>{10, 5, 8, 13, 10, 6}));
    EXPECT_EQ(store.Puzzles[4].GridNote, QStringLiteral("難易度：上級（目安３０分）"));
    EXPECT_EQ(store.Puzzles[4].CommentLines.size(), 26);
    EXPECT_EQ(store.Puzzles[6].SendTime, QStringLiteral("Sat, 22 Jan 2005 06:00:00 +0900"));
    EXPECT_TRUE(store.Puzzles[5].Publisher.isEmpty());
    EXPECT_EQ(store.Puzzles[1].MagazineId, QStringLiteral("0001234567"));
    // The advertisement between the fourth and fifth divider stays out of the annotation.
    for (qint32 i = 1; i <= 6; ++i) {
        EXPECT_EQ(store.Puzzles[i].TyuukiText.count(QStringLiteral("\r\n")), i == 5 ? 6 : 7) << i;
        EXPECT_FALSE(store.Puzzles[i].TyuukiText.contains(QStringLiteral("ＰＲ"))) << i;
    }
}
