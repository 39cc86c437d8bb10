#include "TextIntake.h"

#include "IssueStore.h"
#include "LineArray.h"

LineArray SplitPastedText(const QString &text)
{
    LineArray lines;
    const QStringView all(text);
    qsizetype start = 0;
    for (;;) {
        qsizetype p = all.indexOf(u"\r\n", start);
        if (p < 0)
            p = all.size();
        lines.append(all.mid(start, p - start));
        start = p + 2;
        if (p >= all.size() || start >= all.size())
            return lines;
    }
}

std::optional<ReadFailure> ReadFileLines(const QString &path, LineArray &textLines)
{
    auto content = ReadWholeFile(path);
    if (const ReadFailure *failure = std::get_if<ReadFailure>(&content))
        return *failure;
    textLines.appendFileText(DecodeMailBytes(std::get<QByteArray>(content)));
    return std::nullopt;
}

QList<ReadFailure> ReadMailFiles(IssueStore &store, const QStringList &paths)
{
    store.LoadText.clear();
    store.TextLines.clear();
    QList<ReadFailure> failures;
    for (const QString &path : paths) {
        if (auto failure = ReadFileLines(path, store.TextLines))
            failures.append(*failure);
    }
    if (store.TextLines.isEmpty())
        store.TextLines.append(QStringView()); // the single empty element 0
    return failures;
}
