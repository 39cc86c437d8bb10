#pragma once

#include "MainWindow.h"
#include "MessageBox.h"
#include "RecordingPrinter.h"

#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

// Open dialogs that answer with the next scripted choice (empty = cancelled).
class ScriptedOpenDialog final : public OpenFileDialog
{
public:
    QList<QStringList> Answers;
    QStringList FolderAnswers;
    int TimesShown = 0;
    QStringList Folders; // the folder either dialog opened in, each time
    QStringList ChooseFiles(QWidget *, const QString &folder) override
    {
        ++TimesShown;
        Folders.append(folder);
        return Answers.isEmpty() ? QStringList() : Answers.takeFirst();
    }
    QString ChooseFolder(QWidget *, const QString &folder) override
    {
        ++TimesShown;
        Folders.append(folder);
        return FolderAnswers.isEmpty() ? QString() : FolderAnswers.takeFirst();
    }
};

// Progress windows that record what they were asked to show and press キャンセル once a job
// reaches CancelAt steps (0: never). OnStep, when set, is told of each step as it is shown.
class ScriptedProgress final : public ProgressWindows
{
public:
    struct Step
    {
        int Done;
        int Total;
    };
    int CancelAt = 0;
    std::function<void(int done)> OnStep;
    QList<ProgressRequest> Requests;
    QList<Step> Steps;
    std::unique_ptr<JobProgress> Start(QWidget *owner, const ProgressRequest &request) override;
};

// A print dialog that confirms or cancels as scripted, remembering how it was preset.
class ScriptedPrintDialog final : public UiPrintDialog
{
public:
    struct Preset
    {
        QString PrinterName;
        int MaxSheets = 0;
    };
    // What it answers: nullopt cancels. An answer without a printer confirms the preset one,
    // looked up in Printers by name (the first when the name is empty or unknown).
    std::optional<PrintChoice> Answer;
    std::shared_ptr<RecordingPrinters> Printers;
    QList<Preset> Presets;
    QStringList PdfPresets; // the output-file field as each showing opened it
    QString ChosenPdfFile;  // typed into that field, when set
    // What the layout tab showed each time, and what the user picks there on confirming.
    QList<PrintOptions> ShownOptions;
    std::optional<PrintOptions> ChosenOptions;

    std::optional<PrintChoice> exec(QWidget *, const QString &printerName, int maxSheets) override;
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
    // A new window, settings object and printer collection over the same settings file, as a
    // later run of the program.
    void Restart();
    ~MainWindowFixture();

    std::shared_ptr<ScriptedOpenDialog> OpenDialog = std::make_shared<ScriptedOpenDialog>();
    std::shared_ptr<RecordingPrinters> Printers;
    std::shared_ptr<ScriptedPrintDialog> PrintDialog = std::make_shared<ScriptedPrintDialog>();
    std::shared_ptr<ScriptedProgress> Progress = std::make_shared<ScriptedProgress>();
    // The settings in an INI file of their own, so that no test reads or writes the user's.
    QTemporaryDir SettingsDir;
    std::shared_ptr<QSettings> Settings;
    std::function<int(QDialog &)> Modal;
    int ModalCount = 0;
    QList<MessageBox::Message> Messages;
    std::unique_ptr<MainWindow> Window;

    // Pastes the text into the paste window and presses "実行".
    void Paste(const QString &text);
    // Chooses the files in the open dialog (one path, or several from one folder).
    void OpenFiles(const QStringList &paths);
    // Chooses the folder in the folder dialog.
    void OpenFolder(const QString &path);
    QStringList ListTexts() const;
    QList<qint32> ListItemData() const;
    void SetChecked(int row, bool checked);
    void Click(int row);

private:
    QStringList m_printerNames;
};
