#pragma once

#include "MailDecoder.h"
#include "MailFiles.h"
#include "ReadFailure.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class IssueStore;
class LineArray;

// Every CR LF ends a line; a text that ends in CR LF gives no empty last line; the empty
// text gives one empty line.
LineArray SplitPastedText(const QString &text);

// Appends the lines of one mail file to textLines, read as a text file whatever it holds;
// a file that can't be read adds nothing.
std::optional<ReadFailure> ReadFileLines(const QString &path, LineArray &textLines);

// Reads every file of paths, in order, into store.TextLines (replacing it) as one text, and
// empties store.LoadText. Files that fail are skipped and handed back. The window's load
// until it calls LoadMailPaths, which reads mail and folders and parses each file alone.
QList<ReadFailure> ReadMailFiles(IssueStore &store, const QStringList &paths);
