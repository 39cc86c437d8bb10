#include "CommonDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QString JoinChosenFiles(const QStringList &paths)
{
    if (paths.size() == 1)
        return QDir::toNativeSeparators(paths.front());
    if (paths.isEmpty())
        return {};
    QString result = QDir::toNativeSeparators(QFileInfo(paths.front()).absolutePath());
    for (const QString &path : paths) {
        result += QChar(u'\0');
        result += QFileInfo(path).fileName();
    }
    return result;
}

void CommonDialog::ShowOpen(QWidget *owner)
{
    // A cancelled dialog yields no choice, so a cancel never reloads an earlier one.
    FileName = JoinChosenFiles(QFileDialog::getOpenFileNames(owner));
}
