#include "QtPrinterObject.h"

#include "FontSubstitutes.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double PenDotsPerInch = 600;

[[noreturn]] void Fail(const QString &english, const QString &japanese)
{
    throw PrinterError(english, japanese);
}

} // namespace

QtPrinterObject::QtPrinterObject(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer))
{
    RegisterFontSubstitutes();
    m_printer->setFullPage(false); // the origin is the printable area's corner
    m_printer->setCreator(QStringLiteral("rotam-print " ROTAM_VERSION));
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
    return m_printer->resolution() / MillimetresPerInch;
}

QPointF QtPrinterObject::ToDots(float x, float y) const
{
    const double dots = DotsPerUnit();
    return {(double(x) - m_scaleLeft) * dots, (double(y) - m_scaleTop) * dots};
}

// From the millimetre layout rather than the device rectangle: Qt keeps paper sizes in
// whole points, which would make A4 0.04 mm too tall and move a centred layout.
float QtPrinterObject::PrintableWidth() const
{
    const QRectF area = m_printer->pageLayout().paintRect(QPageLayout::Millimeter);
    return float(area.width());
}

float QtPrinterObject::PrintableHeight() const
{
    const QRectF area = m_printer->pageLayout().paintRect(QPageLayout::Millimeter);
    return float(area.height());
}

float QtPrinterObject::ScaleWidth() const
{
    return m_frame ? m_frame->Width / m_frame->Zoom : PrintableWidth();
}

float QtPrinterObject::ScaleHeight() const
{
    return m_frame ? m_frame->Height / m_frame->Zoom : PrintableHeight();
}

void QtPrinterObject::SetFrame(const PageFrame &frame)
{
    if (m_frame == frame)
        return;
    m_frame = frame;
    if (m_documentOpen)
        ApplyFrame();
}

// The painter does the framing, so that fonts, pens and positions scale as one and are
// measured in layout units as before.
void QtPrinterObject::ApplyFrame()
{
    if (!m_frame) {
        m_painter.resetTransform();
        return;
    }
    const double dots = DotsPerUnit();
    QTransform transform;
    transform.translate(m_frame->Left * dots, m_frame->Top * dots);
    transform.scale(m_frame->Zoom, m_frame->Zoom);
    m_painter.setWorldTransform(transform);
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
        m_currentX = float(m_currentX + Advance(text) / DotsPerUnit());
    } else {
        m_currentX = m_scaleLeft;
        m_currentY = float(m_currentY + font.metrics.lineSpacing() / DotsPerUnit());
    }
}

double QtPrinterObject::Advance(const QString &text)
{
    const CachedFont &font = CurrentFont();
    const int index = int(&font - m_fonts.data());
    if (index != m_measuredFont || text != m_measuredText) {
        m_measuredAdvance = font.metrics.horizontalAdvance(text);
        m_measuredFont = index;
        m_measuredText = text;
    }
    return m_measuredAdvance;
}

float QtPrinterObject::TextWidth(const QString &text)
{
    return float(Advance(text) / DotsPerUnit());
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
    if (dots < 1)
        Fail(QStringLiteral("The printer cannot draw lines %1 dots wide.").arg(dots),
             QStringLiteral("線の太さ %1 ドットは描けません。").arg(dots));
    m_penDirty = m_penDirty || dots != m_drawWidth;
    m_drawWidth = dots;
}

void QtPrinterObject::ApplyPen()
{
    if (!m_penDirty)
        return;
    // A dot is 1/600 inch whatever the device's resolution: the page was drawn for 600 dpi
    // printers, and at 1200 dpi a one-dot grid line all but vanishes.
    const double width = m_drawWidth * m_printer->resolution() / PenDotsPerInch;
    // Round ends and joins, as a wide GDI pen draws them.
    m_painter.setPen(QPen(QBrush(Qt::black), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter.setBrush(Qt::NoBrush);
    m_penDirty = false;
}

void QtPrinterObject::Line(LineForm form, float x1, float y1, float x2, float y2)
{
    const bool offset = form != LineForm::TwoPoints;
    const float endX = offset ? x1 + x2 : x2;
    const float endY = offset ? y1 + y2 : y2;

    BeginOutput();
    ApplyPen();
    const QPointF from = ToDots(x1, y1);
    const QPointF to = ToDots(endX, endY);
    if (form == LineForm::FilledBoxFromOffset)
        m_painter.fillRect(QRectF(from, to).normalized(), Qt::black);
    else if (form == LineForm::BoxFromOffset)
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
            if (IsPdf())
                Fail(QStringLiteral("Cannot write the PDF file \"%1\".")
                         .arg(m_printer->outputFileName()),
                     QStringLiteral("PDF ファイル「%1」に書き込めません。")
                         .arg(m_printer->outputFileName()));
            Fail(QStringLiteral("Cannot open the printer \"%1\".").arg(m_printer->printerName()),
                 QStringLiteral("プリンタ「%1」を開けません。").arg(m_printer->printerName()));
        }
        m_documentOpen = true;
        m_painterFont = -1;
        m_penDirty = true;
        m_painter.setBackground(Qt::white);
        m_painter.setBackgroundMode(m_fontTransparent ? Qt::TransparentMode : Qt::OpaqueMode);
        ApplyFrame();
    }
    for (; m_pendingPageBreaks > 0; --m_pendingPageBreaks) {
        if (!m_printer->newPage())
            ThrowIfFailed("start a new page", u"改ページ");
    }
}

void QtPrinterObject::ThrowIfFailed(const char *what, const char16_t *japaneseWhat)
{
    Fail(QStringLiteral("The printer \"%1\" failed to %2.")
             .arg(DeviceName(), QLatin1StringView(what)),
         QStringLiteral("プリンタ「%1」で%2できませんでした。")
             .arg(DeviceName(), QString::fromUtf16(japaneseWhat)));
}

void QtPrinterObject::SetDocumentName(const QString &name)
{
    m_printer->setDocName(name);
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
            ThrowIfFailed("start a new page", u"改ページ");
    }
    m_pendingPageBreaks = 0;
    m_documentOpen = false;
    if (!m_painter.end() || m_printer->printerState() == QPrinter::Error)
        ThrowIfFailed("finish the document", u"文書を完成");
    ThrowIfQueueRefused();
}

// Qt hands the spooled file to CUPS as the painter ends and drops the answer: a queue that
// rejects jobs, or one removed meanwhile, would lose the job without a word. CUPS keeps the
// last answer per thread, and this is the thread that ended the painter.
void QtPrinterObject::ThrowIfQueueRefused()
{
    if (m_printer->outputFormat() != QPrinter::NativeFormat ||
        !m_printer->outputFileName().isEmpty() || cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return;
    const QString reason = QString::fromUtf8(cupsLastErrorString());
    Fail(
        QStringLiteral("The print queue \"%1\" did not take the job: %2").arg(DeviceName(), reason),
        QStringLiteral("プリンタ「%1」の印刷キューが印刷を受け付けませんでした（%2）。")
            .arg(DeviceName(), reason));
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
