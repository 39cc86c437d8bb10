#include "UiServices.h"

#include "QtPrinterCollection.h"

#include <QDialog>

UiServices DefaultUiServices()
{
    UiServices services;
    services.OpenDialog = std::make_shared<OpenFileDialog>();
    services.Printers = std::make_shared<QtPrinterCollection>();
    services.PrintDialog = std::make_shared<QtPrintDialog>();
    services.RunModal = [](QDialog &dialog) { return dialog.exec(); };
    return services;
}
