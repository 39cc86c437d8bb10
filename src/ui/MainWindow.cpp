// The main window's handlers: intake, issue list, preview and annotation.
#include "MainWindow.h"

#include "AnnotationWindow.h"
#include "IssueListModel.h"
#include "IssueLoad.h"
#include "IssuePreview.h"
#include "LoadMessage.h"
#include "PasteWindow.h"
#include "TextBox.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
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
    IssueStore store;
    const LoadReport report = loadInTheBackground(store, paths);
    addToLibrary(store, report);
    showLoadMessage(paths, report);
}

LoadReport MainWindow::loadInTheBackground(IssueStore &store, const QStringList &paths)
{
    // Off the UI thread, so that the window repaints and a long load can show its progress;
    // the store is the loader's alone until it is done. A cancel keeps what was read.
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> cancelled{false};
    auto load = std::async(std::launch::async, [&] {
        return loadMailPaths(store, paths, [&](qint64 bytes, qint64 of) {
            done = bytes;
            total = of;
            return !cancelled;
        });
    });
    std::unique_ptr<JobProgress> progress = startProgress(
        {u"読み込み中"_s, u"メールを読み込んでいます… %1 / %2 MB"_s, LoadProgressDelayMs, true,
         u"メールを読み込んでいます…"_s});
    constexpr qint64 MiB = 1 << 20;
    while (load.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        if (progress && !progress->advance(int(done / MiB), int((total + MiB - 1) / MiB)))
            cancelled = true;
    }
    return load.get();
}

void MainWindow::addToLibrary(const IssueStore &store, const LoadReport &report)
{
    if (store.lastIndex() == 0)
        return;
    // On this thread, the library's; a large load takes its time here too, so it shows.
    std::unique_ptr<JobProgress> progress = startProgress(
        {u"保存中"_s, u"問題をライブラリーに加えています… %1 / %2"_s, LoadProgressDelayMs, false});
    const auto advance = [&progress](qsizetype done, qsizetype total) {
        if (progress && (done % 256 == 0 || done == total))
            progress->advance(int(done), int(total));
    };
    try {
        m_library->add(store, report.sources, advance);
    } catch (const LibraryError &error) {
        showLibraryFailure(u"読み込んだ問題をライブラリーに加えられませんでした"_s, error);
    }
    progress.reset();
    refreshIssueList();
}

void MainWindow::showLoadMessage(const QStringList &chosen, const LoadReport &report)
{
    const LoadMessage message = composeLoadMessage(chosen, report);
    if (!message.title.isEmpty())
        m_services.showMessage(this, {UserMessage::Kind::Warning, message.title, message.text});
}

void MainWindow::showLibraryFailure(const QString &what, const LibraryError &error)
{
    m_services.showMessage(
        this, {UserMessage::Kind::Critical, what, u"%1。\n\n%2"_s.arg(what, error.japanese())});
}

void MainWindow::openPasteWindow()
{
    PasteWindow window(this);
    // Only "実行" hands text over; any other way out leaves the list as it was.
    if (m_services.runModal(window) != QDialog::Accepted)
        return;
    IssueStore store;
    const LoadReport report = loadPastedText(store, window.text());
    addToLibrary(store, report);
    showLoadMessage({}, report);
}

void MainWindow::refreshIssueList()
{
    QList<LibraryEntry> entries;
    try {
        entries = m_library->entries();
    } catch (const LibraryError &error) {
        showLibraryFailure(u"ライブラリーを読めませんでした"_s, error);
    }
    issueModel->setEntries(std::move(entries));
    if (!issueModel->contains(m_previewed))
        clearPreview();
    // The previewed entry stays the current one; without one there is none, so that focus
    // coming back to the list makes none, and with it a click that moves the preview.
    const QSignalBlocker blocker(issueList->selectionModel());
    const int row = issueModel->rowOf(m_previewed);
    if (row >= 0)
        issueList->setCurrentIndex(issueModel->index(row));
    else
        issueList->setCurrentIndex(QModelIndex());
}

void MainWindow::filterIssueList(const QString &text)
{
    issueModel->setFilter(text);
    const int row = issueModel->rowOf(m_previewed);
    if (row >= 0) {
        const QSignalBlocker blocker(issueList->selectionModel());
        issueList->setCurrentIndex(issueModel->index(row));
    }
}

void MainWindow::showPreview(const QModelIndex &current)
{
    const qint64 id = issueModel->idAt(current.row());
    if (!current.isValid() || id == 0)
        return;
    IssueStore records;
    try {
        records = m_library->records({id});
    } catch (const LibraryError &error) {
        showLibraryFailure(u"問題を読めませんでした"_s, error);
        return;
    }
    if (records.lastIndex() != 1)
        return;
    m_previewed = id;
    const PuzzleRecord &record = records.puzzles[1];
    const IssuePreview preview = buildIssuePreview(record);
    titleLabel->setText(preview.title);
    sizeLabel->setText(preview.size);
    hintView->setText(preview.hint);
    commentView->setText(preview.comment);
    m_previewedAnnotation = record.TyuukiText;
    annotationButton->setEnabled(true);
}

void MainWindow::clearPreview()
{
    m_previewed = 0;
    m_previewedAnnotation.clear();
    for (QLabel *label : {titleLabel, sizeLabel})
        label->clear();
    for (TextBox *box : {hintView, commentView})
        box->setText(QString());
    annotationButton->setEnabled(false);
}

void MainWindow::updateListButtons()
{
    const bool shown = issueModel->rowCount() > 0;
    for (QPushButton *button : {checkUnprintedButton, checkAllButton, uncheckAllButton})
        button->setEnabled(shown);
    const bool checked = issueModel->checkedCount() > 0;
    removeCheckedAction->setEnabled(checked);
    clearListAction->setEnabled(issueModel->entryCount() > 0);
    removeButton->setEnabled(issueModel->entryCount() > 0);
    setPrintEnabled(checked);
}

void MainWindow::removeCheckedIssues()
{
    const QList<qint64> ids = issueModel->checkedIds();
    if (ids.isEmpty())
        return;
    const UserMessage question{UserMessage::Kind::Warning, u"チェックした問題を削除"_s,
                               u"チェックした %1 件の問題を一覧から削除します。"
                               u"印刷の記録も消えます。よろしいですか？"_s.arg(ids.size())};
    if (!m_services.confirm || !m_services.confirm(this, question))
        return;
    try {
        m_library->remove(ids);
    } catch (const LibraryError &error) {
        showLibraryFailure(u"問題を削除できませんでした"_s, error);
    }
    refreshIssueList();
}

void MainWindow::clearIssueList()
{
    if (issueModel->entryCount() == 0)
        return;
    const UserMessage question{
        UserMessage::Kind::Warning, u"一覧を空にする"_s,
        u"一覧の %1 件の問題をすべて削除します。"
        u"印刷の記録も消えます。よろしいですか？"_s.arg(issueModel->entryCount())};
    if (!m_services.confirm || !m_services.confirm(this, question))
        return;
    try {
        m_library->removeAll();
    } catch (const LibraryError &error) {
        showLibraryFailure(u"一覧を空にできませんでした"_s, error);
    }
    refreshIssueList();
}

void MainWindow::setPrintEnabled(bool enabled)
{
    printButton->setEnabled(enabled);
    previewButton->setEnabled(enabled);
}

void MainWindow::showAnnotation()
{
    AnnotationWindow window;
    window.annotation = m_previewedAnnotation;
    m_services.runModal(window);
}

QList<qint64> MainWindow::checkedIds() const
{
    return issueModel->checkedIds();
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
    // Once the window is up, so that the fetch's progress and messages have it to stand on.
    if (m_settings.fetchOnStart() && m_settings.mailAccount())
        QTimer::singleShot(0, this, &MainWindow::receiveMail);
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

void MainWindow::openLibrary()
{
    try {
        m_library = IssueLibrary::open(m_services.libraryPath);
        m_libraryPath = m_services.libraryPath;
        if (const std::optional<MovedAsideLibrary> &moved = m_library->movedAside()) {
            m_services.showMessage(this,
                                   {UserMessage::Kind::Warning, u"ライブラリーを作り直しました"_s,
                                    movedAsideJapanese(*moved)});
        }
        return;
    } catch (const LibraryError &error) {
        m_services.showMessage(
            this, {UserMessage::Kind::Critical, u"ライブラリーを開けませんでした"_s,
                   u"ライブラリー %1 を開けませんでした：%2\n\n"
                   u"ファイルはそのままです。今回読み込む問題と印刷の記録は、"
                   u"終了すると失われます。"_s.arg(QDir::toNativeSeparators(m_services.libraryPath),
                                                   error.japanese())});
    }
    // Still a working program, only one that remembers nothing.
    m_libraryPath = u":memory:"_s;
    m_library = IssueLibrary::open(m_libraryPath);
}
