#pragma once

#include "IssueLibrary.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>

// The issue list: the library's entries in list order, those the search leaves shown, and
// the check marks. Marks belong to issues, not rows, so they outlast a search or a refill.
class IssueListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        IdRole = Qt::UserRole,
        SendTimeRole,    // PuzzleRecord::SendTime as the mail gives it
        LastPrintedRole, // QDateTime, invalid while never printed
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Lists these entries, keeping the marks of the issues still among them.
    void setEntries(QList<LibraryEntry> entries);
    qsizetype entryCount() const { return m_entries.size(); }

    // Shows only the entries whose title line or comment holds every word of the text, in
    // any case; an empty text shows them all.
    void setFilter(const QString &text);

    bool contains(qint64 id) const;
    qint64 idAt(int row) const;
    // The row showing this issue; -1 when it is not shown.
    int rowOf(qint64 id) const;

    // Checks (or unchecks) the shown entries that pass the test.
    void setShownChecks(bool checked, const std::function<bool(const LibraryEntry &)> &which = {});
    // The checked issues, shown or not, in list order.
    QList<qint64> checkedIds() const;
    qsizetype checkedCount() const { return m_checked.size(); }

    // Notes a print of these issues without reading the library again.
    void setPrinted(const QList<qint64> &ids, const QDateTime &when);

signals:
    void checksChanged();

private:
    void refilter();

    QList<LibraryEntry> m_entries;
    QList<QString> m_searchable; // m_entries' search texts, folded as the filter folds words
    QList<int> m_shown;          // indexes into m_entries
    QStringList m_words;
    QSet<qint64> m_checked;
};
