#pragma once

#include "PackedRecords.h"

// The program's data: the records of the issues read, what the main window owns. Records are
// only ever appended, so an index names the same record for the whole run.
class IssueStore
{
public:
    PackedRecords puzzles{PuzzleRecord{}}; // element 0 is a placeholder, never shown

    // The index of the last record; 0 while there is only the placeholder.
    qint32 lastIndex() const { return qint32(puzzles.size() - 1); }
};
