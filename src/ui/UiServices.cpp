#include "UiServices.h"

#include <QDialog>
#include <QSettings>

using namespace Qt::StringLiterals;

UiServices DefaultUiServices()
{
    UiServices services;
    services.OpenDialog = std::make_shared<OpenFileDialog>();
    services.PrintDialog = std::make_shared<QtPrintDialog>();
    services.RunModal = [](QDialog &dialog) { return dialog.exec(); };
    services.Settings = std::make_shared<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                    u"rotam-print"_s, u"rotam-print"_s);
    services.Progress = std::make_shared<ProgressWindows>();
    return services;
}
