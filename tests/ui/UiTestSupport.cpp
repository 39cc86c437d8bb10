#include "UiTestSupport.h"

#include "IssueListModel.h"
#include "MailMarkers.h"
#include "PasteWindow.h"
#include "TextBox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

MainWindowControls::MainWindowControls(const MainWindow &window)
    : openFilesButton(namedChild<QPushButton>(window, u"openFilesButton"_s)),
      openFilesAction(namedChild<QAction>(window, u"openFilesAction"_s)),
      openFolderAction(namedChild<QAction>(window, u"openFolderAction"_s)),
      pasteButton(namedChild<QPushButton>(window, u"pasteButton"_s)),
      searchField(namedChild<QLineEdit>(window, u"searchField"_s)),
      issueList(namedChild<QListView>(window, u"issueList"_s)),
      checkUnprintedButton(namedChild<QPushButton>(window, u"checkUnprintedButton"_s)),
      checkAllButton(namedChild<QPushButton>(window, u"checkAllButton"_s)),
      uncheckAllButton(namedChild<QPushButton>(window, u"uncheckAllButton"_s)),
      removeButton(namedChild<QPushButton>(window, u"removeButton"_s)),
      removeCheckedAction(namedChild<QAction>(window, u"removeCheckedAction"_s)),
      clearListAction(namedChild<QAction>(window, u"clearListAction"_s)),
      titleLabel(namedChild<QLabel>(window, u"titleLabel"_s)),
      hintView(namedChild<TextBox>(window, u"hintView"_s)),
      commentView(namedChild<TextBox>(window, u"commentView"_s)),
      sizeLabel(namedChild<QLabel>(window, u"sizeLabel"_s)),
      annotationButton(namedChild<QPushButton>(window, u"annotationButton"_s)),
      positionButtons{namedChild<QRadioButton>(window, u"positionButton0"_s),
                      namedChild<QRadioButton>(window, u"positionButton1"_s),
                      namedChild<QRadioButton>(window, u"positionButton2"_s)},
      printButton(namedChild<QPushButton>(window, u"printButton"_s)),
      previewButton(namedChild<QPushButton>(window, u"previewButton"_s))
{
}

IssueSpec titled(const QString &title, const QString &annotation)
{
    IssueSpec issue;
    issue.Title = title;
    issue.annotationLine = annotation;
    return issue;
}

QString mailText(const QList<IssueSpec> &issues)
{
    static const QString fullWidth = u"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴ"_s;
    static const QString rowNames = u"ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔ"_s;
    QStringList lines{u"From: rotam@example.com"_s};
    for (const IssueSpec &issue : issues) {
        lines << u"Date: "_s + issue.date << QString();
        lines << u"◇"_s + issue.Title + u"◇　今日の問題"_s << u"（この行は読まれない）"_s;
        lines << u"　　"_s + fullWidth.left(issue.size);
        for (int r = 0; r < issue.size; ++r) {
            QString row = u"　"_s + rowNames.at(r) + QString(issue.size, u'□');
            if (r == 0 && !issue.GridNote.isEmpty())
                row += u"　"_s + issue.GridNote;
            lines << row;
        }
        lines << QString();
        lines << issue.hints << QString();
        lines << MailMarkers::DividerA.toString() << u"（読まれない）"_s;
        lines << issue.comments;
        lines << MailMarkers::DividerB.toString();
        lines << u"発行責任者　：ロタム編集部(rotam@example.com)"_s
              << u"マガジンＩＤ：0001234567"_s;
        lines << issue.annotationLine << MailMarkers::DividerC.toString() << QString();
    }
    return lines.join(u"\r\n"_s);
}

namespace {

class ScriptedJob final : public JobProgress
{
public:
    explicit ScriptedJob(ScriptedProgress &owner) : m_owner(owner) {}
    bool advance(int done, int total) override
    {
        m_owner.steps.append({done, total});
        if (m_owner.onStep)
            m_owner.onStep(done);
        return m_owner.cancelAt == 0 || done < m_owner.cancelAt;
    }

private:
    ScriptedProgress &m_owner;
};

} // namespace

std::optional<PrintChoice> ScriptedPrintDialog::exec(QWidget *, const QString &printerName,
                                                     int maxSheets)
{
    presets.append({printerName, maxSheets});
    pdfPresets.append(pdfFileName);
    if (!chosenPdfFile.isEmpty())
        pdfFileName = chosenPdfFile;
    shownOptions.append(options);
    if (!answer)
        return std::nullopt;
    options = chosenOptions.value_or(options);
    PrintChoice choice = *answer;
    if (!choice.printer && printers && printers->size() > 0) {
        std::shared_ptr<RecordingPrinter> named = printers->named(printerName);
        choice.printer = named ? named : printers->at(0);
        choice.printerName = choice.printer->deviceName();
    }
    return choice;
}

std::unique_ptr<JobProgress> ScriptedProgress::start(QWidget *, const ProgressRequest &request)
{
    requests.append(request);
    return std::make_unique<ScriptedJob>(*this);
}

MainWindowFixture::MainWindowFixture(const QStringList &printerNames)
    : libraryPath(settingsDir.filePath(u"library.sqlite"_s)), m_printerNames(printerNames)
{
    restart();
}

void MainWindowFixture::restart()
{
    window.reset();
    if (settings)
        settings->sync();
    settings = std::make_shared<QSettings>(settingsDir.filePath(u"rotam-print.ini"_s),
                                           QSettings::IniFormat);
    printers = std::make_shared<RecordingPrinters>(m_printerNames);
    printDialog->printers = printers;
    UiServices services;
    services.openDialog = openDialog;
    services.printDialog = printDialog;
    services.settings = settings;
    services.progress = progress;
    services.showMessage = [this](QWidget *, const UserMessage &m) { messages.append(m); };
    services.confirm = [this](QWidget *, const UserMessage &m) {
        questions.append(m);
        return confirmAnswer;
    };
    services.libraryPath = libraryPath;
    services.passwords = passwords;
    services.askPassword = [this](QWidget *, const MailboxAccount &) {
        ++passwordPrompts;
        return passwordAnswers.isEmpty() ? QString() : passwordAnswers.takeFirst();
    };
    services.mailboxOptions = mailboxOptions;
    services.runModal = [this](QDialog &dialog) {
        ++modalCount;
        if (!modal) {
            ADD_FAILURE() << "a modal window opened that the test did not expect";
            return int(QDialog::Rejected);
        }
        return modal(dialog);
    };
    window = std::make_unique<MainWindow>(std::move(services));
}

MainWindowFixture::~MainWindowFixture() = default;

void MainWindowFixture::paste(const QString &text)
{
    modal = [text](QDialog &dialog) {
        auto &paste = dynamic_cast<PasteWindow &>(dialog);
        namedChild<TextBox>(paste, u"textEdit"_s)->setText(text);
        namedChild<QPushButton>(paste, u"runButton"_s)->click();
        return paste.result();
    };
    controls(*window).pasteButton->click();
}

void MainWindowFixture::openFiles(const QStringList &paths)
{
    openDialog->answers.append(paths);
    controls(*window).openFilesAction->trigger();
}

void MainWindowFixture::openFolder(const QString &path)
{
    openDialog->folderAnswers.append(path);
    controls(*window).openFolderAction->trigger();
}

QStringList MainWindowFixture::listTexts() const
{
    const QAbstractItemModel &model = *controls(*window).issueList->model();
    QStringList texts;
    for (int i = 0; i < model.rowCount(); ++i)
        texts.append(model.index(i, 0).data().toString());
    return texts;
}

QStringList MainWindowFixture::checkedTitles() const
{
    const QList<qint64> checked = window->checkedIds();
    QStringList titles;
    for (const LibraryEntry &entry : window->library().entries()) {
        if (checked.contains(entry.id))
            titles.append(entry.title);
    }
    return titles;
}

QStringList MainWindowFixture::printedTitles() const
{
    // What the list draws, read through a filter that shows everything.
    QLineEdit &search = *controls(*window).searchField;
    const QString filter = search.text();
    search.clear();
    const QAbstractItemModel &model = *controls(*window).issueList->model();
    QStringList titles;
    for (int i = 0; i < model.rowCount(); ++i) {
        if (model.index(i, 0).data(IssueListModel::LastPrintedRole).toDateTime().isValid())
            titles.append(model.index(i, 0).data().toString());
    }
    search.setText(filter);
    return titles;
}

qsizetype MainWindowFixture::libraryCount() const
{
    return window->library().entries().size();
}

void MainWindowFixture::setChecked(int row, bool checked)
{
    QAbstractItemModel &model = *controls(*window).issueList->model();
    model.setData(model.index(row, 0), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void MainWindowFixture::click(int row)
{
    QListView &list = *controls(*window).issueList;
    list.setCurrentIndex(list.model()->index(row, 0));
}
