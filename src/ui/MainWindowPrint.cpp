// Printing from the main window: the print dialog, the job and its preview.
#include "MainWindow.h"

#include "IssueListModel.h"
#include "PdfOutputFile.h"
#include "QtPrinterObject.h"
#include "SheetRange.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QScopeGuard>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Longer jobs show their progress, with a button to cancel them.
constexpr int QuietPageCount = 50;

// A printer for the preview with the remembered printer's paper and resolution; A4 when the
// system has no printer.
std::shared_ptr<QtPrinterObject> makePreviewPrinter(const std::optional<QString> &printerName)
{
    QPrinterInfo info = QPrinterInfo::printerInfo(printerName.value_or(QString()));
    if (info.isNull())
        info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
        return std::make_shared<QtPrinterObject>(std::move(printer));
    }
    return std::make_shared<QtPrinterObject>(info);
}

// Where a job goes, as the library records it: the PDF file, or the printer.
QString jobDestination(PrinterObject &printer)
{
    auto *qtPrinter = dynamic_cast<QtPrinterObject *>(&printer);
    if (qtPrinter && qtPrinter->device().outputFormat() == QPrinter::PdfFormat)
        return QDir::toNativeSeparators(qtPrinter->device().outputFileName());
    return printer.deviceName();
}

} // namespace

PrintOptions MainWindow::printOptions() const
{
    return {placement(), m_layout, m_cells};
}

void MainWindow::setPrintOptions(const PrintOptions &options)
{
    // Values from a settings file may be out of range: those keep what the window has.
    if (size_t(options.placement) < positionButtons.size())
        positionButtons[size_t(options.placement)]->setChecked(true);
    if (options.layout >= PageLayout::Single && options.layout <= PageLayout::Large)
        m_layout = options.layout;
    m_cells = options.cells;
}

std::optional<MainWindow::CheckedIssues> MainWindow::readCheckedIssues()
{
    CheckedIssues checked;
    checked.ids = issueModel->checkedIds();
    try {
        checked.store = m_library->records(checked.ids);
    } catch (const LibraryError &error) {
        showLibraryFailure(u"印刷する問題を読めませんでした"_s, error);
        return std::nullopt;
    }
    for (qint32 i = 1; i <= checked.store.lastIndex(); ++i)
        checked.entries.append({true, i});
    return checked;
}

void MainWindow::printCheckedIssues()
{
    UiPrintDialog &dialog = *m_services.printDialog;
    dialog.pdfFileName = m_settings.pdfFileName().value_or(dialog.pdfFileName);
    dialog.options = printOptions();
    std::optional<CheckedIssues> checked = readCheckedIssues();
    if (!checked)
        return;
    // A cancelled dialog ends the job: the user said not to print.
    const std::optional<PrintChoice> choice = dialog.exec(
        this, m_settings.printerName().value_or(QString()), int(checked->entries.size()));
    if (!choice || !choice->printer)
        return;

    setPrintOptions(dialog.options); // confirmed: the layout tab's choice holds from now on
    m_settings.setLayout(m_layout);
    m_settings.setCells(m_cells);
    if (!choice->printerName.isEmpty())
        m_settings.setPrinterName(choice->printerName);
    if (!dialog.pdfFileName.isEmpty())
        m_settings.setPdfFileName(dialog.pdfFileName);
    const QList<PrintListEntry> entries =
        entriesOnSheets(checked->entries, checked->store.puzzles, printOptions(), choice->sheets);
    const QString destination = jobDestination(*choice->printer);
    if (!runPageJob(*choice->printer, checked->store, entries))
        return;
    // Only a job that ended whole printed anything for certain.
    QList<qint64> printed;
    for (const PrintListEntry &entry : entries) {
        if (entry.selected)
            printed.append(checked->ids[entry.recordIndex - 1]);
    }
    const QDateTime now = QDateTime::currentDateTime();
    try {
        m_library->markPrinted(printed, destination, now);
    } catch (const LibraryError &error) {
        showLibraryFailure(u"印刷済みの印を付けられませんでした"_s, error);
        return;
    }
    issueModel->setPrinted(printed, now);
}

void MainWindow::showPrintFailure(const QString &reason)
{
    m_services.showMessage(this, {UserMessage::Kind::Critical, u"印刷できませんでした"_s,
                                  u"印刷できませんでした。\n\n"_s + reason});
}

bool MainWindow::drawPreviewPages(PrinterObject &printer)
{
    const std::optional<CheckedIssues> checked = readCheckedIssues();
    return checked && runPageJob(printer, checked->store, checked->entries);
}

std::unique_ptr<JobProgress> MainWindow::startProgress(const ProgressRequest &request)
{
    if (!m_services.progress)
        return nullptr;
    // Over the preview when it asks for its pages, so that it waits too.
    QWidget *modal = QApplication::activeModalWidget();
    return m_services.progress->start(modal ? modal : this, request);
}

bool MainWindow::runPageJob(PrinterObject &printer, const IssueStore &store,
                            const QList<PrintListEntry> &entries)
{
    // A PDF file is written as rotam-pdf writes it: beside the chosen file, which it replaces
    // only once complete. A failed or cancelled job leaves the old file as it was.
    auto *qtPrinter = dynamic_cast<QtPrinterObject *>(&printer);
    const QString pdfName = qtPrinter && qtPrinter->device().outputFormat() == QPrinter::PdfFormat
                                ? qtPrinter->device().outputFileName()
                                : QString();
    std::optional<PdfOutputFile> pdf;
    const auto pdfFailed = [&] {
        showPrintFailure(u"PDF ファイル %1 を書き込めませんでした：%2。"_s.arg(
            QDir::toNativeSeparators(pdfName), pdf->failure().japanese()));
        return false;
    };
    if (!pdfName.isEmpty()) {
        pdf.emplace(pdfName);
        if (!pdf->open())
            return pdfFailed();
        qtPrinter->device().setOutputFileName(pdf->partialPath());
    }
    const auto restoreName = qScopeGuard([&] {
        if (pdf)
            qtPrinter->device().setOutputFileName(pdfName);
    });

    std::unique_ptr<JobProgress> progress;
    int drawn = 0;
    const auto onPage = [&](int done, int total) {
        drawn = done;
        if (total <= QuietPageCount)
            return;
        if (!progress)
            progress = startProgress({u"印刷中"_s, u"印刷しています… %1 / %2 頁"_s, 0, true});
        if (progress && !progress->advance(done, total))
            throw PrintCancelled();
    };
    try {
        printIssuePages(printer, entries, store.puzzles, printOptions(), onPage);
    } catch (const PrinterError &error) {
        progress.reset();
        showPrintFailure(error.japanese());
        return false;
    } catch (const PrintCancelled &) {
        progress.reset();
        tidyCancelledJob(printer, drawn);
        return false;
    }
    if (pdf && !pdf->commit())
        return pdfFailed();
    return true;
}

void MainWindow::tidyCancelledJob(PrinterObject &printer, int pagesDrawn)
{
    auto *qtPrinter = dynamic_cast<QtPrinterObject *>(&printer);
    if (!qtPrinter || qtPrinter->device().printerState() == QPrinter::Aborted)
        return;
    // Qt's CUPS engine cannot abort: ending the document spooled it whole. A PDF went to a
    // partial file, which goes with the job.
    if (qtPrinter->device().outputFormat() == QPrinter::PdfFormat)
        return;
    m_services.showMessage(this,
                           {UserMessage::Kind::Warning, u"印刷を中止しました"_s,
                            u"印刷を中止しましたが、このプリンタは始まった印刷を取り消せません。"
                            u"中止するまでの %1 頁はプリンタへ送られました。"_s.arg(pagesDrawn)});
}

void MainWindow::previewPrint()
{
    const std::shared_ptr<QtPrinterObject> printer = makePreviewPrinter(m_settings.printerName());
    QPrintPreviewDialog preview(&printer->device(), this);
    preview.setWindowTitle(u"印刷プレビュー"_s);
    // The preview draws with the print job itself, so it shows exactly the pages it prints;
    // its own print button prints them on the same printer.
    // A cancelled drawing closes the preview; queued, as the preview may not be running yet.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, printer, &preview] {
        if (!drawPreviewPages(*printer))
            QMetaObject::invokeMethod(&preview, &QDialog::reject, Qt::QueuedConnection);
    });
    m_services.runModal(preview);
}
