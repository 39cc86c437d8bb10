#include "UiTestSupport.h"

#include "QtPrinterObject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <optional>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

QString example(const char *name)
{
    return QDir(QStringLiteral(ROTAM_EXAMPLES_DIR)).filePath(QString::fromLatin1(name));
}

// count issues, all checked.
void loadChecked(MainWindowFixture &f, int count)
{
    QList<IssueSpec> issues;
    for (int i = 1; i <= count; ++i)
        issues.append(titled(u"問題%1"_s.arg(i, 3, 10, QChar(u'0'))));
    f.paste(mailText(issues));
    controls(*f.window).checkAllButton->click();
    // The load's own progress is not the job's.
    f.progress->requests.clear();
    f.progress->steps.clear();
}

std::shared_ptr<QtPrinterObject> pdfPrinter(const QString &path)
{
    return QtPrinterObject::forPdf(path, QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5), 600);
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
    const QString pdf = f.settingsDir.filePath(u"問題.pdf"_s);
    f.openFiles({example("rotam-0123.txt")});
    controls(*f.window).positionButtons[2]->setChecked(true);
    controls(*f.window).checkAllButton->click();
    f.printDialog->answer = PrintChoice{f.printers->at(1), u"Laser"_s, {}};
    f.printDialog->chosenPdfFile = pdf;
    f.printDialog->chosenOptions = PrintOptions(PagePlacement::Centre, PageLayout::Two, true);
    controls(*f.window).printButton->click();

    f.restart();
    f.printDialog->pdfFileName.clear(); // the dialog object of a new run knows nothing
    f.printDialog->answer.reset();
    EXPECT_EQ(f.window->printOptions(), PrintOptions(PagePlacement::Centre, PageLayout::Two, true));
    f.openFiles({example("rotam-0123.txt")});
    EXPECT_EQ(f.openDialog->folders,
              (QStringList{QString(), QDir::cleanPath(QStringLiteral(ROTAM_EXAMPLES_DIR))}));
    controls(*f.window).checkAllButton->click();
    controls(*f.window).printButton->click();
    EXPECT_EQ(f.printDialog->presets.back().printerName, u"Laser"_s);
    EXPECT_EQ(f.printDialog->pdfPresets.back(), pdf);
}

TEST(Progress, OnlyJobsOfMoreThanFiftyPagesShowIt)
{
    for (const int pages : {50, 51}) {
        MainWindowFixture f;
        loadChecked(f, pages);
        f.printDialog->answer = PrintChoice{};
        controls(*f.window).printButton->click();
        EXPECT_EQ(f.printers->at(0)->pages(), pages);
        EXPECT_EQ(f.progress->requests.size(), pages > 50 ? 1 : 0) << pages;
        if (pages > 50) {
            EXPECT_TRUE(f.progress->requests[0].cancellable);
            ASSERT_EQ(f.progress->steps.size(), pages);
            EXPECT_EQ(f.progress->steps.back().done, pages);
            EXPECT_EQ(f.progress->steps.back().total, pages);
        }
    }
}

TEST(Progress, AnExistingPdfOutlivesACancelledJobAndAFailedWrite)
{
    MainWindowFixture f;
    loadChecked(f, 60);
    const QString whole = f.settingsDir.filePath(u"whole.pdf"_s);
    f.printDialog->answer = PrintChoice{pdfPrinter(whole), {}, {}};
    controls(*f.window).printButton->click();
    const rlim_t size = rlim_t(QFileInfo(whole).size());
    ASSERT_GT(size, 16 * 1024u);

    const QString path = f.settingsDir.filePath(u"out.pdf"_s);
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
        f.messages.clear();
        f.progress->cancelAt = c.cancelAt;
        const auto printer = pdfPrinter(path);
        f.printDialog->answer = PrintChoice{printer, {}, {}};
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit)
                limit.emplace(c.sizeLimit);
            controls(*f.window).printButton->click();
        }
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old");
        old.close();
        EXPECT_EQ(QDir(f.settingsDir.path()).entryList({u".out.pdf*"_s}, QDir::Hidden),
                  QStringList());
        EXPECT_EQ(printer->device().outputFileName(), path) << "the printer keeps its file";
        ASSERT_EQ(f.messages.size(), c.message.isEmpty() ? 0 : 1);
        if (!c.message.isEmpty()) {
            EXPECT_TRUE(f.messages[0].text.startsWith(c.message))
                << f.messages[0].text.toStdString();
        }
    }
}

TEST(Progress, ACancelledPreviewDrawingEndsTheDocument)
{
    MainWindowFixture f;
    loadChecked(f, 60);
    f.progress->cancelAt = 10;
    RecordingPrinter preview(u"Preview"_s);
    EXPECT_FALSE(f.window->drawPreviewPages(preview));
    EXPECT_EQ(f.progress->steps.size(), 10);
    EXPECT_EQ(preview.callsOf(u"KillDoc"_s).size(), 1);
    EXPECT_TRUE(preview.callsOf(u"EndDoc"_s).isEmpty());
}

TEST(Progress, LoadingReportsItsFilesAndShowsOnlyWhenSlow)
{
    MainWindowFixture f;
    f.openFiles({example("rotam-0123.txt"), example("no-such-mail.txt"),
                 example("rotam-digest-0124-0127.txt")});
    // Reading the files, which can be cancelled, then adding their issues to the library.
    ASSERT_EQ(f.progress->requests.size(), 2);
    EXPECT_EQ(f.progress->requests[0].label, u"メールを読み込んでいます… %1 / %2 MB"_s);
    EXPECT_TRUE(f.progress->requests[0].cancellable);
    EXPECT_FALSE(f.progress->requests[1].cancellable);
    for (const ProgressRequest &request : f.progress->requests)
        EXPECT_EQ(request.showAfterMs, 500);
    ASSERT_FALSE(f.progress->steps.isEmpty());
    EXPECT_EQ(f.progress->steps.last().done, 5) << "records added";
    EXPECT_EQ(f.progress->steps.last().total, 5);
    EXPECT_EQ(f.listTexts().size(), 5);
}

TEST(Progress, ACancelledLoadKeepsWhatWasRead)
{
    // Between the issues, attachments of sparse holes: many megabytes for the progress, no
    // disk space, and enough messages that the reader hands them over in several batches.
    QTemporaryDir dir;
    QFile file(dir.filePath(u"Inbox"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int number = 1; number <= 3; ++number) {
        file.write(u"From a\nContent-Type: text/plain; charset=UTF-8\n\n"
                   "◇第%1回◇\n\n　Ａ\n　ａ□\n\n"_s.arg(number).toUtf8());
        for (int photo = 0; number < 3 && photo < 40; ++photo) {
            file.write("From b\nContent-Type: application/octet-stream\n\n");
            file.seek(file.pos() + (4 << 20));
            file.write("\n\n");
        }
    }
    file.close();
    MainWindowFixture f;
    f.progress->cancelAt = 1; // MB
    f.openFiles({file.fileName()});
    const QStringList list = f.listTexts();
    ASSERT_FALSE(list.isEmpty());
    EXPECT_TRUE(list.first().contains(u"第1回"_s)) << list.join(u'|').toStdString();
    EXPECT_FALSE(list.last().contains(u"第3回"_s)) << list.join(u'|').toStdString();
    const qint64 megabytes = (file.size() + (1 << 20) - 1) >> 20;
    EXPECT_TRUE(std::ranges::any_of(f.progress->steps, [megabytes](const auto &step) {
        return step.total == megabytes;
    }));
    EXPECT_TRUE(f.messages.isEmpty());
}
