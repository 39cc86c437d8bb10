#include "IssuePreview.h"

#include "PuzzleRecord.h"

using namespace Qt::StringLiterals;

namespace {
QString JoinLines(const QStringList &lines)
{
    QString text;
    for (qsizetype j = 1; j <= UpperBound(lines); ++j)
        text += lines[j] + u"\r\n"_s;
    return text;
}
} // namespace

IssuePreview BuildIssuePreview(const PuzzleRecord &record)
{
    IssuePreview preview;
    preview.Title = record.TitleLine;
    preview.Size = u"サイズ"_s + QString::number(UpperBound(record.ColLabels)) + u" x "_s +
                   QString::number(UpperBound(record.RowLabels)) + u"   "_s + record.GridNote;
    preview.Hint = JoinLines(record.HintLines);
    preview.Comment = JoinLines(record.CommentLines);
    return preview;
}
