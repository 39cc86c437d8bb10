#include "LibrarySql.h"

#include "IssueLibrary.h"

#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

namespace {

// SQLite's result codes (sqlite3.h); the driver reports them as numbers.
enum SqliteCode
{
    Perm = 3,
    Busy = 5,
    Locked = 6,
    ReadOnly = 8,
    IoErr = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    Auth = 23,
    NotADb = 26
};

} // namespace

int sqliteCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff; // extended codes keep the primary one low
}

bool isBrokenFile(const QSqlError &error)
{
    const int code = sqliteCode(error);
    return code == Corrupt || code == NotADb;
}

void throwLibraryError(const QSqlError &error)
{
    const QString detail =
        error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    switch (sqliteCode(error)) {
    case Busy:
    case Locked:
        throw LibraryError(QStringLiteral("the library is locked by another program"),
                           QStringLiteral("ライブラリーは別のプログラムが使用中です。"));
    case Perm:
    case ReadOnly:
    case Auth:
        throw LibraryError(QStringLiteral("permission denied"),
                           QStringLiteral("ライブラリーへの書き込みが許可されていません。"));
    case CantOpen:
        throw LibraryError(QStringLiteral("cannot open the library (permission denied or no "
                                          "such folder)"),
                           QStringLiteral("ライブラリーを開けません（アクセスが許可されていない"
                                          "か、フォルダーがありません）。"));
    case Full:
        throw LibraryError(QStringLiteral("the disk is full"),
                           QStringLiteral("ディスクがいっぱいです。"));
    case IoErr:
        throw LibraryError(QStringLiteral("input/output error: ") + detail,
                           QStringLiteral("入出力エラー: ") + detail);
    default:
        throw LibraryError(detail, detail);
    }
}

void run(QSqlQuery &query)
{
    if (!query.exec())
        throwLibraryError(query.lastError());
}

void run(QSqlQuery &query, const QString &statement)
{
    if (!query.exec(statement))
        throwLibraryError(query.lastError());
}

void run(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    run(query, statement);
}

QSqlQuery prepared(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throwLibraryError(query.lastError());
    return query;
}

WriteTransaction::WriteTransaction(const QSqlDatabase &db) : m_db(db)
{
    run(m_db, QStringLiteral("BEGIN IMMEDIATE"));
}

WriteTransaction::~WriteTransaction()
{
    if (m_open)
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
}

void WriteTransaction::commit()
{
    run(m_db, QStringLiteral("COMMIT"));
    m_open = false;
}

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0 ||
        !*static_cast<sqlite3 *const *>(handle.constData()))
        throw LibraryError(QStringLiteral("the SQLite driver gives no handle"),
                           QStringLiteral("SQLite のドライバーを使えません。"));
    return *static_cast<sqlite3 *const *>(handle.constData());
}

SqliteStatement::SqliteStatement(const QSqlDatabase &db, const QString &statement)
    : m_db(sqliteHandle(db))
{
    const int code = sqlite3_prepare16_v2(m_db, statement.utf16(), int(statement.size() * 2),
                                          &m_statement, nullptr);
    if (code != SQLITE_OK)
        fail(code);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int index, qint64 value)
{
    if (const int code = sqlite3_bind_int64(m_statement, index, value); code != SQLITE_OK)
        fail(code);
}

void SqliteStatement::bind(int index, const QString &text)
{
    // utf16() of a null string is "", so a column of text never gets NULL.
    if (const int code = sqlite3_bind_text16(m_statement, index, text.utf16(), int(text.size() * 2),
                                             SQLITE_STATIC);
        code != SQLITE_OK)
        fail(code);
}

void SqliteStatement::bind(int index, const QByteArray &bytes)
{
    if (const int code = sqlite3_bind_blob(m_statement, index, bytes.constData(), int(bytes.size()),
                                           SQLITE_STATIC);
        code != SQLITE_OK)
        fail(code);
}

void SqliteStatement::step()
{
    const int code = sqlite3_step(m_statement);
    sqlite3_reset(m_statement);
    if (code != SQLITE_DONE)
        fail(code);
}

qint64 SqliteStatement::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

void SqliteStatement::fail(int code) const
{
    throwLibraryError(QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(m_db)),
                                QSqlError::StatementError, QString::number(code)));
}
