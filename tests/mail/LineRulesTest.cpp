#include "LineArray.h"
#include "TextIntake.h"

#include <gtest/gtest.h>

namespace {

QStringList listOf(const LineArray &lines)
{
    QStringList list;
    for (qsizetype i = 0; i < lines.size(); ++i)
        list.append(lines[i].toString());
    return list;
}

QStringList fileLines(const QString &text)
{
    LineArray lines;
    lines.appendFileText(text);
    return listOf(lines);
}

QStringList pastedLines(const QString &text)
{
    return listOf(splitPastedText(text));
}

const QStringList AB{QStringLiteral("A"), QStringLiteral("B")};

} // namespace

TEST(FileLineRules, CrLfOrCrEndALineAndAFinalLineEndAddsNothing)
{
    EXPECT_EQ(fileLines(QStringLiteral("A\r\nB")), AB);
    EXPECT_EQ(fileLines(QStringLiteral("A\r\nB\r\n")), AB);
    EXPECT_EQ(fileLines(QStringLiteral("A\rB")), AB);
    EXPECT_EQ(fileLines(QStringLiteral("A\rB\r")), AB);
}

TEST(FileLineRules, LfAloneStaysInItsLineWhenTheTextHoldsACr)
{
    EXPECT_EQ(fileLines(QStringLiteral("A\nB\r")), QStringList{QStringLiteral("A\nB")});
    EXPECT_EQ(fileLines(QStringLiteral("A\n\r\nB")),
              (QStringList{QStringLiteral("A\n"), QStringLiteral("B")}));
}

TEST(FileLineRules, WithoutAnyCrEveryLfEndsALine)
{
    EXPECT_EQ(fileLines(QStringLiteral("A\nB")), AB);
    EXPECT_EQ(fileLines(QStringLiteral("A\nB\n")), AB);
    EXPECT_EQ(fileLines(QStringLiteral("A\n\nB")),
              (QStringList{QStringLiteral("A"), QString(), QStringLiteral("B")}));
}

TEST(MessageLineRules, CrLfLfAndALoneCrEachEndALine)
{
    for (const char16_t *text : {u"A\r\nB", u"A\nB\n", u"A\rB\r\n", u"A\r\nB\r"}) {
        LineArray lines;
        lines.appendMessageText(QString::fromUtf16(text));
        EXPECT_EQ(listOf(lines), AB) << QString::fromUtf16(text).toStdString();
    }
    LineArray lines;
    lines.appendMessageText(u"A\n\rB");
    EXPECT_EQ(listOf(lines), (QStringList{QStringLiteral("A"), QString(), QStringLiteral("B")}));
}

TEST(FileLineRules, EmptyLinesAreKeptButAnEmptyFileGivesNone)
{
    EXPECT_EQ(fileLines(QStringLiteral("A\r\n\r\nB")),
              (QStringList{QStringLiteral("A"), QString(), QStringLiteral("B")}));
    EXPECT_EQ(fileLines(QStringLiteral("\r\n")), QStringList{QString()});
    EXPECT_TRUE(fileLines(QString()).isEmpty());
}

TEST(FileLineRules, FilesFollowOneAnotherWithNothingBetween)
{
    LineArray lines;
    lines.appendFileText(QStringLiteral("A\r\nB\r\n"));
    lines.appendFileText(QStringLiteral("C\rD"));
    lines.appendFileText(QStringLiteral("E"));
    EXPECT_EQ(listOf(lines),
              (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                           QStringLiteral("D"), QStringLiteral("E")}));
}

TEST(PasteSplit, OnlyCrLfPairsSeparateLines)
{
    EXPECT_EQ(pastedLines(QStringLiteral("A\r\nB\r\n")), AB);
    EXPECT_EQ(pastedLines(QStringLiteral("A\r\n\r\n")),
              (QStringList{QStringLiteral("A"), QString()}));
    EXPECT_EQ(pastedLines(QStringLiteral("A\r\n\r\nB")),
              (QStringList{QStringLiteral("A"), QString(), QStringLiteral("B")}));
    EXPECT_EQ(pastedLines(QStringLiteral("A\rB\nC")), QStringList{QStringLiteral("A\rB\nC")});
}

TEST(PasteSplit, EmptyTextGivesOneEmptyLine)
{
    EXPECT_EQ(pastedLines(QString()), QStringList{QString()});
    EXPECT_EQ(pastedLines(QStringLiteral("\r\n")), QStringList{QString()});
}
