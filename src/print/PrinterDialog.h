#pragma once

#include "PrinterCollection.h"

#include <QString>

#include <optional>

class QWidget;

// What the print dialog is preset with and what it hands back, in DEVMODE codes.
struct PrintDialogSettings
{
    QString DeviceName;
    qint16 Orientation = 0;
    qint16 Duplex = 0; // 0 when the printer cannot report it
    qint16 PaperSize = 0;
    qint16 Copies = 0;
    qint16 PrintQuality = 0;
    bool ToFile = false; // a file takes the job with these settings; the printer keeps its own
};

// The modal print dialog, behind a seam so that tests can confirm or cancel it.
class PrintDialogSeam
{
public:
    virtual ~PrintDialogSeam() = default;
    // Shows the dialog preset with the current printer's settings; nullopt on cancel.
    virtual std::optional<PrintDialogSettings> Exec(QWidget *owner,
                                                    const PrintDialogSettings &preset) = 0;
};

namespace PrinterDialog {

// Shows the dialog; on confirmation makes the chosen printer current and gives it the chosen
// copies, duplex, orientation, paper size and print quality, each error ignored on its own.
// A choice to print to a file leaves the current printer as it is. Returns whether the user
// confirmed.
bool ShowPrintDialog(QWidget *owner, PrinterCollection &printers, PrintDialogSeam &dialog);

} // namespace PrinterDialog
