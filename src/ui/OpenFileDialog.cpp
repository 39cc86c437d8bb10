#include "OpenFileDialog.h"

#include <QFileDialog>

using namespace Qt::StringLiterals;

QStringList OpenFileDialog::ChooseFiles(QWidget *owner, const QString &folder)
{
    return QFileDialog::getOpenFileNames(owner, u"メールファイルを開く"_s, folder,
                                         u"メール (*.txt *.eml *.mbox);;すべてのファイル (*)"_s);
}
