#pragma once

#include "MimeMessages.h"
#include "ReadFailure.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class IssueStore;

// What a load found to report.
struct LoadReport
{
    // Chosen files, and files in chosen folders, that could not be read; folders that could
    // not be listed.
    QList<ReadFailure> unreadable;
    // Chosen paths that were read but held no issue at all; issues dropped as repeats still
    // count as found. The pasted text is named by one empty string.
    QStringList withoutIssue;
    // Where each record of the store came from, parallel to store.puzzles: the mail file's
    // absolute path (for an mbox the mbox, for a folder or Maildir the message's file), or
    // pastedTextSource().
    // Empty for element 0, for records loaded before, and for an untitled last record.
    QStringList sources;
};

// The source of the issues of pasted text.
QString pastedTextSource();

// Loads the chosen files and folders, in order, into the store: each file and each message
// is a text of its own, parsed after the ones before. Then the issues that repeat an
// earlier one are dropped, and so is a last record left with nothing in it.
// Told on the loading thread as the load goes: bytes read so far of all the chosen mail (the
// files' sizes when they were listed; in an mbox after each message). Returning false stops
// the load, keeping what was read.
using LoadProgress = std::function<bool(qint64 done, qint64 total)>;
LoadReport loadMailPaths(IssueStore &store, const QStringList &paths,
                         const LoadProgress &progress = {});

// Loads pasted text as one text: every CR LF ends a line. The same repeats and empty record
// are dropped as after a file load.
LoadReport loadPastedText(IssueStore &store, const QString &text);
