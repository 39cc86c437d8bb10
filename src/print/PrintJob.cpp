#include "PrintJob.h"

#include "IssuePage.h"
#include "PageText.h"

#include "PackedRecords.h"

#include <algorithm>

namespace {

constexpr float LayoutWidth = 95;
constexpr float LayoutHeight = 170;
constexpr float LeftOffset = -4.5f;
constexpr float CentringShift = 8;

// The part of the printable area an issue is drawn in, and how large: the whole area as it
// is, half of it (shrunk only where a half is too small for the layout), or the whole area
// with the layout enlarged to fill it.
PageFrame frameFor(const PrinterObject &printer, PageLayout layout, int slot)
{
    const float width = printer.printableWidth();
    const float height = printer.printableHeight();
    switch (layout) {
    case PageLayout::Two: {
        const float half = width / 2.0f;
        const float zoom = std::min({1.0f, half / LayoutWidth, height / LayoutHeight});
        return {half * float(slot), 0, half, height, zoom};
    }
    case PageLayout::Large:
        return {0, 0, width, height, std::min(width / LayoutWidth, height / LayoutHeight)};
    case PageLayout::Single:
        break;
    }
    return {0, 0, width, height, 1};
}

// Millimetres from the frame's top-left corner, then the layout placed in it.
void placeLayout(PrinterObject &printer, PagePlacement placement)
{
    printer.setScaleLeft(LeftOffset);
    printer.setScaleTop(0);
    if (placement == PagePlacement::TopLeft)
        return;
    printer.setScaleTop(-(printer.scaleHeight() - LayoutHeight) / 2.0f);
    if (placement == PagePlacement::Centre)
        printer.setScaleLeft(-(printer.scaleWidth() - LayoutWidth) / 2.0f - CentringShift);
}

bool isPrintable(const PrintListEntry &entry, const PackedRecords &puzzles)
{
    return entry.selected && entry.recordIndex >= 1 && entry.recordIndex < puzzles.size();
}

} // namespace

int printIssuePages(PrinterObject &printer, const QList<PrintListEntry> &entries,
                    const PackedRecords &puzzles, const PrintOptions &options,
                    const PrintProgress &progress)
{
    // Nothing checked: no document at all, rather than a blank page.
    const int total =
        int(std::count_if(entries.begin(), entries.end(),
                          [&](const PrintListEntry &e) { return isPrintable(e, puzzles); }));
    if (total == 0)
        return 0;
    const int perSheet = options.layout == PageLayout::Two ? 2 : 1;
    const int sheets = (total + perSheet - 1) / perSheet;
    // An enlarged page fills the area; only its centre is left to place it.
    const PagePlacement placement =
        options.layout == PageLayout::Large ? PagePlacement::Centre : options.placement;

    const auto first = std::find_if(entries.begin(), entries.end(), [&](const PrintListEntry &e) {
        return isPrintable(e, puzzles);
    });
    printer.setDocumentName(documentName(puzzles.at(first->recordIndex), total));

    int drawn = 0;
    int pages = 0;
    try {
        printer.setFrame(frameFor(printer, PageLayout::Single, 0)); // as the last job left it
        PageText::beginJob(printer);
        for (const PrintListEntry &entry : entries) {
            if (!isPrintable(entry, puzzles))
                continue;
            const int slot = drawn % perSheet;
            printer.setFrame(frameFor(printer, options.layout, slot));
            placeLayout(printer, placement);
            drawIssuePage(printer, puzzles.at(entry.recordIndex), options.cells);
            ++drawn;
            if (slot + 1 < perSheet && drawn < total)
                continue;
            printer.newPage();
            ++pages;
            if (progress)
                progress(pages, sheets);
        }
        printer.endDoc();
    } catch (...) {
        // Abandon the half-drawn document so that the next job starts a new one. Qt cannot
        // withdraw what a print queue has begun to take; a PDF's caller discards its file.
        printer.killDoc();
        throw;
    }
    return pages;
}
