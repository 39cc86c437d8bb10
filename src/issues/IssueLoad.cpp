#include "IssueLoad.h"

#include "FileTexts.h"
#include "IssueStore.h"
#include "LineArray.h"
#include "MailParser.h"
#include "RepeatedIssues.h"
#include "TextIntake.h"

#include <QFileInfo>

namespace {

// Only the last record can lack a title, so this needs no walk over the records.
qint32 titledCount(const IssueStore &store)
{
    const qint32 last = store.lastIndex();
    return last > 0 && store.puzzles[last].TitleLine.isEmpty() ? last - 1 : last;
}

void finishLoad(IssueStore &store, qint32 firstNew)
{
    dropRepeatedIssues(store, firstNew);
    const qint32 last = store.lastIndex();
    if (last > 0 && store.puzzles[last] == PuzzleRecord{})
        store.puzzles.removeLast(); // a text with nothing in it leaves nothing behind
}

} // namespace

LoadReport loadMailPaths(IssueStore &store, const QStringList &paths, const LoadProgress &progress,
                         const ReadProgress &fileProgress)
{
    const qint32 firstNew = titledCount(store) + 1;
    ParseContext context;
    const TextSink parse = [&store, &context](LineArray &lines) {
        parseIssues(lines, store, context);
    };
    LoadReport report;
    for (const QString &path : paths) {
        const qint32 titledBefore = titledCount(store);
        bool read = false;
        const qsizetype failedBefore = report.unreadable.size();
        const PathFiles files = filesOfPath(path);
        report.unreadable.append(files.unlisted);
        bool stopped = false;
        for (const MailFile &file : files.files) {
            const auto end = readFileTexts(file, parse, fileProgress);
            if (const ReadFailure *failure = std::get_if<ReadFailure>(&end)) {
                report.unreadable.append(*failure);
                continue;
            }
            read = true;
            if ((stopped = std::get<FileEnd>(end) == FileEnd::Stopped))
                break;
        }
        if (stopped)
            break;
        // A folder that could not be listed, or whose files all failed, is named as unreadable.
        const bool nothingFailed = report.unreadable.size() == failedBefore;
        if (titledCount(store) == titledBefore &&
            (read || (nothingFailed && QFileInfo(path).isDir())))
            report.withoutIssue.append(path);
        if (progress)
            progress(&path - paths.data() + 1, paths.size());
    }
    finishLoad(store, firstNew);
    return report;
}

LoadReport loadPastedText(IssueStore &store, const QString &text)
{
    const qint32 firstNew = titledCount(store) + 1;
    parseIssues(splitPastedText(text), store);
    LoadReport report;
    if (titledCount(store) < firstNew)
        report.withoutIssue.append(QString());
    finishLoad(store, firstNew);
    return report;
}
