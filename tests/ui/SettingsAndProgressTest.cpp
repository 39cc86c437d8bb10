#include "UiTestSupport.h"

#include "QtPrinterObject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

QString Example(const char *name)
{
    return QDir(QStringLiteral(ROTAM_EXAMPLES_DIR)).filePath(QString::fromLatin1(name));
}

// count issues, all checked.
void LoadChecked(MainWindowFixture &f, int count)
{
    QList<IssueSpec> issues;
    for (int i = 1; i <= count; ++i)
        issues.append(Titled(u"問題%1"_s.arg(i, 3, 10, QChar(u'0'))));
    f.Paste(MailText(issues));
    f.Window->checkAllButton->click();
}

std::shared_ptr<QtPrinterObject> PdfPrinter(const QString &path)
{
    return QtPrinterObject::ForPdf(path, QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5), 600);
}

// Files may grow only so far while it lasts: a disk that fills up half-way, even for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_before);
        m_signalBefore = signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_before);
        signal(SIGXFSZ, m_signalBefore);
    }

private:
    rlimit m_before;
    sighandler_t m_signalBefore;
};

} // namespace

TEST(RememberedSettings, ChoicesOfOneRunAreTheStartOfTheNext)
{
    MainWindowFixture f({u"Recorder"_s, u"Laser"_s});
    const QString pdf = f.SettingsDir.filePath(u"問題.pdf"_s);
    f.OpenFiles({Example("rotam-0123.txt")});
    f.Window->positionButtons[2]->setChecked(true);
    f.Window->checkAllButton->click();
    f.PrintDialog->Answer = PrintChoice{f.Printers->At(1), u"Laser"_s, {}};
    f.PrintDialog->ChosenPdfFile = pdf;
    f.PrintDialog->ChosenOptions = PrintOptions(PagePlacement::Centre, PageLayout::Two, true);
    f.Window->printButton->click();

    f.Restart();
    f.PrintDialog->PdfFileName.clear(); // the dialog object of a new run knows nothing
    f.PrintDialog->Answer.reset();
    EXPECT_EQ(f.Window->printOptions(), PrintOptions(PagePlacement::Centre, PageLayout::Two, true));
    f.OpenFiles({Example("rotam-0123.txt")});
    EXPECT_EQ(f.OpenDialog->Folders,
              (QStringList{QString(), QDir::cleanPath(QStringLiteral(ROTAM_EXAMPLES_DIR))}));
    f.Window->checkAllButton->click();
    f.Window->printButton->click();
    EXPECT_EQ(f.PrintDialog->Presets.back().PrinterName, u"Laser"_s);
    EXPECT_EQ(f.PrintDialog->PdfPresets.back(), pdf);
}

TEST(Progress, OnlyJobsOfMoreThanFiftyPagesShowIt)
{
    for (const int pages : {50, 51}) {
        MainWindowFixture f;
        LoadChecked(f, pages);
        f.PrintDialog->Answer = PrintChoice{};
        f.Window->printButton->click();
        EXPECT_EQ(f.Printers->At(0)->Pages(), pages);
        EXPECT_EQ(f.Progress->Requests.size(), pages > 50 ? 1 : 0) << pages;
        if (pages > 50) {
            EXPECT_TRUE(f.Progress->Requests[0].Cancellable);
            ASSERT_EQ(f.Progress->Steps.size(), pages);
            EXPECT_EQ(f.Progress->Steps.back().Done, pages);
            EXPECT_EQ(f.Progress->Steps.back().Total, pages);
        }
    }
}

TEST(Progress, AJobCancelledHalfwayLeavesNoPdf)
{
    MainWindowFixture f;
    LoadChecked(f, 60);
    const QString path = f.SettingsDir.filePath(u"out.pdf"_s);
    f.PrintDialog->Answer = PrintChoice{PdfPrinter(path), {}, {}};
    f.Progress->CancelAt = 30;
    f.Window->printButton->click();
    EXPECT_EQ(f.Progress->Steps.size(), 30);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(f.Messages.isEmpty()) << "the user knows: it was their cancel";

    f.Progress->CancelAt = 0;
    f.PrintDialog->Answer = PrintChoice{PdfPrinter(path), {}, {}};
    f.Window->printButton->click();
    EXPECT_TRUE(QFile::exists(path)) << "the same job, not cancelled, writes its file";
}

TEST(Progress, AnExistingPdfOutlivesACancelledJobAndAFailedWrite)
{
    MainWindowFixture f;
    LoadChecked(f, 60);
    const QString whole = f.SettingsDir.filePath(u"whole.pdf"_s);
    f.PrintDialog->Answer = PrintChoice{PdfPrinter(whole), {}, {}};
    f.Window->printButton->click();
    const rlim_t size = rlim_t(QFileInfo(whole).size());
    ASSERT_GT(size, 16 * 1024u);

    const QString path = f.SettingsDir.filePath(u"out.pdf"_s);
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const struct
    {
        const char *name;
        int cancelAt;
        rlim_t sizeLimit; // 0: none
        QString message;  // empty: none; else how it begins
    } cases[] = {
        {"cancelled", 30, 0, {}},
        {"disk full half-way", 0, 16 * 1024, u"印刷できませんでした。"_s},
        {"disk full unnoticed by Qt", 0, size - 100,
         u"印刷できませんでした。\n\nPDF ファイル %1 を書き込めませんでした：PDF を最後まで"
         u"書き込めませんでした。"_s.arg(path)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        f.Messages.clear();
        f.Progress->CancelAt = c.cancelAt;
        const auto printer = PdfPrinter(path);
        f.PrintDialog->Answer = PrintChoice{printer, {}, {}};
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit)
                limit.emplace(c.sizeLimit);
            f.Window->printButton->click();
        }
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old");
        old.close();
        EXPECT_EQ(QDir(f.SettingsDir.path()).entryList({u".out.pdf*"_s}, QDir::Hidden),
                  QStringList());
        EXPECT_EQ(printer->Device().outputFileName(), path) << "the printer keeps its file";
        ASSERT_EQ(f.Messages.size(), c.message.isEmpty() ? 0 : 1);
        if (!c.message.isEmpty()) {
            EXPECT_TRUE(f.Messages[0].text.startsWith(c.message))
                << f.Messages[0].text.toStdString();
        }
    }
}

TEST(Progress, ACancelledPreviewDrawingEndsTheDocument)
{
    MainWindowFixture f;
    LoadChecked(f, 60);
    f.Progress->CancelAt = 10;
    RecordingPrinter preview(u"Preview"_s);
    EXPECT_FALSE(f.Window->drawPreviewPages(preview));
    EXPECT_EQ(f.Progress->Steps.size(), 10);
    EXPECT_EQ(preview.CallsOf(u"KillDoc"_s).size(), 1);
    EXPECT_TRUE(preview.CallsOf(u"EndDoc"_s).isEmpty());
}

TEST(Progress, LoadingReportsItsFilesAndShowsOnlyWhenSlow)
{
    MainWindowFixture f;
    f.OpenFiles({Example("rotam-0123.txt"), Example("no-such-mail.txt"),
                 Example("rotam-digest-0124-0127.txt")});
    ASSERT_EQ(f.Progress->Requests.size(), 1);
    EXPECT_EQ(f.Progress->Requests[0].ShowAfterMs, 500);
    EXPECT_FALSE(f.Progress->Requests[0].Cancellable);
    // The load runs on its own thread; how often it is polled depends on the machine.
    ASSERT_FALSE(f.Progress->Steps.isEmpty());
    EXPECT_EQ(f.Progress->Steps.last().Done, 3);
    EXPECT_EQ(f.Progress->Steps.last().Total, 3);
    EXPECT_EQ(f.Window->issueList->count(), 5);
}
