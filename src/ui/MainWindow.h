#pragma once

#include "AppSettings.h"
#include "IssueLoad.h"
#include "IssueStore.h"
#include "PrintJob.h"
#include "UiServices.h"

#include <QList>
#include <QWidget>

#include <array>

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class TextBox;

// The main window: load mail text, pick issues with a preview, choose the position, print.
// It owns the program's data.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(UiServices services, QWidget *parent = nullptr);
    ~MainWindow() override;

    IssueStore store;

    // The list as the print job reads it, in list order.
    QList<PrintListEntry> listEntries() const;
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
    // Lists the store's records anew, keeping the marks and the previewed entry; for a store
    // changed from outside the window.
    void fillIssueList();

protected:
    void showEvent(QShowEvent *event) override;
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

    void openFiles();
    void openFolder();
    void openPasteWindow();
    void showPreview();
    void onItemChanged(QListWidgetItem *item);
    void onCheckChanged(int row);
    void checkAll();
    void uncheckAll();
    void setAllChecks(bool value);
    void showAnnotation();
    void printCheckedIssues();
    void previewPrint();

    LoadReport loadInTheBackground(const QStringList &paths);
    void showLoadMessage(const QStringList &chosen, const LoadReport &report);
    void setPrintEnabled(bool enabled);
    void showPrintFailure(const QString &reason);
    std::unique_ptr<JobProgress> startProgress(const ProgressRequest &request);
    bool runPageJob(PrinterObject &printer, const QList<PrintListEntry> &entries);
    void tidyCancelledJob(PrinterObject &printer, int pagesDrawn);

    QPushButton *openFilesButton = nullptr; // opens a menu of the two actions below
    QAction *openFilesAction = nullptr;
    QAction *openFolderAction = nullptr;
    QPushButton *pasteButton = nullptr;
    QListWidget *issueList = nullptr;
    QPushButton *checkAllButton = nullptr;
    QPushButton *uncheckAllButton = nullptr;
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

    UiServices m_services;
    AppSettings m_settings;
    // The record the preview shows, 0 for none; the annotation button opens it.
    qint32 m_selected = 0;
    // Check marks as last seen, so that only real check changes reach onCheckChanged.
    QList<bool> m_checked;
    qsizetype m_checkedCount = 0;
    bool m_centred = false;
    PageLayout m_layout = PageLayout::Single;
    bool m_cells = false;
};
