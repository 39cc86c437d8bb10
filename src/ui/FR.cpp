// The main window's handlers: intake, issue list, preview and annotation.
#include "FR.h"

#include "IssueOrder.h"
#include "IssuePreview.h"
#include "MailParser.h"
#include "MessageBox.h"
#include "TextBox.h"
#include "TextIntake.h"
#include "frCopipe.h"
#include "frTyuuki.h"

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

void FR::cmFile_Click()
{
    LoadFiles(Dialog->ChooseFiles(this));
}

void FR::LoadFiles(const QStringList &paths)
{
    // A cancelled dialog chooses nothing and leaves the list as it was.
    if (paths.isEmpty())
        return;
    const QList<ReadFailure> failures = ReadMailFiles(Store, paths);
    ParseAndFill();
    if (failures.isEmpty())
        return;
    QString text = u"次のファイルは読み込めませんでした。ほかのファイルは読み込みました。\n"_s;
    for (const ReadFailure &failure : failures)
        text += u"\n"_s + failure.path + u"\n    "_s + failure.reason;
    MessageBox::Show(this, MessageBox::Kind::Warning, u"読み込めなかったファイル"_s, text);
}

void FR::cmCopipe_Click()
{
    frCopipe window(Store.LoadText, this);
    // Only "実行" hands text over; any other way out leaves the list as it was.
    if (m_services.RunModal(window) != QDialog::Accepted)
        return;
    Store.TextLines = SplitPastedText(Store.LoadText);
    ParseAndFill();
}

void FR::ParseAndFill()
{
    ParseIssues(Store);
    FillIssueList();
}

void FR::FillIssueList()
{
    const qint32 n = Store.UpperBound();
    {
        const QSignalBlocker blocker(List1);
        List1->clear();
        // No current entry: focus coming back to the list must not make one, and with it a
        // click that moves the preview.
        List1->setCurrentIndex(QModelIndex());
    }
    m_checked.clear();
    m_checkedCount = 0;
    // Every entry comes back unchecked, so nothing is left to print.
    SetPrintEnabled(false);
    if (n == 0)
        return;

    {
        const QSignalBlocker blocker(List1);
        List1->setUpdatesEnabled(false);
        const QList<qint32> order = IssueListOrder(Store);
        for (const qint32 i : order) {
            auto *item = new QListWidgetItem(Store.Puzzles[i].Title);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            item->setData(Qt::UserRole, i);
            List1->addItem(item);
        }
        List1->setUpdatesEnabled(true);
    }
    m_checked.fill(false, List1->count());
    cmAll->setEnabled(true);
    cmNo->setEnabled(true);
}

void FR::List1_Click()
{
    const QListWidgetItem *item = List1->currentItem();
    if (!item)
        return;
    const qint32 k = item->data(Qt::UserRole).toInt();
    Store.CurPuzzle = k;
    m_previewedPuzzle = k;
    const IssuePreview preview = BuildIssuePreview(Store.Puzzles[k]);
    lbTitle->setText(preview.Title);
    lbSize->setText(preview.Size);
    lbHint->SetText(preview.Hint);
    lbComment->SetText(preview.Comment);
    cmImport->setEnabled(true);
}

void FR::OnItemChanged(QListWidgetItem *item)
{
    const int row = List1->row(item);
    if (row < 0 || row >= m_checked.size())
        return;
    const bool checked = item->checkState() == Qt::Checked;
    if (m_checked[row] == checked)
        return; // another role changed, not the check mark
    m_checked[row] = checked;
    m_checkedCount += checked ? 1 : -1;
    List1_ItemCheck(row);
}

void FR::List1_ItemCheck(int Item)
{
    if (List1->item(Item)->checkState() == Qt::Checked) {
        SetPrintEnabled(true);
        return;
    }
    // Counted as the marks change rather than scanned, which keeps "全て選択解除" linear.
    if (m_checkedCount == 0)
        SetPrintEnabled(false);
}

void FR::SetAllChecks(bool value)
{
    const Qt::CheckState state = value ? Qt::Checked : Qt::Unchecked;
    for (int i = 0; i < List1->count(); ++i)
        List1->item(i)->setCheckState(state);
}

void FR::cmAll_Click()
{
    SetAllChecks(true);
}

void FR::cmNo_Click()
{
    SetAllChecks(false);
}

void FR::SetPrintEnabled(bool enabled)
{
    cmPrint->setEnabled(enabled);
    cmPreview->setEnabled(enabled);
}

void FR::cmImport_Click()
{
    frTyuuki window;
    // The preview's issue, not the parser's last record, which CurPuzzle names after a load.
    window.t = Store.Puzzles[m_previewedPuzzle].TyuukiText;
    m_services.RunModal(window);
}

QList<PrintListEntry> FR::ListEntries() const
{
    QList<PrintListEntry> entries;
    entries.reserve(List1->count());
    for (int i = 0; i < List1->count(); ++i) {
        const QListWidgetItem *item = List1->item(i);
        entries.append({item->checkState() == Qt::Checked, item->data(Qt::UserRole).toInt()});
    }
    return entries;
}

PagePlacement FR::Placement() const
{
    if (opPos[0]->isChecked())
        return PagePlacement::TopLeft;
    if (opPos[2]->isChecked())
        return PagePlacement::Centre;
    return PagePlacement::CentreLeft;
}

void FR::showEvent(QShowEvent *event)
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

void FR::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    const bool files = !urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl &u) {
        return u.isLocalFile() && QFileInfo(u.toLocalFile()).isFile();
    });
    if (files)
        event->acceptProposedAction();
}

void FR::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    event->acceptProposedAction();
    LoadFiles(paths);
}
