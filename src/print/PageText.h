#pragma once

#include "PrinterObject.h"

#include <QString>

#include <optional>

// The text primitives the page is drawn with, on the printer they are given.
namespace PageText {

// Brings the printer into the known drawing state of a job and begins its document.
void beginJob(PrinterObject &printer);

// One line of text against y, between left and right. Alignment code: tens digit 1 or more
// puts the bottom of the text at y; units digit 0 left, 1 right, 2 centre, 3 spread, other
// keeps currentX.
void textAt(PrinterObject &printer, float left, float right, float y, const QString &text,
            qint16 alignment);

// One line of text in a box. Tens digit 0 top, 1 bottom, 2 middle, other keeps currentY;
// units digit as for textAt, spreading keeps 0.5 free at each side.
void textInBox(PrinterObject &printer, float left, float right, float top, float bottom,
               const QString &text, qint16 alignment);

// What setFont changes: an empty name, size 0 and an unset style leave that attribute as it is.
struct FontChange
{
    QString name = {};
    qint16 size = 0; // points
    std::optional<bool> bold = {}, italic = {}, underline = {}, strikethrough = {};
};

void setFont(PrinterObject &printer, const FontChange &change);

} // namespace PageText
