#include "OpenFileDialog.h"

#include <QFileDialog>

QStringList OpenFileDialog::ChooseFiles(QWidget *owner)
{
    return QFileDialog::getOpenFileNames(owner);
}
