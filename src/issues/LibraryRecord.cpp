#include "LibraryRecord.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QtEndian>

namespace {

// The SQL driver binds a null string as NULL; the columns hold text, empty or not.
QString text(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

QString arrayText(const QStringList &array)
{
    QJsonArray values;
    for (qsizetype i = 1; i < array.size(); ++i)
        values.append(array[i]);
    return QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact));
}

QStringList arrayFromText(const QString &text)
{
    QStringList array{QString()};
    const QJsonArray values = QJsonDocument::fromJson(text.toUtf8()).array();
    array.reserve(values.size() + 1);
    for (const QJsonValue &value : values)
        array.append(value.toString());
    return array;
}

} // namespace

QString recordColumns()
{
    return QStringLiteral("send_time, title_line, title, col_count, grid_note, hint_lines, "
                          "comment_lines, tyuuki_text, col_labels, row_labels, publisher, "
                          "magazine_id, cells");
}

QVariantList recordValues(const PuzzleRecord &r)
{
    return {text(r.SendTime),
            text(r.TitleLine),
            text(r.Title),
            r.ColCount,
            text(r.GridNote),
            arrayText(r.HintLines),
            arrayText(r.CommentLines),
            text(r.TyuukiText),
            arrayText(r.ColLabels),
            arrayText(r.RowLabels),
            text(r.Publisher),
            text(r.MagazineId),
            arrayText(r.Cells)};
}

PuzzleRecord recordFromQuery(const QSqlQuery &q, int first)
{
    PuzzleRecord r;
    r.SendTime = q.value(first).toString();
    r.TitleLine = q.value(first + 1).toString();
    r.Title = q.value(first + 2).toString();
    r.ColCount = q.value(first + 3).toInt();
    r.GridNote = q.value(first + 4).toString();
    r.HintLines = arrayFromText(q.value(first + 5).toString());
    r.CommentLines = arrayFromText(q.value(first + 6).toString());
    r.TyuukiText = q.value(first + 7).toString();
    r.ColLabels = arrayFromText(q.value(first + 8).toString());
    r.RowLabels = arrayFromText(q.value(first + 9).toString());
    r.Publisher = q.value(first + 10).toString();
    r.MagazineId = q.value(first + 11).toString();
    r.Cells = arrayFromText(q.value(first + 12).toString());
    return r;
}

qint64 recordHash(const QVariantList &values)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QVariant &value : values) {
        const QByteArray bytes = value.toString().toUtf8();
        const quint64 size = qToLittleEndian(quint64(bytes.size())); // no two splits hash alike
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(&size), sizeof size));
        hash.addData(bytes);
    }
    return qFromLittleEndian<qint64>(hash.resultView().data());
}

QString recordSearchText(const PuzzleRecord &record)
{
    QString search = text(record.TitleLine);
    for (qsizetype i = 1; i < record.CommentLines.size(); ++i)
        search += u'\n' + record.CommentLines[i];
    return search;
}
