#include "QtPrinterObject.h"

#include "DevModeCodes.h"
#include "FontSubstitutes.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cstdlib>

namespace {

// Scale units per inch for the scale modes a printer object offers.
double UnitsPerInch(qint16 mode)
{
    switch (mode) {
    case 1:
        return 1440; // twips, the mode a printer starts in
    case 2:
        return 72; // points
    case 5:
        return 1; // inches
    case 6:
        return 25.4; // millimetres
    case 7:
        return 2.54; // centimetres
    default:
        return 0;
    }
}

Qt::PenStyle PenStyle(qint16 drawStyle)
{
    switch (drawStyle) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine; // 0 solid, 6 inside solid
    }
}

Qt::BrushStyle BrushStyle(qint16 fillStyle)
{
    static constexpr Qt::BrushStyle styles[] = {
        Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
        Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
    };
    return styles[fillStyle];
}

[[noreturn]] void Fail(const QString &message)
{
    throw PrinterError(message.toStdString());
}

void RequireRange(const char *setting, qint16 value, int low, int high)
{
    if (value < low || value > high)
        Fail(QStringLiteral("The printer cannot take %1 %2.").arg(QLatin1StringView(setting)).arg(value));
}

} // namespace

QtPrinterObject::QtPrinterObject(std::unique_ptr<QPrinter> printer)
    : m_printer(std::move(printer))
{
    RegisterFontSubstitutes();
    m_printer->setFullPage(false); // the origin is the printable area's corner
}

QtPrinterObject::QtPrinterObject(const QPrinterInfo &info)
    : QtPrinterObject(std::make_unique<QPrinter>(info, QPrinter::HighResolution))
{
}

std::shared_ptr<QtPrinterObject> QtPrinterObject::ForPdf(const QString &path,
                                                         const QPageSize &paper,
                                                         const QMarginsF &marginsMm,
                                                         int dotsPerInch)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setResolution(dotsPerInch);
    printer->setCreator(QStringLiteral("rotam-print"));
    printer->setPageLayout(
        QPageLayout(paper, QPageLayout::Portrait, marginsMm, QPageLayout::Millimeter));
    return std::make_shared<QtPrinterObject>(std::move(printer));
}

QtPrinterObject::~QtPrinterObject()
{
    try {
        KillDoc();
    } catch (...) {
    }
}

bool QtPrinterObject::IsPdf() const
{
    return m_printer->outputFormat() == QPrinter::PdfFormat;
}

double QtPrinterObject::DotsPerUnit() const
{
    return m_printer->resolution() / UnitsPerInch(m_scaleMode);
}

QPointF QtPrinterObject::ToDots(float x, float y) const
{
    const double dots = DotsPerUnit();
    return {(double(x) - m_scaleLeft) * dots, (double(y) - m_scaleTop) * dots};
}

void QtPrinterObject::SetScaleMode(qint16 mode)
{
    if (UnitsPerInch(mode) == 0)
        Fail(QStringLiteral("Scale mode %1 is not supported.").arg(mode));
    const QPointF position = ToDots(m_currentX, m_currentY);
    m_scaleMode = mode;
    m_scaleLeft = 0;
    m_scaleTop = 0;
    m_currentX = float(position.x() / DotsPerUnit());
    m_currentY = float(position.y() / DotsPerUnit());
}

// From the millimetre layout rather than the device rectangle: Qt keeps paper sizes in
// whole points, which would make A4 0.04 mm too tall and move a centred layout.
float QtPrinterObject::ScaleWidth() const
{
    const QRectF area = m_printer->pageLayout().paintRect(QPageLayout::Millimeter);
    return float(area.width() / 25.4 * UnitsPerInch(m_scaleMode));
}

float QtPrinterObject::ScaleHeight() const
{
    const QRectF area = m_printer->pageLayout().paintRect(QPageLayout::Millimeter);
    return float(area.height() / 25.4 * UnitsPerInch(m_scaleMode));
}

const QtPrinterObject::CachedFont &QtPrinterObject::CurrentFont()
{
    for (const CachedFont &cached : m_fonts) {
        if (cached.key == Font)
            return cached;
    }
    QFont font(Font.Name);
    font.setPointSizeF(Font.Size > 0 ? Font.Size : 1);
    font.setBold(Font.Bold);
    font.setItalic(Font.Italic);
    font.setUnderline(Font.Underline);
    font.setStrikeOut(Font.Strikethrough);
    // Measured and drawn alike: hinting would make widths depend on the device's rasteriser.
    font.setHintingPreference(QFont::PreferNoHinting);
    m_fonts.push_back({Font, font, QFontMetricsF(font, m_printer.get())});
    return m_fonts.back();
}

void QtPrinterObject::Print(const QString &text, LineEnd end)
{
    BeginOutput();
    const CachedFont &font = CurrentFont();
    const int index = int(&font - m_fonts.data());
    if (m_painterFont != index) {
        m_painter.setFont(font.font);
        m_painterFont = index;
    }
    const QPointF top = ToDots(m_currentX, m_currentY);
    m_painter.drawText(QPointF(top.x(), top.y() + font.metrics.ascent()), text);
    if (end == LineEnd::No) {
        m_currentX = float(m_currentX + font.metrics.horizontalAdvance(text) / DotsPerUnit());
    } else {
        m_currentX = m_scaleLeft;
        m_currentY = float(m_currentY + font.metrics.lineSpacing() / DotsPerUnit());
    }
}

float QtPrinterObject::TextWidth(const QString &text)
{
    return float(CurrentFont().metrics.horizontalAdvance(text) / DotsPerUnit());
}

// The full line height, leading included: the distance a line end moves CurrentY, so that a
// text bottom-aligned on y and the next line printed at y do not overlap.
float QtPrinterObject::TextHeight(const QString &text)
{
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    return float(lines * CurrentFont().metrics.lineSpacing() / DotsPerUnit());
}

void QtPrinterObject::SetFontTransparent(bool transparent)
{
    m_fontTransparent = transparent;
    if (m_documentOpen)
        m_painter.setBackgroundMode(transparent ? Qt::TransparentMode : Qt::OpaqueMode);
}

void QtPrinterObject::SetDrawWidth(qint16 dots)
{
    RequireRange("DrawWidth", dots, 1, 32767);
    m_penDirty = m_penDirty || dots != m_drawWidth;
    m_drawWidth = dots;
}

void QtPrinterObject::SetDrawStyle(qint16 style)
{
    RequireRange("DrawStyle", style, 0, 6);
    m_penDirty = m_penDirty || style != m_drawStyle;
    m_drawStyle = style;
}

// Every mode comes out black: all printing is black.
void QtPrinterObject::SetDrawMode(qint16 mode)
{
    RequireRange("DrawMode", mode, 1, 16);
    m_drawMode = mode;
}

void QtPrinterObject::SetFillStyle(qint16 style)
{
    RequireRange("FillStyle", style, 0, 7);
    m_penDirty = m_penDirty || style != m_fillStyle;
    m_fillStyle = style;
}

void QtPrinterObject::ApplyPen()
{
    if (!m_penDirty)
        return;
    // Round ends and joins, as a wide GDI pen draws them.
    m_painter.setPen(QPen(QBrush(Qt::black), m_drawWidth, PenStyle(m_drawStyle), Qt::RoundCap,
                          Qt::RoundJoin));
    m_painter.setBrush(QBrush(Qt::black, BrushStyle(m_fillStyle)));
    m_penDirty = false;
}

// Flags: 4 a line; + 1 the first point relative to CurrentX/CurrentY; + 8 the second point
// relative to the first; + 16 a box; + 32 the box filled. The colour is not used: all
// printing is black.
void QtPrinterObject::Line(qint16 flags, float x1, float y1, float x2, float y2, qint32)
{
    constexpr int known = 1 | 4 | 8 | 16 | 32;
    if (!(flags & 4) || (flags & ~known) || ((flags & 32) && !(flags & 16)))
        Fail(QStringLiteral("Line form %1 is not supported.").arg(flags));
    const float startX = (flags & 1) ? m_currentX + x1 : x1;
    const float startY = (flags & 1) ? m_currentY + y1 : y1;
    const float endX = (flags & 8) ? startX + x2 : x2;
    const float endY = (flags & 8) ? startY + y2 : y2;

    BeginOutput();
    ApplyPen();
    const QPointF from = ToDots(startX, startY);
    const QPointF to = ToDots(endX, endY);
    if (flags & 32)
        m_painter.fillRect(QRectF(from, to).normalized(), Qt::black);
    else if (flags & 16)
        m_painter.drawRect(QRectF(from, to).normalized());
    else
        m_painter.drawLine(from, to);
    m_currentX = endX;
    m_currentY = endY;
}

void QtPrinterObject::BeginOutput()
{
    if (!m_documentOpen) {
        if (!m_painter.begin(m_printer.get())) {
            Fail(IsPdf() ? QStringLiteral("Cannot write the PDF file \"%1\".")
                               .arg(m_printer->outputFileName())
                         : QStringLiteral("Cannot open the printer \"%1\".")
                               .arg(m_printer->printerName()));
        }
        m_documentOpen = true;
        m_painterFont = -1;
        m_penDirty = true;
        m_painter.setBackground(Qt::white);
        m_painter.setBackgroundMode(m_fontTransparent ? Qt::TransparentMode : Qt::OpaqueMode);
    }
    for (; m_pendingPageBreaks > 0; --m_pendingPageBreaks) {
        if (!m_printer->newPage())
            ThrowIfFailed("start a new page");
    }
}

void QtPrinterObject::ThrowIfFailed(const char *what)
{
    Fail(QStringLiteral("The printer \"%1\" failed to %2.")
             .arg(DeviceName(), QLatin1StringView(what)));
}

void QtPrinterObject::NewPage()
{
    ++m_pendingPageBreaks;
    m_currentX = m_scaleLeft;
    m_currentY = m_scaleTop;
}

void QtPrinterObject::EndDoc()
{
    if (!m_documentOpen) {
        m_pendingPageBreaks = 0;
        return;
    }
    // The break after the last output is the document's end; only further ones add pages.
    for (; m_pendingPageBreaks > 1; --m_pendingPageBreaks) {
        if (!m_printer->newPage())
            ThrowIfFailed("start a new page");
    }
    m_pendingPageBreaks = 0;
    m_documentOpen = false;
    if (!m_painter.end() || m_printer->printerState() == QPrinter::Error)
        ThrowIfFailed("finish the document");
}

void QtPrinterObject::KillDoc()
{
    m_pendingPageBreaks = 0;
    if (!m_documentOpen)
        return;
    m_documentOpen = false;
    m_printer->abort();
    if (m_painter.isActive())
        m_painter.end();
}

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
        Fail(QStringLiteral("%1 cannot change while a document is printing.")
                 .arg(QLatin1StringView(setting)));
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
        Fail(QStringLiteral("The printer cannot take orientation %1.").arg(code));
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
        Fail(QStringLiteral("The printer cannot take duplex mode %1.").arg(code));
}

void QtPrinterObject::SetPaperSize(qint16 code)
{
    RequireNoDocument("PaperSize");
    const auto id = DevModeCodes::PaperSizeFromCode(code);
    bool supported = id.has_value();
    if (supported && !IsPdf()) {
        const auto sizes = QPrinterInfo::printerInfo(m_printer->printerName()).supportedPageSizes();
        supported = sizes.isEmpty()
            || std::any_of(sizes.begin(), sizes.end(),
                           [&](const QPageSize &size) { return size.id() == *id; });
    }
    if (!supported || !m_printer->setPageSize(QPageSize(*id)))
        Fail(QStringLiteral("The printer cannot take paper size %1.").arg(code));
}

void QtPrinterObject::SetCopies(qint16 copies)
{
    RequireNoDocument("Copies");
    if (copies < 1)
        Fail(QStringLiteral("The printer cannot take %1 copies.").arg(copies));
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
        Fail(QStringLiteral("The printer cannot take print quality %1.").arg(quality));
    m_printer->setResolution(*dotsPerInch);
    m_fonts.clear(); // metrics depend on the resolution
    m_painterFont = -1;
}
