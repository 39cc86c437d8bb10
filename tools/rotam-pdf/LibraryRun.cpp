#include "LibraryRun.h"

#include "CommandLine.h"
#include "IssueJson.h"
#include "IssueLibrary.h"
#include "IssueLoad.h"
#include "IssueStore.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

#include <algorithm>

namespace {

// Reports the load's failures; returns whether every file was read.
bool addFiles(IssueLibrary &library, const QStringList &files, QTextStream &err)
{
    IssueStore store;
    const LoadReport report = loadMailPaths(store, files);
    for (const ReadFailure &failure : report.unreadable)
        err << "rotam-pdf: " << failure.path << ": " << englishReason(failure) << '\n';
    for (const QString &path : report.withoutIssue)
        err << "rotam-pdf: " << path << ": no issue found\n";
    library.add(store, report.sources);
    return report.unreadable.isEmpty();
}

QString destination(const QString &outputPath)
{
    return outputPath == QLatin1String("-") ? QStringLiteral("standard output")
                                            : QFileInfo(outputPath).absoluteFilePath();
}

int work(IssueLibrary &library, const LibraryRunOptions &o, QTextStream &out, QTextStream &err)
{
    // A failed fetch keeps what it read, but shows nothing of a library it may have left short.
    if (o.mailbox && !fetchMailbox(*o.mailbox, library, err))
        return ExitFailure;
    int exitCode = o.files.isEmpty() || addFiles(library, o.files, err) ? ExitOk : ExitFailure;

    QList<LibraryEntry> entries = library.entries();
    if (o.unprinted)
        entries.removeIf([](const LibraryEntry &e) { return e.lastPrinted.isValid(); });
    // As without the library, a selection naming a missing issue is a mistake.
    for (const qint64 id : o.select) {
        if (std::none_of(entries.begin(), entries.end(),
                         [id](const LibraryEntry &e) { return e.id == id; })) {
            err << "rotam-pdf: no issue has the id " << id;
            if (!o.list && !o.json)
                err << "; " << o.pdf.outputPath << " not written";
            err << '\n';
            return ExitFailure;
        }
    }
    if (!o.select.isEmpty())
        entries.removeIf([&o](const LibraryEntry &e) { return !o.select.contains(e.id); });

    if (o.list) {
        for (const LibraryEntry &entry : entries)
            out << entry.id << '\t' << entry.title << '\n';
        return exitCode;
    }
    QList<qint64> ids;
    ids.reserve(entries.size());
    for (const LibraryEntry &entry : entries)
        ids.append(entry.id);
    const IssueStore store = library.records(ids);
    if (o.json) {
        out << QString::fromUtf8(
            QJsonDocument(libraryIssuesToJson(store, ids)).toJson(QJsonDocument::Indented));
        return exitCode;
    }
    // The store holds just the chosen issues, in list order: print them all.
    if (!exportPdf(store, o.pdf, err))
        return ExitFailure;
    library.markPrinted(ids, destination(o.pdf.outputPath), QDateTime::currentDateTime());
    return exitCode;
}

} // namespace

int runOnLibrary(const LibraryRunOptions &o, QTextStream &out, QTextStream &err)
{
    try {
        const std::unique_ptr<IssueLibrary> library = IssueLibrary::open(o.libraryPath);
        if (const auto &moved = library->movedAside())
            err << "rotam-pdf: " << movedAsideEnglish(*moved) << '\n';
        return work(*library, o, out, err);
    } catch (const LibraryError &error) {
        err << "rotam-pdf: " << o.libraryPath << ": " << error.english() << '\n';
        return ExitFailure;
    }
}
