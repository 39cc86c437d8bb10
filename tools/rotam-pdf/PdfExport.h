#pragma once

#include "PrintJob.h"

#include <QList>
#include <QString>

#include <variant>

class IssueStore;
class QTextStream;

// The print options (placement, layout, cells) and where the pages go.
struct PdfExportOptions : PrintOptions
{
    QString outputPath;
    QString paper = QStringLiteral("A4"); // A4, B5, A5 or Letter
    QList<qint32> select;                 // record indexes to print; empty: every issue
};

// The issues of the list order (issueListOrder) that are selected, all of them for an empty
// selection; or the first selected index that names no issue in it.
std::variant<QList<qint32>, qint32> selectedIssues(QList<qint32> order,
                                                   const QList<qint32> &select);

// Prints the issues of the store, in the order of the issue list, to a PDF file as if they
// were all (or the selected ones) checked. Progress for long jobs and errors go to err.
// Returns false, having replaced nothing, when the file could not be produced.
bool exportPdf(const IssueStore &store, const PdfExportOptions &options, QTextStream &err);
