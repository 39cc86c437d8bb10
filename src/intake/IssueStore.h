#pragma once

#include "LineArray.h"
#include "PuzzleRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

// The program's data: what the main window owns. Records are only ever appended.
class IssueStore
{
public:
    QString LoadText;
    LineArray TextLines;
    QList<PuzzleRecord> Puzzles{PuzzleRecord{}}; // element 0 is a placeholder, never shown
    qint32 CurPuzzle = 0;

    // Makes the current record one that can take a new issue: the last record while it has
    // no title yet, otherwise a new one appended after it.
    void StartNewRecord();

    PuzzleRecord &Current() { return Puzzles[CurPuzzle]; }
    qint32 UpperBound() const { return qint32(Puzzles.size() - 1); }
};
