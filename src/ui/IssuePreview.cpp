#include "IssuePreview.h"

#include "PuzzleRecord.h"

using namespace Qt::StringLiterals;

namespace {
QString joinLines(const QStringList &lines)
{
    QString text;
    for (qsizetype j = 1; j <= upperBound(lines); ++j)
        text += lines[j] + u"\r\n"_s;
    return text;
}
} // namespace

IssuePreview buildIssuePreview(const PuzzleRecord &record)
{
    IssuePreview preview;
    preview.title = record.TitleLine;
    preview.size = u"サイズ"_s + QString::number(upperBound(record.ColLabels)) + u" x "_s +
                   QString::number(upperBound(record.RowLabels)) + u"   "_s + record.GridNote;
    preview.hint = joinLines(record.HintLines);
    preview.comment = joinLines(record.CommentLines);
    return preview;
}
