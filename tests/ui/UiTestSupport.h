#pragma once

#include "MainWindow.h"
#include "RecordingPrinter.h"

#include <QHash>
#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class TextBox;

// A widget's child of that type and object name; a missing one fails the test.
template <typename T> T *namedChild(const QObject &parent, const QString &name)
{
    T *child = parent.findChild<T *>(name);
    if (!child)
        ADD_FAILURE() << "no child named " << name.toStdString();
    return child;
}

// The main window's controls, found by their object names as a user finds them by sight.
struct MainWindowControls
{
    explicit MainWindowControls(const MainWindow &window);
    QPushButton *openFilesButton;
    QAction *openFilesAction;
    QAction *openFolderAction;
    QPushButton *pasteButton;
    QLineEdit *searchField;
    QListView *issueList;
    QPushButton *checkUnprintedButton;
    QPushButton *checkAllButton;
    QPushButton *uncheckAllButton;
    QPushButton *removeButton;
    QAction *removeCheckedAction;
    QAction *clearListAction;
    QLabel *titleLabel;
    TextBox *hintView;
    TextBox *commentView;
    QLabel *sizeLabel;
    QPushButton *annotationButton;
    std::array<QRadioButton *, 3> positionButtons;
    QPushButton *printButton;
    QPushButton *previewButton;
};

inline MainWindowControls controls(const MainWindow &window)
{
    return MainWindowControls(window);
}

// Open dialogs that answer with the next scripted choice (empty = cancelled).
class ScriptedOpenDialog final : public OpenFileDialog
{
public:
    QList<QStringList> answers;
    QStringList folderAnswers;
    int timesShown = 0;
    QStringList folders; // the folder either dialog opened in, each time
    QStringList chooseFiles(QWidget *, const QString &folder) override
    {
        ++timesShown;
        folders.append(folder);
        return answers.isEmpty() ? QStringList() : answers.takeFirst();
    }
    QString chooseFolder(QWidget *, const QString &folder) override
    {
        ++timesShown;
        folders.append(folder);
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }
};

// Progress windows that record what they were asked to show and press キャンセル once a job
// reaches cancelAt steps (0: never). onStep, when set, is told of each step as it is shown.
class ScriptedProgress final : public ProgressWindows
{
public:
    struct Step
    {
        int done;
        int total;
    };
    int cancelAt = 0;
    std::function<void(int done)> onStep;
    QList<ProgressRequest> requests;
    QList<Step> steps;
    std::unique_ptr<JobProgress> start(QWidget *owner, const ProgressRequest &request) override;
};

// Passwords in a table, as a keyring that always answers; written() counts the writes.
class MemoryPasswords final : public PasswordStore
{
public:
    QHash<QString, QString> kept; // by user@host
    int writes = 0;
    QString read(const MailboxAccount &account) override
    {
        return kept.value(account.user + u'@' + account.host);
    }
    void write(const MailboxAccount &account, const QString &password) override
    {
        ++writes;
        kept.insert(account.user + u'@' + account.host, password);
    }
};

// A print dialog that confirms or cancels as scripted, remembering how it was preset.
class ScriptedPrintDialog final : public UiPrintDialog
{
public:
    struct Preset
    {
        QString printerName;
        int maxSheets = 0;
    };
    // What it answers: nullopt cancels. An answer without a printer confirms the preset one,
    // looked up in Printers by name (the first when the name is empty or unknown).
    std::optional<PrintChoice> answer;
    std::shared_ptr<RecordingPrinters> printers;
    QList<Preset> presets;
    QStringList pdfPresets; // the output-file field as each showing opened it
    QString chosenPdfFile;  // typed into that field, when set
    // What the layout tab showed each time, and what the user picks there on confirming.
    QList<PrintOptions> shownOptions;
    std::optional<PrintOptions> chosenOptions;

    std::optional<PrintChoice> exec(QWidget *, const QString &printerName, int maxSheets) override;
};

// One issue of the magazine as mail text.
struct IssueSpec
{
    QString date = QStringLiteral("Sat, 15 Jan 2005 06:00:00 +0900");
    QString Title;
    int size = 3;
    QString GridNote;
    QStringList hints;
    QStringList comments;
    QString annotationLine = QStringLiteral("注記の行");
};

// An issue with the given title (and annotation line) and everything else as above.
IssueSpec titled(const QString &title, const QString &annotation = QStringLiteral("注記の行"));

// The issues as one mail text with CR LF line ends (with a header line at index 0).
QString mailText(const QList<IssueSpec> &issues);

// The main window with every outside service scripted. Modal windows go to Modal, which a
// test sets before it presses the button that opens one.
class MainWindowFixture
{
public:
    MainWindowFixture(const QStringList &printerNames = {QStringLiteral("Recorder")});
    // A new window, settings object and printer collection over the same settings file, as a
    // later run of the program.
    void restart();
    ~MainWindowFixture();

    std::shared_ptr<ScriptedOpenDialog> openDialog = std::make_shared<ScriptedOpenDialog>();
    std::shared_ptr<RecordingPrinters> printers;
    std::shared_ptr<ScriptedPrintDialog> printDialog = std::make_shared<ScriptedPrintDialog>();
    std::shared_ptr<ScriptedProgress> progress = std::make_shared<ScriptedProgress>();
    std::shared_ptr<MemoryPasswords> passwords = std::make_shared<MemoryPasswords>();
    // The answers to the password prompt, one each time (none left: declined).
    QStringList passwordAnswers;
    int passwordPrompts = 0;
    MailboxOptions mailboxOptions;
    // The settings in an INI file of their own, so that no test reads or writes the user's;
    // the library beside it.
    QTemporaryDir settingsDir;
    QString libraryPath;
    // The questions asked, and the answer to them all.
    QList<UserMessage> questions;
    bool confirmAnswer = true;
    std::shared_ptr<QSettings> settings;
    std::function<int(QDialog &)> modal;
    int modalCount = 0;
    QList<UserMessage> messages;
    std::unique_ptr<MainWindow> window;

    // Pastes the text into the paste window and presses "実行".
    void paste(const QString &text);
    // Chooses the files in the open dialog (one path, or several from one folder).
    void openFiles(const QStringList &paths);
    // Chooses the folder in the folder dialog.
    void openFolder(const QString &path);
    // The titles shown, in list order.
    QStringList listTexts() const;
    // The titles of the checked issues, shown or not, in list order.
    QStringList checkedTitles() const;
    // The titles of the issues the list marks printed, shown or not.
    QStringList printedTitles() const;
    qsizetype libraryCount() const;
    void setChecked(int row, bool checked);
    void click(int row);

private:
    QStringList m_printerNames;
};
