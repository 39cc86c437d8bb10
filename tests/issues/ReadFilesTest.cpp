#include "IssueLoad.h"
#include "IssueStore.h"
#include "MailLoadFixture.h"
#include "MailParser.h"
#include "TextIntake.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ReadFiles : public MailLoad
{
protected:
    QList<ReadFailure> read(const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names)
            paths.append(dir.filePath(name));
        return loadMailPaths(store, paths).unreadable;
    }
};

} // namespace

TEST_F(ReadFiles, FilesAreReadInTheOrderChosenEachFromItsOwnFolder)
{
    const auto titled = [](const char *title) -> QByteArray {
        return "\xE2\x97\x87" + QByteArray(title) + "\xE2\x97\x87\r\n";
    };
    write(QStringLiteral("b/y.txt"), titled("BY"));
    write(QStringLiteral("a/x.txt"), titled("AX"));
    write(QStringLiteral("b/x.txt"), titled("wrong folder"));
    EXPECT_TRUE(read({QStringLiteral("b/y.txt"), QStringLiteral("a/x.txt")}).isEmpty());
    EXPECT_EQ(titles(), (QStringList{QStringLiteral("BY"), QStringLiteral("AX")}));
}

TEST_F(ReadFiles, EarlierIssuesSurviveAFailedLoad)
{
    write(QStringLiteral("one.txt"), QByteArray("\x81\x9E"
                                                "A"
                                                "\x81\x9E\r\n",
                                                7));
    read({QStringLiteral("one.txt")});
    ASSERT_EQ(store.lastIndex(), 1);
    read({QStringLiteral("gone.txt")});
    EXPECT_EQ(store.puzzles[1].Title, QStringLiteral("A"));
}

TEST(Examples, EverySampleMailParsesToItsIssues)
{
    IssueStore store;
    const QString dir = QStringLiteral(ROTAM_EXAMPLES_DIR) + QDir::separator();
    const QStringList paths{dir + QStringLiteral("rotam-0123.txt"),
                            dir + QStringLiteral("rotam-digest-0124-0127.txt"),
                            dir + QStringLiteral("rotam-0130-forwarded.txt")};
    ASSERT_TRUE(loadMailPaths(store, paths).unreadable.isEmpty());
    ASSERT_EQ(store.lastIndex(), 6);
    QList<qint32> sizes;
    for (qint32 i = 1; i <= 6; ++i)
        sizes << store.puzzles[i].ColCount;
    EXPECT_EQ(sizes, (QList<qint32>{10, 5, 8, 13, 10, 6}));
    EXPECT_EQ(store.puzzles[4].GridNote, QStringLiteral("難易度：上級（目安３０分）"));
    EXPECT_EQ(store.puzzles[4].CommentLines.size(), 26);
    EXPECT_EQ(store.puzzles[6].SendTime, QStringLiteral("Sat, 22 Jan 2005 06:00:00 +0900"));
    EXPECT_TRUE(store.puzzles[5].Publisher.isEmpty());
    EXPECT_EQ(store.puzzles[1].MagazineId, QStringLiteral("0001234567"));
    // The advertisement between the fourth and fifth divider stays out of the annotation.
    for (qint32 i = 1; i <= 6; ++i) {
        EXPECT_EQ(store.puzzles[i].TyuukiText.count(QStringLiteral("\r\n")), i == 5 ? 6 : 7) << i;
        EXPECT_FALSE(store.puzzles[i].TyuukiText.contains(QStringLiteral("ＰＲ"))) << i;
    }
}
