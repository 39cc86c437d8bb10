#pragma once

#include <QFont>
#include <QRect>
#include <QtMath>

// Window geometry is designed in twips; 15 twips are one logical pixel at 96 dpi, and Qt's
// high-DPI scaling maps logical pixels onto the screen.
constexpr double TwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return qRound(twips / TwipsPerPixel);
}

inline QRect twipRect(double left, double top, double width, double height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// The windows' default font: a Japanese proportional face, as the designed sizes assume.
inline QFont windowDefaultFont()
{
    return QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9);
}
