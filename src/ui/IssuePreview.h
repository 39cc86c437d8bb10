#pragma once

#include <QString>

struct PuzzleRecord;

// The texts the main window's preview shows for one issue.
struct IssuePreview
{
    QString Title;   // titleLabel
    QString Size;    // sizeLabel
    QString Hint;    // hintView, each line followed by CR LF
    QString Comment; // commentView, likewise
};

IssuePreview BuildIssuePreview(const PuzzleRecord &record);
