#include "PrintJob.h"

#include "IssuePage.h"
#include "PageText.h"

#include "PuzzleRecord.h"

#include <algorithm>

namespace {

constexpr float LayoutWidth = 95;
constexpr float LayoutHeight = 170;
constexpr float LeftOffset = -4.5f;
constexpr float CentringShift = 8;

// Millimetres from the printable area's top-left corner, then the layout placed in it. The
// placement holds for every page of the document.
void PlaceLayout(PrinterObject &printer, PagePlacement placement)
{
    printer.SetScaleLeft(LeftOffset);
    printer.SetScaleTop(0);
    if (placement == PagePlacement::TopLeft)
        return;
    printer.SetScaleTop(-(printer.ScaleHeight() - LayoutHeight) / 2.0f);
    if (placement == PagePlacement::Centre)
        printer.SetScaleLeft(-(printer.ScaleWidth() - LayoutWidth) / 2.0f - CentringShift);
}

bool IsPrintable(const PrintListEntry &entry, const QList<PuzzleRecord> &puzzles)
{
    return entry.Selected && entry.ItemData >= 1 && entry.ItemData < puzzles.size();
}

} // namespace

int PrintIssuePages(PrinterObject &printer, const QList<PrintListEntry> &entries,
                    const QList<PuzzleRecord> &puzzles, PagePlacement placement,
                    const PrintProgress &progress)
{
    // Nothing checked: no document at all, rather than a blank page.
    const int total =
        int(std::count_if(entries.begin(), entries.end(),
                          [&](const PrintListEntry &e) { return IsPrintable(e, puzzles); }));
    if (total == 0)
        return 0;

    const auto first = std::find_if(entries.begin(), entries.end(), [&](const PrintListEntry &e) {
        return IsPrintable(e, puzzles);
    });
    printer.SetDocumentName(DocumentName(puzzles.at(first->ItemData), total));

    int pages = 0;
    try {
        PageText::BeginJob(printer);
        PlaceLayout(printer, placement);
        for (const PrintListEntry &entry : entries) {
            if (!IsPrintable(entry, puzzles))
                continue;
            DrawIssuePage(printer, puzzles.at(entry.ItemData));
            ++pages;
            if (progress)
                progress(pages, total);
        }
        printer.EndDoc();
    } catch (...) {
        // Abandon the half-drawn document so that the next job starts a new one. Qt cannot
        // withdraw what a print queue has begun to take; a PDF's caller discards its file.
        printer.KillDoc();
        throw;
    }
    return pages;
}
