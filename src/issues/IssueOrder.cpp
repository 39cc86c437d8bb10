#include "IssueOrder.h"

#include "IssueStore.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

QList<qint32> issueListOrder(const IssueStore &store)
{
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true); // 第９９回 before 第１２３回

    // Sort keys once per title instead of collating at every comparison.
    QList<qint32> order;
    QList<QCollatorSortKey> keys;
    order.reserve(store.lastIndex());
    keys.reserve(store.lastIndex());
    for (qint32 i = 1; i <= store.lastIndex(); ++i) {
        if (store.puzzles[i].TitleLine.isEmpty()) // a mail without a puzzle is no issue
            continue;
        order.append(i);
        keys.append(collator.sortKey(store.puzzles[i].Title));
    }
    QList<qsizetype> byKey(order.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    std::stable_sort(byKey.begin(), byKey.end(),
                     [&](qsizetype a, qsizetype b) { return keys[a].compare(keys[b]) < 0; });
    QList<qint32> sorted;
    sorted.reserve(order.size());
    for (const qsizetype k : byKey)
        sorted.append(order[k]);
    return sorted;
}
