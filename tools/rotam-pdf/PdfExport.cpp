#include "PdfExport.h"

#include <QTextStream>

// Placeholder until the PDF backend lands.
bool ExportPdf(const IssueStore &, const PdfExportOptions &, QTextStream &err)
{
    err << "rotam-pdf: PDF output is not available yet\n";
    return false;
}
