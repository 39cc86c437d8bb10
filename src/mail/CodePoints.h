#pragma once

#include <QList>
#include <QStringView>

#include <optional>

// A line indexed by characters rather than UTF-16 units: a character outside the Basic
// Multilingual Plane (a surrogate pair, only ever from UTF-8) counts as one. Lines without
// one, all of a CP932 mail's, are indexed directly.
class CodePoints
{
public:
    explicit CodePoints(QStringView line);

    qsizetype size() const { return m_starts.isEmpty() ? m_line.size() : m_starts.size() - 1; }
    bool isEmpty() const { return m_line.isEmpty(); }
    // The character at index i (from 0); empty past the end.
    QStringView at(qsizetype i) const;
    // Everything from index i on; empty past the end.
    QStringView from(qsizetype i) const;
    // The line, when every character is one UTF-16 unit; empty otherwise.
    std::optional<QStringView> allInBmp() const
    {
        return m_starts.isEmpty() ? std::optional(m_line) : std::nullopt;
    }

private:
    qsizetype unit(qsizetype i) const { return m_starts.isEmpty() ? i : m_starts[i]; }

    QStringView m_line;
    QList<qsizetype> m_starts; // where each character begins, and the end; empty: all BMP
};
