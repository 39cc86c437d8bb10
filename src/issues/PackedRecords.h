#pragma once

#include "PuzzleRecord.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <initializer_list>

// The records of a store, their texts packed one after another in the store's buffer. A
// record as the parser or the library builds it holds a string per label, cell row and hint
// line, and each costs more in headers and list slots than its text: a large archive's
// records took twice the memory of the text they came from. Reading a record gives an
// independent copy, so nothing read from here ever points into the buffer.
class PackedRecords
{
public:
    PackedRecords() = default;
    PackedRecords(std::initializer_list<PuzzleRecord> records);
    explicit PackedRecords(const QList<PuzzleRecord> &records);

    qsizetype size() const { return m_places.size(); }
    bool isEmpty() const { return m_places.isEmpty(); }

    // Copies; const, so that assigning to a field of one is an error rather than a no-op.
    const PuzzleRecord operator[](qsizetype i) const { return at(i); }
    const PuzzleRecord at(qsizetype i) const;
    const PuzzleRecord last() const { return at(size() - 1); }

    // What a load, its repeats and the list read of every record, without copying the rest.
    QStringView titleLine(qsizetype i) const;
    QStringView title(qsizetype i) const;
    struct Key
    {
        QStringView titleLine, title, sendTime, gridNote, tyuukiText;
        qint32 colCount;
    };
    Key key(qsizetype i) const;
    // Whether two records hold the same values, element 0 and null strings included.
    bool identical(qsizetype a, qsizetype b) const { return units(a) == units(b); }

    void append(const PuzzleRecord &record);
    void append(std::initializer_list<PuzzleRecord> records);
    void append(const QList<PuzzleRecord> &records);
    void removeLast();
    // Keeps only the records at these indexes, ascending, in their order.
    void keepOnly(const QList<qint32> &indexes);
    void reserve(qsizetype records) { m_places.reserve(records); }

private:
    QStringView units(qsizetype i) const;

    // The buffer grows by chunks of this many units, never moved once filled: grown as one
    // string, each doubling copied it, and a heap that keeps what is freed kept the copies.
    static constexpr qsizetype ChunkUnits = qsizetype(1) << 20;
    struct Place
    {
        qsizetype chunk;
        qsizetype start;
        qsizetype size;
    };
    QList<QString> m_chunks; // a record larger than a chunk has one of its own
    QList<Place> m_places;
};
