#include "PackedRecords.h"

#include <algorithm>
#include <cstring>

namespace {

// A count takes one unit below 0x8000, else two with the high bit set in the first. Texts
// store their size plus one, so that 0 tells a null string from an empty one: the library
// writes the two differently.
void putCount(QString &units, qsizetype n)
{
    Q_ASSERT(n >= 0 && n < (qsizetype(1) << 31));
    if (n < 0x8000) {
        units.append(QChar(char16_t(n)));
    } else {
        const char16_t pair[2] = {char16_t(0x8000 | (n >> 16)), char16_t(n & 0xFFFF)};
        units.append(QStringView(pair, 2));
    }
}

qsizetype countUnits(qsizetype n)
{
    return n < 0x8000 ? 1 : 2;
}

qsizetype textUnits(const QString &text)
{
    return countUnits(text.isNull() ? 0 : text.size() + 1) + text.size();
}

qsizetype listUnits(const QStringList &list)
{
    qsizetype units = countUnits(list.size());
    for (const QString &text : list)
        units += textUnits(text);
    return units;
}

void putText(QString &units, const QString &text)
{
    putCount(units, text.isNull() ? 0 : text.size() + 1);
    units.append(text);
}

void putList(QString &units, const QStringList &list)
{
    putCount(units, list.size());
    for (const QString &text : list)
        putText(units, text);
}

class Reader
{
public:
    explicit Reader(QStringView units) : m_units(units) {}

    qsizetype count()
    {
        const char16_t first = m_units[m_at++].unicode();
        if (first < 0x8000)
            return first;
        return (qsizetype(first & 0x7FFF) << 16) | m_units[m_at++].unicode();
    }

    // An empty view for a null string as for an empty one; string() tells them apart.
    QStringView view()
    {
        const qsizetype stored = count();
        const qsizetype size = stored == 0 ? 0 : stored - 1;
        const QStringView text = m_units.sliced(m_at, size);
        m_at += size;
        return text;
    }

    QString string()
    {
        const qsizetype stored = count();
        if (stored == 0)
            return QString();
        if (stored == 1)
            return QStringLiteral(""); // empty but not null, as it was put
        const QString text = m_units.sliced(m_at, stored - 1).toString();
        m_at += stored - 1;
        return text;
    }

    QStringList list()
    {
        QStringList list;
        const qsizetype n = count();
        list.reserve(n);
        for (qsizetype i = 0; i < n; ++i)
            list.append(string());
        return list;
    }

    qint32 int32()
    {
        const quint32 high = m_units[m_at++].unicode();
        return qint32((high << 16) | m_units[m_at++].unicode());
    }

private:
    QStringView m_units;
    qsizetype m_at = 0;
};

// The order of the fields: those read without copying the record come first.
qsizetype packedSize(const PuzzleRecord &r)
{
    return textUnits(r.TitleLine) + textUnits(r.Title) + textUnits(r.SendTime) +
           textUnits(r.GridNote) + textUnits(r.TyuukiText) + 2 + textUnits(r.Publisher) +
           textUnits(r.MagazineId) + listUnits(r.HintLines) + listUnits(r.CommentLines) +
           listUnits(r.ColLabels) + listUnits(r.RowLabels) + listUnits(r.Cells);
}

void pack(QString &units, const PuzzleRecord &r)
{
    putText(units, r.TitleLine);
    putText(units, r.Title);
    putText(units, r.SendTime);
    putText(units, r.GridNote);
    putText(units, r.TyuukiText);
    units.append(QChar(char16_t(quint32(r.ColCount) >> 16)));
    units.append(QChar(char16_t(quint32(r.ColCount) & 0xFFFF)));
    putText(units, r.Publisher);
    putText(units, r.MagazineId);
    putList(units, r.HintLines);
    putList(units, r.CommentLines);
    putList(units, r.ColLabels);
    putList(units, r.RowLabels);
    putList(units, r.Cells);
}

} // namespace

PackedRecords::PackedRecords(std::initializer_list<PuzzleRecord> records)
{
    append(records);
}

PackedRecords::PackedRecords(const QList<PuzzleRecord> &records)
{
    append(records);
}

QStringView PackedRecords::units(qsizetype i) const
{
    const Place &place = m_places[i];
    return QStringView(m_chunks[place.chunk]).sliced(place.start, place.size);
}

const PuzzleRecord PackedRecords::at(qsizetype i) const
{
    Reader in(units(i));
    PuzzleRecord r;
    r.TitleLine = in.string();
    r.Title = in.string();
    r.SendTime = in.string();
    r.GridNote = in.string();
    r.TyuukiText = in.string();
    r.ColCount = in.int32();
    r.Publisher = in.string();
    r.MagazineId = in.string();
    r.HintLines = in.list();
    r.CommentLines = in.list();
    r.ColLabels = in.list();
    r.RowLabels = in.list();
    r.Cells = in.list();
    return r;
}

QStringView PackedRecords::titleLine(qsizetype i) const
{
    return Reader(units(i)).view();
}

QStringView PackedRecords::title(qsizetype i) const
{
    Reader in(units(i));
    in.view();
    return in.view();
}

PackedRecords::Key PackedRecords::key(qsizetype i) const
{
    Reader in(units(i));
    Key key;
    key.titleLine = in.view();
    key.title = in.view();
    key.sendTime = in.view();
    key.gridNote = in.view();
    key.tyuukiText = in.view();
    key.colCount = in.int32();
    return key;
}

void PackedRecords::append(const PuzzleRecord &record)
{
    const qsizetype size = packedSize(record);
    if (m_chunks.isEmpty() ||
        (m_chunks.last().size() + size > ChunkUnits && !m_chunks.last().isEmpty())) {
        m_chunks.append(QString());
        m_chunks.last().reserve(std::max(ChunkUnits, size));
    }
    QString &chunk = m_chunks.last();
    m_places.append({m_chunks.size() - 1, chunk.size(), size});
    pack(chunk, record);
    Q_ASSERT(chunk.size() == m_places.last().start + size);
}

void PackedRecords::append(std::initializer_list<PuzzleRecord> records)
{
    for (const PuzzleRecord &record : records)
        append(record);
}

void PackedRecords::append(const QList<PuzzleRecord> &records)
{
    for (const PuzzleRecord &record : records)
        append(record);
}

void PackedRecords::removeLast()
{
    const Place place = m_places.takeLast();
    m_chunks[place.chunk].truncate(place.start);
}

void PackedRecords::keepOnly(const QList<qint32> &indexes)
{
    // Each record kept moves down within its chunk, over the ones dropped before it.
    QList<qsizetype> used(m_chunks.size(), 0);
    QList<Place> places;
    places.reserve(indexes.size());
    for (const qint32 i : indexes) {
        const Place &place = m_places[i];
        QChar *const chunk = m_chunks[place.chunk].data();
        qsizetype &end = used[place.chunk];
        std::memmove(chunk + end, chunk + place.start, size_t(place.size) * sizeof(QChar));
        places.append({place.chunk, end, place.size});
        end += place.size;
    }
    for (qsizetype c = 0; c < m_chunks.size(); ++c)
        m_chunks[c].truncate(used[c]);
    m_places = std::move(places);
}
