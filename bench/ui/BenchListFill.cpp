// rotam-bench-list-fill [ISSUES] [RUNS]: times refilling the main window's issue list from
// ISSUES records (default 10,000) and reports the median of RUNS runs (default 7), once for
// the fill alone and once with the shown window's pending layout and paint included.
// Run with QT_QPA_PLATFORM=offscreen when there is no display.

#include "FontSubstitutes.h"
#include "MainWindow.h"

#include <QApplication>
#include <QListWidget>
#include <QRandomGenerator>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Titles as an archive has them: mostly "第ｎｎｎ回", some with Latin or kana text, in
// random record order, a few repeated.
QString Title(QRandomGenerator &random, int i)
{
    static const QString kana = QStringLiteral("あいうえおかきくけこさしすせそたちつてと");
    QString number = QString::number(i + 1);
    for (QChar &c : number)
        c = QChar(c.unicode() - u'0' + u'０');
    switch (random.bounded(10)) {
    case 0:
        return QStringLiteral("Special ") + QString::number(random.bounded(500));
    case 1: {
        QString t;
        for (int k = 0; k < 6; ++k)
            t += kana.at(random.bounded(kana.size()));
        return t;
    }
    default:
        return QStringLiteral("第") + number + QStringLiteral("回");
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    const int issues = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;

    UiServices services;
    services.openDialog = std::make_shared<OpenFileDialog>();
    services.printDialog = std::make_shared<QtPrintDialog>();
    services.runModal = [](QDialog &) { return 0; };
    MainWindow window(std::move(services));

    QRandomGenerator random(20050115);
    std::vector<int> order(issues);
    for (int i = 0; i < issues; ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(4));
    for (int i = 0; i < issues; ++i) {
        PuzzleRecord record;
        record.Title = Title(random, order[i]);
        record.TitleLine = QStringLiteral("◇") + record.Title + QStringLiteral("◇");
        window.store.puzzles.append(record);
    }
    window.show();
    QCoreApplication::processEvents();

    std::vector<double> fill, shown;
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        window.fillIssueList();
        const auto filled = Clock::now();
        QCoreApplication::processEvents();
        const auto done = Clock::now();
        fill.push_back(std::chrono::duration<double, std::milli>(filled - start).count());
        shown.push_back(std::chrono::duration<double, std::milli>(done - start).count());
    }
    std::printf("issues %d, entries %d, runs %d\n", issues,
                window.findChild<QListWidget *>(QStringLiteral("issueList"))->count(), runs);
    std::printf("fill            median %8.1f ms\n", median(fill));
    std::printf("fill + layout   median %8.1f ms\n", median(shown));
    return 0;
}
