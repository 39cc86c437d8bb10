#include "ToolWindowLayout.h"

#include <cmath>

TwipSize snapToMinimumSize(TwipSize outer)
{
    if (outer.width < ToolWindowMinimum)
        outer.width = ToolWindowMinimum;
    if (outer.height < ToolWindowMinimum)
        outer.height = ToolWindowMinimum;
    return outer;
}

qint32 roundToInteger(float value)
{
    // The default floating-point environment rounds to nearest, ties to even.
    return qint32(std::lrint(value));
}

PasteWindowLayout layOutPasteWindow(TwipSize outer)
{
    const qint32 h = roundToInteger(outer.height);
    const qint32 w = roundToInteger(outer.width);
    PasteWindowLayout layout;
    layout.textHeight = h - 1050;
    layout.textWidth = w - 120;
    const double quarter = (double(w) - 2000.0) / 4.0;
    layout.runLeft = float(quarter);
    layout.cancelLeft = float(quarter * 3.0 + 1000.0);
    layout.runTop = h - 900;
    layout.cancelTop = h - 900;
    return layout;
}

AnnotationWindowLayout layOutAnnotationWindow(TwipSize outer)
{
    const qint32 h = roundToInteger(outer.height);
    const qint32 w = roundToInteger(outer.width);
    AnnotationWindowLayout layout;
    layout.textHeight = h - 330 - AnnotationButtonBand;
    layout.textWidth = w - 120;
    layout.closeLeft = 15 + layout.textWidth - AnnotationButtonWidth;
    layout.closeTop = 15 + layout.textHeight + 75;
    return layout;
}
