#include "BrokenLibrary.h"

#include <QFile>

#include <array>

namespace {

// SQLite's companions of a database in WAL mode: a library moved without them would lose
// its last commits, or lend them to the next file of the same name.
const std::array<QLatin1StringView, 3> Suffixes{QLatin1StringView(""), QLatin1StringView("-wal"),
                                                QLatin1StringView("-shm")};

} // namespace

MovedAsideLibrary moveLibraryAside(const QString &path, const QDateTime &now)
{
    const MovedAsideLibrary moved{path, path + QStringLiteral(".broken-") +
                                            now.toString(QStringLiteral("yyyyMMdd-HHmmss"))};
    for (const QLatin1StringView suffix : Suffixes) {
        if (QFile::exists(moved.brokenPath + suffix))
            throw LibraryError(QStringLiteral("cannot move the unreadable library aside: ") +
                                   moved.brokenPath + suffix + QStringLiteral(" exists"),
                               QStringLiteral("読めないライブラリーを移せません。") +
                                   moved.brokenPath + suffix + QStringLiteral(" があります。"));
    }
    for (const QLatin1StringView suffix : Suffixes) {
        QFile file(path + suffix);
        if (file.exists() && !file.rename(moved.brokenPath + suffix))
            throw LibraryError(
                QStringLiteral("cannot move the unreadable library aside: ") + file.errorString(),
                QStringLiteral("読めないライブラリーを移せません: ") + file.errorString());
    }
    return moved;
}

QString movedAsideEnglish(const MovedAsideLibrary &moved)
{
    return QStringLiteral("the library %1 could not be read (not a database, damaged, or from a "
                          "newer version); it was moved aside as %2 and a new library was "
                          "started")
        .arg(moved.libraryPath, moved.brokenPath);
}

QString movedAsideJapanese(const MovedAsideLibrary &moved)
{
    return QStringLiteral("ライブラリー %1 "
                          "は読めませんでした（データベースでない、壊れている、または新しい版のも"
                          "の）。%2 として残し、新しいライブラリーを始めます。")
        .arg(moved.libraryPath, moved.brokenPath);
}
