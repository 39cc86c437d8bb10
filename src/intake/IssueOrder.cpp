#include "IssueOrder.h"

#include "IssueStore.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

QList<qint32> IssueListOrder(const IssueStore &store)
{
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);

    // Sort keys once per title instead of collating at every comparison.
    const qint32 count = store.UpperBound();
    QList<QCollatorSortKey> keys;
    keys.reserve(count);
    for (qint32 i = 1; i <= count; ++i)
        keys.append(collator.sortKey(store.Puzzles[i].Title));

    QList<qint32> order(count);
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](qint32 a, qint32 b) {
        return keys[a - 1].compare(keys[b - 1]) < 0;
    });
    return order;
}
