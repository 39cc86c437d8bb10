#pragma once

#include <QString>

class PrinterObject;
struct PuzzleRecord;

// The credit line of a page: publisher and magazine ID in front of the program's credit,
// each only when the record has it.
QString CreditLine(const PuzzleRecord &record);

// Draws one issue on the printer in layout millimetres and ends the page.
void DrawIssuePage(PrinterObject &printer, const PuzzleRecord &record);
