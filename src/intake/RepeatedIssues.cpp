#include "RepeatedIssues.h"

#include "IssueStore.h"

#include <QHash>
#include <QList>

namespace {

// The fields that tell issues apart almost always; equality decides the rest.
size_t roughHash(const PuzzleRecord &r)
{
    return qHashMulti(0, r.TitleLine, r.SendTime, r.ColCount, r.GridNote, r.TyuukiText.size());
}

} // namespace

void DropRepeatedIssues(IssueStore &store, qint32 from)
{
    QList<PuzzleRecord> &records = store.Puzzles;
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
                while (k >= 0 && !(records[k] == records[i]))
                    k = earlierWithHash[k];
                if (k >= 0)
                    continue; // a repeat: dropped
            }
            earlierWithHash[kept] = last;
            last = kept;
        }
        if (kept != i)
            records[kept] = std::move(records[i]);
        ++kept;
    }
    const bool dropped = kept < records.size();
    records.resize(kept);
    if (dropped || store.CurPuzzle > store.UpperBound())
        store.CurPuzzle = store.UpperBound();
}
