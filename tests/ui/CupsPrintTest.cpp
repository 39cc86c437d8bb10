// Prints through a real print system: a CUPS queue that writes its jobs to a file, set up by
// scripts/cups-queue.sh, which names the queue and the file in ROTAM_CUPS_QUEUE and
// ROTAM_CUPS_OUTPUT. Without them the test is skipped.
#include "UiTestSupport.h"

#include "PasteWindow.h"
#include "QtPrintDialog.h"
#include "QtPrinterCollection.h"
#include "QtPrinterObject.h"
#include "TextBox.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QListWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryFile>
#include <QThread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

bool QueueIsBusy(const QString &queue)
{
    QProcess lpstat;
    lpstat.start(u"lpstat"_s, {u"-o"_s, queue});
    lpstat.waitForFinished(10000);
    return !lpstat.readAllStandardOutput().trimmed().isEmpty();
}

// The page count of the PDF the queue wrote, which may follow a printer-language header.
int PdfPages(const QByteArray &output)
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

} // namespace

class CupsQueue : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (queue.isEmpty() || outputPath.isEmpty())
            GTEST_SKIP() << "no CUPS queue: run scripts/cups-queue.sh and export what it prints";
    }
    // The queue's file once the job has gone through; the queue writes it in its own time.
    QByteArray WaitForOutput() const
    {
        QDeadlineTimer deadline(60000);
        QByteArray output;
        do {
            QThread::msleep(200);
            QFile file(outputPath);
            if (file.open(QIODevice::ReadOnly))
                output = file.readAll();
        } while ((QueueIsBusy(queue) || !output.contains("%%EOF")) && !deadline.hasExpired());
        return output;
    }
    const QString queue = qEnvironmentVariable("ROTAM_CUPS_QUEUE");
    const QString outputPath = qEnvironmentVariable("ROTAM_CUPS_OUTPUT");
};

// The queue's printer model offers double-sided printing, so each duplex code goes to the
// printer and comes back from it unchanged; an unknown code leaves the setting alone.
TEST_F(CupsQueue, DuplexCodesReachThePrinterAndComeBack)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
    PrintDialogSettings preset;
    for (const qint16 code : {2, 3, 1}) {
        preset.Duplex = code;
        ApplyPreset(printer, preset);
        EXPECT_EQ(SettingsFromPrinter(printer).Duplex, code);
    }
    preset.Duplex = 2;
    ApplyPreset(printer, preset);
    preset.Duplex = 0; // a printer that could not report it
    ApplyPreset(printer, preset);
    EXPECT_EQ(printer.duplex(), QPrinter::DuplexLongSide);
}

TEST_F(CupsQueue, TwoCheckedIssuesPrintAsTwoPages)
{
    QFile::resize(outputPath, 0);

    auto printDialog = std::make_shared<ScriptedPrintDialog>();
    PrintDialogSettings choice;
    choice.DeviceName = queue.toUpper(); // as the dialog hands the name back
    choice.Copies = 1;
    choice.Duplex = 1;
    choice.Orientation = 1;
    choice.PaperSize = 9;
    choice.PrintQuality = 300;
    printDialog->Answer = choice;
    IssueSpec second = Titled(u"二"_s);
    second.Size = 10;
    const QString mail = MailText({Titled(u"一"_s), second, Titled(u"三"_s)});
    const auto pasteMail = [&](QDialog &dialog) {
        auto &paste = dynamic_cast<PasteWindow &>(dialog);
        paste.textEdit->SetText(mail);
        paste.runButton->click();
        return paste.result();
    };
    auto printers = std::make_shared<QtPrinterCollection>();
    MainWindow window(UiServices{
        std::make_shared<ScriptedOpenDialog>(), printers, printDialog, pasteMail, {}, {}});
    QList<MessageBox::Message> messages;
    MessageBox::SetCatcher([&](const MessageBox::Message &m) { messages.append(m); });

    window.pasteButton->click();
    ASSERT_EQ(window.issueList->count(), 3);
    window.issueList->item(0)->setCheckState(Qt::Checked);
    window.issueList->item(1)->setCheckState(Qt::Checked);
    window.printButton->click();
    MessageBox::SetCatcher({});

    ASSERT_TRUE(messages.isEmpty()) << messages.first().text.toStdString();
    ASSERT_TRUE(printers->Printer());
    EXPECT_EQ(printers->Printer()->DeviceName(), queue) << "the queue chosen by name is current";

    EXPECT_EQ(PdfPages(WaitForOutput()), 2);
}

// Qt spools a CUPS job whole when the document ends and cannot withdraw it, so a cancelled
// job prints the pages drawn so far, and the user is told how many.
TEST_F(CupsQueue, ACancelledJobNamesThePagesAlreadySent)
{
    QFile::resize(outputPath, 0);
    MainWindowFixture f;
    QList<IssueSpec> issues;
    for (int i = 1; i <= 60; ++i)
        issues.append(Titled(u"問題%1"_s.arg(i)));
    f.Paste(MailText(issues));
    f.Window->checkAllButton->click();
    f.PrintDialog->Answer = PrintDialogSettings{};
    f.PrintDialog->JobPrinter = std::make_shared<QtPrinterObject>(QPrinterInfo::printerInfo(queue));
    f.Progress->CancelAt = 20;
    f.Window->printButton->click();
    ASSERT_EQ(f.Messages.size(), 1);
    EXPECT_TRUE(f.Messages[0].text.contains(u"20 頁"_s)) << f.Messages[0].text.toStdString();

    EXPECT_EQ(PdfPages(WaitForOutput()), 20);
}
