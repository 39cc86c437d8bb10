#include "PdfExport.h"

#include "IssueOrder.h"
#include "IssueStore.h"
#include "QtPrinterObject.h"
#include "ReadFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageSize>
#include <QTemporaryFile>
#include <QTextStream>

#include <cerrno>
#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The PDF stands in for a real printer: 5 mm unprintable on every side, 600 dots per inch.
constexpr double UnprintableMm = 5;
constexpr int DotsPerInch = 600;
constexpr int ProgressFrom = 50;

QPageSize PaperSize(const QString &name)
{
    if (name == QLatin1String("B5"))
        return QPageSize(QPageSize::JisB5); // the B5 of Japanese stationery
    if (name == QLatin1String("A5"))
        return QPageSize(QPageSize::A5);
    if (name == QLatin1String("Letter"))
        return QPageSize(QPageSize::Letter);
    return QPageSize(QPageSize::A4);
}

QList<PrintListEntry> ListEntries(const QList<qint32> &order, const QList<qint32> &select)
{
    QList<PrintListEntry> entries;
    for (const qint32 index : order)
        entries.append({select.isEmpty() || select.contains(index), index});
    return entries;
}

// QPdfEngine does not report failed writes; a complete file ends with its trailer.
bool EndsWithTrailer(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16)
        return false;
    file.seek(file.size() - 16);
    return file.read(16).contains("%%EOF");
}

bool StderrIsTerminal()
{
    return isatty(STDERR_FILENO);
}

// In steps of a tenth: one line rewritten in place on a terminal, a line per step in a log.
PrintProgress ProgressLine(QTextStream &err, int &lastTenth)
{
    const bool terminal = StderrIsTerminal();
    return [&err, &lastTenth, terminal](int done, int total) {
        const int tenth = done * 10 / total;
        if (total < ProgressFrom || tenth == lastTenth)
            return;
        lastTenth = tenth;
        err << (terminal ? "\r" : "") << "rotam-pdf: page " << done << " of " << total
            << (terminal && done != total ? "" : "\n");
        err.flush();
    };
}

} // namespace

bool ExportPdf(const IssueStore &store, const PdfExportOptions &options, QTextStream &err)
{
    // A selection that names a missing issue is a mistake, not a smaller job. A record
    // without a title is no issue either: the list leaves it out.
    const QList<qint32> order = IssueListOrder(store);
    for (const qint32 index : options.Select) {
        if (!order.contains(index)) {
            err << "rotam-pdf: no issue has the record index " << index << "; "
                << options.OutputPath << " not written\n";
            return false;
        }
    }
    const QList<PrintListEntry> entries = ListEntries(order, options.Select);
    if (std::none_of(entries.begin(), entries.end(), [](const auto &e) { return e.Selected; })) {
        err << "rotam-pdf: no issue to print; " << options.OutputPath << " not written\n";
        return false;
    }

    // Written beside the target and renamed only when complete: a failed job leaves no
    // half-written file, and an existing file stays until the new one is whole.
    const QFileInfo target(options.OutputPath);
    QTemporaryFile partial(target.absoluteDir().filePath(QLatin1Char('.') + target.fileName() +
                                                         QStringLiteral(".XXXXXX")));
    if (!partial.open()) {
        err << "rotam-pdf: " << options.OutputPath << ": " << EnglishSystemError(errno) << '\n';
        return false;
    }
    partial.close();

    const auto printer = QtPrinterObject::ForPdf(
        partial.fileName(), PaperSize(options.Paper),
        QMarginsF(UnprintableMm, UnprintableMm, UnprintableMm, UnprintableMm), DotsPerInch);
    int lastTenth = 0;
    try {
        PrintIssuePages(*printer, entries, store.Puzzles, options, ProgressLine(err, lastTenth));
    } catch (const PrinterError &error) {
        err << (lastTenth > 0 && StderrIsTerminal() ? "\n" : "")
            << "rotam-pdf: " << options.OutputPath << ": " << QString::fromStdString(error.what())
            << '\n';
        return false;
    }

    if (!EndsWithTrailer(partial.fileName())) {
        err << "rotam-pdf: " << options.OutputPath << ": the PDF could not be written whole\n";
        return false;
    }
    // A temporary file is private to its owner; the PDF gets the mode of any new file.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(QFile::encodeName(partial.fileName()).constData(), 0666 & ~mask);
    if (std::rename(QFile::encodeName(partial.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        err << "rotam-pdf: " << options.OutputPath << ": " << EnglishSystemError(errno) << '\n';
        return false;
    }
    partial.setAutoRemove(false); // renamed: nothing left to remove
    return true;
}
