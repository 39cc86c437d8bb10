#include "PrintJob.h"
#include "IssuePage.h"
#include "PuzzleRecord.h"
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
    void PrintOne(const PuzzleRecord &record)
    {
        puzzles = {PuzzleRecord{}, record};
        ASSERT_EQ(PrintIssuePages(*printer, {{true, 1}}, puzzles, PagePlacement::TopLeft), 1);
    }
    QList<RecordedCall> LinesWith(int flags) const
    {
        QList<RecordedCall> found;
        for (const auto &line : printer->Lines()) {
            if (line.Numbers.at(0) == flags)
                found << line;
        }
        return found;
    }
    // The print of a text that is drawn whole; fails the test when it is missing.
    RecordedCall PrintOf(const QString &text) const
    {
        for (const auto &print : printer->Prints()) {
            if (print.Text == text)
                return print;
        }
        ADD_FAILURE() << "not printed: " << text.toStdString();
        return {};
    }
    bool Printed(const QString &text) const
    {
        const auto prints = printer->Prints();
        return std::any_of(prints.begin(), prints.end(),
                           [&](const RecordedCall &p) { return p.Text == text; });
    }

    std::shared_ptr<RecordingPrinter> printer;
    QList<PuzzleRecord> puzzles;
};

MATCHER_P5(IsLine, flags, x1, y1, x2, y2, "")
{
    return arg.Numbers.at(0) == flags && float(arg.Numbers.at(1)) == float(x1) &&
           float(arg.Numbers.at(2)) == float(y1) && float(arg.Numbers.at(3)) == float(x2) &&
           float(arg.Numbers.at(4)) == float(y2);
}

TEST_F(PrintJobTest, PlacementsOnA200By287PrintableArea)
{
    struct Case
    {
        PagePlacement placement;
        float left, top;
    };
    for (const Case &c :
         {Case{PagePlacement::TopLeft, -4.5f, 0}, Case{PagePlacement::CentreLeft, -4.5f, -58.5f},
          Case{PagePlacement::Centre, -60.5f, -58.5f}}) {
        printer->Calls.clear();
        PrintIssuePages(*printer, {{true, 1}}, {PuzzleRecord{}, SampleIssue(3, 3, 1, 1)},
                        c.placement);
        EXPECT_EQ(printer->ScaleLeft(), c.left);
        EXPECT_EQ(printer->ScaleTop(), c.top);
    }
}

TEST_F(PrintJobTest, GridOfTenSitsAtX15To75AndY24To84)
{
    PrintOne(SampleIssue(10, 10, 4, 0));
    ASSERT_EQ(LinesWith(28).size(), 1);
    EXPECT_THAT(LinesWith(28).front(), IsLine(28, 15, 24, 60, 60));
    EXPECT_EQ(LinesWith(28).front().DrawWidth, 5);
    const auto inner = LinesWith(12);
    ASSERT_EQ(inner.size(), 18);
    EXPECT_THAT(inner.at(0), IsLine(12, 21, 24, 0, 60)); // left edge of column 2
    EXPECT_THAT(inner.at(1), IsLine(12, 15, 30, 60, 0)); // top edge of row 2
    EXPECT_THAT(inner.at(17), IsLine(12, 15, 78, 60, 0));
    for (const auto &line : inner)
        EXPECT_EQ(line.DrawWidth, 1);

    // Labels centred in their 6 mm cells: an 11 pt label is 3.3 wide and 5.5 high here.
    const auto a = PrintOf(QStringLiteral("Ａ"));
    EXPECT_FLOAT_EQ(a.X, (15 + 21 - 3.3f) / 2);
    EXPECT_FLOAT_EQ(a.Y, (18 + 24 - 5.5f) / 2);
    EXPECT_EQ(a.Font, (PrinterFont{QStringLiteral("ＭＳ Ｐゴシック"), 11}));
    EXPECT_FLOAT_EQ(PrintOf(QStringLiteral("Ｊ")).X, (69 + 75 - 3.3f) / 2);
    const auto rowA = PrintOf(QStringLiteral("ａ"));
    EXPECT_FLOAT_EQ(rowA.X, (9 + 15 - 3.3f) / 2);
    EXPECT_FLOAT_EQ(rowA.Y, (24 + 30 - 5.5f) / 2);

    // The first hint's bottom at 89.5 (8 pt: 4 mm high).
    const auto hint = PrintOf(QStringLiteral("ヒント1"));
    EXPECT_FLOAT_EQ(hint.Y + 4, 89.5f);
    EXPECT_FLOAT_EQ(hint.X, 1);
    EXPECT_EQ(hint.Font, (PrinterFont{QStringLiteral("ＭＳ ゴシック"), 8}));
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
        printer->Calls.clear();
        PrintOne(SampleIssue(c.n, c.n, 0, 0));
        EXPECT_THAT(LinesWith(28).front(), IsLine(28, c.outlineX, 24, 6 * c.n, 6 * c.n));
        EXPECT_EQ(LinesWith(12).size(), 2 * (c.n - 1));
    }
    // Size 14 puts the row labels left of x 0: X0 = −3.
    EXPECT_FLOAT_EQ(PrintOf(QStringLiteral("ａ")).X, (-3 + 3 - 3.3f) / 2);
}

TEST_F(PrintJobTest, GridOfOneHasTheOutlineAndOneLabelEach)
{
    PrintOne(SampleIssue(1, 1, 0, 0));
    EXPECT_TRUE(LinesWith(12).isEmpty());
    EXPECT_TRUE(Printed(QStringLiteral("Ａ")));
    EXPECT_TRUE(Printed(QStringLiteral("ａ")));
    EXPECT_FALSE(Printed(QStringLiteral("Ｂ")));
}

TEST_F(PrintJobTest, RecordWithoutTitleBlockShrinksTheGridToAPoint)
{
    PuzzleRecord record; // no labels at all, ColCount 0
    record.HintLines << QStringLiteral("ヒント");
    PrintOne(record);
    EXPECT_THAT(LinesWith(28).front(), IsLine(28, 45, 24, 0, 0));
    EXPECT_TRUE(LinesWith(12).isEmpty());
    EXPECT_FLOAT_EQ(PrintOf(QStringLiteral("ヒント")).Y + 4, 26 + 3.5f);
    // Nothing but the header (spread), the credit line and the hint: empty texts print nothing.
    EXPECT_EQ(printer->Prints().size(), 1 + 8 + 1 + 1);
}

TEST_F(PrintJobTest, HeavyRulesAndTheCommentStartWithoutHints)
{
    PrintOne(SampleIssue(5, 5, 0, 1));
    const auto rules = LinesWith(4);
    ASSERT_EQ(rules.size(), 2);
    EXPECT_THAT(rules.at(0), IsLine(4, 1, 17, 85, 17));
    EXPECT_THAT(rules.at(1), IsLine(4, 1, 27 + 30, 85, 27 + 30));
    for (const auto &rule : rules)
        EXPECT_EQ(rule.DrawWidth, 5);
    const auto comment = PrintOf(QStringLiteral("コメント1"));
    EXPECT_FLOAT_EQ(comment.Y + 4, 31 + 30);
    EXPECT_EQ(comment.Font, (PrinterFont{QStringLiteral("ＭＳ 明朝"), 8}));
}

TEST_F(PrintJobTest, CommentsAreCutOffAfterLine18)
{
    const QString mark = QStringLiteral("（以下印刷省略）");
    PrintOne(SampleIssue(10, 10, 4, 18));
    EXPECT_THAT(LinesWith(4).at(1), IsLine(4, 1, 101, 85, 101));
    EXPECT_FLOAT_EQ(PrintOf(QStringLiteral("コメント18")).Y + 4, 156);
    EXPECT_FALSE(Printed(mark));

    for (int comments : {19, 25}) {
        SCOPED_TRACE(comments);
        printer->Calls.clear();
        PrintOne(SampleIssue(10, 10, 4, comments));
        EXPECT_TRUE(Printed(QStringLiteral("コメント18")));
        EXPECT_FALSE(Printed(QStringLiteral("コメント19")));
        const auto cut = PrintOf(mark);
        EXPECT_EQ(cut.Font, (PrinterFont{QStringLiteral("ＭＳ 明朝"), 6}));
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
    } cases[] = {{4, 18, 162}, {4, 25, 162}, {20, 0, 162},
                 {22, 0, 166}, {30, 0, 194}, {30, 3, 199}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.hints << " hints, " << c.comments << " comments");
        printer->Calls.clear();
        const PuzzleRecord record = SampleIssue(1, 10, c.hints, c.comments);
        PrintOne(record);
        EXPECT_TRUE(Printed(QStringLiteral("ヒント%1").arg(c.hints)));
        EXPECT_FLOAT_EQ(PrintOf(CreditLine(record)).Y + 3, c.credit);
        EXPECT_FLOAT_EQ(PrintOf(QStringLiteral("発信時刻：") + record.SendTime).Y + 3,
                        c.credit + 3);
    }
}

TEST_F(PrintJobTest, DocumentNameIsTheFirstTitleAndHowManyFollow)
{
    PuzzleRecord untitled = SampleIssue(2, 3, 0, 0);
    untitled.Title.clear();
    EXPECT_EQ(DocumentName(SampleIssue(1, 3, 0, 0), 1), QStringLiteral("◇第1回◇"));
    EXPECT_EQ(DocumentName(SampleIssue(1, 3, 0, 0), 6), QStringLiteral("◇第1回◇ ほか 5 問"));
    EXPECT_EQ(DocumentName(untitled, 2), QStringLiteral("◇◇ ほか 1 問"));
}

TEST_F(PrintJobTest, CreditLineForms)
{
    PuzzleRecord record;
    EXPECT_EQ(CreditLine(record), QStringLiteral("印刷ソフト作成：kesa.tn"));
    record.MagazineId = QStringLiteral("123");
    EXPECT_EQ(CreditLine(record), QStringLiteral("まぐまぐＩＤ：123  印刷ソフト作成：kesa.tn"));
    record.Publisher = QStringLiteral("編集部");
    EXPECT_EQ(CreditLine(record),
              QStringLiteral("発行責任者：編集部  まぐまぐＩＤ：123  印刷ソフト作成：kesa.tn"));
    record.MagazineId.clear();
    EXPECT_EQ(CreditLine(record), QStringLiteral("発行責任者：編集部  印刷ソフト作成：kesa.tn"));
}

TEST_F(PrintJobTest, HeaderTitleAndFooterTexts)
{
    PuzzleRecord record = SampleIssue(3, 3, 0, 0);
    PrintOne(record);
    struct Expected
    {
        QString text;
        const char16_t *face;
        float size, bottom;
    };
    const QString credit = CreditLine(record);
    for (const Expected &e :
         {Expected{record.TitleLine, u"ＭＳ Ｐゴシック", 9, 10},
          Expected{record.GridNote, u"ＭＳ Ｐ明朝", 9, 15},
          Expected{credit, u"ＭＳ Ｐ明朝", 6, 162},
          Expected{QStringLiteral("発信時刻：") + record.SendTime, u"ＭＳ Ｐ明朝", 6, 165}}) {
        SCOPED_TRACE(e.text.toStdString());
        const auto print = PrintOf(e.text);
        EXPECT_EQ(print.Font, (PrinterFont{QString::fromUtf16(e.face), e.size}));
        EXPECT_FLOAT_EQ(print.Y + e.size * RecordingPrinter::HeightPerPoint, e.bottom);
        const float width = float(e.text.size()) * e.size * RecordingPrinter::WidthPerPoint;
        EXPECT_FLOAT_EQ(print.X, (87 - width) / 2);
    }
    const auto header = printer->Prints().mid(1, 8); // after BeginJob's blank
    EXPECT_EQ(header.front().Text, QStringLiteral("－"));
    EXPECT_FLOAT_EQ(header.front().X, 10);
    EXPECT_NEAR(header.back().X + 3.3, 77, 1e-4);
    EXPECT_EQ(header.back().Font, (PrinterFont{QStringLiteral("ＭＳ Ｐゴシック"), 11}));

    printer->Calls.clear();
    record.SendTime.clear();
    PrintOne(record);
    for (const auto &print : printer->Prints())
        EXPECT_FALSE(print.Text.startsWith(QStringLiteral("発信時刻")));
}

TEST_F(PrintJobTest, CheckedEntriesInListOrderOnePageEach)
{
    puzzles = {PuzzleRecord{}, SampleIssue(1, 1, 0, 0), SampleIssue(2, 2, 0, 0),
               SampleIssue(3, 3, 0, 0)};
    const QList<PrintListEntry> entries = {{true, 3}, {false, 2}, {true, 1}};
    EXPECT_EQ(PrintIssuePages(*printer, entries, puzzles, PagePlacement::TopLeft), 2);
    QStringList titles;
    for (const auto &print : printer->Prints()) {
        if (print.Text.startsWith(QStringLiteral("◇")))
            titles << print.Text;
    }
    EXPECT_EQ(titles, (QStringList{puzzles[3].TitleLine, puzzles[1].TitleLine}));
    EXPECT_EQ(printer->CallsOf(QStringLiteral("NewPage")).size(), 2);
    EXPECT_EQ(printer->CallsOf(QStringLiteral("EndDoc")).size(), 1);
    EXPECT_EQ(printer->Calls.back().Member, QStringLiteral("EndDoc"));
    EXPECT_EQ(printer->Pages(), 2); // the break before EndDoc adds no page
}

TEST_F(PrintJobTest, NothingCheckedBeginsNoDocument)
{
    puzzles = {PuzzleRecord{}, SampleIssue(1, 1, 0, 0)};
    EXPECT_EQ(PrintIssuePages(*printer, {{false, 1}}, puzzles, PagePlacement::Centre), 0);
    EXPECT_EQ(PrintIssuePages(*printer, {}, puzzles, PagePlacement::Centre), 0);
    EXPECT_TRUE(printer->Calls.isEmpty());
}

TEST_F(PrintJobTest, FailureWhileDrawingAbandonsTheDocument)
{
    printer->FailAtOutput = 40;
    puzzles = {PuzzleRecord{}, SampleIssue(10, 10, 4, 4), SampleIssue(10, 10, 4, 4)};
    EXPECT_THROW(PrintIssuePages(*printer, {{true, 1}, {true, 2}}, puzzles, PagePlacement::TopLeft),
                 PrinterError);
    EXPECT_EQ(printer->Calls.back().Member, QStringLiteral("KillDoc"));
    EXPECT_TRUE(printer->CallsOf(QStringLiteral("EndDoc")).isEmpty());
    EXPECT_EQ(printer->Pages(), 0);
}

TEST_F(PrintJobTest, SettingsDoNotDependOnThePageBefore)
{
    puzzles = {PuzzleRecord{}, SampleIssue(4, 4, 2, 2), SampleIssue(4, 4, 2, 2)};
    PrintIssuePages(*printer, {{true, 1}, {true, 2}}, puzzles, PagePlacement::TopLeft);
    QList<RecordedCall> pages[2];
    int page = 0;
    for (const auto &call : printer->Calls) {
        if (call.Member == QLatin1String("NewPage"))
            ++page;
        else if (page < 2 &&
                 (call.Member == QLatin1String("Print") || call.Member == QLatin1String("Line")))
            pages[page] << call;
    }
    pages[0].removeFirst(); // BeginJob's blank
    ASSERT_EQ(pages[0].size(), pages[1].size());
    for (qsizetype i = 0; i < pages[0].size(); ++i) {
        EXPECT_EQ(pages[0][i].Text, pages[1][i].Text);
        EXPECT_EQ(pages[0][i].Numbers, pages[1][i].Numbers);
        EXPECT_EQ(pages[0][i].Font, pages[1][i].Font);
        if (pages[0][i].Member == QLatin1String("Line")) { // the pen does not touch text
            EXPECT_EQ(pages[0][i].DrawWidth, pages[1][i].DrawWidth);
        }
        EXPECT_EQ(pages[0][i].X, pages[1][i].X);
        EXPECT_EQ(pages[0][i].Y, pages[1][i].Y);
    }
}

} // namespace

TEST_F(PrintJobTest, ThousandLabelGridShrinksIntoThePrintableWidth)
{
    PrintOne(SampleIssue(1, 1000, 1, 1));
    EXPECT_EQ(printer->Pages(), 1);
    const double cell = 200.0 / 1001;
    EXPECT_THAT(LinesWith(28),
                ::testing::ElementsAre(IsLine(28, float(-4.5 + cell), float(18 + cell),
                                              float(cell * 1000), float(cell * 1000))));
    EXPECT_EQ(LinesWith(12).size(), 2 * 999);
    EXPECT_EQ(printer->CallsOf(QStringLiteral("EndDoc")).size(), 1);
}

// On B5 a half is 86 mm wide: both issues of a sheet shrink to fit it, the third begins the
// next sheet in its left half.
TEST_F(PrintJobTest, TwoUpShrinksWhereAHalfIsNarrowerThanTheLayout)
{
    RecordingPrinter b5(QStringLiteral("B5"), 172, 247);
    puzzles = {PuzzleRecord{}, SampleIssue(1, 5, 1, 1), SampleIssue(2, 5, 1, 1),
               SampleIssue(3, 5, 1, 1)};
    int sheets = 0;
    EXPECT_EQ(PrintIssuePages(b5, {{true, 1}, {true, 2}, {true, 3}}, puzzles,
                              {PagePlacement::TopLeft, PageLayout::Two},
                              [&](int, int total) { sheets = total; }),
              2);
    EXPECT_EQ(sheets, 2);
    QList<PageFrame> frames;
    for (const auto &print : b5.Prints()) {
        if (print.Text.startsWith(QStringLiteral("◇")))
            frames << print.Frame;
    }
    const PageFrame left{0, 0, 86, 247, 86.0f / 95}, right{86, 0, 86, 247, 86.0f / 95};
    EXPECT_EQ(frames, (QList<PageFrame>{left, right, left}));
}

TEST_F(PrintJobTest, CellsTakeTheMailsSquaresAndCharacters)
{
    PuzzleRecord record = SampleIssue(1, 3, 0, 0); // X0 = 30: cells from x 36, y 24
    record.Cells = {QString(), QStringLiteral("■□Ｘ"), QStringLiteral("\u3000𠀋"),
                    QStringLiteral("■■"), QStringLiteral("■■■")};
    puzzles = {PuzzleRecord{}, record};
    PrintIssuePages(*printer, {{true, 1}}, puzzles,
                    {PagePlacement::TopLeft, PageLayout::Single, true});
    EXPECT_THAT(LinesWith(60),
                ::testing::ElementsAre(IsLine(60, 36, 24, 6, 6), IsLine(60, 36, 36, 6, 6),
                                       IsLine(60, 42, 36, 6, 6)));
    const auto given = PrintOf(QStringLiteral("Ｘ"));
    EXPECT_FLOAT_EQ(given.X, (48 + 54 - 3.3f) / 2);
    EXPECT_FLOAT_EQ(given.Y, (24 + 30 - 5.5f) / 2);
    EXPECT_EQ(given.Font, (PrinterFont{QStringLiteral("ＭＳ Ｐゴシック"), 11}));
    EXPECT_FLOAT_EQ(PrintOf(QStringLiteral("𠀋")).X, (42 + 48 - 3.3f) / 2);
    for (const QString &empty : {QStringLiteral("□"), QStringLiteral("\u3000")})
        EXPECT_FALSE(Printed(empty));

    printer->Calls.clear();
    PrintOne(record); // the option off: the empty grid
    EXPECT_TRUE(LinesWith(60).isEmpty());
    EXPECT_FALSE(Printed(QStringLiteral("Ｘ")));
}

// The recorder's 8 pt character is 2.4 mm: 90 of them are wider than any frame of A4.
TEST_F(PrintJobTest, LongLinesWrapAtTheFrameEdgeAndTakeLinePlaces)
{
    const QString hint(90, QChar(u'あ'));
    PuzzleRecord record = SampleIssue(1, 10, 0, 1);
    record.HintLines << QStringLiteral("ヒント1") << hint;
    for (const PageLayout layout : {PageLayout::Single, PageLayout::Two, PageLayout::Large}) {
        SCOPED_TRACE(int(layout));
        printer->Calls.clear();
        puzzles = {PuzzleRecord{}, record};
        PrintIssuePages(*printer, {{true, 1}}, puzzles, {PagePlacement::TopLeft, layout});
        const float right = printer->ScaleLeft() + printer->ScaleWidth();
        QString joined;
        int lines = 0;
        for (const auto &print : printer->Prints()) {
            if (!print.Text.startsWith(u'あ'))
                continue;
            ++lines;
            joined += print.Text;
            EXPECT_FLOAT_EQ(print.X, 1);
            EXPECT_LE(print.X + float(print.Text.size()) * 2.4f, right);
            EXPECT_EQ(print.Font.Size, 8); // wrapped, not shrunk
            EXPECT_FLOAT_EQ(print.Y + 4, 86 + 3.5f * float(lines + 1));
        }
        EXPECT_EQ(joined, hint);
        EXPECT_EQ(lines, int(std::ceil(90 * 2.4 / (right - 1))));
        const float rule = 86 + 3.5f * float(lines + 1) + 1;
        EXPECT_THAT(LinesWith(4).at(1), IsLine(4, 1, rule, 85, rule));
        EXPECT_FLOAT_EQ(PrintOf(QStringLiteral("コメント1")).Y + 4, rule + 4);
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
        printer->Calls.clear();
        PuzzleRecord record = SampleIssue(1, 10, 1, 0);
        record.TitleLine = QString(c.characters, QChar(u'題'));
        puzzles = {PuzzleRecord{}, record};
        PrintIssuePages(*printer, {{true, 1}}, puzzles, {PagePlacement::TopLeft, PageLayout::Two});
        QString joined;
        QList<float> bottoms;
        for (const auto &print : printer->Prints()) {
            if (!print.Text.startsWith(u'題'))
                continue;
            joined += print.Text;
            bottoms << print.Y + c.size * RecordingPrinter::HeightPerPoint;
            EXPECT_NEAR(print.Font.Size, c.size, 0.1);
            EXPECT_GE(print.X, -4.5f);
            EXPECT_LE(print.X + float(print.Text.size()) * print.Font.Size * 0.3f, 95.5f + 1e-3f);
        }
        EXPECT_EQ(joined, record.TitleLine);
        ASSERT_EQ(bottoms.size(), c.lines);
        EXPECT_FLOAT_EQ(bottoms.front(), 10);
        // Everything under the title moves down by the added lines, and back for the next page.
        const float added = 3 * float(c.lines - 1);
        float topAtRule = 1;
        for (const auto &call : printer->Calls) {
            if (call.Member == QLatin1String("SetScaleTop"))
                topAtRule = float(call.Numbers.at(0));
            else if (call.Member == QLatin1String("Line"))
                break;
        }
        EXPECT_FLOAT_EQ(topAtRule, -added);
        EXPECT_THAT(LinesWith(4).front(), IsLine(4, 1, 17, 85, 17));
        EXPECT_EQ(printer->ScaleTop(), 0);
    }
}

// Comment 17 takes two lines (90 characters of 2.4 mm in 194.5 mm): the 18 lines above the
// footer are full one comment earlier.
TEST_F(PrintJobTest, WrappedCommentsBringTheCutOffForward)
{
    PuzzleRecord record = SampleIssue(10, 10, 4, 18);
    record.CommentLines[17] = QString(90, QChar(u'話'));
    PrintOne(record);
    EXPECT_FALSE(Printed(QStringLiteral("コメント18")));
    EXPECT_FLOAT_EQ(PrintOf(QStringLiteral("（以下印刷省略）")).Y + 3, 159);
    EXPECT_FLOAT_EQ(PrintOf(CreditLine(record)).Y + 3, 162);
}
