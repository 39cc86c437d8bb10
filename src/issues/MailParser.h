#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

class IssueStore;
class LineArray;

// What the parses of one load share, so that an mbox's thousands of short texts cost no
// more than one long text: one string per label character (labels repeat from issue to
// issue, and sharing saves an allocation for every label of every grid) and the parser's
// working buffers.
class ParseContext
{
public:
    QString label(QStringView c);

    QList<qsizetype> columns; // the label positions of the current grid's header
    QString annotation;       // the annotation block being read

private:
    QHash<char32_t, QString> m_strings;
};

// Walks the lines of one text once and appends a record for every issue it recognises.
// A last record left untitled by the text before takes this text's first issue.
void parseIssues(const LineArray &lines, IssueStore &store);
void parseIssues(const LineArray &lines, IssueStore &store, ParseContext &context);
