#include "QtPrinterObject.h"

#include "Version.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double PenDotsPerInch = 600;

[[noreturn]] void fail(const QString &english, const QString &japanese)
{
    throw PrinterError(english, japanese);
}

} // namespace

QtPrinterObject::QtPrinterObject(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer))
{
    m_printer->setFullPage(false); // the origin is the printable area's corner
    m_printer->setCreator(QStringLiteral("rotam-print " ROTAM_VERSION));
}

QtPrinterObject::QtPrinterObject(const QPrinterInfo &info)
    : QtPrinterObject(std::make_unique<QPrinter>(info, QPrinter::HighResolution))
{
}

std::shared_ptr<QtPrinterObject> QtPrinterObject::forPdf(const QString &path,
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
        killDoc();
    } catch (...) {
    }
}

bool QtPrinterObject::isPdf() const
{
    return m_printer->outputFormat() == QPrinter::PdfFormat;
}

QString QtPrinterObject::deviceName() const
{
    return isPdf() ? QStringLiteral("PDF") : m_printer->printerName();
}

double QtPrinterObject::dotsPerUnit() const
{
    return m_printer->resolution() / MillimetresPerInch;
}

QPointF QtPrinterObject::toDots(float x, float y) const
{
    const double dots = dotsPerUnit();
    return {(double(x) - m_scaleLeft) * dots, (double(y) - m_scaleTop) * dots};
}

// From the millimetre layout rather than the device rectangle: Qt keeps paper sizes in
// whole points, which would make A4 0.04 mm too tall and move a centred layout.
float QtPrinterObject::printableWidth() const
{
    const QRectF area = m_printer->pageLayout().paintRect(QPageLayout::Millimeter);
    return float(area.width());
}

float QtPrinterObject::printableHeight() const
{
    const QRectF area = m_printer->pageLayout().paintRect(QPageLayout::Millimeter);
    return float(area.height());
}

float QtPrinterObject::scaleWidth() const
{
    return m_frame ? m_frame->width / m_frame->zoom : printableWidth();
}

float QtPrinterObject::scaleHeight() const
{
    return m_frame ? m_frame->height / m_frame->zoom : printableHeight();
}

void QtPrinterObject::setFrame(const PageFrame &frame)
{
    if (m_frame == frame)
        return;
    m_frame = frame;
    if (m_documentOpen)
        applyFrame();
}

// The painter does the framing, so that fonts, pens and positions scale as one and are
// measured in layout units as before.
void QtPrinterObject::applyFrame()
{
    if (!m_frame) {
        m_painter.resetTransform();
        return;
    }
    const double dots = dotsPerUnit();
    QTransform transform;
    transform.translate(m_frame->left * dots, m_frame->top * dots);
    transform.scale(m_frame->zoom, m_frame->zoom);
    m_painter.setWorldTransform(transform);
}

QtPrinterObject::CachedFont &QtPrinterObject::currentFont()
{
    for (CachedFont &cached : m_fonts) {
        if (cached.key == font)
            return cached;
    }
    QFont qtFont(font.name);
    qtFont.setPointSizeF(font.size > 0 ? font.size : 1);
    qtFont.setBold(font.bold);
    qtFont.setItalic(font.italic);
    qtFont.setUnderline(font.underline);
    qtFont.setStrikeOut(font.strikethrough);
    // Measured and drawn alike: hinting would make widths depend on the device's rasteriser.
    qtFont.setHintingPreference(QFont::PreferNoHinting);
    m_fonts.push_back({font, qtFont, QFontMetricsF(qtFont, m_printer.get()),
                       ShapedTextCache(qtFont, m_printer.get())});
    return m_fonts.back();
}

// Glyph runs draw no decoration of the font's own and fill no background.
bool QtPrinterObject::drawsShapedText(const PrinterFont &font) const
{
    return m_glyphRunsAsText && m_fontTransparent && !font.underline && !font.strikethrough;
}

void QtPrinterObject::print(const QString &text, LineEnd end)
{
    beginOutput();
    CachedFont &font = currentFont();
    const ShapedText &shaped = font.texts.shape(text);
    const QPointF top = toDots(m_currentX, m_currentY);
    const double baseline = top.y() + font.metrics.ascent();
    if (shaped.drawable && drawsShapedText(font.key)) {
        for (const QGlyphRun &run : shaped.runs)
            m_painter.drawGlyphRun(QPointF(top.x(), baseline - shaped.ascent), run);
    } else {
        const int index = int(&font - m_fonts.data());
        if (m_painterFont != index) {
            m_painter.setFont(font.font);
            m_painterFont = index;
        }
        m_painter.drawText(QPointF(top.x(), baseline), text);
    }
    if (end == LineEnd::No) {
        m_currentX = float(m_currentX + shaped.advance / dotsPerUnit());
    } else {
        m_currentX = m_scaleLeft;
        m_currentY = float(m_currentY + font.metrics.lineSpacing() / dotsPerUnit());
    }
}

float QtPrinterObject::textWidth(const QString &text)
{
    return float(currentFont().texts.shape(text).advance / dotsPerUnit());
}

// The full line height, leading included: the distance a line end moves currentY, so that a
// text bottom-aligned on y and the next line printed at y do not overlap.
float QtPrinterObject::textHeight(const QString &text)
{
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    return float(lines * currentFont().metrics.lineSpacing() / dotsPerUnit());
}

void QtPrinterObject::setFontTransparent(bool transparent)
{
    m_fontTransparent = transparent;
    if (m_documentOpen)
        m_painter.setBackgroundMode(transparent ? Qt::TransparentMode : Qt::OpaqueMode);
}

void QtPrinterObject::setDrawWidth(qint16 dots)
{
    if (dots < 1)
        fail(QStringLiteral("The printer cannot draw lines %1 dots wide.").arg(dots),
             QStringLiteral("線の太さ %1 ドットは描けません。").arg(dots));
    m_penDirty = m_penDirty || dots != m_drawWidth;
    m_drawWidth = dots;
}

void QtPrinterObject::applyPen()
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

void QtPrinterObject::line(LineForm form, float x1, float y1, float x2, float y2)
{
    const bool offset = form != LineForm::TwoPoints;
    const float endX = offset ? x1 + x2 : x2;
    const float endY = offset ? y1 + y2 : y2;

    beginOutput();
    applyPen();
    const QPointF from = toDots(x1, y1);
    const QPointF to = toDots(endX, endY);
    if (form == LineForm::FilledBoxFromOffset)
        m_painter.fillRect(QRectF(from, to).normalized(), Qt::black);
    else if (form == LineForm::BoxFromOffset)
        m_painter.drawRect(QRectF(from, to).normalized());
    else
        m_painter.drawLine(from, to);
    m_currentX = endX;
    m_currentY = endY;
}

void QtPrinterObject::beginOutput()
{
    if (!m_documentOpen) {
        if (!m_painter.begin(m_printer.get())) {
            if (isPdf())
                fail(QStringLiteral("Cannot write the PDF file \"%1\".")
                         .arg(m_printer->outputFileName()),
                     QStringLiteral("PDF ファイル「%1」に書き込めません。")
                         .arg(m_printer->outputFileName()));
            fail(QStringLiteral("Cannot open the printer \"%1\".").arg(m_printer->printerName()),
                 QStringLiteral("プリンタ「%1」を開けません。").arg(m_printer->printerName()));
        }
        m_documentOpen = true;
        // Fonts and shaped texts are the job's: the next may have another resolution.
        m_fonts.clear();
        m_painterFont = -1;
        m_glyphRunsAsText = m_painter.paintEngine()->type() == QPaintEngine::Pdf;
        m_penDirty = true;
        m_painter.setBackground(Qt::white);
        m_painter.setBackgroundMode(m_fontTransparent ? Qt::TransparentMode : Qt::OpaqueMode);
        applyFrame();
    }
    for (; m_pendingPageBreaks > 0; --m_pendingPageBreaks) {
        if (!m_printer->newPage())
            throwIfFailed("start a new page", u"改ページ");
    }
}

void QtPrinterObject::throwIfFailed(const char *what, const char16_t *japaneseWhat)
{
    fail(QStringLiteral("The printer \"%1\" failed to %2.")
             .arg(deviceName(), QLatin1StringView(what)),
         QStringLiteral("プリンタ「%1」で%2できませんでした。")
             .arg(deviceName(), QString::fromUtf16(japaneseWhat)));
}

void QtPrinterObject::setDocumentName(const QString &name)
{
    m_printer->setDocName(name);
}

void QtPrinterObject::newPage()
{
    ++m_pendingPageBreaks;
    m_currentX = m_scaleLeft;
    m_currentY = m_scaleTop;
}

void QtPrinterObject::endDoc()
{
    if (!m_documentOpen) {
        m_pendingPageBreaks = 0;
        return;
    }
    // The break after the last output is the document's end; only further ones add pages.
    for (; m_pendingPageBreaks > 1; --m_pendingPageBreaks) {
        if (!m_printer->newPage())
            throwIfFailed("start a new page", u"改ページ");
    }
    m_pendingPageBreaks = 0;
    m_documentOpen = false;
    if (!m_painter.end() || m_printer->printerState() == QPrinter::Error)
        throwIfFailed("finish the document", u"文書を完成");
    throwIfQueueRefused();
}

// Qt hands the spooled file to CUPS as the painter ends and drops the answer: a queue that
// rejects jobs, or one removed meanwhile, would lose the job without a word. CUPS keeps the
// last answer per thread, and this is the thread that ended the painter.
void QtPrinterObject::throwIfQueueRefused()
{
    if (m_printer->outputFormat() != QPrinter::NativeFormat ||
        !m_printer->outputFileName().isEmpty() || cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return;
    const QString reason = QString::fromUtf8(cupsLastErrorString());
    fail(
        QStringLiteral("The print queue \"%1\" did not take the job: %2").arg(deviceName(), reason),
        QStringLiteral("プリンタ「%1」の印刷キューが印刷を受け付けませんでした（%2）。")
            .arg(deviceName(), reason));
}

void QtPrinterObject::killDoc()
{
    m_pendingPageBreaks = 0;
    if (!m_documentOpen)
        return;
    m_documentOpen = false;
    m_printer->abort();
    if (m_painter.isActive())
        m_painter.end();
}
