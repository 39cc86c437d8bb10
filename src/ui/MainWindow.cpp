// The main window's handlers: intake, issue list, preview and annotation.
#include "MainWindow.h"

#include "AnnotationWindow.h"
#include "IssueLoad.h"
#include "IssueOrder.h"
#include "IssuePreview.h"
#include "LoadMessage.h"
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
#include <QSet>
#include <QSignalBlocker>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <future>

using namespace Qt::StringLiterals;

namespace {

// A load done sooner shows no progress window.
constexpr int LoadProgressDelayMs = 500;

} // namespace

void MainWindow::openFiles()
{
    const QStringList paths =
        m_services.openDialog->chooseFiles(this, m_settings.openFolder().value_or(QString()));
    if (!paths.isEmpty())
        m_settings.setOpenFolder(QFileInfo(paths.first()).absolutePath());
    loadFiles(paths);
}

void MainWindow::openFolder()
{
    const QString folder =
        m_services.openDialog->chooseFolder(this, m_settings.openFolder().value_or(QString()));
    if (folder.isEmpty())
        return;
    m_settings.setOpenFolder(QFileInfo(folder).absolutePath());
    loadFiles({folder});
}

void MainWindow::loadFiles(const QStringList &paths)
{
    // A cancelled dialog chooses nothing and leaves the list as it was.
    if (paths.isEmpty())
        return;
    const LoadReport report = loadInTheBackground(paths);
    fillIssueList();
    showLoadMessage(paths, report);
}

LoadReport MainWindow::loadInTheBackground(const QStringList &paths)
{
    // Off the UI thread, so that the window repaints and a long load can show its progress;
    // until the progress window shows, no input reaches the window, so the store is the
    // loader's alone.
    std::atomic<qsizetype> done{0};
    auto load = std::async(std::launch::async, [this, &paths, &done] {
        return loadMailPaths(store, paths, [&done](qsizetype n, qsizetype) { done = n; });
    });
    std::unique_ptr<JobProgress> progress = startProgress(
        {u"読み込み中"_s, u"メールを読み込んでいます… %1 / %2"_s, LoadProgressDelayMs, false});
    const int total = int(paths.size());
    while (load.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        if (progress)
            progress->advance(int(done), total);
    }
    if (progress)
        progress->advance(total, total);
    return load.get();
}

void MainWindow::showLoadMessage(const QStringList &chosen, const LoadReport &report)
{
    const LoadMessage message = composeLoadMessage(chosen, report);
    if (!message.title.isEmpty())
        m_services.showMessage(this, {UserMessage::Kind::Warning, message.title, message.text});
}

void MainWindow::openPasteWindow()
{
    PasteWindow window(this);
    // Only "実行" hands text over; any other way out leaves the list as it was.
    if (m_services.runModal(window) != QDialog::Accepted)
        return;
    const LoadReport report = loadPastedText(store, window.text());
    fillIssueList();
    showLoadMessage({}, report);
}

void MainWindow::fillIssueList()
{
    // Records keep their indexes across loads, so the marks and the previewed entry are
    // carried over by record.
    QSet<qint32> checked;
    for (const PrintListEntry &entry : listEntries()) {
        if (entry.selected)
            checked.insert(entry.recordIndex);
    }
    const bool previewing = issueList->currentItem() != nullptr;
    const QSignalBlocker blocker(issueList);
    issueList->clear();
    // No current entry: focus coming back to the list must not make one, and with it a click
    // that moves the preview.
    issueList->setCurrentIndex(QModelIndex());
    m_checked.clear();
    m_checkedCount = 0;
    if (store.lastIndex() == 0) {
        setPrintEnabled(false);
        return;
    }

    issueList->setUpdatesEnabled(false);
    int current = -1;
    for (const qint32 i : issueListOrder(store)) {
        auto *item = new QListWidgetItem(store.puzzles[i].Title);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool mark = checked.contains(i);
        item->setCheckState(mark ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, i);
        issueList->addItem(item);
        m_checked.append(mark);
        m_checkedCount += mark ? 1 : 0;
        if (previewing && i == m_selected)
            current = issueList->count() - 1;
    }
    if (current >= 0)
        issueList->setCurrentRow(current); // the preview shows it already
    issueList->setUpdatesEnabled(true);
    setPrintEnabled(m_checkedCount > 0);
    checkAllButton->setEnabled(true);
    uncheckAllButton->setEnabled(true);
}

void MainWindow::showPreview()
{
    const QListWidgetItem *item = issueList->currentItem();
    if (!item)
        return;
    m_selected = item->data(Qt::UserRole).toInt();
    const IssuePreview preview = buildIssuePreview(store.puzzles[m_selected]);
    titleLabel->setText(preview.title);
    sizeLabel->setText(preview.size);
    hintView->setText(preview.hint);
    commentView->setText(preview.comment);
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

void MainWindow::onCheckChanged(int row)
{
    if (issueList->item(row)->checkState() == Qt::Checked) {
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
    window.annotation = store.puzzles[m_selected].TyuukiText;
    m_services.runModal(window);
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
    // Folders too: the loader reads the mails in them.
    const QList<QUrl> urls = event->mimeData()->urls();
    const bool files = !urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl &u) {
        const QFileInfo info(u.toLocalFile());
        return u.isLocalFile() && (info.isFile() || info.isDir());
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
