#include "RepeatedIssues.h"

#include "IssueStore.h"

#include <QHash>
#include <QMultiHash>

namespace {

// The fields that tell issues apart almost always; equality decides the rest.
size_t roughHash(const PuzzleRecord &r)
{
    return qHashMulti(0, r.TitleLine, r.SendTime, r.ColCount, r.GridNote, r.TyuukiText.size());
}

} // namespace

void DropRepeatedIssues(IssueStore &store, qint32 from)
{
    QMultiHash<size_t, qint32> seen; // indexes into kept
    QList<PuzzleRecord> kept;
    kept.reserve(store.Puzzles.size());
    bool dropped = false;
    for (qint32 i = 0; i < store.Puzzles.size(); ++i) {
        PuzzleRecord &r = store.Puzzles[i];
        const bool titled = i > 0 && !r.TitleLine.isEmpty();
        const size_t hash = titled ? roughHash(r) : 0;
        if (titled && i >= from) {
            const auto [begin, end] = seen.equal_range(hash);
            if (std::any_of(begin, end, [&](qint32 k) { return kept[k] == r; })) {
                dropped = true;
                continue;
            }
        }
        if (titled)
            seen.insert(hash, qint32(kept.size()));
        kept.append(std::move(r));
    }
    store.Puzzles = std::move(kept);
    if (dropped || store.CurPuzzle > store.UpperBound())
        store.CurPuzzle = store.UpperBound();
}
