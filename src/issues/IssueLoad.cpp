#include "IssueLoad.h"

#include "IssueStore.h"
#include "LineArray.h"
#include "MailDecoder.h"
#include "MailFiles.h"
#include "MailParser.h"
#include "MimeMessages.h"
#include "RepeatedIssues.h"
#include "TextIntake.h"

#include <QFileInfo>

#include <utility>

namespace {

// Only the last record can lack a title, so this needs no walk over the records.
qint32 titledCount(const IssueStore &store)
{
    const qint32 last = store.lastIndex();
    return last > 0 && store.puzzles[last].TitleLine.isEmpty() ? last - 1 : last;
}

void readTexts(QByteArray bytes, FileKind kind, const TextSink &take)
{
    if (kind == FileKind::Message) {
        readMessage(bytes, take);
    } else if (bytes.startsWith("From ")) {
        readMbox(bytes, take);
    } else if (beginsWithMimeHeaders(bytes)) {
        readMessage(bytes, take);
    } else {
        LineArray lines;
        lines.appendFileText(decodeMailBytes(std::exchange(bytes, {}))); // freed before the parse
        take(lines);
    }
}

// A record's source is the text that titled it: an untitled last record can take its title
// from the next file.
void nameSources(const IssueStore &store, qint32 titledBefore, const QString &source,
                 QStringList &sources)
{
    sources.resize(store.puzzles.size());
    const qint32 titled = titledCount(store);
    for (qint32 i = titledBefore + 1; i <= titled; ++i)
        sources[i] = source;
}

void finishLoad(IssueStore &store, qint32 firstNew, QStringList &sources)
{
    dropRepeatedIssues(store, firstNew, &sources);
    const qint32 last = store.lastIndex();
    if (last > 0 && store.puzzles[last] == PuzzleRecord{}) {
        store.puzzles.removeLast(); // a text with nothing in it leaves nothing behind
        sources.removeLast();
    }
}

} // namespace

LoadReport loadMailPaths(IssueStore &store, const QStringList &paths, const LoadProgress &progress)
{
    const qint32 firstNew = titledCount(store) + 1;
    ParseContext context;
    const TextSink parse = [&store, &context](LineArray &lines) {
        parseIssues(lines, store, context);
    };
    LoadReport report;
    report.sources.resize(store.puzzles.size());
    for (const QString &path : paths) {
        const qint32 titledBefore = titledCount(store);
        bool read = false;
        const qsizetype failedBefore = report.unreadable.size();
        const PathFiles files = filesOfPath(path);
        report.unreadable.append(files.unlisted);
        for (const MailFile &file : files.files) {
            auto content = readWholeFile(file.path);
            if (const ReadFailure *failure = std::get_if<ReadFailure>(&content)) {
                report.unreadable.append(*failure);
                continue;
            }
            read = true;
            const qint32 titledBeforeFile = titledCount(store);
            readTexts(std::get<QByteArray>(std::move(content)), file.kind, parse);
            nameSources(store, titledBeforeFile, QFileInfo(file.path).absoluteFilePath(),
                        report.sources);
        }
        // A folder that could not be listed, or whose files all failed, is named as unreadable.
        const bool nothingFailed = report.unreadable.size() == failedBefore;
        if (titledCount(store) == titledBefore &&
            (read || (nothingFailed && QFileInfo(path).isDir())))
            report.withoutIssue.append(path);
        if (progress)
            progress(&path - paths.data() + 1, paths.size());
    }
    finishLoad(store, firstNew, report.sources);
    return report;
}

QString pastedTextSource()
{
    return QStringLiteral("貼り付け");
}

LoadReport loadPastedText(IssueStore &store, const QString &text)
{
    const qint32 firstNew = titledCount(store) + 1;
    parseIssues(splitPastedText(text), store);
    LoadReport report;
    if (titledCount(store) < firstNew)
        report.withoutIssue.append(QString());
    nameSources(store, firstNew - 1, pastedTextSource(), report.sources);
    finishLoad(store, firstNew, report.sources);
    return report;
}
