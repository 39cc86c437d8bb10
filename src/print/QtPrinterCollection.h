#pragma once

#include "PrinterCollection.h"

// The printers installed on the system, as QtPrinterObjects. Each printer object is made
// once, so that the current printer is always one of Printers().
class QtPrinterCollection final : public PrinterCollection
{
public:
    // The current printer starts as the system's default one, else the first installed.
    QtPrinterCollection();

    PrinterRef Printer() override { return m_current; }
    void SetPrinter(PrinterRef printer) override { m_current = std::move(printer); }
    QList<PrinterRef> Printers() override { return m_printers; }

private:
    QList<PrinterRef> m_printers;
    PrinterRef m_current;
};
