// The device settings of the printer object: what the print dialog reads and sets.
#include "QtPrinterObject.h"

#include "DevModeCodes.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cstdlib>

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

void QtPrinterObject::RequireNoDocument(const char *setting) const
{
    if (m_documentOpen)
        throw PrinterError(
            QStringLiteral("%1 cannot change while a document is printing.")
                .arg(QLatin1StringView(setting)),
            QStringLiteral("印刷中は %1 を変更できません。").arg(QLatin1StringView(setting)));
}

qint16 QtPrinterObject::Orientation() const
{
    return DevModeCodes::OrientationCode(m_printer->pageLayout().orientation());
}

void QtPrinterObject::SetOrientation(qint16 code)
{
    RequireNoDocument("Orientation");
    const auto orientation = DevModeCodes::OrientationFromCode(code);
    if (!orientation || !m_printer->setPageOrientation(*orientation))
        throw PrinterError(
            QStringLiteral("The printer cannot take orientation %1.").arg(code),
            QStringLiteral("プリンタは用紙の向き %1 に対応していません。").arg(code));
}

qint16 QtPrinterObject::Duplex() const
{
    return DevModeCodes::DuplexCode(m_printer->duplex());
}

void QtPrinterObject::SetDuplex(qint16 code)
{
    RequireNoDocument("Duplex");
    const auto mode = DevModeCodes::DuplexFromCode(code);
    bool offered = mode.has_value();
    if (offered && !IsPdf() && *mode != QPrinter::DuplexNone) {
        const auto modes =
            QPrinterInfo::printerInfo(m_printer->printerName()).supportedDuplexModes();
        offered = modes.contains(*mode);
    }
    if (offered)
        m_printer->setDuplex(*mode); // a PDF file ignores any mode but simplex
    if (!offered || m_printer->duplex() != *mode)
        throw PrinterError(QStringLiteral("The printer cannot take duplex mode %1.").arg(code),
                           QStringLiteral("プリンタは両面印刷 %1 に対応していません。").arg(code));
}

void QtPrinterObject::SetPaperSize(qint16 code)
{
    RequireNoDocument("PaperSize");
    const auto id = DevModeCodes::PaperSizeFromCode(code);
    bool supported = id.has_value();
    if (supported && !IsPdf()) {
        const auto sizes = QPrinterInfo::printerInfo(m_printer->printerName()).supportedPageSizes();
        supported =
            sizes.isEmpty() || std::any_of(sizes.begin(), sizes.end(),
                                           [&](const QPageSize &size) { return size.id() == *id; });
    }
    if (!supported || !m_printer->setPageSize(QPageSize(*id)))
        throw PrinterError(
            QStringLiteral("The printer cannot take paper size %1.").arg(code),
            QStringLiteral("プリンタは用紙サイズ %1 に対応していません。").arg(code));
}

void QtPrinterObject::SetCopies(qint16 copies)
{
    RequireNoDocument("Copies");
    if (copies < 1)
        throw PrinterError(QStringLiteral("The printer cannot take %1 copies.").arg(copies),
                           QStringLiteral("部数 %1 は指定できません。").arg(copies));
    m_printer->setCopyCount(copies);
}

void QtPrinterObject::SetPrintQuality(qint16 quality)
{
    RequireNoDocument("PrintQuality");
    auto dotsPerInch = DevModeCodes::ResolutionFromQuality(quality);
    if (dotsPerInch && !IsPdf()) {
        const QList<int> offered =
            QPrinterInfo::printerInfo(m_printer->printerName()).supportedResolutions();
        if (!offered.isEmpty() && !offered.contains(*dotsPerInch)) {
            if (quality > 0) {
                dotsPerInch.reset();
            } else {
                // A named quality takes the nearest resolution the printer offers.
                const int wanted = *dotsPerInch;
                dotsPerInch = *std::min_element(offered.begin(), offered.end(), [&](int a, int b) {
                    return std::abs(a - wanted) < std::abs(b - wanted);
                });
            }
        }
    }
    if (!dotsPerInch)
        throw PrinterError(
            QStringLiteral("The printer cannot take print quality %1.").arg(quality),
            QStringLiteral("プリンタは印刷品質 %1 に対応していません。").arg(quality));
    m_printer->setResolution(*dotsPerInch);
    m_fonts.clear(); // metrics depend on the resolution
    m_painterFont = -1;
}
