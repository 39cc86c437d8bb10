#pragma once

#include <QStringList>

class QWidget;

// The main window's open dialogs, behind a seam so that tests can answer them.
class OpenFileDialog
{
public:
    virtual ~OpenFileDialog() = default;

    // The chosen files as full paths, in the order chosen; empty when the user cancelled.
    // The dialog opens in folder, or where Qt chooses when it is empty.
    virtual QStringList chooseFiles(QWidget *owner, const QString &folder);
    // A chosen folder, a Maildir or one of saved mails, as a full path; empty when the user
    // cancelled. Opens like chooseFiles.
    virtual QString chooseFolder(QWidget *owner, const QString &folder);
};
