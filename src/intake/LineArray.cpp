#include "LineArray.h"

#include "LargeBuffers.h"

LineArray::LineArray(const QStringList &lines)
{
    for (const QString &line : lines)
        append(line);
}

QStringList LineArray::toStringList() const
{
    QStringList lines;
    lines.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        lines.append((*this)[i].toString());
    return lines;
}

void LineArray::clear()
{
    m_text.clear();
    m_spans.clear();
}

void LineArray::append(QStringView line)
{
    m_spans.append({m_text.size(), line.size()});
    m_text.append(line);
}

void LineArray::appendFileText(const QString &text)
{
    const qsizetype base = m_text.size();
    if (m_text.isEmpty())
        m_text = text; // shares the buffer: the common single-file load copies nothing
    else
        m_text.append(text);
    const QChar *chars = text.constData();
    const qsizetype length = text.size();
    const qsizetype spans = m_spans.size() + text.count(u'\r') + 1;
    if (spans > m_spans.capacity()) {
        m_spans.reserve(spans);
        AdviseHugePages(m_spans.data(), size_t(m_spans.capacity()) * sizeof(Span));
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i < length; ++i) {
        if (chars[i] != u'\r')
            continue;
        m_spans.append({base + start, i - start});
        if (i + 1 < length && chars[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < length)
        m_spans.append({base + start, length - start});
}
