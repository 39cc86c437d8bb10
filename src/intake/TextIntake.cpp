#include "TextIntake.h"

#include "IssueStore.h"
#include "LargeBuffers.h"
#include "LineArray.h"

#include <QFile>
#include <QFileInfo>

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
    // Only regular files: a folder, a FIFO or a device would fail or block the window.
    const QFileInfo info(path);
    if (!info.exists())
        return ReadFailure{path, QStringLiteral("ファイルが見つかりません")};
    if (!info.isFile())
        return ReadFailure{path, QStringLiteral("通常のファイルではありません")};
    // No mail comes near this; a disk image chosen by mistake must not exhaust the memory.
    if (info.size() > MaxMailFileBytes)
        return ReadFailure{path, QStringLiteral("ファイルが大きすぎます（1 GiB まで）")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadFailure{path, file.errorString()};
    QByteArray bytes(file.size(), Qt::Uninitialized);
    AdviseHugePages(bytes.data(), size_t(bytes.size()));
    const qint64 read = file.read(bytes.data(), bytes.size());
    if (read < 0)
        return ReadFailure{path, file.errorString()};
    bytes.truncate(read);
    bytes += file.readAll(); // what a growing file or a size-less one (procfs) holds beyond
    textLines.appendFileText(DecodeMailBytes(bytes));
    return std::nullopt;
}

QList<ReadFailure> ReadMailFiles(IssueStore &store, const QStringList &paths,
                                 const LoadProgress &progress)
{
    store.LoadText.clear();
    store.TextLines.clear();
    QList<ReadFailure> failures;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (auto failure = ReadFileLines(paths[i], store.TextLines))
            failures.append(*failure);
        if (progress)
            progress(i + 1, paths.size());
    }
    if (store.TextLines.isEmpty())
        store.TextLines.append(QStringView()); // the single empty element 0
    return failures;
}
