#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>

class QPaintDevice;

// One line of text shaped for a font on a device: what QPainter::drawText would draw for it.
struct ShapedText
{
    QList<QGlyphRun> runs; // placed from the left end of a baseline at y = ascent
    double ascent = 0;     // the baseline's depth in the runs, in dots
    double advance = 0;    // in dots, trailing spaces included
    bool drawable = false; // false: the runs are not drawText's, draw the text itself
};

// The texts of a job shaped once for one font. Headings, labels and comment lines recur on
// every page, and a text is measured before it is printed: shaping is most of the cost of
// either. Bounded, so that a long job of all different texts does not keep them all.
class ShapedTextCache
{
public:
    ShapedTextCache(const QFont &font, QPaintDevice *device);

    const ShapedText &shape(const QString &text);

private:
    QFont m_font;
    QPaintDevice *m_device;
    QHash<QString, ShapedText> m_texts;
};
