#include "SheetRange.h"

#include "PackedRecords.h"

QList<PrintListEntry> entriesOnSheets(QList<PrintListEntry> entries, const PackedRecords &puzzles,
                                      const PrintOptions &options, const QPageRanges &sheets)
{
    if (sheets.isEmpty())
        return entries;
    const int perSheet = options.layout == PageLayout::Two ? 2 : 1;
    int issue = 0;
    for (PrintListEntry &entry : entries) {
        if (!entry.selected || entry.recordIndex < 1 || entry.recordIndex >= puzzles.size())
            continue;
        entry.selected = sheets.contains(issue / perSheet + 1);
        ++issue;
    }
    return entries;
}
