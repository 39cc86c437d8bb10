#pragma once

#include "MailboxAccount.h"
#include "PuzzleRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class IssueStore;

// What the issue list shows of a kept issue; the record itself is read when it is needed, so
// a library of 100,000 issues lists without decoding them all.
struct LibraryEntry
{
    qint64 id = 0;         // the issue's key, the same for as long as it is kept
    QString title;         // PuzzleRecord::Title
    QString sendTime;      // PuzzleRecord::SendTime
    QString searchText;    // the title line and the comment lines: what the search matches
    QDateTime lastPrinted; // invalid while never printed
};

// Where a kept issue came from, when it was added and each time it was printed.
struct IssueHistory
{
    QString source; // the mail file's path, 「貼り付け」, or the mailbox
    QDateTime added;
    struct Print
    {
        QDateTime when;
        QString destination; // the printer's name or the PDF file's path
    };
    QList<Print> prints; // oldest first
};

// A library that could not be used as asked: locked, not permitted, disk full. Nothing was
// moved and, for a change, nothing was changed.
class LibraryError : public std::runtime_error
{
public:
    LibraryError(const QString &english, const QString &japanese);
    QString english() const;
    QString japanese() const;

private:
    QString m_japanese;
};

// A library file this program could not read, moved aside whole before a new one was made.
struct MovedAsideLibrary
{
    QString libraryPath; // where the library is, new now
    QString brokenPath;  // library.sqlite.broken-YYYYMMDD-HHMMSS, its -wal and -shm beside it
};

// The one message both programs give for a library moved aside, naming both files: Japanese
// for the window, English for rotam-pdf's error output.
QString movedAsideJapanese(const MovedAsideLibrary &moved);
QString movedAsideEnglish(const MovedAsideLibrary &moved);

// Told inside add()'s transaction after each record: records done, records in all.
using LibraryAddProgress = std::function<void(qsizetype done, qsizetype total)>;

// Every titled issue the program has seen, kept between runs in a SQLite file. Used from the
// thread that opened it. Throws LibraryError where it says so.
class IssueLibrary
{
public:
    // The desktop program's library: library.sqlite in the user's data folder.
    static QString defaultPath();

    // Opens the library, creating it and its folder where missing. A file that is not a
    // database, is corrupt or comes from a newer version is moved aside first (see
    // movedAside()). Waits on a lock held by another program. Throws LibraryError.
    static std::unique_ptr<IssueLibrary> open(const QString &path);
    ~IssueLibrary();

    const std::optional<MovedAsideLibrary> &movedAside() const;

    // Adds the titled records of a load in one transaction, sources[i] naming where
    // store.puzzles[i] came from. A record equal in every field to one kept is a repeat and
    // is dropped. Returns the ids of the issues added, in store order. Throws LibraryError.
    QList<qint64> add(const IssueStore &store, const QStringList &sources,
                      const LibraryAddProgress &progress = {});
    // Likewise for issues fetched from a mailbox folder, all with the mailbox as their
    // source, keeping in the same transaction how far the folder has been read: the issues
    // and the position are kept together or not at all. Throws LibraryError.
    QList<qint64> addFetched(const IssueStore &store, const QString &mailbox,
                             const FolderPosition &position);
    // How far the mailbox folder has been read; zeros for one never read. Throws.
    FolderPosition folderPosition(const QString &mailbox) const;

    // Every kept issue, in the issue list's order (issueListOrder's rule). Throws.
    QList<LibraryEntry> entries() const;
    // The records of these ids, in this order: store.puzzles[i + 1] holds ids[i]. An id no
    // longer kept throws, like every failure.
    IssueStore records(const QList<qint64> &ids) const;
    IssueHistory history(qint64 id) const;

    // Records a print of these issues, once the job has ended whole. Throws.
    void markPrinted(const QList<qint64> &ids, const QString &destination, const QDateTime &when);
    void remove(const QList<qint64> &ids);
    void removeAll();

private:
    IssueLibrary();
    QList<qint64> insert(const IssueStore &store, const QStringList &sources,
                         const LibraryAddProgress &progress);
    struct Data;
    std::unique_ptr<Data> d;
};
