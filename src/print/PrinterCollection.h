#pragma once

#include "PrinterObject.h"

#include <QList>

// The platform's current printer and the installed printers.
class PrinterCollection
{
public:
    virtual ~PrinterCollection() = default;

    // The printer new print jobs go to; null when the system has none.
    virtual PrinterRef Printer() = 0;
    virtual void SetPrinter(PrinterRef printer) = 0;
    virtual QList<PrinterRef> Printers() = 0;
};
