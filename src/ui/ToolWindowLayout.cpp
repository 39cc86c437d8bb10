#include "ToolWindowLayout.h"

#include <cmath>

TwipSize SnapToMinimumSize(TwipSize outer)
{
    if (outer.Width < ToolWindowMinimum)
        outer.Width = ToolWindowMinimum;
    if (outer.Height < ToolWindowMinimum)
        outer.Height = ToolWindowMinimum;
    return outer;
}

qint32 RoundToInteger(float value)
{
    // The default floating-point environment rounds to nearest, ties to even.
    return qint32(std::lrint(value));
}

PasteWindowLayout LayOutPasteWindow(TwipSize outer)
{
    const qint32 h = RoundToInteger(outer.Height);
    const qint32 w = RoundToInteger(outer.Width);
    PasteWindowLayout layout;
    layout.TextHeight = h - 1050;
    layout.TextWidth = w - 120;
    const double quarter = (double(w) - 2000.0) / 4.0;
    layout.OkLeft = float(quarter);
    layout.NoLeft = float(quarter * 3.0 + 1000.0);
    layout.OkTop = h - 900;
    layout.NoTop = h - 900;
    return layout;
}

AnnotationWindowLayout LayOutAnnotationWindow(TwipSize outer)
{
    const qint32 h = RoundToInteger(outer.Height);
    const qint32 w = RoundToInteger(outer.Width);
    AnnotationWindowLayout layout;
    layout.TextHeight = h - 330 - AnnotationButtonBand;
    layout.TextWidth = w - 120;
    layout.CloseLeft = 15 + layout.TextWidth - AnnotationButtonWidth;
    layout.CloseTop = 15 + layout.TextHeight + 75;
    return layout;
}
