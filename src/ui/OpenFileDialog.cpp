#include "OpenFileDialog.h"

#include "MailFolders.h"

#include <QDir>
#include <QFileDialog>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// Qt's own dialog, whatever the desktop: only it takes the mail folders into its sidebar.
QStringList runDialog(QWidget *owner, const QString &caption, const QString &folder,
                      QFileDialog::FileMode mode)
{
    QFileDialog dialog(owner, caption, folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(mode);
    dialog.setOption(QFileDialog::ShowDirsOnly, mode == QFileDialog::Directory);
    // Thunderbird's and a Maildir's mail files have no extension.
    if (mode != QFileDialog::Directory)
        dialog.setNameFilters({u"すべてのファイル (*)"_s, u"メール (*.txt *.eml *.mbox)"_s});
    QList<QUrl> places = dialog.sidebarUrls();
    for (const QString &mail : mailFolders(QDir::homePath()))
        places.append(QUrl::fromLocalFile(mail));
    dialog.setSidebarUrls(places);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

} // namespace

QStringList OpenFileDialog::chooseFiles(QWidget *owner, const QString &folder)
{
    return runDialog(owner, u"メールファイルを開く"_s, folder, QFileDialog::ExistingFiles);
}

QString OpenFileDialog::chooseFolder(QWidget *owner, const QString &folder)
{
    const QStringList chosen =
        runDialog(owner, u"メールのフォルダを開く"_s, folder, QFileDialog::Directory);
    return chosen.value(0);
}
