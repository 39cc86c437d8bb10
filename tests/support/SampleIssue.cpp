#include "SampleIssue.h"

PuzzleRecord sampleIssue(int number, qint32 n, int hints, int comments)
{
    PuzzleRecord record;
    record.TitleLine = QStringLiteral("◇第%1回◇　今日の問題").arg(number);
    record.Title = QStringLiteral("第%1回").arg(number);
    record.GridNote = QStringLiteral("難易度：中級");
    record.ColCount = n;
    record.ColLabels = QStringList{QString()};
    record.RowLabels = QStringList{QString()};
    for (qint32 e = 1; e <= n; ++e) {
        record.ColLabels << QString(QChar(u'Ａ' + (e - 1) % 26));
        record.RowLabels << QString(QChar(u'ａ' + (e - 1) % 26));
    }
    for (int k = 1; k <= hints; ++k)
        record.HintLines << QStringLiteral("ヒント%1").arg(k);
    for (int k = 1; k <= comments; ++k)
        record.CommentLines << QStringLiteral("コメント%1").arg(k);
    record.Publisher = QStringLiteral("パズル編集部");
    record.MagazineId = QStringLiteral("0001234567");
    record.SendTime = QStringLiteral("Sat, 15 Jan 2005 06:00:00 +0900");
    return record;
}
