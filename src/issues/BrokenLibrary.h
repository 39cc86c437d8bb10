#pragma once

#include "IssueLibrary.h"

#include <QDateTime>
#include <QString>

// Moves the library file and its -wal and -shm files to <path>.broken-YYYYMMDD-HHMMSS (and
// that name's -wal and -shm), the time being `now`. Never replaces a file: throws
// LibraryError, having moved nothing, when a name is taken or a rename fails first.
MovedAsideLibrary moveLibraryAside(const QString &path, const QDateTime &now);
