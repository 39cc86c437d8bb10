#include "IssueListModel.h"

#include <algorithm>

namespace {

// Full-width digits, letters and spaces, as titles write them, match what is typed
// half-width. Only those: a full normalisation costs most of a 100,000-issue list's opening.
QString folded(QString text)
{
    for (QChar &c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(char16_t(u - 0xFEE0));
        else if (u == 0x3000)
            c = QChar(u' ');
    }
    return text.toCaseFolded();
}

} // namespace

int IssueListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant IssueListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown.size())
        return {};
    const LibraryEntry &entry = m_entries[m_shown[index.row()]];
    switch (role) {
    case Qt::DisplayRole:
        return entry.title;
    case Qt::CheckStateRole:
        return m_checked.contains(entry.id) ? Qt::Checked : Qt::Unchecked;
    case IdRole:
        return entry.id;
    case SendTimeRole:
        return entry.sendTime;
    case LastPrintedRole:
        return entry.lastPrinted;
    default:
        return {};
    }
}

bool IssueListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= m_shown.size())
        return false;
    const qint64 id = m_entries[m_shown[index.row()]].id;
    const bool checked = value.value<Qt::CheckState>() == Qt::Checked;
    if (checked == m_checked.contains(id))
        return true;
    if (checked)
        m_checked.insert(id);
    else
        m_checked.remove(id);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit checksChanged();
    return true;
}

Qt::ItemFlags IssueListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

void IssueListModel::setEntries(QList<LibraryEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_searchable.clear();
    m_searchable.reserve(m_entries.size());
    QSet<qint64> kept;
    for (const LibraryEntry &entry : std::as_const(m_entries)) {
        m_searchable.append(folded(entry.searchText));
        if (m_checked.contains(entry.id))
            kept.insert(entry.id);
    }
    const bool checksLost = kept.size() != m_checked.size();
    m_checked = std::move(kept);
    refilter();
    endResetModel();
    if (checksLost)
        emit checksChanged();
}

void IssueListModel::setFilter(const QString &text)
{
    const QStringList words = folded(text).split(u' ', Qt::SkipEmptyParts);
    if (words == m_words)
        return;
    m_words = words;
    beginResetModel();
    refilter();
    endResetModel();
}

void IssueListModel::refilter()
{
    m_shown.clear();
    for (int i = 0; i < m_entries.size(); ++i) {
        if (std::all_of(m_words.begin(), m_words.end(),
                        [&](const QString &w) { return m_searchable[i].contains(w); }))
            m_shown.append(i);
    }
}

bool IssueListModel::contains(qint64 id) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [id](const LibraryEntry &entry) { return entry.id == id; });
}

qint64 IssueListModel::idAt(int row) const
{
    return row >= 0 && row < m_shown.size() ? m_entries[m_shown[row]].id : 0;
}

int IssueListModel::rowOf(qint64 id) const
{
    for (int row = 0; row < m_shown.size(); ++row) {
        if (m_entries[m_shown[row]].id == id)
            return row;
    }
    return -1;
}

void IssueListModel::setShownChecks(bool checked,
                                    const std::function<bool(const LibraryEntry &)> &which)
{
    const qsizetype before = m_checked.size();
    for (const int i : std::as_const(m_shown)) {
        if (which && !which(m_entries[i]))
            continue;
        if (checked)
            m_checked.insert(m_entries[i].id);
        else
            m_checked.remove(m_entries[i].id);
    }
    if (!m_shown.isEmpty())
        emit dataChanged(index(0), index(int(m_shown.size()) - 1), {Qt::CheckStateRole});
    if (m_checked.size() != before)
        emit checksChanged();
}

QList<qint64> IssueListModel::checkedIds() const
{
    QList<qint64> ids;
    ids.reserve(m_checked.size());
    for (const LibraryEntry &entry : m_entries) {
        if (m_checked.contains(entry.id))
            ids.append(entry.id);
    }
    return ids;
}

void IssueListModel::setPrinted(const QList<qint64> &ids, const QDateTime &when)
{
    const QSet<qint64> printed(ids.begin(), ids.end());
    for (LibraryEntry &entry : m_entries) {
        if (printed.contains(entry.id))
            entry.lastPrinted = when;
    }
    if (!m_shown.isEmpty())
        emit dataChanged(index(0), index(int(m_shown.size()) - 1), {LastPrintedRole});
}
