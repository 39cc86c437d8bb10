// Printing from the main window: the print dialog, the job and its preview.
#include "MainWindow.h"

#include "MessageBox.h"
#include "QtPrinterObject.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

// A printer for the preview with the current printer's paper, orientation and resolution;
// A4 when the system has no printer.
std::shared_ptr<QtPrinterObject> MakePreviewPrinter(const PrinterRef &current)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (auto *qtPrinter = dynamic_cast<QtPrinterObject *>(current.get())) {
        const QPrinter &source = qtPrinter->Device();
        const QPrinterInfo info = QPrinterInfo::printerInfo(source.printerName());
        if (!info.isNull())
            printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer->setPageLayout(source.pageLayout());
        printer->setResolution(source.resolution());
        printer->setDuplex(source.duplex());
    } else {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
    }
    return std::make_shared<QtPrinterObject>(std::move(printer));
}

} // namespace

PrintOptions MainWindow::printOptions() const
{
    return {placement(), m_layout, m_cells};
}

void MainWindow::setPrintOptions(const PrintOptions &options)
{
    // Values from a settings file may be out of range: those keep what the window has.
    if (size_t(options.Placement) < positionButtons.size())
        positionButtons[size_t(options.Placement)]->setChecked(true);
    if (options.Layout >= PageLayout::Single && options.Layout <= PageLayout::Large)
        m_layout = options.Layout;
    m_cells = options.Cells;
}

void MainWindow::printCheckedIssues()
{
    PrinterCollection &printers = *m_services.Printers;
    UiPrintDialog &dialog = *m_services.PrintDialog;
    dialog.Options = printOptions();
    PrinterRef target;
    if (printers.Printer()) {
        // A cancelled dialog ends the job: the user said not to print.
        if (!PrinterDialog::ShowPrintDialog(this, printers, dialog))
            return;
        target = dialog.TakeJobPrinter();
        if (!target)
            target = printers.Printer();
    } else {
        // Without an installed printer the dialog can still print into a PDF file.
        if (!dialog.Exec(this, PrintDialogSettings{}))
            return;
        target = dialog.TakeJobPrinter();
        if (!target) {
            showPrintFailure(u"プリンタが見つかりません。プリンタを設定するか、"
                             u"印刷ダイアログで PDF ファイルへの出力を選んでください。"_s);
            return;
        }
    }

    setPrintOptions(dialog.Options); // confirmed: the layout tab's choice holds from now on
    try {
        PrintIssuePages(*target, listEntries(), store.Puzzles, printOptions());
    } catch (const PrinterError &error) {
        showPrintFailure(error.Japanese());
    }
}

void MainWindow::showPrintFailure(const QString &reason)
{
    MessageBox::Show(this, MessageBox::Kind::Critical, u"印刷できませんでした"_s,
                     u"印刷できませんでした。\n\n"_s + reason);
}

void MainWindow::drawPreviewPages(PrinterObject &printer)
{
    try {
        PrintIssuePages(printer, listEntries(), store.Puzzles, printOptions());
    } catch (const PrinterError &error) {
        showPrintFailure(error.Japanese());
    }
}

void MainWindow::previewPrint()
{
    const std::shared_ptr<QtPrinterObject> printer =
        MakePreviewPrinter(m_services.Printers->Printer());
    QPrintPreviewDialog preview(&printer->Device(), this);
    preview.setWindowTitle(u"印刷プレビュー"_s);
    // The preview draws with the print job itself, so it shows exactly the pages it prints;
    // its own print button prints them on the same printer.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, printer](QPrinter *) { drawPreviewPages(*printer); });
    m_services.RunModal(preview);
}
