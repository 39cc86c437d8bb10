#include "QtPrintDialog.h"

#include "DevModeCodes.h"
#include "PrintLayoutTab.h"
#include "QtPrinterObject.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

void ApplyPreset(QPrinter &printer, const PrintDialogSettings &preset)
{
    if (const auto orientation = DevModeCodes::OrientationFromCode(preset.Orientation))
        printer.setPageOrientation(*orientation);
    if (const auto duplex = DevModeCodes::DuplexFromCode(preset.Duplex))
        printer.setDuplex(*duplex);
}

PrintDialogSettings SettingsFromPrinter(const QPrinter &printer)
{
    PrintDialogSettings chosen;
    chosen.DeviceName = printer.printerName();
    chosen.Orientation = DevModeCodes::OrientationCode(printer.pageLayout().orientation());
    chosen.Duplex = DevModeCodes::DuplexCode(printer.duplex());
    chosen.PaperSize = qint16(printer.pageLayout().pageSize().windowsId());
    chosen.Copies = qint16(printer.copyCount());
    chosen.PrintQuality = qint16(printer.resolution());
    chosen.ToFile =
        printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    return chosen;
}

std::optional<PrintDialogSettings> QtPrintDialog::Exec(QWidget *owner,
                                                       const PrintDialogSettings &preset)
{
    m_jobPrinter.reset();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The file name first: it turns the printer into a PDF one, and naming the installed
    // printer afterwards turns it back while the name stays in the output-file field.
    if (!PdfFileName.isEmpty())
        printer->setOutputFileName(PdfFileName);
    const QPrinterInfo info = QPrinterInfo::printerInfo(preset.DeviceName);
    if (!info.isNull())
        printer->setPrinterName(info.printerName());
    ApplyPreset(*printer, preset);

    QPrintDialog dialog(printer.get(), owner);
    // Every page is one issue and the list decides which ones: no page range to pick.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    PrintLayoutTab layoutTab(Options);
    dialog.setOptionTabs({&layoutTab});
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    Options = layoutTab.options();

    const PrintDialogSettings chosen = SettingsFromPrinter(*printer);
    if (chosen.ToFile) {
        // A file is no installed printer: the current one stays as it is, and this job alone
        // goes to the file with the settings the dialog gave it.
        PdfFileName = printer->outputFileName();
        m_jobPrinter = std::make_shared<QtPrinterObject>(std::move(printer));
    }
    return chosen;
}

PrinterRef QtPrintDialog::TakeJobPrinter()
{
    return std::exchange(m_jobPrinter, nullptr);
}
