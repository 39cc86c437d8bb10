#include "GuiApplication.h"
#include "IssueStore.h"
#include "PdfExport.h"
#include "PdfProbe.h"
#include "QtPrinterObject.h"
#include "SampleIssue.h"

#include <QDir>
#include <QFile>
#include <QMarginsF>
#include <QPageSize>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace PdfProbe;

namespace {

// The PDF's paper is A4 with 5 mm unprintable on every side; with the top-left placement
// layout (x, y) lies at paper (x + 4.5 + 5, y + 5).
constexpr double Margin = 5;
constexpr double Tolerance = 0.3;

class PdfOutputTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    // Exports the records (all of them, or the selected indexes) and returns whether it worked.
    bool exportIssues(const QList<PuzzleRecord> &records, PdfExportOptions options = {})
    {
        IssueStore store;
        store.puzzles.append(records);
        if (options.outputPath.isEmpty())
            options.outputPath = pdf;
        messages.clear();
        QTextStream err(&messages);
        return exportPdf(store, options, err);
    }

    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    QString messages;
};

TEST_F(PdfOutputTest, RulesAndGridOutlineLandAtTheirMillimetres)
{
    ASSERT_TRUE(exportIssues({sampleIssue(1, 10, 4, 0)})) << messages.toStdString();
    const QImage page = renderPage(pdf, 1);
    ASSERT_FALSE(page.isNull());
    const auto paperX = [](double x) { return x + 4.5 + Margin; };
    const auto paperY = [](double y) { return y + Margin; };
    const auto expectRowAt = [&](double layoutX, double layoutY) {
        const auto y =
            inkCentreY(page, paperX(layoutX), paperY(layoutY) - 0.8, paperY(layoutY) + 0.8);
        ASSERT_TRUE(y.has_value()) << "no line at y " << layoutY;
        EXPECT_NEAR(*y, paperY(layoutY), Tolerance) << "line at y " << layoutY;
    };
    const auto expectColumnAt = [&](double layoutX, double layoutY) {
        const auto x =
            inkCentreX(page, paperY(layoutY), paperX(layoutX) - 0.8, paperX(layoutX) + 0.8);
        ASSERT_TRUE(x.has_value()) << "no line at x " << layoutX;
        EXPECT_NEAR(*x, paperX(layoutX), Tolerance) << "line at x " << layoutX;
    };
    expectRowAt(50, 17);    // first heavy rule
    expectRowAt(18, 24);    // grid top, through the middle of the first column
    expectRowAt(18, 84);    // grid bottom
    expectRowAt(18, 30);    // top edge of row 2
    expectRowAt(80, 101);   // second heavy rule, under four hints
    expectColumnAt(15, 27); // grid left, through the middle of the first row
    expectColumnAt(75, 27); // grid right
    expectColumnAt(21, 27); // left edge of column 2

    // The heavy pen is 5 dots at 600 dpi, about 0.21 mm; the inner pen 1 dot, which the
    // renderer widens to one of its pixels (0.1 mm).
    const double heavy = inkWidthY(page, paperX(50), paperY(16), paperY(18));
    EXPECT_GT(heavy, 0.15);
    EXPECT_LT(heavy, 0.35);
    EXPECT_LE(inkWidthY(page, paperX(18), paperY(29), paperY(31)), 0.11);
}

TEST_F(PdfOutputTest, CentrePlacementMovesTheLayout)
{
    PdfExportOptions options;
    options.placement = PagePlacement::Centre;
    ASSERT_TRUE(exportIssues({sampleIssue(1, 10, 0, 0)}, options)) << messages.toStdString();
    const QImage page = renderPage(pdf, 1);
    // scaleLeft −60.5 and scaleTop −58.5: the first rule runs from x 66.5 at y 80.5.
    const double ruleY = Margin + 17 + 58.5;
    const auto y = inkCentreY(page, Margin + 60.5 + 40, ruleY - 0.8, ruleY + 0.8);
    ASSERT_TRUE(y.has_value());
    EXPECT_NEAR(*y, ruleY, Tolerance);
    const auto left = firstInkX(page, ruleY, 55, 80);
    ASSERT_TRUE(left.has_value());
    EXPECT_NEAR(*left, Margin + 60.5 + 1, Tolerance); // the round end adds half the pen
}

TEST_F(PdfOutputTest, TextStaysTextInTheSubstituteFaces)
{
    PuzzleRecord record = sampleIssue(7, 10, 4, 25);
    record.Publisher = QStringLiteral("ロタム編集部");
    ASSERT_TRUE(exportIssues({record}));
    const QString text = pdfText(pdf);
    for (const QString &expected :
         {QStringLiteral("◇第7回◇"), QStringLiteral("今日の問題"), record.GridNote,
          QStringLiteral("ヒント4"), QStringLiteral("コメント18"),
          QStringLiteral("（以下印刷省略）"), QStringLiteral("印刷ソフト作成：kesa.tn"),
          QStringLiteral("ロタム編集部"), QStringLiteral("発信時刻：Sat, 15 Jan 2005")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("コメント19")));
    for (const QChar c : QStringLiteral("今日のロタムＡＪａｊ"))
        EXPECT_TRUE(text.contains(c));

    const QString fonts = pdfFonts(pdf);
    for (const char *face : {"IPAPGothic", "IPAGothic", "IPAPMincho", "IPAMincho"}) {
        const auto line = QRegularExpression(QLatin1String(face) + QStringLiteral("\\s.*"))
                              .match(fonts)
                              .captured();
        ASSERT_FALSE(line.isEmpty()) << face << " not used:\n" << fonts.toStdString();
        EXPECT_TRUE(line.contains(QStringLiteral(" yes "))) << face << " not embedded";
    }
}

TEST_F(PdfOutputTest, OnePagePerIssueOrPerSelectedIssue)
{
    const QList<PuzzleRecord> records = {sampleIssue(1, 3, 1, 1), sampleIssue(2, 5, 0, 0),
                                         sampleIssue(3, 0, 0, 0)};
    ASSERT_TRUE(exportIssues(records));
    EXPECT_EQ(pageCount(pdf), 3);

    PdfExportOptions options;
    options.select = {2};
    options.paper = QStringLiteral("B5");
    ASSERT_TRUE(exportIssues(records, options));
    EXPECT_EQ(pageCount(pdf), 1);
    EXPECT_TRUE(
        PdfProbe::run(QStringLiteral("pdfinfo"), {pdf}).contains(QLatin1String("516 x 729 pts")));

    // A missing index is a mistake: reported, and the earlier file stays as it was.
    options.select = {2, 9};
    EXPECT_FALSE(exportIssues(records, options));
    EXPECT_TRUE(messages.contains(QLatin1String("9")));
    EXPECT_EQ(pageCount(pdf), 1);
}

TEST_F(PdfOutputTest, FailuresLeaveNoFileBehind)
{
    QFile previous(pdf);
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("previous");
    previous.close();

    PdfExportOptions options;
    options.select = {5};
    EXPECT_FALSE(exportIssues({sampleIssue(1, 3, 0, 0)}, options)); // nothing to print
    EXPECT_TRUE(messages.contains(QLatin1String("out.pdf")));

    options = {};
    options.outputPath = dir.filePath(QStringLiteral("missing/out.pdf"));
    EXPECT_FALSE(exportIssues({sampleIssue(1, 3, 0, 0)}, options));
    EXPECT_TRUE(messages.contains(QLatin1String("missing/out.pdf")));

    QFile kept(pdf);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("out.pdf")});
}

TEST_F(PdfOutputTest, FooterStaysBelowTheLastLinePrinted)
{
    // A word's box ends a like distance above the bottom it is placed at, so that distances
    // between boxes are the layout's.
    const struct
    {
        int hints, comments;
        const char16_t *last;
        double creditBelowLast;
    } cases[] = {{4, 18, u"コメント18", 6}, // an ordinary page: the credit stays at 162
                 {30, 0, u"ヒント30", 3},
                 {30, 3, u"（以下印刷省略）", 3}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.hints << " hints, " << c.comments << " comments");
        ASSERT_TRUE(exportIssues({sampleIssue(1, 10, c.hints, c.comments)}))
            << messages.toStdString();
        const auto last = wordBox(pdf, QString::fromUtf16(c.last));
        const auto credit = wordBox(pdf, QStringLiteral("印刷ソフト作成：kesa.tn"));
        const auto sent = wordBox(pdf, QStringLiteral("発信時刻：Sat,"));
        ASSERT_TRUE(last && credit && sent);
        EXPECT_NEAR(credit->bottom() - last->bottom(), c.creditBelowLast, Tolerance);
        EXPECT_NEAR(sent->bottom() - credit->bottom(), 3, Tolerance);
    }
}

TEST_F(PdfOutputTest, LinesAreAsWideAtEveryResolution)
{
    constexpr double dot = 25.4 / 600;
    const PackedRecords puzzles = {PuzzleRecord{}, sampleIssue(1, 10, 4, 0)};
    for (const int dotsPerInch : {600, 1200}) {
        SCOPED_TRACE(dotsPerInch);
        const auto printer = QtPrinterObject::forPdf(pdf, QPageSize(QPageSize::A4),
                                                     QMarginsF(5, 5, 5, 5), dotsPerInch);
        ASSERT_EQ(printIssuePages(*printer, {{true, 1}}, puzzles, PagePlacement::TopLeft), 1);
        // The first rule, and the top edge of row 2 through the middle of column 1.
        EXPECT_NEAR(fineInkWidthY(pdf, 50 + 9.5, 16 + 5, 18 + 5), 5 * dot, 0.01);
        EXPECT_NEAR(fineInkWidthY(pdf, 18 + 9.5, 29 + 5, 31 + 5), dot, 0.01);
    }
}

TEST_F(PdfOutputTest, TitleAndCreatorNameTheDocument)
{
    const QList<PuzzleRecord> records = {sampleIssue(1, 3, 0, 0), sampleIssue(2, 3, 0, 0),
                                         sampleIssue(3, 3, 0, 0)};
    for (const auto &[select, title] :
         {std::pair{QList<qint32>{}, QStringLiteral("◇第1回◇ ほか 2 問")},
          std::pair{QList<qint32>{3}, QStringLiteral("◇第3回◇")}}) {
        PdfExportOptions options;
        options.select = select;
        ASSERT_TRUE(exportIssues(records, options));
        const QString info = PdfProbe::run(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+") + title + u'\n')))
            << info.toStdString();
        EXPECT_TRUE(
            info.contains(QRegularExpression(QStringLiteral("Creator:\\s+rotam-print \\d"))));
    }
}

// Paper millimetres of a layout point placed at (left, top) in a frame at frameX, zoomed.
struct Placed
{
    double frameX, left, top, zoom = 1;
    double X(double x) const { return Margin + frameX + (x - left) * zoom; }
    double Y(double y) const { return Margin + (y - top) * zoom; }
};

// The centre of the vertical line near x on the row at y; 0 when there is none.
double columnLine(const QImage &page, double x, double y)
{
    return inkCentreX(page, y, x - 0.8, x + 0.8).value_or(0);
}

TEST_F(PdfOutputTest, LargeGridsStayInsideThePrintableArea)
{
    struct Case
    {
        qint32 n;
        PagePlacement placement;
        double left, right, top; // the grid outline on the paper
    };
    const double cell = 200.0 / 41; // 41 cells shrunk into the printable width
    for (const Case &c : {Case{15, PagePlacement::TopLeft, 11, 101, 29},
                          Case{20, PagePlacement::CentreLeft, 11, 131, 87.5},
                          Case{30, PagePlacement::TopLeft, 11, 191, 29},
                          Case{20, PagePlacement::Centre, 50.5, 170.5, 87.5},
                          Case{32, PagePlacement::Centre, 13, 205, 87.5},
                          Case{40, PagePlacement::TopLeft, 5 + cell, 205, 23 + cell}}) {
        SCOPED_TRACE(c.n * 10 + int(c.placement));
        PdfExportOptions options;
        options.placement = c.placement;
        ASSERT_TRUE(exportIssues({sampleIssue(1, c.n, 0, 0)}, options)) << messages.toStdString();
        const QImage page = renderPage(pdf, 1);
        EXPECT_NEAR(columnLine(page, c.left, c.top + 2), c.left, Tolerance);
        EXPECT_NEAR(columnLine(page, c.right, c.top + 2), c.right, Tolerance);
        EXPECT_GE(firstInkX(page, c.top + 2, 0, c.left).value_or(0), Margin - Tolerance);
    }
}

TEST_F(PdfOutputTest, TwoUpPutsTwoIssuesASheetEachInItsHalf)
{
    for (const auto &[placement, left, top] : {std::tuple{PagePlacement::TopLeft, -4.5, 0.0},
                                               std::tuple{PagePlacement::CentreLeft, -4.5, -58.5},
                                               std::tuple{PagePlacement::Centre, -10.5, -58.5}}) {
        SCOPED_TRACE(int(placement));
        PdfExportOptions options;
        options.layout = PageLayout::Two;
        options.placement = placement;
        const PuzzleRecord issue = sampleIssue(1, 10, 0, 0);
        ASSERT_TRUE(exportIssues({issue, issue, issue}, options)) << messages.toStdString();
        ASSERT_EQ(pageCount(pdf), 2);
        for (const auto &[sheet, half] : {std::pair{1, 0}, std::pair{1, 1}, std::pair{2, 0}}) {
            const QImage page = renderPage(pdf, sheet);
            const Placed in{100.0 * half, left, top};
            const auto rule = inkCentreY(page, in.X(50), in.Y(17) - 0.8, in.Y(17) + 0.8);
            EXPECT_NEAR(rule.value_or(0), in.Y(17), Tolerance);
            EXPECT_NEAR(columnLine(page, in.X(15), in.Y(27)), in.X(15), Tolerance);
            EXPECT_NEAR(columnLine(page, in.X(75), in.Y(27)), in.X(75), Tolerance);
        }
        const Placed empty{100, left, top};
        EXPECT_FALSE(inkCentreY(renderPage(pdf, 2), empty.X(50), empty.Y(16), empty.Y(18)));
    }
}

TEST_F(PdfOutputTest, LargeLayoutEnlargesTheCellsToFillThePaper)
{
    for (const auto &[paper, width, height] :
         {std::tuple{"A4", 200.0, 287.0}, std::tuple{"Letter", 205.9, 269.4}}) {
        SCOPED_TRACE(paper);
        const double zoom = std::min(width / 95, height / 170);
        const Placed at{0, -(width / zoom - 95) / 2 - 8, -(height / zoom - 170) / 2, zoom};
        PdfExportOptions options;
        options.layout = PageLayout::Large;
        options.paper = QString::fromLatin1(paper);
        ASSERT_TRUE(exportIssues({sampleIssue(1, 10, 0, 0)}, options)) << messages.toStdString();
        const QImage page = renderPage(pdf, 1);
        const double outline = columnLine(page, at.X(15), at.Y(27));
        EXPECT_NEAR(outline, at.X(15), Tolerance);
        EXPECT_NEAR(columnLine(page, at.X(21), at.Y(27)) - outline, 6 * zoom, Tolerance);
    }
}

TEST_F(PdfOutputTest, CellsShowBlackSquaresAndGivenCharacters)
{
    PuzzleRecord record = sampleIssue(1, 10, 0, 0);
    record.Cells = {QString(), QStringLiteral("■□Ｘ")};
    PdfExportOptions options;
    options.cells = true;
    ASSERT_TRUE(exportIssues({record}, options)) << messages.toStdString();
    const QImage page = renderPage(pdf, 1);
    const Placed at{0, -4.5, 0};
    const auto centre = [&](int column) { return at.X(9 + 6 * column + 3); };
    EXPECT_GT(inkWidthY(page, centre(1), at.Y(25), at.Y(29)), 3.8) << "black";
    EXPECT_LT(inkWidthY(page, centre(2), at.Y(25), at.Y(29)), 0.05) << "white";
    const auto given = inkCentreX(page, at.Y(27), centre(3) - 2.5, centre(3) + 2.5);
    EXPECT_NEAR(given.value_or(0), centre(3), 0.5);
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("Ｘ")));
}

// An 80-character line of the kind given by its pattern, one character of which marks the
// issue: 。 and 、 come often enough that some fall where a line must break.
QString longLine(const QString &pattern, QChar issue)
{
    return QString(pattern).replace(u'X', issue).repeated(12).first(80);
}

// Two issues with 80-character title, hint and comment lines, side by side or one a page, on
// the paper as pdftotext finds their words.
TEST_F(PdfOutputTest, LongLinesStayInsideTheirFrameInEveryLayout)
{
    QList<PuzzleRecord> issues;
    for (const QChar marker : {u'左', u'右'}) {
        PuzzleRecord record = sampleIssue(1, 10, 1, 0);
        record.TitleLine = longLine(QStringLiteral("X題は、長い。"), marker);
        record.HintLines << longLine(QStringLiteral("X晴は、寒い。"), marker)
                         << QString(80, QChar(u'━'));
        record.CommentLines << longLine(QStringLiteral("X話は、続く。"), marker);
        issues << record;
    }
    const auto count = [](const QList<Word> &words, QChar c) {
        qsizetype n = 0;
        for (const Word &word : words)
            n += word.text.count(c);
        return n;
    };
    for (const auto &[paper, width] : {std::pair{"A4", 210.0}, std::pair{"A5", 148.0}}) {
        for (const PageLayout layout : {PageLayout::Single, PageLayout::Two, PageLayout::Large}) {
            SCOPED_TRACE(testing::Message() << paper << " layout " << int(layout));
            PdfExportOptions options;
            options.paper = QString::fromLatin1(paper);
            options.layout = layout;
            ASSERT_TRUE(exportIssues(issues, options)) << messages.toStdString();
            QList<Word> words;
            for (int page = 1; page <= pageCount(pdf); ++page)
                words << pdfWords(pdf, page);
            // Every character of the titles, hints and comments is there.
            for (const QChar c : QStringLiteral("左右題晴話━"))
                EXPECT_EQ(count(words, c), c == u'━'                  ? 160
                                           : c == u'左' || c == u'右' ? 36
                                                                      : 24)
                    << QString(c).toStdString();

            const double middle = width / 2;
            const auto hintHeight = wordBox(pdf, QStringLiteral("ヒント1"))->height();
            for (const Word &word : words) {
                SCOPED_TRACE(word.text.toStdString());
                EXPECT_GE(word.Box.left(), Margin - Tolerance);
                EXPECT_LE(word.Box.right(), width - Margin + Tolerance);
                EXPECT_FALSE(word.text.startsWith(u'。') || word.text.startsWith(u'、'));
                if (word.text.contains(u'晴') || word.text.contains(u'━')) {
                    EXPECT_NEAR(word.Box.height(), hintHeight, 0.05); // wrapped, not shrunk
                }
                if (layout != PageLayout::Two)
                    continue;
                EXPECT_TRUE(word.Box.right() <= middle + Tolerance ||
                            word.Box.left() >= middle - Tolerance);
                if (word.text.contains(u'左')) {
                    EXPECT_LE(word.Box.right(), middle + Tolerance);
                }
                if (word.text.contains(u'右')) {
                    EXPECT_GE(word.Box.left(), middle - Tolerance);
                }
            }
        }
    }
}

} // namespace

TEST_F(PdfOutputTest, ThousandLabelGridIsDrawnOffThePaper)
{
    ASSERT_TRUE(exportIssues({sampleIssue(1, 1000, 1, 1)})) << messages.toStdString();
    EXPECT_FALSE(renderPage(pdf, 1).isNull());
    EXPECT_TRUE(renderPage(pdf, 2).isNull());
}
