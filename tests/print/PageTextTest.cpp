#include "PageText.h"
#include "RecordingPrinter.h"

#include <gtest/gtest.h>

using namespace PageText;

namespace {

// Courier-like metrics of the recorder at 10 pt: 3 mm per character, 5 mm per line.
class PageTextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        printer = std::make_shared<RecordingPrinter>();
        printer->font.size = 10;
    }

    std::shared_ptr<RecordingPrinter> printer;
};

TEST_F(PageTextTest, EmptyTextPrintsNothingAndKeepsThePosition)
{
    printer->setCurrentX(7);
    printer->setCurrentY(8);
    printer->calls.clear();
    for (qint16 code : {0, 2, 3, 10, 12, 13, 22}) {
        textAt(*printer, 10, 77, 5, QString(), code);
        textInBox(*printer, 10, 77, 5, 20, QString(), code);
    }
    EXPECT_TRUE(printer->calls.isEmpty());
    EXPECT_EQ(printer->currentX(), 7);
    EXPECT_EQ(printer->currentY(), 8);
}

TEST_F(PageTextTest, SpreadFillsTheSpanFromLeftToRight)
{
    textAt(*printer, 10, 77, 5, QStringLiteral("－今日のロタム－"), 13);
    const auto prints = printer->prints();
    ASSERT_EQ(prints.size(), 8);
    EXPECT_FLOAT_EQ(prints.front().X, 10);
    EXPECT_NEAR(prints.back().X + 3, 77, 1e-4);
    for (const auto &print : prints) {
        EXPECT_EQ(print.text.size(), 1);
        EXPECT_FLOAT_EQ(print.Y, 0); // the line cell ends at y 5
    }
    // The gap comes from the whole width, (67 − 24) / 7, between character ends and starts.
    EXPECT_NEAR(prints.at(1).X - (prints.at(0).X + 3), 43.0 / 7.0, 1e-4);
}

TEST_F(PageTextTest, SpreadOfOneCharacterCentresIt)
{
    textAt(*printer, 10, 77, 5, QStringLiteral("囲"), 13);
    const auto prints = printer->prints();
    ASSERT_EQ(prints.size(), 1);
    EXPECT_FLOAT_EQ(prints.front().X, (10 + 77 - 3) / 2.0f);
    EXPECT_FLOAT_EQ(prints.front().Y, 0);
}

TEST_F(PageTextTest, SpreadKeepsASurrogatePairWhole)
{
    textAt(*printer, 0, 30, 5, QStringLiteral("a\U00020BB7b"), 3);
    const auto prints = printer->prints();
    ASSERT_EQ(prints.size(), 3);
    EXPECT_EQ(prints.at(1).text, QStringLiteral("\U00020BB7"));
    EXPECT_NEAR(prints.back().X + 3, 30, 1e-4);
}

TEST_F(PageTextTest, TextAtPlacesByTheTwoDigits)
{
    struct Case
    {
        qint16 code;
        float x, y; // where the text's cell begins; currentX starts at 33
    };
    const float centre = (0 + 87 - 12) / 2.0f; // "ABCD" is 12 mm wide
    for (const Case &c : {Case{0, 0, 50}, Case{1, 75, 50}, Case{2, centre, 50}, Case{5, 33, 50},
                          Case{-1, 33, 50}, Case{10, 0, 45}, Case{11, 75, 45}, Case{12, centre, 45},
                          Case{14, 33, 45}, Case{20, 33, 45}}) {
        SCOPED_TRACE(c.code);
        printer->setCurrentX(33);
        printer->calls.clear();
        textAt(*printer, 0, 87, 50, QStringLiteral("ABCD"), c.code);
        const auto prints = printer->prints();
        ASSERT_EQ(prints.size(), 1);
        EXPECT_FLOAT_EQ(prints.front().X, c.x);
        EXPECT_FLOAT_EQ(prints.front().Y, c.y);
        EXPECT_EQ(prints.front().numbers.front(), 0); // no line end
        EXPECT_FLOAT_EQ(printer->currentX(), c.x + 12);
    }
}

TEST_F(PageTextTest, TextInBoxPlacesByTheTwoDigits)
{
    struct Case
    {
        qint16 code;
        float x, y; // currentX starts at 33, currentY at 44
    };
    // Box x 10..40, y 20..40; "AB" is 6 mm wide and 5 mm high.
    for (const Case &c :
         {Case{22, 22, 27.5f}, Case{0, 10, 20}, Case{10, 10, 35}, Case{12, 22, 35},
          Case{44, 33, 44}, Case{-2, 33, 20}, Case{-12, 33, 44}, Case{31, 34, 44}}) {
        SCOPED_TRACE(c.code);
        printer->setCurrentX(33);
        printer->setCurrentY(44);
        printer->calls.clear();
        textInBox(*printer, 10, 40, 20, 40, QStringLiteral("AB"), c.code);
        const auto prints = printer->prints();
        ASSERT_EQ(prints.size(), 1);
        EXPECT_FLOAT_EQ(prints.front().X, c.x);
        EXPECT_FLOAT_EQ(prints.front().Y, c.y);
    }
}

TEST_F(PageTextTest, SpreadInABoxKeepsHalfAMillimetreFree)
{
    textInBox(*printer, 10, 40, 20, 40, QStringLiteral("AB"), 3);
    const auto prints = printer->prints();
    ASSERT_EQ(prints.size(), 2);
    EXPECT_FLOAT_EQ(prints.at(0).X, 10.5f);
    EXPECT_NEAR(prints.at(1).X + 3, 39.5, 1e-4);
    EXPECT_FLOAT_EQ(prints.at(0).Y, 20);
}

TEST_F(PageTextTest, SetFontChangesOnlyWhatItNames)
{
    const QString arial = QStringLiteral("Arial");
    const QString mincho = QStringLiteral("ＭＳ Ｐ明朝");
    printer->font = {arial, 4, true, false, true, false};
    const struct
    {
        FontChange change;
        PrinterFont after;
    } steps[] = {
        {{}, {arial, 4, true, false, true, false}},
        {{.name = mincho, .size = 9}, {mincho, 9, true, false, true, false}},
        {{.bold = false, .italic = true}, {mincho, 9, false, true, true, false}},
        {{.underline = false, .strikethrough = true}, {mincho, 9, false, true, false, true}},
        {{.bold = true, .strikethrough = false}, {mincho, 9, true, true, false, false}},
        {{.size = 6, .italic = false, .underline = true}, {mincho, 6, true, false, true, false}},
    };
    for (const auto &step : steps) {
        setFont(*printer, step.change);
        EXPECT_EQ(printer->font, step.after) << &step - steps;
    }
}

TEST_F(PageTextTest, BeginJobBeginsWithABlankAndLeavesAKnownState)
{
    printer->font = {QStringLiteral("Times"), 20, true, true, false, false};
    beginJob(*printer);
    QStringList members;
    for (const auto &call : printer->calls)
        members << call.member + QLatin1Char(' ') + QString::number(call.numbers.value(0));
    EXPECT_EQ(members, (QStringList{
                           QStringLiteral("SetDrawWidth 1"),
                           QStringLiteral("SetFontTransparent 0"),
                           QStringLiteral("Print 1"),
                           QStringLiteral("SetCurrentX 0"),
                           QStringLiteral("SetCurrentY 0"),
                           QStringLiteral("SetFontTransparent 1"),
                       }));
    const auto blank = printer->prints().front();
    EXPECT_EQ(blank.text, QStringLiteral(" "));
    EXPECT_EQ(blank.font.name, QStringLiteral("Arial"));
    EXPECT_EQ(blank.font.size, 4);

    textAt(*printer, 5, 50, 5, QStringLiteral("x"), 0);
    const auto after = printer->prints().back();
    // The styles are left as they were; only face and size are reset.
    EXPECT_EQ(after.font, (PrinterFont{QStringLiteral("Arial"), 4, true, true, false, false}));
    EXPECT_FLOAT_EQ(after.X, 5);
}

} // namespace
