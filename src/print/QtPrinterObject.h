#pragma once

#include "PrinterObject.h"
#include "ShapedTextCache.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <memory>
#include <optional>
#include <vector>

class QPageSize;
class QPrinter;
class QPrinterInfo;
struct QMarginsF;

// The printer object over a QPrinter: a real printer or a PDF file. Works in device dots;
// millimetres are converted at the edges. The document begins with the first output and
// a page break is taken only when output follows it, so endDoc after newPage adds no page.
// Text is drawn black with the top of its line cell at currentY.
class QtPrinterObject final : public PrinterObject
{
public:
    explicit QtPrinterObject(std::unique_ptr<QPrinter> printer);
    // A printer installed on the system.
    explicit QtPrinterObject(const QPrinterInfo &info);
    // A PDF file with the given paper, unprintable margins (mm) and device resolution.
    static std::shared_ptr<QtPrinterObject> forPdf(const QString &path, const QPageSize &paper,
                                                   const QMarginsF &marginsMm, int dotsPerInch);
    ~QtPrinterObject() override;

    QPrinter &device() { return *m_printer; }

    void setScaleLeft(float left) override { m_scaleLeft = left; }
    void setScaleTop(float top) override { m_scaleTop = top; }
    float scaleLeft() const override { return m_scaleLeft; }
    float scaleTop() const override { return m_scaleTop; }
    float scaleWidth() const override;
    float scaleHeight() const override;
    void setFrame(const PageFrame &frame) override;
    float printableWidth() const override;
    float printableHeight() const override;

    float currentX() const override { return m_currentX; }
    float currentY() const override { return m_currentY; }
    void setCurrentX(float x) override { m_currentX = x; }
    void setCurrentY(float y) override { m_currentY = y; }

    void print(const QString &text, LineEnd end = LineEnd::No) override;
    float textWidth(const QString &text) override;
    float textHeight(const QString &text) override;

    void setFontTransparent(bool transparent) override;
    void setDrawWidth(qint16 dots) override;
    void line(LineForm form, float x1, float y1, float x2, float y2) override;

    void setDocumentName(const QString &name) override;

    void newPage() override;
    void endDoc() override;
    void killDoc() override;

    QString deviceName() const override;

private:
    struct CachedFont
    {
        PrinterFont key;
        QFont font;
        QFontMetricsF metrics;
        ShapedTextCache texts;
    };

    bool isPdf() const;
    double dotsPerUnit() const;
    QPointF toDots(float x, float y) const;
    CachedFont &currentFont();
    bool drawsShapedText(const PrinterFont &font) const;
    // Begins the document, or takes a pending page break, before any output.
    void beginOutput();
    void applyPen();
    void applyFrame();
    [[noreturn]] void throwIfFailed(const char *what, const char16_t *japaneseWhat);
    void throwIfQueueRefused();

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    bool m_documentOpen = false;
    int m_pendingPageBreaks = 0;

    float m_scaleLeft = 0;
    float m_scaleTop = 0;
    std::optional<PageFrame> m_frame; // none: the whole printable area at zoom 1
    float m_currentX = 0;
    float m_currentY = 0;

    bool m_fontTransparent = true;
    qint16 m_drawWidth = 1;
    bool m_penDirty = true;

    std::vector<CachedFont> m_fonts; // few faces per job; a linear search is cheapest
    int m_painterFont = -1;          // index into m_fonts of the painter's font
    // Whether the device takes glyph runs as it takes text: the PDF engine does, a preview's
    // recording would keep them as outlines.
    bool m_glyphRunsAsText = false;
};
