#pragma once

#include <QString>

class LineArray;

// Every CR LF ends a line; a text that ends in CR LF gives no empty last line; the empty
// text gives one empty line.
LineArray splitPastedText(const QString &text);
