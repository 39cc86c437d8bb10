#pragma once

#include <QtGlobal>

// The resize rules of the two tool windows, in twips of their outer size (frame included),
// kept apart from the widgets so that the numbers can be checked on their own.

struct TwipSize
{
    float width = 0;
    float height = 0;

    bool operator==(const TwipSize &) const = default;
};

// Smallest outer size either tool window may take; a smaller size is set back to it.
constexpr float ToolWindowMinimum = 3000;

// The size a dragged window snaps back to: each side raised to the minimum on its own.
TwipSize snapToMinimumSize(TwipSize outer);

// Single to 32-bit integer: to nearest, halves to even.
qint32 roundToInteger(float value);

struct PasteWindowLayout
{
    qint32 textHeight = 0;
    qint32 textWidth = 0;
    float runLeft = 0;
    float cancelLeft = 0;
    qint32 runTop = 0;
    qint32 cancelTop = 0;
};

// Places the paste window's text box and buttons for an outer size that is already snapped.
// The buttons share the free width W - 2000 as 1 : 2 : 1 around them.
PasteWindowLayout layOutPasteWindow(TwipSize outer);

struct AnnotationWindowLayout
{
    qint32 textHeight = 0;
    qint32 textWidth = 0;
    qint32 closeLeft = 0;
    qint32 closeTop = 0;
};

constexpr qint32 AnnotationButtonWidth = 870;
constexpr qint32 AnnotationButtonHeight = 390;
// The button with a gap of 75 above and below it.
constexpr qint32 AnnotationButtonBand = 75 + AnnotationButtonHeight + 75;

// The annotation window's close button keeps a band of its own below the text box,
// at the box's right edge, so that it never covers the text.
AnnotationWindowLayout layOutAnnotationWindow(TwipSize outer);
