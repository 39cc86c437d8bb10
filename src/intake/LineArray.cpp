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
    const qsizetype crs = text.count(u'\r');
    // Saved on Linux or macOS, a mail has LF line ends only; with any CR the old rules hold.
    const bool lfEndsLines = crs == 0;
    const qsizetype spans = m_spans.size() + (lfEndsLines ? text.count(u'\n') : crs) + 1;
    if (spans > m_spans.capacity()) {
        m_spans.reserve(spans);
        AdviseHugePages(m_spans.data(), size_t(m_spans.capacity()) * sizeof(Span));
    }
    appendLines(base, text, lfEndsLines);
}

void LineArray::appendMessageText(QStringView text)
{
    const qsizetype base = m_text.size();
    m_text.append(text);
    appendLines(base, text, true);
}

void LineArray::appendLines(qsizetype base, QStringView text, bool lfEndsLines)
{
    const QChar *chars = text.constData();
    const qsizetype length = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const bool cr = chars[i] == u'\r';
        if (!cr && !(lfEndsLines && chars[i] == u'\n'))
            continue;
        m_spans.append({base + start, i - start});
        if (cr && i + 1 < length && chars[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < length)
        m_spans.append({base + start, length - start});
}
