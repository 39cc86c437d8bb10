#include "PrinterDialog.h"

namespace PrinterDialog {

namespace {

PrintDialogSettings Preset(PrinterObject &printer)
{
    PrintDialogSettings preset;
    preset.DeviceName = printer.DeviceName();
    preset.Orientation = printer.Orientation();
    try {
        preset.Duplex = printer.Duplex();
    } catch (const PrinterError &) {
        preset.Duplex = 0; // a printer that cannot report it
    }
    return preset;
}

// Each setting on its own: one the printer refuses must not keep the others from it.
template <typename Setter>
void TrySet(Setter set)
{
    try {
        set();
    } catch (const PrinterError &) {
    }
}

} // namespace

bool ShowPrintDialog(QWidget *owner, PrinterCollection &printers, PrintDialogSeam &dialog)
{
    PrinterRef current = printers.Printer();
    if (!current)
        return false;
    const std::optional<PrintDialogSettings> chosen = dialog.Exec(owner, Preset(*current));
    if (!chosen)
        return false;
    if (chosen->ToFile)
        return true;

    // The chosen name comes back in upper case; the current one keeps its case, so a name
    // with lower-case letters always leads to the search, which then finds it again.
    const QString chosenName = chosen->DeviceName.toUpper();
    if (chosenName != current->DeviceName()) {
        for (const PrinterRef &candidate : printers.Printers()) {
            if (candidate && candidate->DeviceName().toUpper() == chosenName)
                printers.SetPrinter(candidate); // the last match wins
        }
        current = printers.Printer();
    }
    TrySet([&] { current->SetCopies(chosen->Copies); });
    TrySet([&] { current->SetDuplex(chosen->Duplex); });
    TrySet([&] { current->SetOrientation(chosen->Orientation); });
    TrySet([&] { current->SetPaperSize(chosen->PaperSize); });
    TrySet([&] { current->SetPrintQuality(chosen->PrintQuality); });
    return true;
}

} // namespace PrinterDialog
