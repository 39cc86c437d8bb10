#pragma once

#include "PrintJob.h"

#include <QPageRanges>

// The entries with the check marks taken off every issue that falls on no sheet of the
// ranges, so that printIssuePages prints just those sheets. Sheets are counted from 1 as the
// print dialog counts them; empty ranges keep every sheet.
QList<PrintListEntry> entriesOnSheets(QList<PrintListEntry> entries, const PackedRecords &puzzles,
                                      const PrintOptions &options, const QPageRanges &sheets);
