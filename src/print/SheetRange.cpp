#include "SheetRange.h"

#include "PuzzleRecord.h"

QList<PrintListEntry> EntriesOnSheets(QList<PrintListEntry> entries,
                                      const QList<PuzzleRecord> &puzzles,
                                      const PrintOptions &options, const QPageRanges &sheets)
{
    if (sheets.isEmpty())
        return entries;
    const int perSheet = options.Layout == PageLayout::Two ? 2 : 1;
    int issue = 0;
    for (PrintListEntry &entry : entries) {
        if (!entry.Selected || entry.ItemData < 1 || entry.ItemData >= puzzles.size())
            continue;
        entry.Selected = sheets.contains(issue / perSheet + 1);
        ++issue;
    }
    return entries;
}
