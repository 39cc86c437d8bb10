#include "UiTestSupport.h"

#include "MailMarkers.h"
#include "PasteWindow.h"
#include "TextBox.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

IssueSpec Titled(const QString &title, const QString &annotation)
{
    IssueSpec issue;
    issue.Title = title;
    issue.AnnotationLine = annotation;
    return issue;
}

QString MailText(const QList<IssueSpec> &issues)
{
    static const QString fullWidth = u"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴ"_s;
    static const QString rowNames = u"ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔ"_s;
    QStringList lines{u"From: rotam@example.com"_s};
    for (const IssueSpec &issue : issues) {
        lines << u"Date: "_s + issue.Date << QString();
        lines << u"◇"_s + issue.Title + u"◇　今日の問題"_s << u"（この行は読まれない）"_s;
        lines << u"　　"_s + fullWidth.left(issue.Size);
        for (int r = 0; r < issue.Size; ++r) {
            QString row = u"　"_s + rowNames.at(r) + QString(issue.Size, u'□');
            if (r == 0 && !issue.GridNote.isEmpty())
                row += u"　"_s + issue.GridNote;
            lines << row;
        }
        lines << QString();
        lines << issue.Hints << QString();
        lines << MailMarkers::DividerA.toString() << u"（読まれない）"_s;
        lines << issue.Comments;
        lines << MailMarkers::DividerB.toString();
        lines << u"発行責任者　：ロタム編集部(rotam@example.com)"_s
              << u"マガジンＩＤ：0001234567"_s;
        lines << issue.AnnotationLine << MailMarkers::DividerC.toString() << QString();
    }
    return lines.join(u"\r\n"_s);
}

namespace {

class ScriptedJob final : public JobProgress
{
public:
    explicit ScriptedJob(ScriptedProgress &owner) : m_owner(owner) {}
    bool Advance(int done, int total) override
    {
        m_owner.Steps.append({done, total});
        if (m_owner.OnStep)
            m_owner.OnStep(done);
        return m_owner.CancelAt == 0 || done < m_owner.CancelAt;
    }

private:
    ScriptedProgress &m_owner;
};

} // namespace

std::optional<PrintChoice> ScriptedPrintDialog::exec(QWidget *, const QString &printerName,
                                                     int maxSheets)
{
    Presets.append({printerName, maxSheets});
    PdfPresets.append(PdfFileName);
    if (!ChosenPdfFile.isEmpty())
        PdfFileName = ChosenPdfFile;
    ShownOptions.append(Options);
    if (!Answer)
        return std::nullopt;
    Options = ChosenOptions.value_or(Options);
    PrintChoice choice = *Answer;
    if (!choice.Printer && Printers && Printers->size() > 0) {
        std::shared_ptr<RecordingPrinter> named = Printers->Named(printerName);
        choice.Printer = named ? named : Printers->At(0);
        choice.PrinterName = choice.Printer->DeviceName();
    }
    return choice;
}

std::unique_ptr<JobProgress> ScriptedProgress::Start(QWidget *, const ProgressRequest &request)
{
    Requests.append(request);
    return std::make_unique<ScriptedJob>(*this);
}

MainWindowFixture::MainWindowFixture(const QStringList &printerNames) : m_printerNames(printerNames)
{
    MessageBox::SetCatcher([this](const MessageBox::Message &m) { Messages.append(m); });
    Restart();
}

void MainWindowFixture::Restart()
{
    Window.reset();
    if (Settings)
        Settings->sync();
    Settings = std::make_shared<QSettings>(SettingsDir.filePath(u"rotam-print.ini"_s),
                                           QSettings::IniFormat);
    Printers = std::make_shared<RecordingPrinters>(m_printerNames);
    PrintDialog->Printers = Printers;
    UiServices services;
    services.OpenDialog = OpenDialog;
    services.PrintDialog = PrintDialog;
    services.Settings = Settings;
    services.Progress = Progress;
    services.RunModal = [this](QDialog &dialog) {
        ++ModalCount;
        if (!Modal) {
            ADD_FAILURE() << "a modal window opened that the test did not expect";
            return int(QDialog::Rejected);
        }
        return Modal(dialog);
    };
    Window = std::make_unique<MainWindow>(std::move(services));
}

MainWindowFixture::~MainWindowFixture()
{
    MessageBox::SetCatcher({});
}

void MainWindowFixture::Paste(const QString &text)
{
    Modal = [text](QDialog &dialog) {
        auto &paste = dynamic_cast<PasteWindow &>(dialog);
        paste.textEdit->SetText(text);
        paste.runButton->click();
        return paste.result();
    };
    Window->pasteButton->click();
}

void MainWindowFixture::OpenFiles(const QStringList &paths)
{
    OpenDialog->Answers.append(paths);
    Window->openFilesAction->trigger();
}

void MainWindowFixture::OpenFolder(const QString &path)
{
    OpenDialog->FolderAnswers.append(path);
    Window->openFolderAction->trigger();
}

QStringList MainWindowFixture::ListTexts() const
{
    QStringList texts;
    for (int i = 0; i < Window->issueList->count(); ++i)
        texts.append(Window->issueList->item(i)->text());
    return texts;
}

QList<qint32> MainWindowFixture::ListItemData() const
{
    QList<qint32> data;
    for (int i = 0; i < Window->issueList->count(); ++i)
        data.append(Window->issueList->item(i)->data(Qt::UserRole).toInt());
    return data;
}

void MainWindowFixture::SetChecked(int row, bool checked)
{
    Window->issueList->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void MainWindowFixture::Click(int row)
{
    Window->issueList->setCurrentRow(row);
}
