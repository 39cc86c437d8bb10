#include "PrintJob.h"
#include "IssuePage.h"
#include "PackedRecords.h"
#include "RecordingPrinter.h"
#include "SampleIssue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

class PrintJobTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        printer = std::make_shared<RecordingPrinter>(QStringLiteral("Recorder"), 200, 287);
    }

    // Prints one record with the top-left placement and returns the page's calls.
    void printOne(const PuzzleRecord &record)
    {
        puzzles = {PuzzleRecord{}, record};
        ASSERT_EQ(printIssuePages(*printer, {{true, 1}}, puzzles, PagePlacement::TopLeft), 1);
    }
    QList<RecordedCall> linesWith(int flags) const
    {
        QList<RecordedCall> found;
        for (const auto &line : printer->lines()) {
            if (line.numbers.at(0) == flags)
                found << line;
        }
        return found;
    }
    // The print of a text that is drawn whole; fails the test when it is missing.
    RecordedCall printOf(const QString &text) const { return printOfOn(*printer, text); }
    static RecordedCall printOfOn(const RecordingPrinter &on, const QString &text)
    {
        for (const auto &print : on.prints()) {
            if (print.text == text)
                return print;
        }
        ADD_FAILURE() << "not printed: " << text.toStdString();
        return {};
    }
    bool printed(const QString &text) const
    {
        const auto prints = printer->prints();
        return std::any_of(prints.begin(), prints.end(),
                           [&](const RecordedCall &p) { return p.text == text; });
    }

    std::shared_ptr<RecordingPrinter> printer;
    PackedRecords puzzles;
};

MATCHER_P5(IsLine, flags, x1, y1, x2, y2, "")
{
    return arg.numbers.at(0) == flags && float(arg.numbers.at(1)) == float(x1) &&
           float(arg.numbers.at(2)) == float(y1) && float(arg.numbers.at(3)) == float(x2) &&
           float(arg.numbers.at(4)) == float(y2);
}

TEST_F(PrintJobTest, GridOfTenSitsAtX15To75AndY24To84)
{
    printOne(sampleIssue(10, 10, 4, 0));
    ASSERT_EQ(linesWith(28).size(), 1);
    EXPECT_THAT(linesWith(28).front(), IsLine(28, 15, 24, 60, 60));
    EXPECT_EQ(linesWith(28).front().drawWidth, 5);
    const auto inner = linesWith(12);
    ASSERT_EQ(inner.size(), 18);
    EXPECT_THAT(inner.at(0), IsLine(12, 21, 24, 0, 60)); // left edge of column 2
    EXPECT_THAT(inner.at(1), IsLine(12, 15, 30, 60, 0)); // top edge of row 2
    EXPECT_THAT(inner.at(17), IsLine(12, 15, 78, 60, 0));
    for (const auto &line : inner)
        EXPECT_EQ(line.drawWidth, 1);

    // Labels centred in their 6 mm cells: an 11 pt label is 3.3 wide and 5.5 high here.
    const auto a = printOf(QStringLiteral("Ａ"));
    EXPECT_FLOAT_EQ(a.X, (15 + 21 - 3.3f) / 2);
    EXPECT_FLOAT_EQ(a.Y, (18 + 24 - 5.5f) / 2);
    EXPECT_EQ(a.font, (PrinterFont{QStringLiteral("ＭＳ Ｐゴシック"), 11}));
    EXPECT_FLOAT_EQ(printOf(QStringLiteral("Ｊ")).X, (69 + 75 - 3.3f) / 2);
    const auto rowA = printOf(QStringLiteral("ａ"));
    EXPECT_FLOAT_EQ(rowA.X, (9 + 15 - 3.3f) / 2);
    EXPECT_FLOAT_EQ(rowA.Y, (24 + 30 - 5.5f) / 2);

    // The first hint's bottom at 89.5 (8 pt: 4 mm high).
    const auto hint = printOf(QStringLiteral("ヒント1"));
    EXPECT_FLOAT_EQ(hint.Y + 4, 89.5f);
    EXPECT_FLOAT_EQ(hint.X, 1);
    EXPECT_EQ(hint.font, (PrinterFont{QStringLiteral("ＭＳ ゴシック"), 8}));
}

TEST_F(PrintJobTest, GridOriginFollowsTheSize)
{
    struct Case
    {
        qint32 n;
        float outlineX;
    };
    for (const Case &c : {Case{13, 6}, Case{1, 42}, Case{14, 3}}) {
        SCOPED_TRACE(c.n);
        printer->calls.clear();
        printOne(sampleIssue(c.n, c.n, 0, 0));
        EXPECT_THAT(linesWith(28).front(), IsLine(28, c.outlineX, 24, 6 * c.n, 6 * c.n));
        EXPECT_EQ(linesWith(12).size(), 2 * (c.n - 1));
    }
    // Size 14 puts the row labels left of x 0: X0 = −3.
    EXPECT_FLOAT_EQ(printOf(QStringLiteral("ａ")).X, (-3 + 3 - 3.3f) / 2);
}

TEST_F(PrintJobTest, RecordWithoutTitleBlockShrinksTheGridToAPoint)
{
    PuzzleRecord record; // no labels at all, ColCount 0
    record.HintLines << QStringLiteral("ヒント");
    printOne(record);
    EXPECT_THAT(linesWith(28).front(), IsLine(28, 45, 24, 0, 0));
    EXPECT_TRUE(linesWith(12).isEmpty());
    EXPECT_FLOAT_EQ(printOf(QStringLiteral("ヒント")).Y + 4, 26 + 3.5f);
    // Nothing but the header (spread), the credit line and the hint: empty texts print nothing.
    EXPECT_EQ(printer->prints().size(), 1 + 8 + 1 + 1);
}

TEST_F(PrintJobTest, HeavyRulesAndTheCommentStartWithoutHints)
{
    printOne(sampleIssue(5, 5, 0, 1));
    const auto rules = linesWith(4);
    ASSERT_EQ(rules.size(), 2);
    EXPECT_THAT(rules.at(0), IsLine(4, 1, 17, 85, 17));
    EXPECT_THAT(rules.at(1), IsLine(4, 1, 27 + 30, 85, 27 + 30));
    for (const auto &rule : rules)
        EXPECT_EQ(rule.drawWidth, 5);
    const auto comment = printOf(QStringLiteral("コメント1"));
    EXPECT_FLOAT_EQ(comment.Y + 4, 31 + 30);
    EXPECT_EQ(comment.font, (PrinterFont{QStringLiteral("ＭＳ 明朝"), 8}));
}

TEST_F(PrintJobTest, CommentsAreCutOffAfterLine18)
{
    const QString mark = QStringLiteral("（以下印刷省略）");
    printOne(sampleIssue(10, 10, 4, 18));
    EXPECT_THAT(linesWith(4).at(1), IsLine(4, 1, 101, 85, 101));
    EXPECT_FLOAT_EQ(printOf(QStringLiteral("コメント18")).Y + 4, 156);
    EXPECT_FALSE(printed(mark));

    for (int comments : {19, 25}) {
        SCOPED_TRACE(comments);
        printer->calls.clear();
        printOne(sampleIssue(10, 10, 4, comments));
        EXPECT_TRUE(printed(QStringLiteral("コメント18")));
        EXPECT_FALSE(printed(QStringLiteral("コメント19")));
        const auto cut = printOf(mark);
        EXPECT_EQ(cut.font, (PrinterFont{QStringLiteral("ＭＳ 明朝"), 6}));
        EXPECT_FLOAT_EQ(cut.Y + 3, 159);
        EXPECT_FLOAT_EQ(cut.X, 0);
    }
}

TEST_F(PrintJobTest, FooterMovesBelowHintsThatReachIt)
{
    const struct
    {
        int hints, comments;
        float credit; // the credit line's bottom
    } cases[] = {{20, 0, 162}, {22, 0, 166}, {30, 0, 194}, {30, 3, 199}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.hints << " hints, " << c.comments << " comments");
        printer->calls.clear();
        const PuzzleRecord record = sampleIssue(1, 10, c.hints, c.comments);
        printOne(record);
        EXPECT_TRUE(printed(QStringLiteral("ヒント%1").arg(c.hints)));
        EXPECT_FLOAT_EQ(printOf(creditLine(record)).Y + 3, c.credit);
        EXPECT_FLOAT_EQ(printOf(QStringLiteral("発信時刻：") + record.SendTime).Y + 3,
                        c.credit + 3);
    }
}

TEST_F(PrintJobTest, CreditLineForms)
{
    PuzzleRecord record;
    EXPECT_EQ(creditLine(record), QStringLiteral("印刷ソフト作成：kesa.tn"));
    record.MagazineId = QStringLiteral("123");
    EXPECT_EQ(creditLine(record), QStringLiteral("まぐまぐＩＤ：123  印刷ソフト作成：kesa.tn"));
    record.Publisher = QStringLiteral("編集部");
    EXPECT_EQ(creditLine(record),
              QStringLiteral("発行責任者：編集部  まぐまぐＩＤ：123  印刷ソフト作成：kesa.tn"));
    record.MagazineId.clear();
    EXPECT_EQ(creditLine(record), QStringLiteral("発行責任者：編集部  印刷ソフト作成：kesa.tn"));
}

TEST_F(PrintJobTest, HeaderTitleAndFooterTexts)
{
    PuzzleRecord record = sampleIssue(3, 3, 0, 0);
    printOne(record);
    struct Expected
    {
        QString text;
        const char16_t *face;
        float size, bottom;
    };
    const QString credit = creditLine(record);
    for (const Expected &e :
         {Expected{record.TitleLine, u"ＭＳ Ｐゴシック", 9, 10},
          Expected{record.GridNote, u"ＭＳ Ｐ明朝", 9, 15},
          Expected{credit, u"ＭＳ Ｐ明朝", 6, 162},
          Expected{QStringLiteral("発信時刻：") + record.SendTime, u"ＭＳ Ｐ明朝", 6, 165}}) {
        SCOPED_TRACE(e.text.toStdString());
        const auto print = printOf(e.text);
        EXPECT_EQ(print.font, (PrinterFont{QString::fromUtf16(e.face), e.size}));
        EXPECT_FLOAT_EQ(print.Y + e.size * RecordingPrinter::heightPerPoint, e.bottom);
        const float width = float(e.text.size()) * e.size * RecordingPrinter::widthPerPoint;
        EXPECT_FLOAT_EQ(print.X, (87 - width) / 2);
    }
    const auto header = printer->prints().mid(1, 8); // after beginJob's blank
    EXPECT_EQ(header.front().text, QStringLiteral("－"));
    EXPECT_FLOAT_EQ(header.front().X, 10);
    EXPECT_NEAR(header.back().X + 3.3, 77, 1e-4);
    EXPECT_EQ(header.back().font, (PrinterFont{QStringLiteral("ＭＳ Ｐゴシック"), 11}));

    printer->calls.clear();
    record.SendTime.clear();
    printOne(record);
    for (const auto &print : printer->prints())
        EXPECT_FALSE(print.text.startsWith(QStringLiteral("発信時刻")));
}

TEST_F(PrintJobTest, CheckedEntriesInListOrderOnePageEach)
{
    puzzles = {PuzzleRecord{}, sampleIssue(1, 1, 0, 0), sampleIssue(2, 2, 0, 0),
               sampleIssue(3, 3, 0, 0)};
    const QList<PrintListEntry> entries = {{true, 3}, {false, 2}, {true, 1}};
    EXPECT_EQ(printIssuePages(*printer, entries, puzzles, PagePlacement::TopLeft), 2);
    QStringList titles;
    for (const auto &print : printer->prints()) {
        if (print.text.startsWith(QStringLiteral("◇")))
            titles << print.text;
    }
    EXPECT_EQ(titles, (QStringList{puzzles[3].TitleLine, puzzles[1].TitleLine}));
    EXPECT_EQ(printer->callsOf(QStringLiteral("NewPage")).size(), 2);
    EXPECT_EQ(printer->callsOf(QStringLiteral("EndDoc")).size(), 1);
    EXPECT_EQ(printer->calls.back().member, QStringLiteral("EndDoc"));
    EXPECT_EQ(printer->pages(), 2); // the break before endDoc adds no page
}

TEST_F(PrintJobTest, NothingCheckedBeginsNoDocument)
{
    puzzles = {PuzzleRecord{}, sampleIssue(1, 1, 0, 0)};
    EXPECT_EQ(printIssuePages(*printer, {{false, 1}}, puzzles, PagePlacement::Centre), 0);
    EXPECT_EQ(printIssuePages(*printer, {}, puzzles, PagePlacement::Centre), 0);
    EXPECT_TRUE(printer->calls.isEmpty());
}

TEST_F(PrintJobTest, FailureWhileDrawingAbandonsTheDocument)
{
    printer->failAtOutput = 40;
    puzzles = {PuzzleRecord{}, sampleIssue(10, 10, 4, 4), sampleIssue(10, 10, 4, 4)};
    EXPECT_THROW(printIssuePages(*printer, {{true, 1}, {true, 2}}, puzzles, PagePlacement::TopLeft),
                 PrinterError);
    EXPECT_EQ(printer->calls.back().member, QStringLiteral("KillDoc"));
    EXPECT_TRUE(printer->callsOf(QStringLiteral("EndDoc")).isEmpty());
    EXPECT_EQ(printer->pages(), 0);
}

TEST_F(PrintJobTest, SettingsDoNotDependOnThePageBefore)
{
    puzzles = {PuzzleRecord{}, sampleIssue(4, 4, 2, 2), sampleIssue(4, 4, 2, 2)};
    printIssuePages(*printer, {{true, 1}, {true, 2}}, puzzles, PagePlacement::TopLeft);
    QList<RecordedCall> pages[2];
    int page = 0;
    for (const auto &call : printer->calls) {
        if (call.member == QLatin1String("NewPage"))
            ++page;
        else if (page < 2 &&
                 (call.member == QLatin1String("Print") || call.member == QLatin1String("Line")))
            pages[page] << call;
    }
    pages[0].removeFirst(); // beginJob's blank
    ASSERT_EQ(pages[0].size(), pages[1].size());
    for (qsizetype i = 0; i < pages[0].size(); ++i) {
        EXPECT_EQ(pages[0][i].text, pages[1][i].text);
        EXPECT_EQ(pages[0][i].numbers, pages[1][i].numbers);
        EXPECT_EQ(pages[0][i].font, pages[1][i].font);
        if (pages[0][i].member == QLatin1String("Line")) { // the pen does not touch text
            EXPECT_EQ(pages[0][i].drawWidth, pages[1][i].drawWidth);
        }
        EXPECT_EQ(pages[0][i].X, pages[1][i].X);
        EXPECT_EQ(pages[0][i].Y, pages[1][i].Y);
    }
}

} // namespace

TEST_F(PrintJobTest, CellsTakeTheMailsSquaresAndCharacters)
{
    PuzzleRecord record = sampleIssue(1, 3, 0, 0); // X0 = 30: cells from x 36, y 24
    record.Cells = {QString(), QStringLiteral("■□Ｘ"), QStringLiteral("\u3000𠀋"),
                    QStringLiteral("■■"), QStringLiteral("■■■")};
    puzzles = {PuzzleRecord{}, record};
    printIssuePages(*printer, {{true, 1}}, puzzles,
                    {PagePlacement::TopLeft, PageLayout::Single, true});
    EXPECT_THAT(linesWith(60),
                ::testing::ElementsAre(IsLine(60, 36, 24, 6, 6), IsLine(60, 36, 36, 6, 6),
                                       IsLine(60, 42, 36, 6, 6)));
    const auto given = printOf(QStringLiteral("Ｘ"));
    EXPECT_FLOAT_EQ(given.X, (48 + 54 - 3.3f) / 2);
    EXPECT_FLOAT_EQ(given.Y, (24 + 30 - 5.5f) / 2);
    EXPECT_EQ(given.font, (PrinterFont{QStringLiteral("ＭＳ Ｐゴシック"), 11}));
    EXPECT_FLOAT_EQ(printOf(QStringLiteral("𠀋")).X, (42 + 48 - 3.3f) / 2);
    for (const QString &empty : {QStringLiteral("□"), QStringLiteral("\u3000")})
        EXPECT_FALSE(printed(empty));

    printer->calls.clear();
    printOne(record); // the option off: the empty grid
    EXPECT_TRUE(linesWith(60).isEmpty());
    EXPECT_FALSE(printed(QStringLiteral("Ｘ")));
}

// The recorder's 8 pt character is 2.4 mm: 90 of them are wider than any frame of A4.
TEST_F(PrintJobTest, LongLinesWrapAtTheFrameEdgeAndTakeLinePlaces)
{
    const QString hint(90, QChar(u'あ'));
    PuzzleRecord record = sampleIssue(1, 10, 0, 1);
    record.HintLines << QStringLiteral("ヒント1") << hint;
    for (const PageLayout layout : {PageLayout::Single, PageLayout::Two, PageLayout::Large}) {
        SCOPED_TRACE(int(layout));
        printer->calls.clear();
        puzzles = {PuzzleRecord{}, record};
        printIssuePages(*printer, {{true, 1}}, puzzles, {PagePlacement::TopLeft, layout});
        const float right = printer->scaleLeft() + printer->scaleWidth();
        QString joined;
        int lines = 0;
        for (const auto &print : printer->prints()) {
            if (!print.text.startsWith(u'あ'))
                continue;
            ++lines;
            joined += print.text;
            EXPECT_FLOAT_EQ(print.X, 1);
            EXPECT_LE(print.X + float(print.text.size()) * 2.4f, right);
            EXPECT_EQ(print.font.size, 8); // wrapped, not shrunk
            EXPECT_FLOAT_EQ(print.Y + 4, 86 + 3.5f * float(lines + 1));
        }
        EXPECT_EQ(joined, hint);
        EXPECT_EQ(lines, int(std::ceil(90 * 2.4 / (right - 1))));
        const float rule = 86 + 3.5f * float(lines + 1) + 1;
        EXPECT_THAT(linesWith(4).at(1), IsLine(4, 1, rule, 85, rule));
        EXPECT_FLOAT_EQ(printOf(QStringLiteral("コメント1")).Y + 4, rule + 4);
    }
}

// A two-up half of A4 is 100 mm: a 40-character title (108 mm at 9 pt) is set smaller to
// fit it, an 80-character one wraps at 6 pt and moves the rest of the page down a line.
TEST_F(PrintJobTest, WideTitlesShrinkThenWrap)
{
    const struct
    {
        int characters;
        float size;
        int lines;
    } cases[] = {{30, 9, 1}, {40, 9 * 100 / 108.0f, 1}, {80, 6, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.characters);
        printer->calls.clear();
        PuzzleRecord record = sampleIssue(1, 10, 1, 0);
        record.TitleLine = QString(c.characters, QChar(u'題'));
        puzzles = {PuzzleRecord{}, record};
        printIssuePages(*printer, {{true, 1}}, puzzles, {PagePlacement::TopLeft, PageLayout::Two});
        QString joined;
        QList<float> bottoms;
        for (const auto &print : printer->prints()) {
            if (!print.text.startsWith(u'題'))
                continue;
            joined += print.text;
            bottoms << print.Y + c.size * RecordingPrinter::heightPerPoint;
            EXPECT_NEAR(print.font.size, c.size, 0.1);
            EXPECT_GE(print.X, -4.5f);
            EXPECT_LE(print.X + float(print.text.size()) * print.font.size * 0.3f, 95.5f + 1e-3f);
        }
        EXPECT_EQ(joined, record.TitleLine);
        ASSERT_EQ(bottoms.size(), c.lines);
        EXPECT_FLOAT_EQ(bottoms.front(), 10);
        // Everything under the title moves down by the added lines, and back for the next page.
        const float added = 3 * float(c.lines - 1);
        float topAtRule = 1;
        for (const auto &call : printer->calls) {
            if (call.member == QLatin1String("SetScaleTop"))
                topAtRule = float(call.numbers.at(0));
            else if (call.member == QLatin1String("Line"))
                break;
        }
        EXPECT_FLOAT_EQ(topAtRule, -added);
        EXPECT_THAT(linesWith(4).front(), IsLine(4, 1, 17, 85, 17));
        EXPECT_EQ(printer->scaleTop(), 0);
    }
}

// Comment 17 takes two lines (90 characters of 2.4 mm in 194.5 mm): the 18 lines above the
// footer are full one comment earlier.
TEST_F(PrintJobTest, WrappedCommentsBringTheCutOffForward)
{
    PuzzleRecord record = sampleIssue(10, 10, 4, 18);
    record.CommentLines[17] = QString(90, QChar(u'話'));
    printOne(record);
    EXPECT_FALSE(printed(QStringLiteral("コメント18")));
    EXPECT_FLOAT_EQ(printOf(QStringLiteral("（以下印刷省略）")).Y + 3, 159);
    EXPECT_FLOAT_EQ(printOf(creditLine(record)).Y + 3, 162);
}

// The frame an issue is drawn in: a two-up half shrinks for whichever of its width and the
// paper's height is short of the layout, an enlarged page for the shorter side.
TEST_F(PrintJobTest, FrameZoomFollowsTheShortSide)
{
    const struct
    {
        const char *name;
        float width, height;
        PageLayout layout;
        PageFrame frame;
    } cases[] = {
        {"two-up A4", 200, 287, PageLayout::Two, {0, 0, 100, 287, 1}},
        {"two-up B5", 172, 247, PageLayout::Two, {0, 0, 86, 247, 86.0f / 95}},
        {"two-up landscape A5", 200, 138, PageLayout::Two, {0, 0, 100, 138, 138.0f / 170}},
        {"large A4", 200, 287, PageLayout::Large, {0, 0, 200, 287, 287.0f / 170}},
        {"large landscape A5", 200, 138, PageLayout::Large, {0, 0, 200, 138, 138.0f / 170}},
    };
    puzzles = {PuzzleRecord{}, sampleIssue(1, 5, 1, 1)};
    for (const auto &c : cases) {
        RecordingPrinter paper(QStringLiteral("Paper"), c.width, c.height);
        printIssuePages(paper, {{true, 1}}, puzzles, {PagePlacement::TopLeft, c.layout});
        ASSERT_GE(paper.prints().size(), 2) << c.name;
        EXPECT_EQ(paper.prints().at(1).frame, c.frame) << c.name; // after beginJob's blank
    }
}

// Column labels are set smaller with their cells, so that they stay inside them.
TEST_F(PrintJobTest, LabelsShrinkWithTheirCells)
{
    const struct
    {
        const char *name;
        qint32 n;
        PageLayout layout;
        double cell;
    } cases[] = {
        {"ten columns", 10, PageLayout::Single, 6},
        {"forty columns", 40, PageLayout::Single, 200.0 / 41},
        {"forty columns in a two-up half", 40, PageLayout::Two, 100.0 / 41},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPrinter a4(QStringLiteral("A4"), 200, 287);
        puzzles = {PuzzleRecord{}, sampleIssue(1, c.n, 1, 1)};
        printIssuePages(a4, {{true, 1}}, puzzles, {PagePlacement::TopLeft, c.layout});
        const RecordedCall label = printOfOn(a4, QStringLiteral("Ｂ"));
        EXPECT_NEAR(label.font.size, 11 * c.cell / 6, 1e-4);
        EXPECT_GE(label.Y, 18 - 1e-4);
        EXPECT_LE(label.Y + label.font.size * RecordingPrinter::heightPerPoint, 18 + c.cell + 1e-4);
    }
}
