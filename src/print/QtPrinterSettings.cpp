// What the printer object tells of its device.
#include "QtPrinterObject.h"

#include <QPrinter>
#include <QPrinterInfo>

QString QtPrinterObject::deviceName() const
{
    return isPdf() ? QStringLiteral("PDF") : m_printer->printerName();
}

QString QtPrinterObject::driverName() const
{
    if (isPdf())
        return QStringLiteral("Qt PDF");
    const QString model = QPrinterInfo::printerInfo(m_printer->printerName()).makeAndModel();
    return model.isEmpty() ? QStringLiteral("CUPS") : model;
}

QString QtPrinterObject::port() const
{
    if (isPdf())
        return m_printer->outputFileName();
    return QPrinterInfo::printerInfo(m_printer->printerName()).location();
}
