#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The text being parsed, one line per element from index 0, without line ends.
// The lines are views into one buffer: a mail archive has hundreds of thousands of
// lines, and one allocation per line would cost more than decoding the file.
class LineArray
{
public:
    LineArray() = default;
    explicit LineArray(const QStringList &lines);

    qsizetype size() const { return m_spans.size(); }
    bool isEmpty() const { return m_spans.isEmpty(); }
    QStringView operator[](qsizetype i) const
    {
        return QStringView(m_text).mid(m_spans[i].start, m_spans[i].length);
    }

    // Empties it, keeping its buffers for the next text.
    void clear();
    // Appends one line, copying its characters into the buffer.
    void append(QStringView line);
    // Appends the text of a file: a line ends at CR LF or at a CR alone, and a LF alone stays
    // in its line, unless the text holds no CR at all; then every LF ends a line. A line end
    // at the very end gives no further empty line.
    void appendFileText(const QString &text);
    // Appends the text of a mail part: CR LF, LF and a lone CR each end a line. A line end at
    // the very end gives no further empty line.
    void appendMessageText(QStringView text);

private:
    void appendLines(qsizetype base, QStringView text, bool lfEndsLines);

    struct Span
    {
        qsizetype start;
        qsizetype length;
    };
    QString m_text;
    QList<Span> m_spans;
};
