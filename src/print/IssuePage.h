#pragma once

#include <QString>

struct PuzzleRecord;

// The credit line of a page: publisher and magazine ID in front of the program's credit,
// each only when the record has it.
QString CreditLine(const PuzzleRecord &record);

// Draws one issue on KesaPrt::PrintTarget in layout millimetres and ends the page.
void DrawIssuePage(const PuzzleRecord &record);
