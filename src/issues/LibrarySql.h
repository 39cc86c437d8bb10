#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

class QSqlError;
struct sqlite3;
struct sqlite3_stmt;

// SQLite's primary result code of what failed.
int sqliteCode(const QSqlError &error);

// Whether the file itself is bad (not a database, or corrupt) rather than out of reach.
bool isBrokenFile(const QSqlError &error);

// The failure as a LibraryError: locked, not permitted, disk full, or SQLite's own words.
[[noreturn]] void throwLibraryError(const QSqlError &error);

// Runs a prepared query, or one statement; throws LibraryError when it fails.
void run(QSqlQuery &query);
void run(QSqlQuery &query, const QString &statement);
void run(const QSqlDatabase &db, const QString &statement);
QSqlQuery prepared(const QSqlDatabase &db, const QString &statement);

// BEGIN IMMEDIATE: a writer waits for the lock up front rather than failing halfway. Rolled
// back unless committed, so a throw leaves the library as it was.
class WriteTransaction
{
public:
    explicit WriteTransaction(const QSqlDatabase &db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;
    void commit();

private:
    QSqlDatabase m_db;
    bool m_open = true;
};

// The connection's own SQLite handle, for what Qt SQL cannot do. Throws LibraryError.
sqlite3 *sqliteHandle(const QSqlDatabase &db);

// A statement run through SQLite itself: Qt SQL builds a placeholder name and a QVariant for
// every bound value, a sixth of adding a load. Bound text and bytes are not copied: they must
// outlive step(). Throws LibraryError.
class SqliteStatement
{
public:
    SqliteStatement(const QSqlDatabase &db, const QString &statement);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    void bind(int index, qint64 value); // index from 1, as SQLite counts
    void bind(int index, const QString &text);
    void bind(int index, const QByteArray &bytes);
    // Runs a statement that returns no rows and makes it ready to run again.
    void step();
    qint64 lastInsertRowId() const;

private:
    [[noreturn]] void fail(int code) const;
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};
