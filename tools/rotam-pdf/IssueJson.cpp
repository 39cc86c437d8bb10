#include "IssueJson.h"

#include "IssueStore.h"

#include <QJsonArray>

namespace {

QJsonArray valuesFrom1(const QStringList &array)
{
    QJsonArray values;
    for (qsizetype i = 1; i < array.size(); ++i)
        values.append(array[i]);
    return values;
}

QJsonObject recordToJson(qint64 index, const PuzzleRecord &r)
{
    return QJsonObject{
        {QStringLiteral("Index"), index},
        {QStringLiteral("SendTime"), r.SendTime},
        {QStringLiteral("TitleLine"), r.TitleLine},
        {QStringLiteral("Title"), r.Title},
        {QStringLiteral("ColCount"), r.ColCount},
        {QStringLiteral("ColLabels"), valuesFrom1(r.ColLabels)},
        {QStringLiteral("RowLabels"), valuesFrom1(r.RowLabels)},
        {QStringLiteral("GridNote"), r.GridNote},
        {QStringLiteral("HintLines"), valuesFrom1(r.HintLines)},
        {QStringLiteral("CommentLines"), valuesFrom1(r.CommentLines)},
        {QStringLiteral("TyuukiText"), r.TyuukiText},
        {QStringLiteral("Publisher"), r.Publisher},
        {QStringLiteral("MagazineId"), r.MagazineId},
        {QStringLiteral("Cells"), valuesFrom1(r.Cells)},
    };
}

} // namespace

QJsonObject issuesToJson(const IssueStore &store)
{
    QJsonArray issues;
    for (qint32 i = 1; i <= store.lastIndex(); ++i)
        issues.append(recordToJson(i, store.puzzles[i]));
    return QJsonObject{{QStringLiteral("issues"), issues}};
}

QJsonObject issuesToJson(const IssueStore &store, const QList<qint32> &indexes)
{
    QJsonArray issues;
    for (const qint32 index : indexes)
        issues.append(recordToJson(index, store.puzzles[index]));
    return QJsonObject{{QStringLiteral("issues"), issues}};
}

QJsonObject libraryIssuesToJson(const IssueStore &store, const QList<qint64> &ids)
{
    QJsonArray issues;
    for (qsizetype i = 0; i < ids.size(); ++i)
        issues.append(recordToJson(ids[i], store.puzzles[i + 1]));
    return QJsonObject{{QStringLiteral("issues"), issues}};
}
