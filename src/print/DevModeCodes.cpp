#include "DevModeCodes.h"

namespace DevModeCodes {

std::optional<QPageLayout::Orientation> OrientationFromCode(qint16 code)
{
    switch (code) {
    case 1:
        return QPageLayout::Portrait;
    case 2:
        return QPageLayout::Landscape;
    default:
        return std::nullopt;
    }
}

qint16 OrientationCode(QPageLayout::Orientation orientation)
{
    return orientation == QPageLayout::Landscape ? 2 : 1;
}

std::optional<QPrinter::DuplexMode> DuplexFromCode(qint16 code)
{
    switch (code) {
    case 1:
        return QPrinter::DuplexNone;
    case 2:
        return QPrinter::DuplexLongSide;
    case 3:
        return QPrinter::DuplexShortSide;
    default:
        return std::nullopt;
    }
}

qint16 DuplexCode(QPrinter::DuplexMode mode)
{
    switch (mode) {
    case QPrinter::DuplexNone:
        return 1;
    case QPrinter::DuplexShortSide:
        return 3;
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto:
        break;
    }
    return 2;
}

std::optional<QPageSize::PageSizeId> PaperSizeFromCode(qint16 code)
{
    if (code <= 0)
        return std::nullopt;
    // Qt keeps the Windows numbering of paper sizes itself.
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom)
        return std::nullopt;
    return id;
}

std::optional<int> ResolutionFromQuality(qint16 quality)
{
    switch (quality) {
    case -1:
        return 150;
    case -2:
        return 300;
    case -3:
        return 600;
    case -4:
        return 1200;
    default:
        if (quality > 0)
            return quality;
        return std::nullopt;
    }
}

} // namespace DevModeCodes
