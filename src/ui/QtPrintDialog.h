#pragma once

#include "PrintOptions.h"
#include "PrinterDialog.h"

class QPrinter;

// The print dialog as the main window uses it. Besides the settings for the current printer
// it can hand over a printer for the next job alone: the PDF file the user chose to print to.
class UiPrintDialog : public PrintDialogSeam
{
public:
    // The printer the next job goes to instead of the current one, once; null for none.
    virtual PrinterRef TakeJobPrinter() { return nullptr; }

    // The output-file field's text when the dialog opens; once a file was chosen, that file.
    QString PdfFileName;
    // What the dialog's layout tab shows; after a confirmed dialog, what the user chose there.
    PrintOptions Options;
};

// Qt's print dialog in place of the Windows one.
class QtPrintDialog final : public UiPrintDialog
{
public:
    std::optional<PrintDialogSettings> Exec(QWidget *owner,
                                            const PrintDialogSettings &preset) override;
    PrinterRef TakeJobPrinter() override;

private:
    PrinterRef m_jobPrinter;
};

// The dialog's printer set up as the preset describes; codes without a Qt counterpart
// (duplex 0 from a printer that cannot report it) leave Qt's default.
void ApplyPreset(QPrinter &printer, const PrintDialogSettings &preset);

// What the user chose, in DEVMODE codes: orientation 1/2, duplex 1/2/3, the Windows paper
// number (0 for a size Windows does not number), copies, and the resolution in dots per inch;
// and whether a PDF file was chosen instead of a printer.
PrintDialogSettings SettingsFromPrinter(const QPrinter &printer);
