// Parse arbitrary bytes and print every record, checked in list order, on a recording
// printer: whatever the text, the page job must neither crash nor draw without end.
#include "IssueOrder.h"
#include "IssueStore.h"
#include "LineArray.h"
#include "MailDecoder.h"
#include "MailParser.h"
#include "PrintJob.h"
#include "RecordingPrinter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    IssueStore store;
    LineArray lines;
    lines.appendFileText(decodeMailBytes(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size))));
    parseIssues(lines, store);

    QList<PrintListEntry> entries;
    for (const qint32 index : issueListOrder(store))
        entries.append({true, index});
    RecordingPrinter printer;
    const PrintOptions options(PagePlacement(size % 3), PageLayout(size / 3 % 3), size / 9 % 2);
    const int pages = printIssuePages(printer, entries, store.puzzles, options);
    const qsizetype perSheet = options.layout == PageLayout::Two ? 2 : 1;
    if (pages != (entries.size() + perSheet - 1) / perSheet || printer.pages() != pages)
        std::abort();
    return 0;
}
