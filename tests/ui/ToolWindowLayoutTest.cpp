#include "ToolWindowLayout.h"
#include "AnnotationWindow.h"
#include "PasteWindow.h"
#include "TextBox.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Sizes from below the minimum to a large window, with odd and half twips.
const TwipSize OuterSizes[] = {{1500, 1500}, {3000, 3000}, {3001.5f, 4000.5f}, {4001, 5000},
                               {6600, 2685}, {7515, 4500}, {9000, 6000},       {12000, 3000.5f}};

} // namespace

TEST(ToolWindowLayout, SnapsEachSideToTheMinimumOnItsOwn)
{
    EXPECT_EQ(snapToMinimumSize({2000, 5000}), (TwipSize{3000, 5000}));
    EXPECT_EQ(snapToMinimumSize({4000, 2999.5f}), (TwipSize{4000, 3000}));
}

// Whatever the size, both buttons show whole, apart and below the text.
TEST(ToolWindowLayout, PasteWindowButtonsNeverCoverTheTextOrEachOther)
{
    PasteWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const TwipSize outer : OuterSizes) {
        SCOPED_TRACE(testing::Message() << outer.width << " x " << outer.height);
        window.setOuterSize(outer);
        QCoreApplication::processEvents();
        const QRect text = window.textEdit->geometry();
        const QRect run = window.runButton->geometry();
        const QRect cancel = window.cancelButton->geometry();
        EXPECT_TRUE(window.rect().contains(text));
        EXPECT_TRUE(window.rect().contains(run));
        EXPECT_TRUE(window.rect().contains(cancel));
        EXPECT_GT(run.top(), text.bottom());
        EXPECT_EQ(run.top(), cancel.top());
        EXPECT_GT(cancel.left(), run.right());
    }
}

TEST(ToolWindowLayout, AnnotationButtonNeverCoversTheTextAtAnySize)
{
    AnnotationWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const TwipSize outer : OuterSizes) {
        SCOPED_TRACE(testing::Message() << outer.width << " x " << outer.height);
        window.setOuterSize(outer);
        QCoreApplication::processEvents();
        const QRect text = window.textView->geometry();
        const QRect button = window.closeButton->geometry();
        EXPECT_TRUE(window.rect().contains(text));
        EXPECT_FALSE(button.intersects(text));
        EXPECT_TRUE(window.rect().contains(button));
    }
}
