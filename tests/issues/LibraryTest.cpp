#include "AccessAsNobody.h"
#include "IssueLibrary.h"
#include "IssueLoad.h"
#include "IssueOrder.h"
#include "IssueStore.h"
#include "RepeatedIssues.h"
#include "SampleIssue.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Runs statements on the file as another program would, outside the library's code.
void runSql(const QString &path, const QStringList &statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"raw"_s);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const QString &statement : statements)
            ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }
    QSqlDatabase::removeDatabase(u"raw"_s);
}

IssueStore storeOf(const QList<PuzzleRecord> &records)
{
    IssueStore store;
    store.puzzles.append(records);
    return store;
}

QStringList sourcesFor(const IssueStore &store, const QString &source)
{
    QStringList sources(store.puzzles.size(), source);
    sources[0].clear();
    return sources;
}

QStringList titlesOf(const QList<LibraryEntry> &entries)
{
    QStringList titles;
    for (const LibraryEntry &entry : entries)
        titles << entry.title;
    return titles;
}

class Library : public ::testing::Test
{
protected:
    std::unique_ptr<IssueLibrary> open() { return IssueLibrary::open(path); }
    QList<qint64> add(const QList<PuzzleRecord> &records)
    {
        const IssueStore store = storeOf(records);
        return open()->add(store, sourcesFor(store, u"/mail/a.txt"_s));
    }
    QStringList filesBeside() const
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir;
    QString folder = dir.filePath(u"data/rotam-print"_s); // made by open()
    QString path = folder + u"/library.sqlite"_s;
};

} // namespace

TEST_F(Library, EveryExampleReadsBackAsTheSameIssueFromItsSource)
{
    IssueStore loaded;
    const QDir examples(QStringLiteral(ROTAM_EXAMPLES_DIR));
    QStringList paths;
    for (const QString &name : examples.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        paths << examples.filePath(name);
    const LoadReport report = loadMailPaths(loaded, paths);
    ASSERT_EQ(report.sources.size(), loaded.puzzles.size());
    auto library = open();
    const QList<qint64> ids = library->add(loaded, report.sources);
    const QList<qint32> titled = issueListOrder(loaded);
    ASSERT_EQ(ids.size(), titled.size());
    ASSERT_GT(ids.size(), 5);

    const IssueStore back = library->records(ids);
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const qint32 index = qint32(i + 1); // the load added in record order, all titled
        EXPECT_TRUE(sameIssue(back.puzzles[i + 1], loaded.puzzles[index])) << i;
        EXPECT_EQ(library->history(ids[i]).source, report.sources[index]);
        EXPECT_TRUE(QFileInfo(report.sources[index]).isFile())
            << report.sources[index].toStdString();
    }
    EXPECT_TRUE(library->add(loaded, report.sources).isEmpty());
}

TEST_F(Library, OneFieldChangedIsANewIssueAndLabelsNeverReadAreNone)
{
    PuzzleRecord base = sampleIssue(1, 3, 2, 2);
    base.Cells = {QString(), u"□□□"_s, u"□■□"_s, u"　□□"_s};
    ASSERT_EQ(add({base}).size(), 1);
    const std::function<void(PuzzleRecord &)> changes[] = {
        [](PuzzleRecord &r) { r.SendTime += u'0'; },
        [](PuzzleRecord &r) { r.TitleLine += u'　'; },
        [](PuzzleRecord &r) { r.Title += u'x'; },
        [](PuzzleRecord &r) { ++r.ColCount; },
        [](PuzzleRecord &r) { r.GridNote = u"\"quoted\"\\\n"_s; },
        [](PuzzleRecord &r) { r.HintLines.append(QString()); },
        [](PuzzleRecord &r) { r.CommentLines.last() += u"𠮷"_s; },
        [](PuzzleRecord &r) { r.TyuukiText += u'\n'; },
        [](PuzzleRecord &r) { std::swap(r.ColLabels[1], r.ColLabels[2]); },
        [](PuzzleRecord &r) { r.RowLabels[3].clear(); },
        [](PuzzleRecord &r) { r.Publisher.clear(); },
        [](PuzzleRecord &r) { r.MagazineId += u'1'; },
        [](PuzzleRecord &r) { r.Cells[2][0] = u'■'; },
        // Values moved between neighbouring fields must not hash or compare alike.
        [](PuzzleRecord &r) { r.HintLines[1] += r.HintLines[2], r.HintLines.removeLast(); },
    };
    QList<PuzzleRecord> changed;
    for (const auto &change : changes) {
        PuzzleRecord r = base;
        change(r);
        changed.append(r);
    }
    const QList<qint64> ids = add(changed);
    ASSERT_EQ(ids.size(), std::size(changes));
    const IssueStore back = open()->records(ids);
    for (qsizetype i = 0; i < changed.size(); ++i)
        EXPECT_TRUE(sameIssue(back.puzzles[i + 1], changed[i])) << i;

    PuzzleRecord unread = base; // a title block that ended before its header line
    unread.ColLabels.clear();
    unread.RowLabels.clear();
    unread.Cells.clear();
    PuzzleRecord empty = base;
    empty.ColLabels = empty.RowLabels = empty.Cells = QStringList{QString()};
    EXPECT_EQ(add({unread}).size(), 1);
    EXPECT_TRUE(add({empty}).isEmpty());
    PuzzleRecord untitled = base;
    untitled.TitleLine.clear();
    EXPECT_TRUE(add({untitled}).isEmpty());
}

TEST_F(Library, ListOrderIsTheStoresAndTiesKeepTheOrderAdded)
{
    const QStringList titles{u"第１０００回"_s, u"b"_s, u"第９９回"_s, u"A"_s,
                             u"第２回"_s,       u"a"_s, u"第10回"_s,   u"B"_s};
    QList<PuzzleRecord> records;
    for (const QString &title : titles) {
        PuzzleRecord r = sampleIssue(int(records.size()), 2, 1, 1);
        r.Title = title;
        records.append(r);
    }
    const QList<qint64> ids = add(records);
    QList<qint64> expected;
    for (const qint32 index : issueListOrder(storeOf(records)))
        expected.append(ids[index - 1]);
    QList<qint64> listed;
    for (const LibraryEntry &entry : open()->entries())
        listed.append(entry.id);
    EXPECT_EQ(listed, expected);
}

TEST_F(Library, PrintsAreKeptOldestFirstAndRemovedIssuesStayGone)
{
    const QList<qint64> ids = add({sampleIssue(1, 2, 1, 1), sampleIssue(2, 2, 1, 1)});
    auto library = open();
    const QDateTime first = QDateTime::currentDateTime().addDays(-1);
    const QDateTime second = first.addSecs(3600);
    library->markPrinted({ids[0]}, u"/tmp/b.pdf"_s, second);
    library->markPrinted({ids[0], ids[1]}, u"PX-105"_s, first);
    const IssueHistory history = library->history(ids[0]);
    ASSERT_EQ(history.prints.size(), 2);
    EXPECT_EQ(history.prints[0].when, first);
    EXPECT_EQ(history.prints[0].destination, u"PX-105"_s);
    EXPECT_EQ(history.prints[1].destination, u"/tmp/b.pdf"_s);
    EXPECT_EQ(library->entries()[0].lastPrinted, second);
    EXPECT_EQ(library->entries()[1].lastPrinted, first);

    library->remove({ids[0]});
    EXPECT_EQ(titlesOf(library->entries()), QStringList{sampleIssue(2, 2, 1, 1).Title});
    EXPECT_TRUE(library->history(ids[0]).prints.isEmpty());
    EXPECT_THROW(library->records({ids[0]}), LibraryError);
    library->removeAll();
    EXPECT_TRUE(library->entries().isEmpty());
    library.reset();
    const QList<qint64> again = add({sampleIssue(1, 2, 1, 1)});
    ASSERT_EQ(again.size(), 1);  // what was removed is no repeat
    EXPECT_GT(again[0], ids[1]); // and an id is never given twice
    EXPECT_FALSE(open()->entries()[0].lastPrinted.isValid());
}

TEST_F(Library, ALoadKilledInItsTransactionLeavesTheLibraryAsItWas)
{
    add({sampleIssue(1, 2, 1, 1), sampleIssue(2, 2, 1, 1)});
    const QList<LibraryEntry> before = open()->entries();
    QList<PuzzleRecord> many;
    for (int i = 10; i < 400; ++i)
        many.append(sampleIssue(i, 4, 2, 2));
    const IssueStore store = storeOf(many);

    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            open()->add(store, sourcesFor(store, u"x"_s), [&](qsizetype done, qsizetype) {
                if (done == 300) { // most rows inserted, none committed
                    (void)!::write(pipe[1], "!", 1);
                    ::pause();
                }
            });
        } catch (...) {
        }
        ::_exit(1);
    }
    ::close(pipe[1]); // a child that ends early ends the read
    char byte = 0;
    const bool signalled = ::read(pipe[0], &byte, 1) == 1;
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(pipe[0]);
    ASSERT_TRUE(signalled);
    ASSERT_TRUE(WIFSIGNALED(status));

    auto library = open();
    EXPECT_FALSE(library->movedAside());
    const QList<LibraryEntry> after = library->entries();
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].id, before[i].id);
    EXPECT_EQ(library->add(store, sourcesFor(store, u"x"_s)).size(), many.size());
}

namespace {

struct BrokenCase
{
    const char *name;
    // Turns the good library at the path (closed, with companions) into the broken one.
    std::function<void(const QString &path)> breakIt;
};

void truncateToHalf(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.resize(file.size() / 2));
}

// Overwrites a whole page, its b-tree header too, at the file's own page size.
void scribbleOverPage(const QString &path, qint64 page)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray header = file.read(18);
    const qint64 pageSize = (quint8(header[16]) << 8) | quint8(header[17]);
    file.seek(page * pageSize);
    file.write(QByteArray(pageSize, '\x5a'));
}

} // namespace

TEST_F(Library, AnUnreadableFileIsMovedAsideWithItsCompanions)
{
    const BrokenCase cases[] = {
        {"not a database", [](const QString &p) { writeFile(p, QByteArray(9000, 'x')); }},
        {"truncated", truncateToHalf},
        {"a page overwritten", [](const QString &p) { scribbleOverPage(p, 2); }},
        {"from a newer version",
         [](const QString &p) { runSql(p, {u"PRAGMA user_version = 3"_s}); }},
        {"another program's database",
         [](const QString &p) {
             QFile::remove(p);
             runSql(p, {u"CREATE TABLE notes (text TEXT)"_s});
         }},
    };
    QList<PuzzleRecord> records;
    for (int i = 0; i < 300; ++i)
        records.append(sampleIssue(i, 5, 3, 3));
    for (const BrokenCase &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder).removeRecursively();
        add(records);
        runSql(path, {u"PRAGMA wal_checkpoint(TRUNCATE)"_s}); // the pages to break into the file
        c.breakIt(path);
        const QByteArray wal = "a -wal of no use to SQLite";
        writeFile(path + u"-wal"_s, wal);
        writeFile(path + u"-shm"_s, {});
        const QByteArray broken = contents(path);

        auto library = open();
        ASSERT_TRUE(library->movedAside());
        const MovedAsideLibrary moved = *library->movedAside();
        EXPECT_EQ(moved.libraryPath, path);
        EXPECT_TRUE(QRegularExpression(u"/library\\.sqlite\\.broken-\\d{8}-\\d{6}$"_s)
                        .match(moved.brokenPath)
                        .hasMatch())
            << moved.brokenPath.toStdString();
        EXPECT_EQ(contents(moved.brokenPath), broken);
        EXPECT_EQ(contents(moved.brokenPath + u"-wal"_s), wal);
        EXPECT_TRUE(QFile::exists(moved.brokenPath + u"-shm"_s));
        EXPECT_TRUE(movedAsideJapanese(moved).contains(moved.brokenPath));
        EXPECT_TRUE(movedAsideEnglish(moved).contains(path));

        EXPECT_TRUE(library->entries().isEmpty());
        EXPECT_EQ(library->add(storeOf(records.mid(0, 3)), QStringList(4)).size(), 3);
    }
}

TEST_F(Library, TheLastLoadStaysInTheWalUntilItPassesItsBound)
{
    QList<PuzzleRecord> records;
    for (int i = 0; i < 300; ++i)
        records.append(sampleIssue(i, 5, 3, 3));
    const struct
    {
        const char *name;
        qint64 walSize; // 0: as the load left it; else grown with a tail holding no frames
        bool kept;
    } cases[] = {{"as the load left it", 0, true}, {"past 64 MiB", 65 << 20, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder).removeRecursively();
        const QList<qint64> ids = add(records);
        QFile wal(path + u"-wal"_s);
        ASSERT_GT(wal.size(), QFileInfo(path).size()); // the load is in the -wal alone
        if (c.walSize) {
            ASSERT_TRUE(wal.resize(c.walSize));
        }
        const qint64 walBefore = wal.size();
        {
            auto library = open();
            EXPECT_FALSE(library->movedAside());
            EXPECT_EQ(library->entries().size(), records.size());
            EXPECT_TRUE(sameIssue(library->records({ids.last()}).puzzles[1], records.last()));
        }
        EXPECT_EQ(QFileInfo(wal).size(), c.kept ? walBefore : 0);
        EXPECT_EQ(open()->entries().size(), records.size());
    }
}

TEST_F(Library, AnEmptyFileIsANewLibraryAndAFailedInsertChangesNothing)
{
    QDir().mkpath(folder);
    writeFile(path, {});
    const QList<qint64> ids = add({sampleIssue(1, 2, 1, 1)});
    ASSERT_EQ(ids.size(), 1);
    EXPECT_EQ(contents(path).mid(18, 2), QByteArray("\2\2")); // a WAL database

    runSql(path, {u"CREATE TRIGGER refuse BEFORE INSERT ON issue WHEN NEW.title = '2'"
                  " BEGIN SELECT RAISE(ABORT, 'refused'); END"_s});
    QList<PuzzleRecord> more{sampleIssue(3, 2, 1, 1), sampleIssue(2, 2, 1, 1)};
    more[1].Title = u"2"_s;
    EXPECT_THROW(add(more), LibraryError);
    auto library = open();
    EXPECT_FALSE(library->movedAside());
    ASSERT_EQ(library->entries().size(), 1);
    EXPECT_EQ(library->entries()[0].id, ids[0]);
}

// A fetch's issues and how far it read the folder are kept together or not at all.
TEST_F(Library, AFetchedBatchIsKeptWithItsPosition)
{
    const QString mailbox = u"imap://rotam@example.com:993/INBOX"_s;
    auto library = open();
    EXPECT_EQ(library->folderPosition(mailbox), FolderPosition{});
    const QList<qint64> ids = library->addFetched(
        storeOf({sampleIssue(1, 2, 1, 1), sampleIssue(2, 2, 1, 1)}), mailbox, {7, 12});
    ASSERT_EQ(ids.size(), 2);
    EXPECT_EQ(library->history(ids[1]).source, mailbox);
    EXPECT_EQ(library->folderPosition(u"imap://rotam@example.com:993/Other"_s), FolderPosition{});

    runSql(path, {u"CREATE TRIGGER refuse BEFORE INSERT ON issue WHEN NEW.title = '2'"
                  " BEGIN SELECT RAISE(ABORT, 'refused'); END"_s});
    QList<PuzzleRecord> more{sampleIssue(3, 2, 1, 1), sampleIssue(4, 2, 1, 1)};
    more[1].Title = u"2"_s;
    EXPECT_THROW(library->addFetched(storeOf(more), mailbox, {7, 20}), LibraryError);
    EXPECT_EQ(library->folderPosition(mailbox), (FolderPosition{7, 12}));
    EXPECT_EQ(library->entries().size(), 2);

    // A batch without an issue still moves the position; UIDs use all 32 bits.
    library->addFetched(IssueStore{}, mailbox, {8, 4'000'000'000u});
    EXPECT_EQ(open()->folderPosition(mailbox), (FolderPosition{8, 4'000'000'000u}));
}

TEST_F(Library, AFileOutOfReachIsAnErrorAndNothingMoves)
{
    add({sampleIssue(1, 2, 1, 1)});
    const QStringList files = filesBeside();
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0), 0);
    {
        const AccessAsNobody nobody;
        if (!nobody.works())
            GTEST_SKIP() << "file permissions cannot be tested here";
        EXPECT_THROW(open(), LibraryError);
    }
    EXPECT_EQ(filesBeside(), files);
}

namespace {

// A record as version 1 keeps it, written here once more so that a change to the code's
// format fails this test instead of misreading the files already written.
QString version1Record(const PuzzleRecord &r)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    stream << r.SendTime << r.TitleLine << r.Title << r.ColCount << r.GridNote << r.HintLines.mid(1)
           << r.CommentLines.mid(1) << r.TyuukiText << r.ColLabels.mid(1) << r.RowLabels.mid(1)
           << r.Publisher << r.MagazineId << r.Cells.mid(1);
    return u"X'"_s + QString::fromLatin1(bytes.toHex()) + u"'"_s;
}

} // namespace

TEST_F(Library, AVersion1LibraryReadsBackAndTakesNewIssues)
{
    PuzzleRecord first;
    first.SendTime = u"2024/01/23 07:00"_s;
    first.TitleLine = u"◇第１回◇　朝"_s;
    first.Title = u"第１回"_s;
    first.ColCount = 2;
    first.GridNote = u"ノート"_s;
    first.HintLines = {QString(), u"ヒント"_s};
    first.CommentLines = {QString(), u"はじめに"_s};
    first.TyuukiText = u"注記"_s;
    first.ColLabels = {QString(), u"Ａ"_s, u"Ｂ"_s};
    first.RowLabels = {QString(), u"ａ"_s, u"ｂ"_s};
    first.Publisher = u"ロタム社"_s;
    first.MagazineId = u"0001"_s;
    first.Cells = {QString(), u"□■"_s, u"■□"_s};
    PuzzleRecord second;
    second.TitleLine = u"◇第２回◇"_s;
    second.Title = u"第２回"_s;

    QDir().mkpath(folder);
    // Version 1's schema as it was released; a later version upgrades this file.
    runSql(path,
           {
               u"CREATE TABLE issue (id INTEGER PRIMARY KEY AUTOINCREMENT,"
               " record_hash INTEGER NOT NULL, title TEXT NOT NULL,"
               " send_time TEXT NOT NULL, search_text TEXT NOT NULL,"
               " source TEXT NOT NULL, added INTEGER NOT NULL, record BLOB NOT NULL)"_s,
               u"CREATE INDEX issue_by_hash ON issue (record_hash)"_s,
               u"CREATE TABLE print (issue_id INTEGER NOT NULL REFERENCES issue (id)"
               " ON DELETE CASCADE, printed INTEGER NOT NULL, destination TEXT NOT NULL)"_s,
               u"CREATE INDEX print_by_issue ON print (issue_id, printed)"_s,
               u"PRAGMA journal_mode = WAL"_s,
               u"INSERT INTO issue VALUES (7, 5475478541229934399, '第１回', '2024/01/23 07:00',"
               " '◇第１回◇　朝\nはじめに', '/mail/1.txt', 1700000000000, "_s +
                   version1Record(first) + u")"_s,
               u"INSERT INTO issue VALUES (9, -2090783373555794421, '第２回', '', '◇第２回◇', "
               u"'貼り付け',"
               " 1700000001000, "_s +
                   version1Record(second) + u")"_s,
               u"INSERT INTO print VALUES (7, 1700000500000, 'PX-105')"_s,
               u"PRAGMA user_version = 1"_s,
           });

    auto library = open();
    EXPECT_FALSE(library->movedAside());
    const QList<LibraryEntry> entries = library->entries();
    ASSERT_EQ(titlesOf(entries), (QStringList{u"第１回"_s, u"第２回"_s}));
    EXPECT_EQ(entries[0].searchText, u"◇第１回◇　朝\nはじめに"_s);
    EXPECT_EQ(entries[0].sendTime, first.SendTime);
    EXPECT_EQ(entries[0].lastPrinted, QDateTime::fromMSecsSinceEpoch(1700000500000));
    const IssueStore back = library->records({9, 7});
    EXPECT_TRUE(sameIssue(back.puzzles[1], second));
    EXPECT_EQ(back.puzzles[2], first);
    const IssueHistory history = library->history(7);
    EXPECT_EQ(history.source, u"/mail/1.txt"_s);
    EXPECT_EQ(history.added, QDateTime::fromMSecsSinceEpoch(1700000000000));
    ASSERT_EQ(history.prints.size(), 1);
    EXPECT_EQ(history.prints[0].destination, u"PX-105"_s);

    // The hashes a version 1 file holds still find the repeats.
    EXPECT_TRUE(library->add(storeOf({first, second}), QStringList(3)).isEmpty());
    const QList<qint64> added = library->add(storeOf({sampleIssue(3, 2, 1, 1)}), QStringList(2));
    ASSERT_EQ(added.size(), 1);
    EXPECT_GT(added[0], 9);

    // Version 2 added the folder positions, none kept yet.
    EXPECT_EQ(library->folderPosition(u"imap://rotam@example.com:993/INBOX"_s), FolderPosition{});
    library->addFetched(IssueStore{}, u"imap://rotam@example.com:993/INBOX"_s, {1, 2});
    EXPECT_EQ(library->folderPosition(u"imap://rotam@example.com:993/INBOX"_s),
              (FolderPosition{1, 2}));
}
