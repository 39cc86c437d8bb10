#include "IssueStore.h"

void IssueStore::StartNewRecord()
{
    const qint32 last = UpperBound();
    if (last != 0 && Puzzles[last].TitleLine.isEmpty()) {
        CurPuzzle = last;
        return;
    }
    Puzzles.append(PuzzleRecord{});
    CurPuzzle = last + 1;
}
