#pragma once

#include "MainWindow.h"
#include "MessageBox.h"
#include "RecordingPrinter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// An open dialog that answers with the next scripted choice (empty = cancelled).
class ScriptedOpenDialog final : public OpenFileDialog
{
public:
    QList<QStringList> Answers;
    int TimesShown = 0;
    QStringList ChooseFiles(QWidget *) override
    {
        ++TimesShown;
        return Answers.isEmpty() ? QStringList() : Answers.takeFirst();
    }
};

// A print dialog that confirms with given settings or cancels, remembering its presets.
class ScriptedPrintDialog final : public UiPrintDialog
{
public:
    // nullopt: cancel. A settings value whose DeviceName is empty confirms the preset printer.
    std::optional<PrintDialogSettings> Answer;
    PrinterRef JobPrinter;
    QList<PrintDialogSettings> Presets;
    // What the layout tab showed each time, and what the user picks there on confirming.
    QList<PrintOptions> ShownOptions;
    std::optional<PrintOptions> ChosenOptions;

    std::optional<PrintDialogSettings> Exec(QWidget *, const PrintDialogSettings &preset) override
    {
        Presets.append(preset);
        ShownOptions.append(Options);
        if (!Answer)
            return std::nullopt;
        Options = ChosenOptions.value_or(Options);
        PrintDialogSettings chosen = *Answer;
        if (chosen.DeviceName.isEmpty())
            chosen.DeviceName = preset.DeviceName.toUpper();
        return chosen;
    }
    PrinterRef TakeJobPrinter() override { return std::exchange(JobPrinter, nullptr); }
};

// One issue of the magazine as mail text.
struct IssueSpec
{
    QString Date = QStringLiteral("Sat, 15 Jan 2005 06:00:00 +0900");
    QString Title;
    int Size = 3;
    QString GridNote;
    QStringList Hints;
    QStringList Comments;
    QString AnnotationLine = QStringLiteral("注記の行");
};

// An issue with the given title (and annotation line) and everything else as above.
IssueSpec Titled(const QString &title, const QString &annotation = QStringLiteral("注記の行"));

// The issues as one mail text with CR LF line ends (with a header line at index 0).
QString MailText(const QList<IssueSpec> &issues);

// The main window with every outside service scripted. Modal windows go to Modal, which a
// test sets before it presses the button that opens one.
class MainWindowFixture
{
public:
    MainWindowFixture(const QStringList &printerNames = {QStringLiteral("Recorder")});
    ~MainWindowFixture();

    std::shared_ptr<ScriptedOpenDialog> OpenDialog = std::make_shared<ScriptedOpenDialog>();
    std::shared_ptr<RecordingPrinterCollection> Printers;
    std::shared_ptr<ScriptedPrintDialog> PrintDialog = std::make_shared<ScriptedPrintDialog>();
    std::function<int(QDialog &)> Modal;
    int ModalCount = 0;
    QList<MessageBox::Message> Messages;
    std::unique_ptr<MainWindow> Window;

    // Pastes the text into the paste window and presses "実行".
    void Paste(const QString &text);
    // Chooses the files in the open dialog (one path, or several from one folder).
    void OpenFiles(const QStringList &paths);
    QStringList ListTexts() const;
    QList<qint32> ListItemData() const;
    void SetChecked(int row, bool checked);
    void Click(int row);
};
