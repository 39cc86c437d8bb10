#pragma once

#include <QFont>
#include <QRect>
#include <QtMath>

// Window geometry is designed in twips; 15 twips are one logical pixel at 96 dpi, and Qt's
// high-DPI scaling maps logical pixels onto the screen.
constexpr double TwipsPerPixel = 15.0;

inline int TwipsToPixels(double twips)
{
    return qRound(twips / TwipsPerPixel);
}

inline QRect TwipRect(double left, double top, double width, double height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

// The windows' default font: a Japanese proportional face, as the designed sizes assume.
inline QFont WindowDefaultFont()
{
    return QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9);
}
