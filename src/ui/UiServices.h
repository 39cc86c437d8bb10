#pragma once

#include "JobProgress.h"
#include "OpenFileDialog.h"
#include "QtPrintDialog.h"

#include <functional>
#include <memory>

class QDialog;
class QSettings;

// What the main window reaches outside itself: the open dialog, the print dialog, the way a
// modal window is run, the settings kept between runs and the progress windows of long jobs.
// Tests put scripted stand-ins in their place; without settings nothing is remembered,
// without progress windows none are shown.
struct UiServices
{
    std::shared_ptr<OpenFileDialog> openDialog;
    std::shared_ptr<UiPrintDialog> printDialog;
    // Shows a modal window and returns its result when it has been closed.
    std::function<int(QDialog &)> runModal;
    std::shared_ptr<QSettings> settings;
    std::shared_ptr<ProgressWindows> progress;
};

// The real thing: QFileDialog, QPrintDialog, QDialog::exec, the
// user's settings in the platform's place, QProgressDialog.
UiServices defaultUiServices();
