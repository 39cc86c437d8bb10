#include "ToolWindowLayout.h"
#include "AnnotationWindow.h"
#include "PasteWindow.h"
#include "TextBox.h"
#include "Twips.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(ToolWindowLayout, SnapsEachSideToTheMinimumOnItsOwn)
{
    EXPECT_EQ(SnapToMinimumSize({2000, 5000}), (TwipSize{3000, 5000}));
    EXPECT_EQ(SnapToMinimumSize({4000, 2999.5f}), (TwipSize{4000, 3000}));
    EXPECT_EQ(SnapToMinimumSize({10, 10}), (TwipSize{3000, 3000}));
    EXPECT_EQ(SnapToMinimumSize({3000, 3000}), (TwipSize{3000, 3000}));
}

TEST(ToolWindowLayout, RoundsHalvesToEven)
{
    EXPECT_EQ(RoundToInteger(2.5f), 2);
    EXPECT_EQ(RoundToInteger(3.5f), 4);
    EXPECT_EQ(RoundToInteger(3000.5f), 3000);
    EXPECT_EQ(RoundToInteger(3001.5f), 3002);
    EXPECT_EQ(RoundToInteger(3000.49f), 3000);
}

TEST(ToolWindowLayout, PasteWindowAtTheMinimumSize)
{
    const PasteWindowLayout layout = LayOutPasteWindow({3000, 3000});
    EXPECT_EQ(layout.TextWidth, 2880);
    EXPECT_EQ(layout.TextHeight, 1950);
    EXPECT_EQ(layout.OkLeft, 250);
    EXPECT_EQ(layout.NoLeft, 1750);
    EXPECT_EQ(layout.OkTop, 2100);
    EXPECT_EQ(layout.NoTop, 2100);
}

TEST(ToolWindowLayout, PasteWindowButtonsShareTheFreeWidthOneTwoOne)
{
    // W = 4001: the quarter 500.25 is kept unrounded.
    const PasteWindowLayout layout = LayOutPasteWindow({4001, 5000});
    EXPECT_FLOAT_EQ(layout.OkLeft, 500.25f);
    EXPECT_FLOAT_EQ(layout.NoLeft, 2500.75f);
    EXPECT_FLOAT_EQ(layout.NoLeft - (layout.OkLeft + 1000), 2 * layout.OkLeft);
    EXPECT_EQ(layout.TextWidth, 3881);
    EXPECT_EQ(layout.TextHeight, 3950);
    // A height of half a twip more rounds to even before the layout uses it.
    EXPECT_EQ(LayOutPasteWindow({4000, 4000.5f}).OkTop, 3100);
    EXPECT_EQ(LayOutPasteWindow({4000, 4001.5f}).OkTop, 3102);
}

TEST(ToolWindowLayout, AnnotationWindowKeepsABandBelowItsTextBoxForTheButton)
{
    struct Case
    {
        TwipSize outer;
        AnnotationWindowLayout expected;
    };
    const Case cases[] = {
        {{3000, 3000}, {2130, 2880, 2025, 2220}},
        {{7515, 4500}, {3630, 7395, 6540, 3720}},
    };
    for (const Case &c : cases) {
        const AnnotationWindowLayout layout = LayOutAnnotationWindow(c.outer);
        EXPECT_EQ(layout.TextHeight, c.expected.TextHeight);
        EXPECT_EQ(layout.TextWidth, c.expected.TextWidth);
        EXPECT_EQ(layout.CloseLeft, c.expected.CloseLeft);
        EXPECT_EQ(layout.CloseTop, c.expected.CloseTop);
    }
}

TEST(ToolWindowLayout, PasteWindowSnapsBackWhenMadeSmallAndLaysOutFromItsOuterSize)
{
    PasteWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.SetOuterSize({1500, 1500});
    QCoreApplication::processEvents();
    const TwipSize outer = window.OuterSize();
    EXPECT_GE(outer.Width, 3000);
    EXPECT_GE(outer.Height, 3000);
    const PasteWindowLayout layout = LayOutPasteWindow(SnapToMinimumSize(outer));
    EXPECT_EQ(window.textEdit->geometry(),
              QRect(1, 1, TwipsToPixels(layout.TextWidth), TwipsToPixels(layout.TextHeight)));
    EXPECT_EQ(window.runButton->pos(),
              QPoint(TwipsToPixels(layout.OkLeft), TwipsToPixels(layout.OkTop)));
    EXPECT_EQ(window.cancelButton->pos(),
              QPoint(TwipsToPixels(layout.NoLeft), TwipsToPixels(layout.NoTop)));
    EXPECT_EQ(window.runButton->size(), QSize(67, 30)); // 1000 x 450 twips, never resized
}

TEST(ToolWindowLayout, AnnotationButtonNeverCoversTheTextAtAnySize)
{
    AnnotationWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const TwipSize outer :
         {TwipSize{6600, 2685}, TwipSize{1500, 1500}, TwipSize{9000, 6000}}) {
        window.SetOuterSize(outer);
        QCoreApplication::processEvents();
        const AnnotationWindowLayout layout =
            LayOutAnnotationWindow(SnapToMinimumSize(window.OuterSize()));
        EXPECT_EQ(window.textView->size(),
                  QSize(TwipsToPixels(layout.TextWidth), TwipsToPixels(layout.TextHeight)));
        const QRect button = window.closeButton->geometry();
        EXPECT_EQ(button.topLeft(),
                  QPoint(TwipsToPixels(layout.CloseLeft), TwipsToPixels(layout.CloseTop)));
        EXPECT_FALSE(button.intersects(window.textView->geometry()));
        EXPECT_TRUE(window.rect().contains(button)) << outer.Width << " x " << outer.Height;
    }
}
