#pragma once

#include "OpenFileDialog.h"
#include "PrinterCollection.h"
#include "QtPrintDialog.h"

#include <functional>
#include <memory>

class QDialog;

// What the main window reaches outside itself: the open dialog, the printers, the print
// dialog and the way a modal window is run. Tests put scripted stand-ins in their place.
struct UiServices
{
    std::shared_ptr<OpenFileDialog> OpenDialog;
    std::shared_ptr<PrinterCollection> Printers;
    std::shared_ptr<UiPrintDialog> PrintDialog;
    // Shows a modal window and returns its result when it has been closed.
    std::function<int(QDialog &)> RunModal;
};

// The real thing: QFileDialog, the system's printers, QPrintDialog, QDialog::exec.
UiServices DefaultUiServices();
