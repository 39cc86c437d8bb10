#pragma once

#include "PrinterObject.h"

#include <QStringList>

// The lines a text takes in the printer's current font when no line may be wider than width:
// the text alone when it fits, otherwise broken where Unicode's line breaking allows (never
// before 。、」 or after 「), and between characters only within a run that has no such place
// and is wider than width on its own. Spaces that end a line are dropped; an empty text is one
// empty line.
QStringList wrapToWidth(PrinterObject &printer, const QString &text, float width);
