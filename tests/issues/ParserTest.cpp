#include "IssueStore.h"
#include "LineArray.h"
#include "MailMarkers.h"
#include "MailParser.h"

#include <gtest/gtest.h>

using namespace MailMarkers;
using namespace Qt::StringLiterals;

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString S(QStringView v)
{
    return v.toString();
}

IssueStore parse(const QStringList &lines)
{
    IssueStore store;
    parseIssues(LineArray(lines), store);
    return store;
}

// A complete issue with a 3 x 3 grid; the first line is anything.
QStringList completeIssue()
{
    return {
        QStringLiteral("From someone"),
        QStringLiteral("Date: Sat, 15 Jan 2005 06:00:00 +0900"),
        QString(),
        QStringLiteral("◇第１回◇　今日の問題"),
        QStringLiteral("skipped line"),
        QStringLiteral("　　ＡＢＣ"),
        QStringLiteral("　ａ□□□"),
        QStringLiteral("　ｂ□■□　難易度：初級"),
        QStringLiteral("　ｃ□□□"),
        QString(),
        QStringLiteral("ヒント１"),
        QStringLiteral("ヒント２"),
        QString(),
        S(DividerA),
        QStringLiteral("skipped line"),
        QStringLiteral("コメント"),
        S(DividerB),
        QStringLiteral("発行責任者　：パズル編集部(連絡先)"),
        QStringLiteral("マガジンＩＤ：123"),
        S(DividerD),
        QStringLiteral("広告"),
        S(DividerE),
        QStringLiteral("配信の解除"),
        S(DividerC),
    };
}

QStringList titledIssue(const QString &title)
{
    return {QStringLiteral("◇") + title + QStringLiteral("◇"),
            QString(),
            QStringLiteral("　Ａ"),
            QStringLiteral("　ａ□"),
            QString(),
            QString()};
}

} // namespace

TEST(Parser, CompleteIssueFillsEveryField)
{
    const IssueStore store = parse(completeIssue());
    ASSERT_EQ(store.lastIndex(), 1);
    const PuzzleRecord &r = store.puzzles[1];
    EXPECT_EQ(r.SendTime, QStringLiteral("Sat, 15 Jan 2005 06:00:00 +0900"));
    EXPECT_EQ(r.TitleLine, QStringLiteral("◇第１回◇　今日の問題"));
    EXPECT_EQ(r.Title, QStringLiteral("第１回"));
    EXPECT_EQ(r.ColCount, 3);
    EXPECT_EQ(r.ColLabels, (QStringList{QString(), QStringLiteral("Ａ"), QStringLiteral("Ｂ"),
                                        QStringLiteral("Ｃ")}));
    EXPECT_EQ(r.RowLabels, (QStringList{QString(), QStringLiteral("ａ"), QStringLiteral("ｂ"),
                                        QStringLiteral("ｃ")}));
    EXPECT_EQ(r.GridNote, QStringLiteral("難易度：初級"));
    EXPECT_EQ(r.HintLines,
              (QStringList{QString(), QStringLiteral("ヒント１"), QStringLiteral("ヒント２")}));
    EXPECT_EQ(r.CommentLines, (QStringList{QString(), QStringLiteral("コメント")}));
    EXPECT_EQ(r.Publisher, QStringLiteral("パズル編集部"));
    EXPECT_EQ(r.MagazineId, QStringLiteral("123"));
    EXPECT_EQ(r.TyuukiText, S(DividerB) + CrLf +
                                QStringLiteral("発行責任者　：パズル編集部(連絡先)") + CrLf +
                                QStringLiteral("マガジンＩＤ：123") + CrLf + S(DividerD) + CrLf +
                                QStringLiteral("配信の解除") + CrLf + S(DividerC) + CrLf);
}

TEST(Parser, FirstLineIsParsedToo)
{
    // A pasted issue starts with its title line: its grid and hints must not be lost.
    QStringList lines = titledIssue(QStringLiteral("第１回"));
    lines.insert(5, QStringLiteral("ヒント"));
    const IssueStore store = parse(lines);
    ASSERT_EQ(store.lastIndex(), 1);
    EXPECT_EQ(store.puzzles[1].ColCount, 1);
    EXPECT_EQ(store.puzzles[1].HintLines.size(), 2);

    const IssueStore dated = parse({QStringLiteral("date: today")});
    EXPECT_EQ(dated.puzzles[1].SendTime, QStringLiteral("today"));
}

TEST(Parser, DateLinesAreCaseInsensitiveAndNeedColonSpace)
{
    for (const char16_t *line : {u"DATE: x", u"Date: x", u"dAtE: x"})
        EXPECT_EQ(parse({QString(), QString::fromUtf16(line)}).puzzles[1].SendTime,
                  QStringLiteral("x"));
    for (const char16_t *line : {u"Date:x", u"Date:\tx", u"Date :x", u"Dat"})
        EXPECT_TRUE(parse({QString(), QString::fromUtf16(line)}).puzzles[1].SendTime.isEmpty());
}

TEST(Parser, RecordBoundaries)
{
    // Several date lines before the first title leave only the last of them.
    IssueStore store = parse({QStringLiteral("Date: 1"), QStringLiteral("Date: 2")});
    ASSERT_EQ(store.lastIndex(), 1);
    EXPECT_EQ(store.puzzles[1].SendTime, QStringLiteral("2"));

    // A second title starts a record of its own, without a sending time.
    QStringList lines{QStringLiteral("Date: 1")};
    lines << titledIssue(QStringLiteral("一")) << titledIssue(QStringLiteral("二"));
    store = parse(lines);
    ASSERT_EQ(store.lastIndex(), 2);
    EXPECT_EQ(store.puzzles[1].SendTime, QStringLiteral("1"));
    EXPECT_TRUE(store.puzzles[2].SendTime.isEmpty());

    // Two mails, each dated: each record keeps its own date.
    lines = QStringList{QStringLiteral("Date: 1")} + titledIssue(QStringLiteral("一")) +
            QStringList{QStringLiteral("Date: 2")} + titledIssue(QStringLiteral("二"));
    store = parse(lines);
    ASSERT_EQ(store.lastIndex(), 2);
    EXPECT_EQ(store.puzzles[2].SendTime, QStringLiteral("2"));
    EXPECT_EQ(store.puzzles[2].Title, QStringLiteral("二"));
}

TEST(Parser, TitleWithoutClosingMarkTakesTheRest)
{
    const IssueStore store =
        parse(titledIssue(QStringLiteral("題"))
                  .replaceInStrings(QStringLiteral("題◇"), QStringLiteral("題　続き")));
    EXPECT_EQ(store.puzzles[1].Title, QStringLiteral("題　続き"));
    EXPECT_EQ(parse({QStringLiteral("◇◇")}).puzzles[1].Title, QString());
}

TEST(Parser, AnEmptyTitleStillStartsARecord)
{
    QStringList lines = titledIssue(QString());
    lines[0] = QStringLiteral("◇◇　無題");
    lines.insert(5, QStringLiteral("ヒント"));
    const IssueStore store = parse(lines + titledIssue(QStringLiteral("二")));
    ASSERT_EQ(store.lastIndex(), 2);
    EXPECT_EQ(store.puzzles[1].HintLines, (QStringList{QString(), QStringLiteral("ヒント")}));
    EXPECT_EQ(store.puzzles[2].Title, QStringLiteral("二"));
}

TEST(Parser, GridRowsAndNotes)
{
    const IssueStore store = parse({
        QStringLiteral("◇t◇"),
        QString(),
        QStringLiteral("　ＡＢＣ   "), // trailing spaces don't count: n = 4
        QStringLiteral("　ａ□□□  注1  "),
        QStringLiteral("　　□□□注2"), // no label, but its note counts
        QStringLiteral("x"),          // one character: an empty label
        QString(),
    });
    const PuzzleRecord &r = store.puzzles[1];
    EXPECT_EQ(r.ColCount, 3);
    EXPECT_EQ(r.RowLabels, (QStringList{QString(), QStringLiteral("ａ"), QString(), QString()}));
    EXPECT_EQ(r.GridNote, QStringLiteral("注1注2"));
}

TEST(Parser, TwoEmptyLinesAfterTheGridGiveNoHints)
{
    const IssueStore store =
        parse({QStringLiteral("◇t◇"), QString(), QStringLiteral("　Ａ"), QStringLiteral("　ａ□"),
               QString(), QString(), QStringLiteral("not a hint")});
    EXPECT_EQ(store.puzzles[1].HintLines, QStringList{QString()});
}

TEST(Parser, UnendedHintsSwallowTheCommentDivider)
{
    const IssueStore store =
        parse({QStringLiteral("◇t◇"), QString(), QStringLiteral("　Ａ"), QStringLiteral("　ａ□"),
               QString(), QStringLiteral("h"), S(DividerA), QStringLiteral("x"),
               QStringLiteral("c"), S(DividerB)});
    EXPECT_EQ(store.puzzles[1].HintLines.size(), 6);
    EXPECT_EQ(store.puzzles[1].CommentLines, QStringList{QString()});
}

TEST(Parser, DividersMatchOnlyWholeUntrimmedLines)
{
    const IssueStore store = parse(
        {QString(), S(DividerA) + QStringLiteral(" "), QStringLiteral("x"), QStringLiteral("c")});
    EXPECT_EQ(store.puzzles[1].CommentLines, QStringList{QString()});
}

TEST(Parser, PublisherForms)
{
    const auto publisherOf = [](const QString &line) {
        return parse({QString(), S(DividerB), line, S(DividerC)}).puzzles[1].Publisher;
    };
    EXPECT_EQ(publisherOf(QStringLiteral("発行責任者　：(連絡先)")), QString());
    EXPECT_EQ(publisherOf(QStringLiteral("発行責任者　：編集部")), QStringLiteral("編集部"));
    EXPECT_EQ(publisherOf(QStringLiteral("発行責任者　：編集部(a)(b)")), QStringLiteral("編集部"));
}

TEST(Parser, TextEndingInsideBlocksKeepsWhatWasRead)
{
    // A title with no header: no labels at all.
    IssueStore store = parse({QString(), QStringLiteral("◇t◇"), QString()});
    EXPECT_EQ(store.puzzles[1].ColCount, 0);
    EXPECT_TRUE(store.puzzles[1].ColLabels.isEmpty());
    EXPECT_TRUE(store.puzzles[1].RowLabels.isEmpty());

    // An unclosed annotation keeps its lines, without the enclosing dividers.
    store = parse({QString(), S(DividerB), QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(store.puzzles[1].TyuukiText, QStringLiteral("a\r\nb\r\n"));
}

TEST(Parser, AnnotationStartsTheNextIssueAfterATitledOne)
{
    QStringList lines = titledIssue(QStringLiteral("一"));
    lines << S(DividerB) << QStringLiteral("one") << S(DividerC);
    lines << S(DividerB) << QStringLiteral("two") << S(DividerC);
    const IssueStore store = parse(lines);
    ASSERT_EQ(store.lastIndex(), 2);
    EXPECT_TRUE(store.puzzles[1].TyuukiText.contains(QStringLiteral("one")));
    EXPECT_TRUE(store.puzzles[2].TitleLine.isEmpty());
    EXPECT_TRUE(store.puzzles[2].TyuukiText.contains(QStringLiteral("two")));
}

TEST(Parser, AnnotationMetAgainOnAnUntitledRecordReplacesTheOld)
{
    const IssueStore store = parse({QString(), S(DividerB), QStringLiteral("one"), S(DividerC),
                                    S(DividerB), QStringLiteral("two"), S(DividerC)});
    ASSERT_EQ(store.lastIndex(), 1);
    EXPECT_EQ(store.puzzles[1].TyuukiText,
              S(DividerB) + CrLf + QStringLiteral("two") + CrLf + S(DividerC) + CrLf);
}

TEST(Parser, CommentsGoToTheCurrentRecordWithoutStartingOne)
{
    QStringList lines = titledIssue(QStringLiteral("一"));
    lines << S(DividerA) << QStringLiteral("x") << QStringLiteral("c1") << S(DividerB)
          << S(DividerC);
    lines << S(DividerA) << QStringLiteral("x") << QStringLiteral("c2") << S(DividerB)
          << S(DividerC);
    // The second comment block still belongs to the first issue; only its annotation, met
    // while the first one's is filled, opens the next record.
    const IssueStore store = parse(lines);
    ASSERT_EQ(store.lastIndex(), 2);
    EXPECT_EQ(store.puzzles[1].CommentLines,
              (QStringList{QString(), QStringLiteral("c1"), QStringLiteral("c2")}));
    EXPECT_EQ(store.puzzles[2].CommentLines, QStringList{QString()});
}

TEST(Parser, ATitleClearsTheMailPartsANoticeLeftOnItsRecord)
{
    // An issue, then a notice mail without a puzzle, then the next issue, in one archive.
    QStringList lines{QStringLiteral("Date: 1")};
    lines << titledIssue(QStringLiteral("一")) << S(DividerB)
          << QStringLiteral("発行責任者　：甲(x)") << S(DividerC) << QStringLiteral("Date: notice")
          << S(DividerA) << QString() << QStringLiteral("お知らせ") << S(DividerB)
          << QStringLiteral("マガジンＩＤ：999") << S(DividerC) << QStringLiteral("Date: 2")
          << titledIssue(QStringLiteral("二"));
    const IssueStore store = parse(lines);
    ASSERT_EQ(store.lastIndex(), 2);
    const PuzzleRecord &second = store.puzzles[2];
    EXPECT_EQ(second.SendTime, QStringLiteral("2"));
    EXPECT_EQ(second.CommentLines, QStringList{QString()});
    EXPECT_TRUE(second.TyuukiText.isEmpty());
    EXPECT_TRUE(second.MagazineId.isEmpty());
    EXPECT_EQ(store.puzzles[1].Publisher, QStringLiteral("甲"));
}

TEST(Parser, EachParseEmptiesTheUntitledRecordTheTextBeforeLeft)
{
    IssueStore store =
        parse({QStringLiteral("Date: notice"), S(DividerB), QStringLiteral("x"), S(DividerC)});
    ASSERT_FALSE(store.puzzles[1].TyuukiText.isEmpty());
    parseIssues(LineArray(titledIssue(QStringLiteral("一"))), store);
    ASSERT_EQ(store.lastIndex(), 1);
    EXPECT_TRUE(store.puzzles[1].SendTime.isEmpty()) << "not even the date passes on";
    EXPECT_TRUE(store.puzzles[1].TyuukiText.isEmpty());
}

TEST(Parser, CharactersOutsideTheBmpCountAsOne)
{
    const IssueStore store =
        parse({QStringLiteral("◇𠀋◇"), QString(), QStringLiteral("　　𠀋Ｂ"),
               QStringLiteral("𩸽𠀋■□　𩸽"), QStringLiteral("　ｂ𠀋□"), QString()});
    const PuzzleRecord &r = store.puzzles[1];
    EXPECT_EQ(r.Title, QStringLiteral("𠀋"));
    EXPECT_EQ(r.ColLabels, (QStringList{QString(), QStringLiteral("𠀋"), QStringLiteral("Ｂ")}));
    EXPECT_EQ(r.RowLabels, (QStringList{QString(), QStringLiteral("𠀋"), QStringLiteral("ｂ")}));
    EXPECT_EQ(r.GridNote, QStringLiteral("𩸽"));
    EXPECT_EQ(r.Cells, (QStringList{QString(), QStringLiteral("■□"), QStringLiteral("𠀋□")}));
}

TEST(Parser, CellsHoldEachRowsCharacterAtTheLabelPositions)
{
    const struct
    {
        QString header;
        QStringList rows;
        QStringList cells;
    } cases[] = {
        // A short row is padded with U+3000; a grid note is not a cell.
        {u"　　ＡＢＣ"_s,
         {u"　ａ□■□　注"_s, u"　ｂ□"_s, u"　ｃ■"_s},
         {u"□■□"_s, u"□　　"_s, u"■　　"_s}},
        // A row without a label is no row; a one-character line is one, without cells.
        {u"　　ＡＢＣ"_s,
         {u"　　□□□"_s, u"x"_s, u"　ｂあ■い"_s},
         {u"　　　"_s, u"あ■い"_s, QString()}},
        // A gap in the header is no column.
        {u"　　Ａ　Ｂ"_s, {u"　ａ■□□"_s}, {u"■□"_s, QString()}},
        // Rows beyond N are ignored.
        {u"　　Ａ"_s, {u"　ａ□"_s, u"　ｂ■"_s}, {u"□"_s}},
    };
    for (const auto &c : cases) {
        const QStringList lines =
            QStringList{u"◇t◇"_s, QString(), c.header} + c.rows + QStringList{QString()};
        EXPECT_EQ(parse(lines).puzzles[1].Cells, QStringList{QString()} + c.cells)
            << c.rows.join(u'/').toStdString();
    }
}

TEST(Parser, LabelsSharingALowByteKeepTheirOwnCharacters)
{
    // あいう are U+3042, U+3044, U+3046 and ｂｄｆ U+FF42, U+FF44, U+FF46: labels shared by
    // anything less than the whole character mix them up.
    const IssueStore store = parse({u"◇t◇"_s, QString(), u"　　あいう"_s, u"　ｂ□□□"_s,
                                    u"　ｄ□□□"_s, u"　ｆ□□□"_s, QString()});
    const PuzzleRecord &r = store.puzzles[1];
    EXPECT_EQ(r.ColLabels, (QStringList{QString(), u"あ"_s, u"い"_s, u"う"_s}));
    EXPECT_EQ(r.RowLabels, (QStringList{QString(), u"ｂ"_s, u"ｄ"_s, u"ｆ"_s}));
}
