#include "IssueLoad.h"

#include "FileTexts.h"
#include "IssueStore.h"
#include "LineArray.h"
#include "MailParser.h"
#include "RepeatedIssues.h"
#include "TextIntake.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

// Only the last record can lack a title, so this needs no walk over the records.
qint32 titledCount(const IssueStore &store)
{
    const qint32 last = store.lastIndex();
    return last > 0 && store.puzzles.titleLine(last).isEmpty() ? last - 1 : last;
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
    // Listed first, so that the progress can count the bytes of all of it.
    QList<PathFiles> listed;
    QHash<QString, qint64> sizes;
    qint64 total = 0;
    for (const QString &path : paths) {
        listed.append(filesOfPath(path));
        if (progress)
            for (const MailFile &file : listed.last().files)
                total += sizes[file.path] = QFileInfo(file.path).size();
    }
    qint64 doneBefore = 0; // the files read before this one
    LoadReport report;
    report.sources.resize(store.puzzles.size());
    for (qsizetype p = 0; p < paths.size(); ++p) {
        const QString &path = paths[p];
        const qint32 titledBefore = titledCount(store);
        bool read = false;
        const qsizetype failedBefore = report.unreadable.size();
        report.unreadable.append(listed[p].unlisted);
        bool stopped = false;
        for (const MailFile &file : listed[p].files) {
            const qint32 titledBeforeFile = titledCount(store);
            qint64 fileDone = 0;
            const ReadProgress fileProgress = [&](qint64 done, qint64) {
                fileDone = done;
                // A file that grew while read counts what it has now.
                total = std::max(total, doneBefore + done);
                return progress(doneBefore + done, total);
            };
            const auto end = readFileTexts(file, parse, progress ? fileProgress : ReadProgress());
            doneBefore += std::max(fileDone, sizes.value(file.path));
            if (const ReadFailure *failure = std::get_if<ReadFailure>(&end)) {
                report.unreadable.append(*failure);
                continue;
            }
            read = true;
            nameSources(store, titledBeforeFile, QFileInfo(file.path).absoluteFilePath(),
                        report.sources);
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
