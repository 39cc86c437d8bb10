#pragma once

class QSqlDatabase;

// The schema version this program writes, kept in PRAGMA user_version. 0 is a new file.
inline constexpr int LibrarySchemaVersion = 2;

// Brings the library to LibrarySchemaVersion from whatever older version it has, in one
// transaction. Throws LibraryError.
void upgradeLibrary(const QSqlDatabase &db);

// The version the file says it has. Throws LibraryError.
int librarySchemaVersion(const QSqlDatabase &db);
