#include "PdfExport.h"

#include "InterruptCleanup.h"
#include "IssueOrder.h"
#include "IssueStore.h"
#include "PdfOutputFile.h"
#include "QtPrinterObject.h"

#include <QMarginsF>
#include <QPageSize>
#include <QTextStream>

#include <unistd.h>

namespace {

// The PDF stands in for a real printer: 5 mm unprintable on every side, 600 dots per inch.
constexpr double UnprintableMm = 5;
constexpr int DotsPerInch = 600;
constexpr int ProgressFrom = 50;

QPageSize paperSize(const QString &name)
{
    if (name == QLatin1String("B5"))
        return QPageSize(QPageSize::JisB5); // the B5 of Japanese stationery
    if (name == QLatin1String("A5"))
        return QPageSize(QPageSize::A5);
    if (name == QLatin1String("Letter"))
        return QPageSize(QPageSize::Letter);
    return QPageSize(QPageSize::A4);
}

QList<PrintListEntry> listEntries(const QList<qint32> &order, const QList<qint32> &select)
{
    QList<PrintListEntry> entries;
    for (const qint32 index : order)
        entries.append({select.isEmpty() || select.contains(index), index});
    return entries;
}

bool stderrIsTerminal()
{
    return isatty(STDERR_FILENO);
}

// In steps of a tenth: one line rewritten in place on a terminal, a line per step in a log.
PrintProgress progressLine(QTextStream &err, int &lastTenth)
{
    const bool terminal = stderrIsTerminal();
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

std::variant<QList<qint32>, qint32> selectedIssues(QList<qint32> order, const QList<qint32> &select)
{
    // A selection that names a missing issue is a mistake, not a smaller job. A record
    // without a title is no issue either: the list leaves it out.
    for (const qint32 index : select) {
        if (!order.contains(index))
            return index;
    }
    if (!select.isEmpty())
        order.removeIf([&select](qint32 index) { return !select.contains(index); });
    return order;
}

bool exportPdf(const IssueStore &store, const PdfExportOptions &options, QTextStream &err)
{
    const QList<qint32> order = issueListOrder(store);
    const auto selected = selectedIssues(order, options.select);
    if (const qint32 *missing = std::get_if<qint32>(&selected)) {
        err << "rotam-pdf: no issue has the record index " << *missing << "; " << options.outputPath
            << " not written\n";
        return false;
    }
    const QList<PrintListEntry> entries = listEntries(order, options.select);
    if (std::get<QList<qint32>>(selected).isEmpty()) {
        err << "rotam-pdf: no issue to print; " << options.outputPath << " not written\n";
        return false;
    }

    // Forgotten only once the output is gone, partial file and all.
    const struct Forget
    {
        ~Forget() { removeOnInterrupt({}); }
    } forget;
    PdfOutputFile output(options.outputPath);
    const auto report = [&](const OutputFailure &failure) {
        err << "rotam-pdf: " << options.outputPath << ": " << failure.english() << '\n';
        return false;
    };
    if (!output.open(removeOnInterrupt))
        return report(output.failure());

    const auto printer = QtPrinterObject::forPdf(
        output.partialPath(), paperSize(options.paper),
        QMarginsF(UnprintableMm, UnprintableMm, UnprintableMm, UnprintableMm), DotsPerInch);
    int lastTenth = 0;
    try {
        printIssuePages(*printer, entries, store.puzzles, options, progressLine(err, lastTenth));
    } catch (const PrinterError &error) {
        err << (lastTenth > 0 && stderrIsTerminal() ? "\n" : "")
            << "rotam-pdf: " << options.outputPath << ": " << QString::fromStdString(error.what())
            << '\n';
        return false;
    }
    if (!output.commit())
        return report(output.failure());
    return true;
}
