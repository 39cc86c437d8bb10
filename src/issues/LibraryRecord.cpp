#include "LibraryRecord.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace {

constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;

// QDataStream's form of a QStringList (a count, then the strings), without element 0 and
// without copying the list.
QDataStream &writeFrom1(QDataStream &stream, const QStringList &array)
{
    stream << quint32(upperBound(array));
    for (qsizetype i = 1; i < array.size(); ++i)
        stream << array[i];
    return stream;
}

QStringList withElement0(QStringList values)
{
    values.prepend(QString());
    return values;
}

} // namespace

QByteArray recordBytes(const PuzzleRecord &r)
{
    QByteArray bytes;
    bytes.reserve(4096); // most records fit: one allocation instead of a dozen
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    stream << r.SendTime << r.TitleLine << r.Title << r.ColCount << r.GridNote;
    writeFrom1(stream, r.HintLines);
    writeFrom1(stream, r.CommentLines) << r.TyuukiText;
    writeFrom1(stream, r.ColLabels);
    writeFrom1(stream, r.RowLabels) << r.Publisher << r.MagazineId;
    writeFrom1(stream, r.Cells);
    return bytes;
}

PuzzleRecord recordFromBytes(const QByteArray &bytes)
{
    QDataStream stream(bytes);
    stream.setVersion(StreamVersion);
    PuzzleRecord r;
    QStringList hints, comments, colLabels, rowLabels, cells;
    stream >> r.SendTime >> r.TitleLine >> r.Title >> r.ColCount >> r.GridNote >> hints >>
        comments >> r.TyuukiText >> colLabels >> rowLabels >> r.Publisher >> r.MagazineId >> cells;
    r.HintLines = withElement0(std::move(hints));
    r.CommentLines = withElement0(std::move(comments));
    r.ColLabels = withElement0(std::move(colLabels));
    r.RowLabels = withElement0(std::move(rowLabels));
    r.Cells = withElement0(std::move(cells));
    return r;
}

qint64 recordHash(const PuzzleRecord &r)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "text is hashed as UTF-16LE");
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &text :
         {r.TitleLine, r.SendTime, r.Title, r.GridNote, QString::number(r.ColCount)}) {
        const quint64 size = qToLittleEndian(quint64(text.size())); // no two splits hash alike
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(&size), sizeof size));
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
    }
    return qFromLittleEndian<qint64>(hash.resultView().data());
}

QString recordSearchText(const PuzzleRecord &record)
{
    // Sized once: appending line by line reallocated for most of 10,000 issues.
    qsizetype size = record.TitleLine.size();
    for (qsizetype i = 1; i < record.CommentLines.size(); ++i)
        size += 1 + record.CommentLines[i].size();
    QString search(QStringLiteral("")); // never null: the column holds text
    search.reserve(size);
    search += record.TitleLine;
    for (qsizetype i = 1; i < record.CommentLines.size(); ++i) {
        search += u'\n';
        search += record.CommentLines[i];
    }
    return search;
}
