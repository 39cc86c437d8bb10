#include "QtPrintDialog.h"

#include "PrintLayoutTab.h"
#include "QtPrinterObject.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

std::optional<PrintChoice> QtPrintDialog::exec(QWidget *owner, const QString &printerName,
                                               int maxSheets)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The file name first: it turns the printer into a PDF one, and naming the installed
    // printer afterwards turns it back while the name stays in the output-file field.
    if (!pdfFileName.isEmpty())
        printer->setOutputFileName(pdfFileName);
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (!info.isNull())
        printer->setPrinterName(info.printerName());
    else if (!QPrinterInfo::defaultPrinterName().isEmpty())
        printer->setPrinterName(QPrinterInfo::defaultPrinterName());

    QPrintDialog dialog(printer.get(), owner);
    dialog.setMinMax(1, std::max(1, maxSheets));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    PrintLayoutTab layoutTab(options);
    dialog.setOptionTabs({&layoutTab});
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    options = layoutTab.options();

    PrintChoice choice;
    if (printer->printRange() == QPrinter::PageRange)
        choice.sheets = printer->pageRanges();
    if (printer->outputFormat() == QPrinter::PdfFormat)
        pdfFileName = printer->outputFileName();
    else
        choice.printerName = printer->printerName();
    choice.printer = std::make_shared<QtPrinterObject>(std::move(printer));
    return choice;
}
