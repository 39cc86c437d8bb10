#include "IssueOrder.h"
#include "IssueStore.h"
#include "MailParser.h"
#include "TextIntake.h"

#include <gtest/gtest.h>

namespace {

void parsePasted(IssueStore &store, const QString &text)
{
    store.TextLines = SplitPastedText(text);
    ParseIssues(store);
}

} // namespace

TEST(IssueStore, StartsWithOnlyThePlaceholder)
{
    IssueStore store;
    EXPECT_EQ(store.UpperBound(), 0);
    EXPECT_EQ(store.CurPuzzle, 0);
}

TEST(IssueStore, NewRecordHasEmptyElementZeroAndNoLabels)
{
    IssueStore store;
    store.StartNewRecord();
    ASSERT_EQ(store.UpperBound(), 1);
    EXPECT_EQ(store.CurPuzzle, 1);
    const PuzzleRecord &r = store.Puzzles[1];
    EXPECT_EQ(r.HintLines, QStringList{QString()});
    EXPECT_EQ(r.CommentLines, QStringList{QString()});
    EXPECT_TRUE(r.ColLabels.isEmpty());
    EXPECT_TRUE(r.RowLabels.isEmpty());
    EXPECT_EQ(r.ColCount, 0);
}

TEST(IssueStore, AnUntitledLastRecordIsReused)
{
    IssueStore store;
    parsePasted(store, QStringLiteral("nothing to see"));
    ASSERT_EQ(store.UpperBound(), 1) << "a text without an issue leaves one empty record";
    parsePasted(store, QStringLiteral("still nothing"));
    EXPECT_EQ(store.UpperBound(), 1);
    EXPECT_EQ(store.CurPuzzle, 1);
}

TEST(IssueStore, LoadsAccumulate)
{
    IssueStore store;
    parsePasted(store, QStringLiteral("◇一◇\r\n\r\n　Ａ\r\n　ａ□\r\n"));
    parsePasted(store, QStringLiteral("◇二◇\r\n\r\n　Ａ\r\n　ａ□\r\n"));
    ASSERT_EQ(store.UpperBound(), 2);
    EXPECT_EQ(store.Puzzles[1].Title, QStringLiteral("一"));
    EXPECT_EQ(store.Puzzles[2].Title, QStringLiteral("二"));
    EXPECT_EQ(store.CurPuzzle, 2);
}

namespace {

// The titles of the issue list, given the titles in record order.
QStringList listedTitles(const QStringList &titles)
{
    IssueStore store;
    for (const QString &title : titles) {
        store.StartNewRecord();
        store.Current().Title = title;
        store.Current().TitleLine = QStringLiteral("◇") + title;
    }
    QStringList listed;
    for (const qint32 index : IssueListOrder(store))
        listed << store.Puzzles[index].Title;
    return listed;
}

} // namespace

TEST(IssueListOrder, ByTitleIgnoringCaseAndStableForEqualTitles)
{
    IssueStore store;
    for (const char16_t *title : {u"b", u"A", u"a", u"C", u"", u"A"}) {
        store.StartNewRecord();
        store.Current().Title = QString::fromUtf16(title);
        store.Current().TitleLine = QStringLiteral("◇") + store.Current().Title;
    }
    EXPECT_EQ(IssueListOrder(store), (QList<qint32>{5, 2, 3, 6, 1, 4}));
}

TEST(IssueListOrder, DigitRunsCompareByValue)
{
    // Each row in list order, given here in reverse.
    const QStringList orders[] = {
        {QStringLiteral("第２回"), QStringLiteral("第９９回"), QStringLiteral("第１２３回"),
         QStringLiteral("第１０００回")},
        {QStringLiteral("第９回"), QStringLiteral("第10回"), QStringLiteral("第１１回")},
        {QStringLiteral("Apple"), QStringLiteral("apple pie"), QStringLiteral("banana"),
         QStringLiteral("cherry")},
    };
    for (const QStringList &order : orders) {
        QStringList reversed(order.rbegin(), order.rend());
        EXPECT_EQ(listedTitles(reversed), order) << order.join(u' ').toStdString();
    }
}
