// rotam-bench-list-fill [ISSUES] [RUNS]: makes a library of ISSUES issues (default 100,000) in
// a temporary folder, then reports the median of RUNS runs (default 5) of
//   entries(): the library's part of the opening, for comparison;
//   open:   constructing the main window on it until the shown list has been laid out and
//           painted;
//   search: typing a search word one character at a time, per character, until repainted.
// Run with QT_QPA_PLATFORM=offscreen when there is no display.

#include "FontSubstitutes.h"
#include "IssueStore.h"
#include "MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Titles as an archive has them: mostly "第ｎｎｎ回", some with Latin or kana text, in
// random record order; each with a comment of a few words.
PuzzleRecord record(QRandomGenerator &random, int number)
{
    static const QString kana = u"あいうえおかきくけこさしすせそたちつてと"_s;
    QString digits = QString::number(number);
    for (QChar &c : digits)
        c = QChar(c.unicode() - u'0' + u'０');
    PuzzleRecord r;
    switch (random.bounded(10)) {
    case 0:
        r.Title = u"Special "_s + QString::number(random.bounded(500));
        break;
    case 1:
        for (int k = 0; k < 6; ++k)
            r.Title += kana.at(random.bounded(kana.size()));
        break;
    default:
        r.Title = u"第"_s + digits + u"回"_s;
    }
    r.TitleLine = u"◇"_s + r.Title + u"◇　今日の問題"_s;
    r.SendTime = QDateTime(QDate(2005, 1, 1).addDays(number), QTime(6, 0), QTimeZone(9 * 3600))
                     .toString(Qt::RFC2822Date);
    QString comment;
    for (int k = 0; k < 40; ++k)
        comment += kana.at(random.bounded(kana.size()));
    r.CommentLines = {comment, u"今日のコメント "_s + QString::number(number)};
    return r;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

UiServices benchServices(const QString &library)
{
    UiServices services;
    services.openDialog = std::make_shared<OpenFileDialog>();
    services.printDialog = std::make_shared<QtPrintDialog>();
    services.runModal = [](QDialog &) { return 0; };
    services.showMessage = [](QWidget *, const UserMessage &m) {
        std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
    };
    services.libraryPath = library;
    return services;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    const int issues = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

    QTemporaryDir dir;
    const QString path = dir.filePath(u"library.sqlite"_s);
    {
        std::vector<int> order(issues);
        for (int i = 0; i < issues; ++i)
            order[i] = i + 1;
        std::shuffle(order.begin(), order.end(), std::mt19937(4));
        QRandomGenerator random(20050115);
        IssueStore store;
        for (const int number : order)
            store.puzzles.append(record(random, number));
        QStringList sources(store.puzzles.size(), u"bench"_s);
        sources[0].clear();
        const auto start = Clock::now();
        IssueLibrary::open(path)->add(store, sources);
        std::printf("library of %d issues made in %.0f ms\n", issues, msSince(start));
    }

    std::vector<double> read, open, search;
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        IssueLibrary::open(path)->entries();
        read.push_back(msSince(start));
    }
    int listed = 0;
    const QString word = u"今日のコメント 12"_s;
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        MainWindow window(benchServices(path));
        window.resize(1000, 700);
        window.show();
        QCoreApplication::processEvents();
        open.push_back(msSince(start));
        listed = window.findChild<QListView *>(u"issueList"_s)->model()->rowCount();

        auto *field = window.findChild<QLineEdit *>(u"searchField"_s);
        for (const QChar c : word) {
            const auto typed = Clock::now();
            field->insert(c);
            QCoreApplication::processEvents();
            search.push_back(msSince(typed));
        }
    }
    std::printf("issues %d, listed %d, runs %d\n", issues, listed, runs);
    std::printf("the library's entries() median %8.1f ms\n", median(read));
    std::printf("open to list shown      median %8.1f ms\n", median(open));
    std::printf("search, per character   median %8.1f ms  (max %.1f, %zu characters)\n",
                median(search), *std::max_element(search.begin(), search.end()), search.size());
    return 0;
}
