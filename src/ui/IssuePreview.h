#pragma once

#include <QString>

struct PuzzleRecord;

// The texts the main window's preview shows for one issue.
struct IssuePreview
{
    QString title;   // titleLabel
    QString size;    // sizeLabel
    QString hint;    // hintView, each line followed by CR LF
    QString comment; // commentView, likewise
};

IssuePreview buildIssuePreview(const PuzzleRecord &record);
