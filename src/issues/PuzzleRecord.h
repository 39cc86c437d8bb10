#pragma once

#include <QString>
#include <QStringList>

// One issue of the magazine. The string arrays keep an empty element 0 and their values
// from index 1, because the list's record indexes and the page loops count that way.
struct PuzzleRecord
{
    QString SendTime;                    // the date line's value: the mail's sending time
    QStringList HintLines{QString()};    // the hint lines under the grid
    QStringList CommentLines{QString()}; // the comment block between the first two dividers
    QString TyuukiText;                  // the annotation: the footer block between the dividers
    QString TitleLine;     // the whole title line, beginning with ◇; empty: no issue
    QString Title;         // the text between the title line's two ◇ marks
    qint32 ColCount = 0;   // N, the header's label count; the grid is N by N
    QString GridNote;      // the text right of the grid rows, pieces joined
    QStringList ColLabels; // the column labels; no elements until a title block is read
    QStringList RowLabels; // the row labels, N of them; unlabelled rows stay empty
    QString Publisher;     // the publisher's name from the footer
    QString MagazineId;    // the magazine ID from the footer
    // The cells of each labelled row, N of them like RowLabels; a row's string holds the
    // character at each header label's position, ColCount characters (code points, so one
    // outside the BMP takes two UTF-16 units). Positions past the row's end hold U+3000, as
    // an unmarked cell does; rows the mail lacks stay empty strings.
    QStringList Cells;

    bool operator==(const PuzzleRecord &) const = default;
};

// The upper bound of a 0-based array with an unused element 0: the number of values in it.
// An array without elements (labels of an untitled record) counts as 0.
inline qsizetype upperBound(const QStringList &array)
{
    return array.isEmpty() ? 0 : array.size() - 1;
}
