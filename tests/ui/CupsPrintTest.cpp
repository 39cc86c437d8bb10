// Prints through a real print system: a CUPS queue that writes its jobs to a file, set up by
// scripts/cups-queue.sh, which names the queue and the file in ROTAM_CUPS_QUEUE and
// ROTAM_CUPS_OUTPUT. Without them the test is skipped.
#include "UiTestSupport.h"

#include "PasteWindow.h"
#include "QtPrintDialog.h"
#include "QtPrinterObject.h"
#include "TextBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QListView>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

#include <cups/cups.h>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

bool queueIsBusy(const QString &queue)
{
    QProcess lpstat;
    lpstat.start(u"lpstat"_s, {u"-o"_s, queue});
    lpstat.waitForFinished(10000);
    return !lpstat.readAllStandardOutput().trimmed().isEmpty();
}

int runTool(const QString &program, const QStringList &arguments)
{
    return QProcess::execute(program, arguments);
}

// The page count of the PDF the queue wrote, which may follow a printer-language header.
int pdfPages(const QByteArray &output)
{
    const qsizetype start = output.indexOf("%PDF-");
    if (start < 0)
        return -1;
    QTemporaryFile pdf;
    if (!pdf.open())
        return -1;
    pdf.write(output.mid(start));
    pdf.flush();
    QProcess pdfinfo;
    pdfinfo.start(u"pdfinfo"_s, {pdf.fileName()});
    pdfinfo.waitForFinished(10000);
    for (const QByteArray &line : pdfinfo.readAllStandardOutput().split('\n')) {
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// The id of the queue's newest job, finished or not; 0 for none.
int newestJob(const QString &queue)
{
    cups_job_t *jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int newest = 0;
    for (int i = 0; i < count; ++i)
        newest = std::max(newest, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return newest;
}

// The job's attributes as the scheduler keeps them, each value as IPP writes it.
QMap<QString, QString> jobAttributes(int job)
{
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "all");
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QMap<QString, QString> attributes;
    for (ipp_attribute_t *a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        if (!ippGetName(a))
            continue;
        char value[1024];
        ippAttributeString(a, value, sizeof value);
        attributes.insert(QString::fromUtf8(ippGetName(a)), QString::fromUtf8(value));
    }
    ippDelete(response);
    return attributes;
}

// Answers the next modal dialog from inside its event loop.
template <typename Dialog> void answer(std::function<void(Dialog &)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (dialog)
            answer(*dialog);
    });
}

} // namespace

class CupsQueue : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (queue.isEmpty() || outputPath.isEmpty())
            GTEST_SKIP() << "no CUPS queue: run scripts/cups-queue.sh and export what it prints";
        QFile::resize(outputPath, 0);
    }
    // The queue's file once the job has gone through; the queue writes it in its own time.
    QByteArray waitForOutput() const
    {
        QDeadlineTimer deadline(60000);
        QByteArray output;
        do {
            QThread::msleep(200);
            QFile file(outputPath);
            if (file.open(QIODevice::ReadOnly))
                output = file.readAll();
        } while ((queueIsBusy(queue) || !output.contains("%%EOF")) && !deadline.hasExpired());
        return output;
    }
    // The main window over Qt's own print dialog, with the issues pasted and all checked.
    std::unique_ptr<MainWindow> windowWith(const QList<IssueSpec> &issues)
    {
        const QString mail = mailText(issues);
        const auto pasteMail = [mail](QDialog &dialog) {
            auto &paste = dynamic_cast<PasteWindow &>(dialog);
            namedChild<TextBox>(paste, u"textEdit"_s)->setText(mail);
            namedChild<QPushButton>(paste, u"runButton"_s)->click();
            return paste.result();
        };
        const auto failOnMessage = [](QWidget *, const UserMessage &m) {
            ADD_FAILURE() << m.text.toStdString();
        };
        UiServices services;
        services.openDialog = std::make_shared<ScriptedOpenDialog>();
        services.printDialog = std::make_shared<QtPrintDialog>();
        services.runModal = pasteMail;
        services.showMessage = failOnMessage;
        auto window = std::make_unique<MainWindow>(std::move(services));
        controls(*window).pasteButton->click();
        controls(*window).checkAllButton->click();
        return window;
    }
    // Prints what the window has checked, choosing the queue and whatever choose sets.
    void printChoosing(MainWindow &window, const std::function<void(QPrintDialog &)> &choose)
    {
        answer<QPrintDialog>([this, choose](QPrintDialog &dialog) {
            auto *printers = dialog.findChild<QComboBox *>(u"printers"_s);
            printers->setCurrentIndex(printers->findText(queue));
            choose(dialog);
            dialog.accept();
        });
        controls(window).printButton->click();
    }
    const QString queue = qEnvironmentVariable("ROTAM_CUPS_QUEUE");
    const QString outputPath = qEnvironmentVariable("ROTAM_CUPS_OUTPUT");
};

// Everything set in the dialog, on its own tabs and the printer's properties, travels with
// the job: the scheduler's record of it shows each one. The queue's driver offers colour as
// one of its own options, so the dialog leaves grayscale to the driver's page.
TEST_F(CupsQueue, TheDialogsChoicesReachTheJob)
{
    auto window = windowWith({titled(u"一"_s), titled(u"二"_s)});
    const int before = newestJob(queue);
    printChoosing(*window, [](QPrintDialog &dialog) {
        dialog.findChild<QSpinBox *>(u"copies"_s)->setValue(2);
        dialog.findChild<QAbstractButton *>(u"collate"_s)->setChecked(true);
        dialog.findChild<QAbstractButton *>(u"duplexLong"_s)->click();
        answer<QDialog>([](QDialog &properties) {
            auto *paper = properties.findChild<QComboBox *>(u"pageSizeCombo"_s);
            paper->setCurrentIndex(paper->findText(u"JIS B5"_s));
            auto *driver = properties.findChild<QWidget *>(u"cupsPropertiesPage"_s);
            for (QComboBox *option : driver->findChildren<QComboBox *>()) {
                if (const int gray = option->findText(u"Black and White"_s); gray >= 0)
                    option->setCurrentIndex(gray);
            }
            properties.accept();
        });
        dialog.findChild<QAbstractButton *>(u"properties"_s)->click();
    });
    waitForOutput();

    const int job = newestJob(queue);
    ASSERT_GT(job, before) << "nothing was queued";
    const QMap<QString, QString> attributes = jobAttributes(job);
    EXPECT_EQ(attributes.value(u"ColorModel"_s), u"grayscale"_s);
    EXPECT_EQ(attributes.value(u"copies"_s), u"2"_s);
    EXPECT_EQ(attributes.value(u"Collate"_s), u"true"_s);
    EXPECT_EQ(attributes.value(u"media"_s), u"B5"_s) << "the driver's name for JIS B5";
    EXPECT_EQ(attributes.value(u"sides"_s), u"two-sided-long-edge"_s);
}

TEST_F(CupsQueue, APageRangeSpoolsJustThoseSheets)
{
    QList<IssueSpec> issues;
    for (int i = 1; i <= 5; ++i)
        issues.append(titled(u"問題%1"_s.arg(i)));
    auto window = windowWith(issues);
    printChoosing(*window, [](QPrintDialog &dialog) {
        dialog.findChild<QAbstractButton *>(u"printRange"_s)->click();
        dialog.findChild<QSpinBox *>(u"from"_s)->setValue(2);
        dialog.findChild<QSpinBox *>(u"to"_s)->setValue(3);
    });
    EXPECT_EQ(pdfPages(waitForOutput()), 2);
}

// Qt spools a CUPS job whole when the document ends and cannot withdraw it, so a cancelled
// job prints the pages drawn so far, and the user is told how many.
TEST_F(CupsQueue, ACancelledJobNamesThePagesAlreadySent)
{
    MainWindowFixture f;
    QList<IssueSpec> issues;
    for (int i = 1; i <= 60; ++i)
        issues.append(titled(u"問題%1"_s.arg(i)));
    f.paste(mailText(issues));
    controls(*f.window).checkAllButton->click();
    f.printDialog->answer =
        PrintChoice{std::make_shared<QtPrinterObject>(QPrinterInfo::printerInfo(queue)), queue, {}};
    f.progress->cancelAt = 20;
    controls(*f.window).printButton->click();
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].text.contains(u"20 頁"_s)) << f.messages[0].text.toStdString();

    EXPECT_EQ(pdfPages(waitForOutput()), 20);
}

// A queue that takes no job, whether it rejects jobs or is gone by the time the job is
// spooled, is named in one message; the job was drawn in vain but nothing is silently lost.
TEST_F(CupsQueue, AQueueThatTakesNoJobIsReportedOnce)
{
    const QString gone = u"RotamTestQueueGone"_s;
    const struct
    {
        const char *what;
        QString queue;
        std::function<void()> before;
        std::function<void(int)> onStep;
        std::function<void()> after;
    } cases[] = {
        {"rejecting",
         queue,
         [&] { runTool(u"cupsreject"_s, {queue}); },
         {},
         [&] { runTool(u"cupsaccept"_s, {queue}); }},
        {"removed during the job", gone,
         [&] {
             runTool(u"lpadmin"_s,
                     {u"-p"_s, gone, u"-E"_s, u"-v"_s, u"file:///dev/null"_s, u"-m"_s, u"raw"_s});
         },
         [&](int done) {
             if (done == 10)
                 runTool(u"lpadmin"_s, {u"-x"_s, gone});
         },
         [] {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.before();
        const int before = newestJob(c.queue);
        MainWindowFixture f;
        QList<IssueSpec> issues;
        for (int i = 1; i <= 60; ++i)
            issues.append(titled(u"問題%1"_s.arg(i)));
        f.paste(mailText(issues));
        controls(*f.window).checkAllButton->click();
        const QPrinterInfo info = QPrinterInfo::printerInfo(c.queue);
        ASSERT_FALSE(info.isNull());
        f.printDialog->answer = PrintChoice{std::make_shared<QtPrinterObject>(info), c.queue, {}};
        f.progress->onStep = c.onStep;
        controls(*f.window).printButton->click();
        c.after();
        ASSERT_EQ(f.messages.size(), 1);
        EXPECT_EQ(f.messages[0].kind, UserMessage::Kind::Critical);
        EXPECT_TRUE(f.messages[0].text.contains(c.queue)) << f.messages[0].text.toStdString();
        EXPECT_EQ(newestJob(c.queue), before) << "no job was queued";
    }
}
