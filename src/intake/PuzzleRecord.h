#pragma once

#include <QString>
#include <QStringList>

// One issue of the magazine. The string arrays keep an empty element 0 and their values
// from index 1, because the list's record indexes and the page loops count that way.
struct PuzzleRecord
{
    QString SendTime;
    QStringList HintLines{QString()};
    QStringList CommentLines{QString()};
    QString TyuukiText;
    QString TitleLine;
    QString Title;
    qint32 ColCount = 0;
    QString GridNote;
    QStringList ColLabels; // no elements until the title block is read
    QStringList RowLabels; // likewise
    QStringList Cells;     // grid row r's characters at the label columns, from element 1
    QString Publisher;
    QString MagazineId;
};

// The upper bound of a 0-based array with an unused element 0: the number of values in it.
// An array without elements (labels of an untitled record) counts as 0.
inline qsizetype UpperBound(const QStringList &array)
{
    return array.isEmpty() ? 0 : array.size() - 1;
}
