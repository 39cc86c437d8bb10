// rotam-bench-library ARCHIVE [RUNS]: the library's steps on a mail archive, each the median
// of RUNS runs: the plain load, adding the load to an empty library, opening it and listing
// it (its -wal holding the load, then checkpointed), and reading every record back. Run
// bench/library/run.sh for the whole-process figures.
// rotam-bench-library --checkpoint LIBRARY: copies the library's -wal into it and removes it.

#include "IssueLibrary.h"
#include "IssueLoad.h"
#include "IssueStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double medianMs(int runs, const std::function<void()> &step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        step();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// A plain connection, the last to close, checkpoints the -wal and deletes it.
bool checkpoint(const QString &path)
{
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), path);
        db.setDatabaseName(path);
        done = db.open() && QSqlQuery(db).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    QSqlDatabase::removeDatabase(path);
    return done && !QFile::exists(path + QStringLiteral("-wal"));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: rotam-bench-library ARCHIVE [RUNS]\n"
                             "       rotam-bench-library --checkpoint LIBRARY\n");
        return 2;
    }
    if (qstrcmp(argv[1], "--checkpoint") == 0)
        return argc == 3 && checkpoint(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    const QString archive = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("library.sqlite"));

    IssueStore store;
    LoadReport report;
    const double load = medianMs(runs, [&] {
        store = IssueStore();
        report = loadMailPaths(store, {archive});
    });
    qsizetype added = 0;
    const double add = medianMs(runs, [&] {
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(path + QLatin1StringView(suffix));
        added = IssueLibrary::open(path)->add(store, report.sources).size();
    });
    qsizetype listed = 0;
    const double list =
        medianMs(runs, [&] { listed = IssueLibrary::open(path)->entries().size(); });
    const QString walKiB = QString::number(QFile(path + QStringLiteral("-wal")).size() / 1024);
    if (!checkpoint(path))
        std::fprintf(stderr, "rotam-bench-library: the checkpoint failed\n");
    const double listCheckpointed =
        medianMs(runs, [&] { listed = IssueLibrary::open(path)->entries().size(); });
    const double records = medianMs(runs, [&] {
        const auto library = IssueLibrary::open(path);
        QList<qint64> ids;
        for (const LibraryEntry &entry : library->entries())
            ids.append(entry.id);
        library->records(ids);
    });
    std::printf("issues: %lld added, %lld listed\n", qint64(added), qint64(listed));
    std::printf("load: %.1f ms\nadd to an empty library: %.1f ms\n"
                "open and list, the load in the -wal (%s KiB): %.1f ms\n"
                "open and list, checkpointed: %.1f ms\n"
                "open, list and read every record: %.1f ms\n(medians of %d runs)\n",
                load, add, qPrintable(walKiB), list, listCheckpointed, records, runs);
    return 0;
}
