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
    EXPECT_EQ(snapToMinimumSize({2000, 5000}), (TwipSize{3000, 5000}));
    EXPECT_EQ(snapToMinimumSize({4000, 2999.5f}), (TwipSize{4000, 3000}));
    EXPECT_EQ(snapToMinimumSize({10, 10}), (TwipSize{3000, 3000}));
    EXPECT_EQ(snapToMinimumSize({3000, 3000}), (TwipSize{3000, 3000}));
}

TEST(ToolWindowLayout, RoundsHalvesToEven)
{
    EXPECT_EQ(roundToInteger(2.5f), 2);
    EXPECT_EQ(roundToInteger(3.5f), 4);
    EXPECT_EQ(roundToInteger(3000.5f), 3000);
    EXPECT_EQ(roundToInteger(3001.5f), 3002);
    EXPECT_EQ(roundToInteger(3000.49f), 3000);
}

TEST(ToolWindowLayout, PasteWindowAtTheMinimumSize)
{
    const PasteWindowLayout layout = layOutPasteWindow({3000, 3000});
    EXPECT_EQ(layout.textWidth, 2880);
    EXPECT_EQ(layout.textHeight, 1950);
    EXPECT_EQ(layout.okLeft, 250);
    EXPECT_EQ(layout.noLeft, 1750);
    EXPECT_EQ(layout.okTop, 2100);
    EXPECT_EQ(layout.noTop, 2100);
}

TEST(ToolWindowLayout, PasteWindowButtonsShareTheFreeWidthOneTwoOne)
{
    // W = 4001: the quarter 500.25 is kept unrounded.
    const PasteWindowLayout layout = layOutPasteWindow({4001, 5000});
    EXPECT_FLOAT_EQ(layout.okLeft, 500.25f);
    EXPECT_FLOAT_EQ(layout.noLeft, 2500.75f);
    EXPECT_FLOAT_EQ(layout.noLeft - (layout.okLeft + 1000), 2 * layout.okLeft);
    EXPECT_EQ(layout.textWidth, 3881);
    EXPECT_EQ(layout.textHeight, 3950);
    // A height of half a twip more rounds to even before the layout uses it.
    EXPECT_EQ(layOutPasteWindow({4000, 4000.5f}).okTop, 3100);
    EXPECT_EQ(layOutPasteWindow({4000, 4001.5f}).okTop, 3102);
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
        const AnnotationWindowLayout layout = layOutAnnotationWindow(c.outer);
        EXPECT_EQ(layout.textHeight, c.expected.textHeight);
        EXPECT_EQ(layout.textWidth, c.expected.textWidth);
        EXPECT_EQ(layout.closeLeft, c.expected.closeLeft);
        EXPECT_EQ(layout.closeTop, c.expected.closeTop);
    }
}

TEST(ToolWindowLayout, PasteWindowSnapsBackWhenMadeSmallAndLaysOutFromItsOuterSize)
{
    PasteWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.setOuterSize({1500, 1500});
    QCoreApplication::processEvents();
    const TwipSize outer = window.outerSize();
    EXPECT_GE(outer.width, 3000);
    EXPECT_GE(outer.height, 3000);
    const PasteWindowLayout layout = layOutPasteWindow(snapToMinimumSize(outer));
    EXPECT_EQ(window.textEdit->geometry(),
              QRect(1, 1, twipsToPixels(layout.textWidth), twipsToPixels(layout.textHeight)));
    EXPECT_EQ(window.runButton->pos(),
              QPoint(twipsToPixels(layout.okLeft), twipsToPixels(layout.okTop)));
    EXPECT_EQ(window.cancelButton->pos(),
              QPoint(twipsToPixels(layout.noLeft), twipsToPixels(layout.noTop)));
    EXPECT_EQ(window.runButton->size(), QSize(67, 30)); // 1000 x 450 twips, never resized
}

TEST(ToolWindowLayout, AnnotationButtonNeverCoversTheTextAtAnySize)
{
    AnnotationWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const TwipSize outer :
         {TwipSize{6600, 2685}, TwipSize{1500, 1500}, TwipSize{9000, 6000}}) {
        window.setOuterSize(outer);
        QCoreApplication::processEvents();
        const AnnotationWindowLayout layout =
            layOutAnnotationWindow(snapToMinimumSize(window.outerSize()));
        EXPECT_EQ(window.textView->size(),
                  QSize(twipsToPixels(layout.textWidth), twipsToPixels(layout.textHeight)));
        const QRect button = window.closeButton->geometry();
        EXPECT_EQ(button.topLeft(),
                  QPoint(twipsToPixels(layout.closeLeft), twipsToPixels(layout.closeTop)));
        EXPECT_FALSE(button.intersects(window.textView->geometry()));
        EXPECT_TRUE(window.rect().contains(button)) << outer.width << " x " << outer.height;
    }
}
