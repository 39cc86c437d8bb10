// The main window's handlers: intake, issue list, preview and annotation.
#include "MainWindow.h"

#include "AnnotationWindow.h"
#include "IssueLoad.h"
#include "IssueOrder.h"
#include "IssuePreview.h"
#include "LoadMessage.h"
#include "MessageBox.h"
#include "PasteWindow.h"
#include "TextBox.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QUrl>

using namespace Qt::StringLiterals;

void MainWindow::openFiles()
{
    loadFiles(m_services.OpenDialog->ChooseFiles(this));
}

void MainWindow::loadFiles(const QStringList &paths)
{
    // A cancelled dialog chooses nothing and leaves the list as it was.
    if (paths.isEmpty())
        return;
    const LoadReport report = LoadMailPaths(store, paths);
    fillIssueList();
    showLoadMessage(paths, report);
}

void MainWindow::showLoadMessage(const QStringList &chosen, const LoadReport &report)
{
    const LoadMessage message = ComposeLoadMessage(chosen, report);
    if (!message.title.isEmpty())
        MessageBox::Show(this, MessageBox::Kind::Warning, message.title, message.text);
}

void MainWindow::openPasteWindow()
{
    PasteWindow window(store.LoadText, this);
    // Only "実行" hands text over; any other way out leaves the list as it was.
    if (m_services.RunModal(window) != QDialog::Accepted)
        return;
    const LoadReport report = LoadPastedText(store);
    fillIssueList();
    showLoadMessage({}, report);
}

void MainWindow::fillIssueList()
{
    const qint32 n = store.UpperBound();
    {
        const QSignalBlocker blocker(issueList);
        issueList->clear();
        // No current entry: focus coming back to the list must not make one, and with it a
        // click that moves the preview.
        issueList->setCurrentIndex(QModelIndex());
    }
    m_checked.clear();
    m_checkedCount = 0;
    // Every entry comes back unchecked, so nothing is left to print.
    setPrintEnabled(false);
    if (n == 0)
        return;

    {
        const QSignalBlocker blocker(issueList);
        issueList->setUpdatesEnabled(false);
        const QList<qint32> order = IssueListOrder(store);
        for (const qint32 i : order) {
            auto *item = new QListWidgetItem(store.Puzzles[i].Title);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            item->setData(Qt::UserRole, i);
            issueList->addItem(item);
        }
        issueList->setUpdatesEnabled(true);
    }
    m_checked.fill(false, issueList->count());
    checkAllButton->setEnabled(true);
    uncheckAllButton->setEnabled(true);
}

void MainWindow::showPreview()
{
    const QListWidgetItem *item = issueList->currentItem();
    if (!item)
        return;
    const qint32 k = item->data(Qt::UserRole).toInt();
    store.CurPuzzle = k;
    m_previewedPuzzle = k;
    const IssuePreview preview = BuildIssuePreview(store.Puzzles[k]);
    titleLabel->setText(preview.Title);
    sizeLabel->setText(preview.Size);
    hintView->SetText(preview.Hint);
    commentView->SetText(preview.Comment);
    annotationButton->setEnabled(true);
}

void MainWindow::onItemChanged(QListWidgetItem *item)
{
    const int row = issueList->row(item);
    if (row < 0 || row >= m_checked.size())
        return;
    const bool checked = item->checkState() == Qt::Checked;
    if (m_checked[row] == checked)
        return; // another role changed, not the check mark
    m_checked[row] = checked;
    m_checkedCount += checked ? 1 : -1;
    onCheckChanged(row);
}

void MainWindow::onCheckChanged(int Item)
{
    if (issueList->item(Item)->checkState() == Qt::Checked) {
        setPrintEnabled(true);
        return;
    }
    // Counted as the marks change rather than scanned, which keeps "全て選択解除" linear.
    if (m_checkedCount == 0)
        setPrintEnabled(false);
}

void MainWindow::setAllChecks(bool value)
{
    const Qt::CheckState state = value ? Qt::Checked : Qt::Unchecked;
    for (int i = 0; i < issueList->count(); ++i)
        issueList->item(i)->setCheckState(state);
}

void MainWindow::checkAll()
{
    setAllChecks(true);
}

void MainWindow::uncheckAll()
{
    setAllChecks(false);
}

void MainWindow::setPrintEnabled(bool enabled)
{
    printButton->setEnabled(enabled);
    previewButton->setEnabled(enabled);
}

void MainWindow::showAnnotation()
{
    AnnotationWindow window;
    // The preview's issue, not the parser's last record, which CurPuzzle names after a load.
    window.annotation = store.Puzzles[m_previewedPuzzle].TyuukiText;
    m_services.RunModal(window);
}

QList<PrintListEntry> MainWindow::listEntries() const
{
    QList<PrintListEntry> entries;
    entries.reserve(issueList->count());
    for (int i = 0; i < issueList->count(); ++i) {
        const QListWidgetItem *item = issueList->item(i);
        entries.append({item->checkState() == Qt::Checked, item->data(Qt::UserRole).toInt()});
    }
    return entries;
}

PagePlacement MainWindow::placement() const
{
    if (positionButtons[0]->isChecked())
        return PagePlacement::TopLeft;
    if (positionButtons[2]->isChecked())
        return PagePlacement::Centre;
    return PagePlacement::CentreLeft;
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (const QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    const bool files = !urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl &u) {
        return u.isLocalFile() && QFileInfo::exists(u.toLocalFile()); // files and folders
    });
    if (files)
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    event->acceptProposedAction();
    loadFiles(paths);
}
