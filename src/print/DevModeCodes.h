#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <optional>

// The Windows DEVMODE codes the print dialog exchanges, and Qt's counterparts. Each returns
// nullopt for a code that has no counterpart.
namespace DevModeCodes {

std::optional<QPageLayout::Orientation> OrientationFromCode(qint16 code);
qint16 OrientationCode(QPageLayout::Orientation orientation);

std::optional<QPrinter::DuplexMode> DuplexFromCode(qint16 code);
// DuplexAuto has no code of its own; it is reported as long-side duplex.
qint16 DuplexCode(QPrinter::DuplexMode mode);

// dmPaperSize: 1 Letter, 5 Legal, 8 A3, 9 A4, 11 A5, 12 B4 (JIS), 13 B5 (JIS), 43 Japanese
// postcard and the other sizes Windows numbers.
std::optional<QPageSize::PageSizeId> PaperSizeFromCode(qint16 code);

// dmPrintQuality: -1 draft, -2 low, -3 medium, -4 high, or a positive number of dots per inch.
std::optional<int> ResolutionFromQuality(qint16 quality);

} // namespace DevModeCodes
