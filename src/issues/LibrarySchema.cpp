#include "LibrarySchema.h"

#include "LibrarySql.h"

#include <QList>
#include <QStringList>

namespace {

// Step i brings a library of version i to version i + 1. A released step never changes:
// files of every version exist, and the upgrade test keeps a copy of version 1.
QList<QStringList> upgradeSteps()
{
    return {
        {
            // Times are milliseconds since 1970 UTC; the record is recordBytes(). Title, send
            // time and search text are copies the list reads without decoding records.
            // AUTOINCREMENT: an id removed is never given again, so a list held elsewhere
            // cannot name another issue.
            QStringLiteral("CREATE TABLE issue ("
                           "id INTEGER PRIMARY KEY AUTOINCREMENT,"
                           "record_hash INTEGER NOT NULL,"
                           "title TEXT NOT NULL,"
                           "send_time TEXT NOT NULL,"
                           "search_text TEXT NOT NULL,"
                           "source TEXT NOT NULL,"
                           "added INTEGER NOT NULL,"
                           "record BLOB NOT NULL)"),
            QStringLiteral("CREATE INDEX issue_by_hash ON issue (record_hash)"),
            QStringLiteral("CREATE TABLE print ("
                           "issue_id INTEGER NOT NULL REFERENCES issue (id) ON DELETE CASCADE,"
                           "printed INTEGER NOT NULL,"
                           "destination TEXT NOT NULL)"),
            QStringLiteral("CREATE INDEX print_by_issue ON print (issue_id, printed)"),
        },
        {
            // How far each mailbox folder has been read, written in the transaction that adds
            // the issues read up to there. The mailbox is the issues' source, mailboxSource().
            QStringLiteral("CREATE TABLE mailbox_position ("
                           "mailbox TEXT PRIMARY KEY,"
                           "uid_validity INTEGER NOT NULL,"
                           "last_uid INTEGER NOT NULL)"),
        },
    };
}

} // namespace

int librarySchemaVersion(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    run(query, QStringLiteral("PRAGMA user_version"));
    return query.next() ? query.value(0).toInt() : 0;
}

void upgradeLibrary(const QSqlDatabase &db)
{
    static_assert(LibrarySchemaVersion > 0);
    if (librarySchemaVersion(db) == LibrarySchemaVersion)
        return;
    WriteTransaction transaction(db);
    // Read again under the lock: another program may have upgraded it meanwhile.
    const QList<QStringList> steps = upgradeSteps();
    for (int version = librarySchemaVersion(db); version < LibrarySchemaVersion; ++version) {
        for (const QString &statement : steps[version])
            run(db, statement);
    }
    run(db, QStringLiteral("PRAGMA user_version = %1").arg(LibrarySchemaVersion));
    transaction.commit();
}
