#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class IssueStore;
class LineArray;

// A chosen file that could not be read, and why, for the caller to report.
struct ReadFailure
{
    QString path;
    QString reason;
};

// Decodes a mail file: Windows CP932 unless it carries a UTF-8 byte-order mark or is valid
// UTF-8 with at least one non-ASCII byte. Invalid bytes become U+FFFD.
QString DecodeMailBytes(const QByteArray &bytes);

// Every CR LF ends a line; a text that ends in CR LF gives no empty last line; the empty
// text gives one empty line.
LineArray SplitPastedText(const QString &text);

// Larger files are refused: their text would need three times as much memory.
inline constexpr qint64 MaxMailFileBytes = qint64(1) << 30;

// Appends the lines of one mail file to textLines; a file that can't be read adds nothing.
std::optional<ReadFailure> ReadFileLines(const QString &path, LineArray &textLines);

// Told after each file read (or failed): files done so far, files in all.
using LoadProgress = std::function<void(qsizetype done, qsizetype total)>;

// Reads every file of paths, in order, into store.TextLines (replacing it) and empties
// store.LoadText. Files that fail are skipped and handed back.
QList<ReadFailure> ReadMailFiles(IssueStore &store, const QStringList &paths,
                                 const LoadProgress &progress = {});
