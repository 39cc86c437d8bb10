#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

class IssueStore;

// One string per label character, shared by the parses of a load: labels repeat from issue
// to issue, and sharing saves an allocation for every label of every grid.
class LabelStrings
{
public:
    QString operator()(QStringView c);

private:
    QHash<char32_t, QString> m_strings;
};

// Walks store.TextLines once and appends a record for every issue it recognises.
void ParseIssues(IssueStore &store);
void ParseIssues(IssueStore &store, LabelStrings &labels);
