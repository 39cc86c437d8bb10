#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The open dialog of the main window: set Flags, call ShowOpen, read FileName. FileName is
// one full path, or the folder followed by the chosen names, all separated by NUL; it is
// empty when the user cancelled.
class CommonDialog
{
public:
    virtual ~CommonDialog() = default;

    quint32 Flags = 0;
    QString FileName;

    virtual void ShowOpen(QWidget *owner);
};

// Several existing files from one folder in the form FileName carries.
QString JoinChosenFiles(const QStringList &paths);
