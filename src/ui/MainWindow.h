#pragma once

#include "AppSettings.h"
#include "IssueLibrary.h"
#include "IssueLoad.h"
#include "IssueStore.h"
#include "PrintJob.h"
#include "UiServices.h"

#include <QList>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class BoxOutlines;
class IssueListModel;
class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;
class QRadioButton;
class TextBox;

// The main window: load mail text into the library, pick issues with a preview, choose the
// position, print. It lists the library's issues and reads their records when it needs them.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(UiServices services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The library the window lists: the one asked for, or one in memory when that failed.
    IssueLibrary &library() { return *m_library; }
    // The checked issues, shown or not, in list order.
    QList<qint64> checkedIds() const;
    // The position option as it stands now.
    PagePlacement placement() const;
    // The position option with the layout and cells chosen in the print dialog: what a print
    // or a preview uses, and what the program keeps between runs.
    PrintOptions printOptions() const;
    void setPrintOptions(const PrintOptions &options);
    // Loads mail files or folders, from the open dialogs, a drop or the command line;
    // unreadable ones are named in one message and the others still load. A load that takes
    // longer than half a second shows its progress.
    void loadFiles(const QStringList &paths);
    // Draws the pages "印刷する" would print onto the given printer, for the print preview.
    // False when the drawing stopped: cancelled by the user or failed (and reported).
    bool drawPreviewPages(PrinterObject &printer);
    // Lists the library's issues anew, keeping the marks and the previewed entry; for a
    // library changed from outside the window.
    void refreshIssueList();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setupWindow();
    void setupLoadControls();
    void setupListControls();
    void setupPreviewControls();
    void setupPrintControls();
    void setupDecorations();
    void setupTabOrder();
    void setupShortcuts();
    void restoreSettings();
    void openLibrary();
    void applyLayout(QSize size);

    void openFiles();
    void openFolder();
    void openPasteWindow();
    void showPreview(const QModelIndex &current);
    void clearPreview();
    void filterIssueList(const QString &text);
    void updateListButtons();
    void removeCheckedIssues();
    void clearIssueList();
    void showLibraryFailure(const QString &what, const LibraryError &error);
    void showAnnotation();
    void printCheckedIssues();
    void previewPrint();
    void receiveMail();
    // Opens 「メールサーバーの設定」, offering to trust the certificate of that fingerprint
    // when one is given, and keeps what it says; false when cancelled.
    bool editMailServer(const QString &refusedFingerprint = {});
    void showReceiveFailure(const MailboxError &error);

    LoadReport loadInTheBackground(IssueStore &store, const QStringList &paths);
    void addToLibrary(const IssueStore &store, const LoadReport &report);
    void showLoadMessage(const QStringList &chosen, const LoadReport &report);
    // The checked issues' records, read for a job: store.puzzles[i + 1] holds ids[i], and the
    // job's entries name them in that order. Nullopt when the library failed (and said so).
    struct CheckedIssues
    {
        QList<qint64> ids;
        IssueStore store;
        QList<PrintListEntry> entries;
    };
    std::optional<CheckedIssues> readCheckedIssues();
    void setPrintEnabled(bool enabled);
    void showPrintFailure(const QString &reason);
    std::unique_ptr<JobProgress> startProgress(const ProgressRequest &request);
    bool runPageJob(PrinterObject &printer, const IssueStore &store,
                    const QList<PrintListEntry> &entries);
    void tidyCancelledJob(PrinterObject &printer, int pagesDrawn);

    QPushButton *openFilesButton = nullptr; // opens a menu of the two actions below
    QAction *openFilesAction = nullptr;
    QAction *openFolderAction = nullptr;
    QPushButton *pasteButton = nullptr;
    QPushButton *receiveButton = nullptr; // opens a menu of the two actions below
    QAction *receiveAction = nullptr;
    QAction *mailServerAction = nullptr;
    QLineEdit *searchField = nullptr;
    QListView *issueList = nullptr;
    IssueListModel *issueModel = nullptr;
    QPushButton *checkUnprintedButton = nullptr;
    QPushButton *checkAllButton = nullptr;
    QPushButton *uncheckAllButton = nullptr;
    QPushButton *removeButton = nullptr; // opens a menu of the two actions below
    QAction *removeCheckedAction = nullptr;
    QAction *clearListAction = nullptr;
    QLabel *titleLabel = nullptr;
    TextBox *hintView = nullptr;
    TextBox *commentView = nullptr;
    QLabel *sizeLabel = nullptr;
    QPushButton *annotationButton = nullptr;
    QWidget *positionGroup = nullptr;
    std::array<QRadioButton *, 3> positionButtons{}; // 左上隅, 中央左寄せ, 中央
    QPushButton *printButton = nullptr;
    QPushButton *previewButton = nullptr;
    QLabel *loadArrow = nullptr;
    QLabel *printArrow = nullptr;
    QWidget *upperRule = nullptr;
    QWidget *lowerRule = nullptr;
    BoxOutlines *outlines = nullptr;

    UiServices m_services;
    AppSettings m_settings;
    std::unique_ptr<IssueLibrary> m_library;
    // The file the library lives in, for the mail fetch's own connection: ":memory:" when
    // opening the one asked for failed.
    QString m_libraryPath;
    // The issue the preview shows, 0 for none, and its annotation for the annotation button.
    qint64 m_previewed = 0;
    QString m_previewedAnnotation;
    bool m_centred = false;
    PageLayout m_layout = PageLayout::Single;
    bool m_cells = false;
};
