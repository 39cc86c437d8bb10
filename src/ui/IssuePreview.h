#pragma once

#include <QString>

struct PuzzleRecord;

// The texts the main window's preview shows for one issue.
struct IssuePreview
{
    QString Title;   // lbTitle
    QString Size;    // lbSize
    QString Hint;    // lbHint, each line followed by CR LF
    QString Comment; // lbComment, likewise
};

IssuePreview BuildIssuePreview(const PuzzleRecord &record);
