#include "IssueLibrary.h"

#include "BrokenLibrary.h"
#include "IssueOrder.h"
#include "IssueStore.h"
#include "LibraryRecord.h"
#include "LibrarySchema.h"
#include "LibrarySql.h"
#include "RepeatedIssues.h"

#include <QDir>
#include <QFileInfo>
#include <QMultiHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <sqlite3.h>

namespace {

// Long enough for the other program to finish any load or print it has begun.
constexpr int BusyTimeoutMs = 120'000;

// The -wal a library may keep between runs: three or so loads of 10,000 issues. Checkpointing
// a load's 18 MB costs two fsyncs, more than the load itself, so neither the commit nor the
// close does it; the next open past this size does, without waiting on anyone.
constexpr qint64 WalBoundBytes = 64 * 1024 * 1024;

qint64 msecs(const QDateTime &time)
{
    return time.toMSecsSinceEpoch();
}

QDateTime fromMsecs(const QVariant &value)
{
    return value.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(value.toLongLong());
}

// The driver binds a null string as NULL; the columns hold text, empty or not.
QString text(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

// Whether the file is this program's library, one it can upgrade, or a new file: not a
// database, damaged, from a newer version, or another program's database all say no.
// Failures that say nothing about the file itself (locked, not permitted) throw.
bool usableLibrary(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    const auto unusable = [&query] {
        if (isBrokenFile(query.lastError()))
            return false;
        throwLibraryError(query.lastError());
    };
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return unusable();
    const int version = query.value(0).toInt();
    if (version > LibrarySchemaVersion)
        return false;
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next())
        return unusable();
    if (query.value(0).toString() != QLatin1String("ok"))
        return false;
    if (version == 0) {
        if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next())
            return unusable();
        return query.value(0).toInt() == 0;
    }
    return true;
}

// A commit or close leaves its frames in the -wal. Checksummed frames make that as safe as
// the checkpoint: a power cut loses at most the last commits, never the file.
void keepWalOnClose(const QSqlDatabase &db)
{
    if (sqlite3_db_config(sqliteHandle(db), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr) !=
        SQLITE_OK)
        throw LibraryError(QStringLiteral("the SQLite driver cannot keep the -wal on closing"),
                           QStringLiteral("SQLite のドライバーを設定できません。"));
    run(db, QStringLiteral("PRAGMA wal_autocheckpoint = 0"));
}

// Copies the -wal into the file and empties it when it has grown past the bound. Gives up
// on the spot, checkpointing what it can, rather than wait for another program's load.
void boundWal(const QSqlDatabase &db, const QString &path)
{
    if (QFileInfo(path + QStringLiteral("-wal")).size() <= WalBoundBytes)
        return;
    run(db, QStringLiteral("PRAGMA busy_timeout = 0"));
    run(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    run(db, QStringLiteral("PRAGMA busy_timeout = %1").arg(BusyTimeoutMs));
}

} // namespace

LibraryError::LibraryError(const QString &english, const QString &japanese)
    : std::runtime_error(english.toStdString()), m_japanese(japanese)
{
}

QString LibraryError::english() const
{
    return QString::fromStdString(what());
}

QString LibraryError::japanese() const
{
    return m_japanese;
}

struct IssueLibrary::Data
{
    QString connection;
    QSqlDatabase db;
    std::optional<MovedAsideLibrary> movedAside;

    void connect(const QString &path, bool readOnly)
    {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs) +
                             (readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
        if (!db.open())
            throwLibraryError(db.lastError());
    }
    void disconnect()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection);
    }
    ~Data()
    {
        if (db.isValid())
            disconnect();
    }
};

IssueLibrary::IssueLibrary() : d(std::make_unique<Data>())
{
    // Unique while this library lives; removed with it.
    d->connection = QStringLiteral("rotam-library-%1").arg(quintptr(d.get()));
}

IssueLibrary::~IssueLibrary() = default;

QString IssueLibrary::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/library.sqlite");
}

std::unique_ptr<IssueLibrary> IssueLibrary::open(const QString &path)
{
    std::unique_ptr<IssueLibrary> library(new IssueLibrary);
    Data &d = *library->d;
    QDir().mkpath(QFileInfo(path).absolutePath()); // a failure shows as SQLite's on opening
    if (QFileInfo::exists(path)) {
        // Read-only, so that closing it neither checkpoints nor deletes the -wal of a file
        // that is to be moved aside whole.
        d.connect(path, true);
        const bool usable = usableLibrary(d.db);
        d.disconnect();
        if (!usable)
            d.movedAside = moveLibraryAside(path, QDateTime::currentDateTime());
    }
    const bool fresh = QFileInfo(path).size() == 0;
    d.connect(path, false);
    // WAL: the window reading while rotam-pdf adds never waits; NORMAL is safe in WAL mode,
    // a crash losing at most the last commit, never the file.
    // Text as the driver hands it over, so nothing is converted on the way; Japanese takes two
    // bytes a character instead of three. These two are ignored by an existing file.
    run(d.db, QStringLiteral("PRAGMA encoding = 'UTF-16le'"));
    // Records of a kilobyte or two fill 16 KiB pages better than 4 KiB ones, and a large load
    // writes and checkpoints a third fewer bytes.
    run(d.db, QStringLiteral("PRAGMA page_size = 16384"));

    // A new file holds nothing a journal could restore. Without one, the first page costs one
    // sync instead of four; a crash in between leaves a file the next open takes as new or
    // moves aside, no issue lost.
    if (fresh)
        run(d.db, QStringLiteral("PRAGMA journal_mode = OFF"));
    run(d.db, QStringLiteral("PRAGMA journal_mode = WAL"));
    run(d.db, QStringLiteral("PRAGMA synchronous = NORMAL"));
    keepWalOnClose(d.db);
    boundWal(d.db, path);
    run(d.db, QStringLiteral("PRAGMA foreign_keys = ON"));
    // A load of 100,000 issues stays in memory until its commit instead of spilling pages into
    // the -wal and rewriting them there.
    run(d.db, QStringLiteral("PRAGMA cache_size = -262144"));
    upgradeLibrary(d.db);
    return library;
}

const std::optional<MovedAsideLibrary> &IssueLibrary::movedAside() const
{
    return d->movedAside;
}

QList<qint64> IssueLibrary::add(const IssueStore &store, const QStringList &sources,
                                const LibraryAddProgress &progress)
{
    WriteTransaction transaction(d->db);
    QList<qint64> added = insert(store, sources, progress);
    transaction.commit();
    return added;
}

QList<qint64> IssueLibrary::addFetched(const IssueStore &store, const QString &mailbox,
                                       const FolderPosition &position)
{
    WriteTransaction transaction(d->db);
    QList<qint64> added = insert(store, QStringList(store.puzzles.size(), mailbox), {});
    QSqlQuery keep = prepared(d->db, QStringLiteral("INSERT OR REPLACE INTO mailbox_position"
                                                    " (mailbox, uid_validity, last_uid)"
                                                    " VALUES (?, ?, ?)"));
    keep.bindValue(0, text(mailbox));
    keep.bindValue(1, qint64(position.uidValidity));
    keep.bindValue(2, qint64(position.lastUid));
    run(keep);
    keep.finish();
    transaction.commit();
    return added;
}

FolderPosition IssueLibrary::folderPosition(const QString &mailbox) const
{
    QSqlQuery query = prepared(d->db, QStringLiteral("SELECT uid_validity, last_uid"
                                                     " FROM mailbox_position WHERE mailbox = ?"));
    query.bindValue(0, text(mailbox));
    run(query);
    if (!query.next())
        return {};
    return {quint32(query.value(0).toLongLong()), quint32(query.value(1).toLongLong())};
}

// Inside the caller's transaction.
QList<qint64> IssueLibrary::insert(const IssueStore &store, const QStringList &sources,
                                   const LibraryAddProgress &progress)
{
    Q_ASSERT(sources.size() == store.puzzles.size());
    // Every kept hash in one read: a query per record would cost more than the insert.
    QMultiHash<qint64, qint64> kept;
    QSqlQuery hashes(d->db);
    hashes.setForwardOnly(true);
    run(hashes, QStringLiteral("SELECT record_hash, id FROM issue"));
    while (hashes.next())
        kept.insert(hashes.value(0).toLongLong(), hashes.value(1).toLongLong());
    hashes.finish();
    QSqlQuery byId = prepared(d->db, QStringLiteral("SELECT record FROM issue WHERE id = ?"));
    const auto isKept = [&](qint64 hash, const PuzzleRecord &record) {
        for (auto it = kept.constFind(hash); it != kept.cend() && it.key() == hash; ++it) {
            byId.bindValue(0, it.value());
            run(byId);
            const bool same =
                byId.next() && sameIssue(recordFromBytes(byId.value(0).toByteArray()), record);
            byId.finish();
            if (same)
                return true;
        }
        return false;
    };
    // The time is written in: binding a value costs more than SQLite's parsing it once.
    SqliteStatement insert(
        d->db, QStringLiteral("INSERT INTO issue (record_hash, title, send_time, search_text,"
                              " source, added, record) VALUES (?, ?, ?, ?, ?, %1, ?)")
                   .arg(msecs(QDateTime::currentDateTimeUtc())));
    QList<qint64> added;
    const qsizetype total = store.lastIndex();
    for (qint32 i = 1; i <= total; ++i) {
        const PuzzleRecord &record = store.puzzles[i];
        const qint64 hash = record.TitleLine.isEmpty() ? 0 : recordHash(record);
        if (!record.TitleLine.isEmpty() && !isKept(hash, record)) {
            const QString searchText = recordSearchText(record);
            const QByteArray bytes = recordBytes(record);
            insert.bind(1, hash);
            insert.bind(2, record.Title);
            insert.bind(3, record.SendTime);
            insert.bind(4, searchText);
            insert.bind(5, sources[i]);
            insert.bind(6, bytes);
            insert.step();
            added.append(insert.lastInsertRowId());
            kept.insert(hash, added.last());
        }
        if (progress)
            progress(i, total);
    }
    return added;
}

QList<LibraryEntry> IssueLibrary::entries() const
{
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    run(query, QStringLiteral("SELECT id, title, send_time, search_text,"
                              " (SELECT max(printed) FROM print WHERE issue_id = id)"
                              " FROM issue ORDER BY id"));
    QList<LibraryEntry> byId;
    QList<QString> titles;
    while (query.next()) {
        byId.append({query.value(0).toLongLong(), query.value(1).toString(),
                     query.value(2).toString(), query.value(3).toString(),
                     fromMsecs(query.value(4))});
        titles.append(byId.last().title);
    }
    QList<LibraryEntry> listed;
    listed.reserve(byId.size());
    for (const qsizetype k : titleOrder(titles))
        listed.append(std::move(byId[k]));
    return listed;
}

IssueStore IssueLibrary::records(const QList<qint64> &ids) const
{
    QSqlQuery query = prepared(d->db, QStringLiteral("SELECT record FROM issue WHERE id = ?"));
    IssueStore store;
    store.puzzles.reserve(ids.size() + 1);
    for (const qint64 id : ids) {
        query.bindValue(0, id);
        run(query);
        if (!query.next())
            throw LibraryError(QStringLiteral("no issue has the id %1").arg(id),
                               QStringLiteral("ID %1 の号はライブラリーにありません。").arg(id));
        store.puzzles.append(recordFromBytes(query.value(0).toByteArray()));
        query.finish();
    }
    return store;
}

IssueHistory IssueLibrary::history(qint64 id) const
{
    IssueHistory history;
    QSqlQuery query =
        prepared(d->db, QStringLiteral("SELECT source, added FROM issue WHERE id = ?"));
    query.bindValue(0, id);
    run(query);
    if (query.next()) {
        history.source = query.value(0).toString();
        history.added = fromMsecs(query.value(1));
    }
    query = prepared(d->db, QStringLiteral("SELECT printed, destination FROM print"
                                           " WHERE issue_id = ? ORDER BY printed, rowid"));
    query.bindValue(0, id);
    run(query);
    while (query.next())
        history.prints.append({fromMsecs(query.value(0)), query.value(1).toString()});
    return history;
}

void IssueLibrary::markPrinted(const QList<qint64> &ids, const QString &destination,
                               const QDateTime &when)
{
    WriteTransaction transaction(d->db);
    // An issue removed meanwhile gains no print.
    QSqlQuery insert =
        prepared(d->db, QStringLiteral("INSERT INTO print (issue_id, printed, destination)"
                                       " SELECT id, ?, ? FROM issue WHERE id = ?"));
    for (const qint64 id : ids) {
        insert.bindValue(0, msecs(when));
        insert.bindValue(1, text(destination));
        insert.bindValue(2, id);
        run(insert);
    }
    insert.finish();
    transaction.commit();
}

void IssueLibrary::remove(const QList<qint64> &ids)
{
    WriteTransaction transaction(d->db);
    QSqlQuery remove = prepared(d->db, QStringLiteral("DELETE FROM issue WHERE id = ?"));
    for (const qint64 id : ids) {
        remove.bindValue(0, id);
        run(remove);
    }
    remove.finish();
    transaction.commit();
}

void IssueLibrary::removeAll()
{
    WriteTransaction transaction(d->db);
    run(d->db, QStringLiteral("DELETE FROM issue"));
    transaction.commit();
}
