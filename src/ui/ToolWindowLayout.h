#pragma once

#include <QtGlobal>

// The resize rules of the two tool windows, in twips of their outer size (frame included),
// kept apart from the widgets so that the numbers can be checked on their own.

struct TwipSize
{
    float Width = 0;
    float Height = 0;

    bool operator==(const TwipSize &) const = default;
};

// Smallest outer size either tool window may take; a smaller size is set back to it.
constexpr float ToolWindowMinimum = 3000;

// The size a dragged window snaps back to: each side raised to the minimum on its own.
TwipSize SnapToMinimumSize(TwipSize outer);

// Single to 32-bit integer: to nearest, halves to even.
qint32 RoundToInteger(float value);

struct PasteWindowLayout
{
    qint32 TextHeight = 0;
    qint32 TextWidth = 0;
    float OkLeft = 0;
    float NoLeft = 0;
    qint32 OkTop = 0;
    qint32 NoTop = 0;
};

// Places the paste window's text box and buttons for an outer size that is already snapped.
// The buttons share the free width W - 2000 as 1 : 2 : 1 around them.
PasteWindowLayout LayOutPasteWindow(TwipSize outer);

struct AnnotationWindowLayout
{
    qint32 TextHeight = 0;
    qint32 TextWidth = 0;
};

// The annotation window only stretches its text box; its button stays where it was made.
AnnotationWindowLayout LayOutAnnotationWindow(TwipSize outer);
