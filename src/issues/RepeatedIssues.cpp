#include "RepeatedIssues.h"

#include "IssueStore.h"

#include <QHash>
#include <QList>

#include <algorithm>

namespace {

// The fields that tell issues apart almost always; equality decides the rest.
size_t roughHash(const PuzzleRecord &r)
{
    return qHashMulti(0, r.TitleLine, r.SendTime, r.ColCount, r.GridNote, r.TyuukiText.size());
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
    QList<PuzzleRecord> &records = store.puzzles;
    // The titled records kept so far by rough hash: the last one with each hash, and for
    // every kept record the one with the same hash before it (-1 for none). Chained through
    // indexes, a load of 100,000 issues costs no allocation per record.
    QHash<size_t, qint32> lastWithHash;
    lastWithHash.reserve(records.size());
    QList<qint32> earlierWithHash(records.size(), -1);
    qint32 kept = 0; // the records before this index are kept, and in place
    for (qint32 i = 0; i < records.size(); ++i) {
        const bool titled = i > 0 && !records[i].TitleLine.isEmpty();
        const size_t hash = titled ? roughHash(records[i]) : 0;
        if (titled) {
            auto found = lastWithHash.find(hash);
            if (found == lastWithHash.end())
                found = lastWithHash.insert(hash, -1);
            qint32 &last = found.value();
            if (i >= from) {
                qint32 k = last;
                while (k >= 0 && !sameIssue(records[k], records[i]))
                    k = earlierWithHash[k];
                if (k >= 0)
                    continue; // a repeat: dropped
            }
            earlierWithHash[kept] = last;
            last = kept;
        }
        if (kept != i) {
            records[kept] = std::move(records[i]);
            if (alongside)
                (*alongside)[kept] = std::move((*alongside)[i]);
        }
        ++kept;
    }
    records.resize(kept);
    if (alongside)
        alongside->resize(kept);
}
