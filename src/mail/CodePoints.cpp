#include "CodePoints.h"

CodePoints::CodePoints(QStringView line) : m_line(line)
{
    const auto pairAt = [line](qsizetype i) {
        return line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate();
    };
    qsizetype first = 0;
    while (first < line.size() && !pairAt(first))
        ++first;
    if (first == line.size())
        return;
    m_starts.reserve(line.size() + 1);
    for (qsizetype i = 0; i < line.size(); ++i) {
        m_starts.append(i);
        if (pairAt(i))
            ++i;
    }
    m_starts.append(line.size());
}

QStringView CodePoints::at(qsizetype i) const
{
    if (i < 0 || i >= size())
        return {};
    return m_line.sliced(unit(i), unit(i + 1) - unit(i));
}

QStringView CodePoints::from(qsizetype i) const
{
    return i < size() ? m_line.sliced(unit(i)) : QStringView();
}
