#pragma once

#include "PrintOptions.h"
#include "PrinterObject.h"

#include <QPageRanges>

#include <optional>

class QWidget;

// What a confirmed print dialog hands back.
struct PrintChoice
{
    PrinterRef printer;  // set up as the dialog left it: paper, copies, duplex, colour...
    QString printerName; // the installed printer chosen, for the next dialog; empty for a file
    QPageRanges sheets;  // the sheets of the job to print; empty for all
};

// The modal print dialog, behind a seam so that tests can answer it.
class UiPrintDialog
{
public:
    virtual ~UiPrintDialog() = default;
    // Shows the dialog preset with the named printer (the system's default when there is
    // none of that name) for a job of at most maxSheets sheets; nullopt when cancelled.
    virtual std::optional<PrintChoice> exec(QWidget *owner, const QString &printerName,
                                            int maxSheets) = 0;

    // The output-file field's text when the dialog opens; once a file was chosen, that file.
    QString pdfFileName;
    // What the dialog's layout tab shows; after a confirmed dialog, what the user chose there.
    PrintOptions options;
};

// Qt's print dialog, printing on the QPrinter it configured.
class QtPrintDialog final : public UiPrintDialog
{
public:
    std::optional<PrintChoice> exec(QWidget *owner, const QString &printerName,
                                    int maxSheets) override;
};
