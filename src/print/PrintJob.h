#pragma once

#include "PrintOptions.h"
#include "PrinterObject.h"

#include <QList>

#include <functional>

class PackedRecords;

// One entry of the issue list as the print job reads it.
struct PrintListEntry
{
    bool selected = false;  // the check mark
    qint32 recordIndex = 0; // the record's index in the store's puzzles
};

// Told after each sheet: sheets printed so far, sheets in the document. It may throw
// PrintCancelled to stop the job.
using PrintProgress = std::function<void(int done, int total)>;

// The user stopped the job; it passes through printIssuePages like a PrinterError.
struct PrintCancelled
{
};

// Draws every checked entry, in list order, one page each (two a sheet with the two-up
// layout), on the printer and ends the document. Returns the number of sheets; with nothing
// checked nothing at all is begun. A PrinterError or PrintCancelled propagates after the
// document is killed.
int printIssuePages(PrinterObject &printer, const QList<PrintListEntry> &entries,
                    const PackedRecords &puzzles, const PrintOptions &options,
                    const PrintProgress &progress = {});
