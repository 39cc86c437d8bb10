#include "ToolWindowLayout.h"
#include "AnnotationWindow.h"
#include "PasteWindow.h"
#include "TextBox.h"
#include "UiTestSupport.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
        const QRect text = namedChild<TextBox>(window, u"textEdit"_s)->geometry();
        const QRect run = namedChild<QPushButton>(window, u"runButton"_s)->geometry();
        const QRect cancel = namedChild<QPushButton>(window, u"cancelButton"_s)->geometry();
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
        const QRect text = namedChild<TextBox>(window, u"textView"_s)->geometry();
        const QRect button = namedChild<QPushButton>(window, u"closeButton"_s)->geometry();
        EXPECT_TRUE(window.rect().contains(text));
        EXPECT_FALSE(button.intersects(text));
        EXPECT_TRUE(window.rect().contains(button));
    }
}
