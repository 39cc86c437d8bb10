#pragma once

#include "MailboxRun.h"
#include "PdfExport.h"

#include <QString>
#include <QStringList>

class QTextStream;

// What rotam-pdf does with --library: one of list, json or a PDF (pdf.outputPath).
struct LibraryRunOptions
{
    QString libraryPath;
    QStringList files; // added to the library first
    bool unprinted = false;
    bool json = false;
    bool list = false;
    QList<qint64> select;                     // library ids; empty: every issue
    PdfExportOptions pdf;                     // its select stays empty
    std::optional<MailboxRunOptions> mailbox; // its new mail is added to the library first
};

// Adds the files or the mailbox's new mail to the library, then lists, writes as JSON or prints its
// issues (those never printed, with unprinted), in the issue list's order; a PDF written whole
// marks its issues printed. Returns the exit code.
int runOnLibrary(const LibraryRunOptions &options, QTextStream &out, QTextStream &err);
