#pragma once

#include <QtGlobal>

class PrinterObject;
struct PuzzleRecord;

// The pen of the grid's outline, and of the page's rules above and below it.
constexpr qint16 HeavyDots = 5;

// Draws the record's grid with its column labels above and its row labels to the left, kept
// inside the frame's width, and with cells the mail's black squares and given characters.
// Returns the y of the grid's bottom edge.
double drawIssueGrid(PrinterObject &printer, const PuzzleRecord &record, bool cells);
