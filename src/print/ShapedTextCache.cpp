#include "ShapedTextCache.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <limits>

namespace {

// Enough for every text of a few pages; past it the cache starts over.
constexpr qsizetype MaxTexts = 4096;

// A line separator breaks a QTextLayout line; drawText draws the text as one line whatever it
// holds.
bool laysOutAsDrawn(const QString &text)
{
    return !text.contains(QChar::LineSeparator) && !text.contains(QChar::ParagraphSeparator);
}

ShapedText shapeLine(const QString &text, const QFont &font, QPaintDevice *device)
{
    ShapedText shaped;
    if (!laysOutAsDrawn(text)) {
        shaped.advance = QFontMetricsF(font, device).horizontalAdvance(text);
        return shaped;
    }
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true); // else the glyph runs would shape the text again
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(std::numeric_limits<float>::max());
    layout.endLayout();
    shaped.runs = line.glyphRuns();
    shaped.ascent = line.ascent();
    shaped.advance = line.horizontalAdvance();
    shaped.drawable = true;
    return shaped;
}

} // namespace

ShapedTextCache::ShapedTextCache(const QFont &font, QPaintDevice *device)
    : m_font(font), m_device(device)
{
}

const ShapedText &ShapedTextCache::shape(const QString &text)
{
    auto found = m_texts.constFind(text);
    if (found != m_texts.constEnd())
        return *found;
    if (m_texts.size() >= MaxTexts)
        m_texts.clear();
    return *m_texts.insert(text, shapeLine(text, m_font, m_device));
}
