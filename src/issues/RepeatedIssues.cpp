#include "RepeatedIssues.h"

#include "IssueStore.h"

#include <QHash>
#include <QList>

#include <algorithm>

namespace {

// The fields that tell issues apart almost always; equality decides the rest.
size_t roughHash(const PackedRecords::Key &k)
{
    return qHashMulti(0, k.titleLine, k.sendTime, k.colCount, k.gridNote, k.tyuukiText.size());
}

// The arrays from index 1: element 0 is no value, and labels never read are no labels.
bool sameValues(const QStringList &a, const QStringList &b)
{
    return upperBound(a) == upperBound(b) && std::equal(a.begin() + (a.isEmpty() ? 0 : 1), a.end(),
                                                        b.begin() + (b.isEmpty() ? 0 : 1));
}

} // namespace

bool sameIssue(const PuzzleRecord &a, const PuzzleRecord &b)
{
    return a.SendTime == b.SendTime && a.TitleLine == b.TitleLine && a.Title == b.Title &&
           a.ColCount == b.ColCount && a.GridNote == b.GridNote && a.TyuukiText == b.TyuukiText &&
           a.Publisher == b.Publisher && a.MagazineId == b.MagazineId &&
           sameValues(a.HintLines, b.HintLines) && sameValues(a.CommentLines, b.CommentLines) &&
           sameValues(a.ColLabels, b.ColLabels) && sameValues(a.RowLabels, b.RowLabels) &&
           sameValues(a.Cells, b.Cells);
}

void dropRepeatedIssues(IssueStore &store, qint32 from, QStringList *alongside)
{
    const PackedRecords &records = store.puzzles;
    // The titled records kept so far by rough hash: the last one with each hash, and for
    // every kept record the one with the same hash before it (-1 for none). Chained through
    // indexes, a load of 100,000 issues costs no allocation per record.
    QHash<size_t, qint32> lastWithHash;
    lastWithHash.reserve(records.size());
    QList<qint32> earlierWithHash(records.size(), -1);
    QList<qint32> kept; // the indexes of the records kept
    kept.reserve(records.size());
    for (qint32 i = 0; i < records.size(); ++i) {
        const PackedRecords::Key key = records.key(i);
        const bool titled = i > 0 && !key.titleLine.isEmpty();
        const size_t hash = titled ? roughHash(key) : 0;
        if (titled) {
            auto found = lastWithHash.find(hash);
            if (found == lastWithHash.end())
                found = lastWithHash.insert(hash, -1);
            qint32 &last = found.value();
            if (i >= from) {
                qint32 k = last;
                while (k >= 0 && !records.identical(k, i) && !sameIssue(records[k], records[i]))
                    k = earlierWithHash[k];
                if (k >= 0)
                    continue; // a repeat: dropped
            }
            earlierWithHash[i] = last;
            last = i;
        }
        if (alongside && kept.size() != i)
            (*alongside)[kept.size()] = std::move((*alongside)[i]);
        kept.append(i);
    }
    if (kept.size() != records.size())
        store.puzzles.keepOnly(kept);
    if (alongside)
        alongside->resize(kept.size());
}
