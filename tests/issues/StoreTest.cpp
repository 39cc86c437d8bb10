#include "IssueOrder.h"
#include "IssueStore.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A store whose records have these titles, in record order.
IssueStore titledRecords(const QStringList &titles)
{
    IssueStore store;
    for (const QString &title : titles) {
        PuzzleRecord r;
        r.Title = title;
        r.TitleLine = QStringLiteral("◇") + title;
        store.puzzles.append(r);
    }
    return store;
}

} // namespace

namespace {

// The titles of the issue list, given the titles in record order.
QStringList listedTitles(const QStringList &titles)
{
    const IssueStore store = titledRecords(titles);
    QStringList listed;
    for (const qint32 index : issueListOrder(store))
        listed << store.puzzles[index].Title;
    return listed;
}

} // namespace

TEST(IssueListOrder, ByTitleIgnoringCaseAndStableForEqualTitles)
{
    const IssueStore store = titledRecords({u"b"_s, u"A"_s, u"a"_s, u"C"_s, u""_s, u"A"_s});
    EXPECT_EQ(issueListOrder(store), (QList<qint32>{5, 2, 3, 6, 1, 4}));
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
