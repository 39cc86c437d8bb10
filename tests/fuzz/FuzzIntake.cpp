// Decode, split and parse arbitrary bytes as a mail file and as pasted text, then order the
// list; the store's invariants must hold whatever the input.
#include "IssueOrder.h"
#include "IssueStore.h"
#include "LineArray.h"
#include "MailDecoder.h"
#include "MailParser.h"
#include "TextIntake.h"

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
        require(!r.HintLines.isEmpty() && r.HintLines[0].isEmpty());
        require(!r.CommentLines.isEmpty() && r.CommentLines[0].isEmpty());
        if (!r.ColLabels.isEmpty()) {
            require(r.ColLabels.size() == r.ColCount + 1);
            require(r.RowLabels.size() == r.ColCount + 1);
        }
    }
    for (const qint32 index : issueListOrder(store))
        require(!store.puzzles[index].TitleLine.isEmpty());
    require(issueListOrder(store).size() >= store.lastIndex() - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    IssueStore store;
    const QString text = decodeMailBytes(bytes);
    LineArray lines;
    lines.appendFileText(text);
    if (lines.isEmpty())
        lines.append(QStringView());
    parseIssues(lines, store);
    checkInvariants(store);

    parseIssues(splitPastedText(text), store);
    checkInvariants(store);
    return 0;
}
