// What the printer object tells of its device.
#include "QtPrinterObject.h"

#include <QPrinter>
#include <QPrinterInfo>

QString QtPrinterObject::DeviceName() const
{
    return IsPdf() ? QStringLiteral("PDF") : m_printer->printerName();
}

QString QtPrinterObject::DriverName() const
{
    if (IsPdf())
        return QStringLiteral("Qt PDF");
    const QString model = QPrinterInfo::printerInfo(m_printer->printerName()).makeAndModel();
    return model.isEmpty() ? QStringLiteral("CUPS") : model;
}

QString QtPrinterObject::Port() const
{
    if (IsPdf())
        return m_printer->outputFileName();
    return QPrinterInfo::printerInfo(m_printer->printerName()).location();
}
