#pragma once

#include <QString>

class PrinterObject;
struct PuzzleRecord;

// The credit line of a page: publisher and magazine ID in front of the program's credit,
// each only when the record has it.
QString creditLine(const PuzzleRecord &record);

// The name of a document of count issues, the first of them given: its title between ◇, and
// how many more follow ("◇第１２３回◇ ほか 5 問").
QString documentName(const PuzzleRecord &first, int count);

// Draws one issue on the printer in layout millimetres, its grid cells as the mail has them
// when cells is set. The job ends the page, which may hold a second issue.
void drawIssuePage(PrinterObject &printer, const PuzzleRecord &record, bool cells = false);
