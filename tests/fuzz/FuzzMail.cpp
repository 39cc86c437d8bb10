// Read arbitrary bytes as an mbox, as a saved message, and as the messages of a Maildir
// (entries separated by two NUL bytes), parsing every text into one store: the readers must
// end, and the store's invariants hold, whatever the mail.
#include "IssueOrder.h"
#include "IssueStore.h"
#include "MailParser.h"
#include "MimeMessages.h"
#include "RepeatedIssues.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkInvariants(const IssueStore &store)
{
    for (qint32 i = 1; i <= store.lastIndex(); ++i) {
        const PuzzleRecord &r = store.puzzles[i];
        require(i == store.lastIndex() || !r.TitleLine.isEmpty());
        require(!r.HintLines.isEmpty() && !r.CommentLines.isEmpty());
        if (!r.ColLabels.isEmpty())
            require(r.Cells.size() == r.ColCount + 1 && r.RowLabels.size() == r.ColCount + 1);
        for (const QString &row : r.Cells)
            require(row.isEmpty() || row.size() >= r.ColCount);
    }
    for (const qint32 index : issueListOrder(store))
        require(!store.puzzles[index].TitleLine.isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IssueStore store;
    const TextSink parse = [&store](LineArray &lines) { parseIssues(lines, store); };
    readMbox(bytes, parse);
    readMessage(bytes, parse);
    for (const QByteArray &entry : bytes.split('\0'))
        readMessage(entry, parse);
    dropRepeatedIssues(store, 1);
    checkInvariants(store);
    return 0;
}
