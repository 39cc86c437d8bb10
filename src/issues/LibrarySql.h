#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

class QSqlError;

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
