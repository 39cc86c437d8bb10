#pragma once

#include "PuzzleRecord.h"

#include <QByteArray>
#include <QString>

// A record as the library keeps it: every field in order (SendTime, TitleLine, Title,
// ColCount, GridNote, HintLines, CommentLines, TyuukiText, ColLabels, RowLabels, Publisher,
// MagazineId, Cells), in Qt's stream format of version Qt_6_0, which every later Qt reads
// alike. Arrays hold their values from index 1, as rotam-pdf --json shows them.
QByteArray recordBytes(const PuzzleRecord &record);

// The record back, arrays with their element 0; labels never read come back as read but
// empty, the same issue to sameIssue(). Bytes that end early leave the fields after empty.
PuzzleRecord recordFromBytes(const QByteArray &bytes);

// A hash of the fields that tell issues apart almost always, the same across runs and Qt
// versions: records that are the same issue have the same hash, and sameIssue() decides.
qint64 recordHash(const PuzzleRecord &record);

// What the list's search matches: the title line and the comment lines.
QString recordSearchText(const PuzzleRecord &record);
