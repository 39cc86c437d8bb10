#include "QtPrinterCollection.h"

#include "QtPrinterObject.h"

#include <QPrinterInfo>

QtPrinterCollection::QtPrinterCollection()
{
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    for (const QPrinterInfo &info : QPrinterInfo::availablePrinters()) {
        m_printers.append(std::make_shared<QtPrinterObject>(info));
        if (info.printerName() == defaultName)
            m_current = m_printers.back();
    }
    if (!m_current && !m_printers.isEmpty())
        m_current = m_printers.front();
}
