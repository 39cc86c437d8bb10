#include "IssueOrder.h"

#include "IssueStore.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

QList<qsizetype> titleOrder(const QList<QString> &titles)
{
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true); // 第９９回 before 第１２３回

    // Sort keys once per title instead of collating at every comparison.
    QList<QCollatorSortKey> keys;
    keys.reserve(titles.size());
    for (const QString &title : titles)
        keys.append(collator.sortKey(title));
    QList<qsizetype> order(titles.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return keys[a].compare(keys[b]) < 0; });
    return order;
}

QList<qint32> issueListOrder(const IssueStore &store)
{
    QList<qint32> indexes;
    QList<QString> titles;
    indexes.reserve(store.lastIndex());
    titles.reserve(store.lastIndex());
    for (qint32 i = 1; i <= store.lastIndex(); ++i) {
        if (store.puzzles.titleLine(i).isEmpty()) // a mail without a puzzle is no issue
            continue;
        indexes.append(i);
        titles.append(store.puzzles.title(i).toString());
    }
    QList<qint32> sorted;
    sorted.reserve(indexes.size());
    for (const qsizetype k : titleOrder(titles))
        sorted.append(indexes[k]);
    return sorted;
}
