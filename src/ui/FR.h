#pragma once

#include "IssueStore.h"
#include "PrintJob.h"
#include "UiServices.h"

#include <QList>
#include <QWidget>

#include <array>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class TextBox;

// The main window: load mail text, pick issues with a preview, choose the position, print.
// It owns the program's data.
class FR : public QWidget
{
    Q_OBJECT

public:
    explicit FR(UiServices services, QWidget *parent = nullptr);
    ~FR() override;

    IssueStore Store;

    QPushButton *cmFile = nullptr;
    QPushButton *cmCopipe = nullptr;
    QListWidget *List1 = nullptr;
    QPushButton *cmAll = nullptr;
    QPushButton *cmNo = nullptr;
    QLabel *lbTitle = nullptr;
    TextBox *lbHint = nullptr;
    TextBox *lbComment = nullptr;
    QLabel *lbSize = nullptr;
    QPushButton *cmImport = nullptr;
    QWidget *Frame2 = nullptr;
    std::array<QRadioButton *, 3> opPos{};
    QPushButton *cmPrint = nullptr;
    QPushButton *cmPreview = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QWidget *Line1 = nullptr;
    QWidget *Line2 = nullptr;
    std::shared_ptr<OpenFileDialog> Dialog;

    // The list as the print job reads it, in list order.
    QList<PrintListEntry> ListEntries() const;
    // The position option as it stands now.
    PagePlacement Placement() const;
    // Loads the given mail files as if they had been chosen in the open dialog.
    void LoadFiles(const QStringList &paths);
    // Draws the pages "印刷する" would print onto the given printer, for the print preview.
    void PrintPreviewPages(const PrinterRef &target);

protected:
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    friend struct FRBenchProbe; // times FillIssueList on its own

    void setupWindow();
    void setupLoadControls();
    void setupListControls();
    void setupPreviewControls();
    void setupPrintControls();
    void setupDecorations();
    void setupTabOrder();
    void setupShortcuts();

    void Form_Load();
    void cmFile_Click();
    void cmCopipe_Click();
    void List1_Click();
    void List1_ItemCheck(int Item);
    void cmAll_Click();
    void cmNo_Click();
    void cmImport_Click();
    void cmPrint_Click();
    void cmPreview_Click();

    void ParseAndFill();
    void FillIssueList();
    void SetAllChecks(bool value);
    void PrintCheckedIssues();
    void SetPrintEnabled(bool enabled);
    void OnItemChanged(QListWidgetItem *item);
    void ShowPrintFailure(const QString &reason);

    UiServices m_services;
    // The record the preview shows; the annotation button opens this one.
    qint32 m_previewedPuzzle = 0;
    // Check marks as last seen, so that only real check changes reach List1_ItemCheck.
    QList<bool> m_checked;
    qsizetype m_checkedCount = 0;
    bool m_centred = false;
};
