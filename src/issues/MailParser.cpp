#include "MailParser.h"

#include "CodePoints.h"
#include "IssueStore.h"
#include "LineArray.h"
#include "MailMarkers.h"

using namespace MailMarkers;

namespace {

bool isDateLine(QStringView s)
{
    if (s.size() < DatePrefix.size())
        return false;
    for (qsizetype i = 0; i < DatePrefix.size(); ++i) {
        char16_t c = s[i].unicode();
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        if (c != DatePrefix[i].unicode())
            return false;
    }
    return true;
}

// Removes U+0020 only: U+3000 is the grid's blank and must survive.
QStringView trimmedOfSpaces(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin] == u' ')
        ++begin;
    while (end > begin && s[end - 1] == u' ')
        --end;
    return s.sliced(begin, end - begin);
}

QStringView withoutTrailingSpaces(QStringView s)
{
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == u' ')
        --end;
    return s.first(end);
}

const QString CrLf = QStringLiteral("\r\n");
const QStringView Blank(&GridBlank, 1);

// The row's character at each label's position; U+3000, an unmarked cell, past its end.
QString cellsOf(const CodePoints &row, const QList<qsizetype> &columns)
{
    if (const auto line = row.allInBmp()) { // every row of a CP932 mail: a unit per cell
        QString cells(columns.size(), Qt::Uninitialized);
        QChar *out = cells.data();
        for (const qsizetype column : columns)
            *out++ = column < line->size() ? (*line)[column] : GridBlank;
        return cells;
    }
    QString cells;
    cells.reserve(columns.size());
    for (const qsizetype column : columns) {
        const QStringView cell = row.at(column);
        cells += cell.isEmpty() ? Blank : cell;
    }
    return cells;
}

// One pass over the lines. Every block stops the whole parse when it runs past the last line.
class Parser
{
public:
    Parser(const LineArray &lines, IssueStore &store, ParseContext &context)
        : m_context(context), m_columns(context.columns), m_annotation(context.annotation),
          m_store(store), m_lines(lines), m_end(lines.size())
    {
    }

    void run()
    {
        // An untitled record left by the text before (a mail without a puzzle) passes
        // nothing on, not even its sending time: this text's first issue takes its place.
        const qint32 last = m_store.lastIndex();
        if (last > 0 && m_store.puzzles.titleLine(last).isEmpty())
            m_store.puzzles.removeLast();
        // Index 0 is parsed too: a pasted issue usually starts with its title line.
        for (m_a = 0; m_a < m_end; ++m_a) {
            QStringView s = m_lines[m_a];
            if (isDateLine(s)) {
                if (!record().SendTime.isEmpty())
                    startNewRecord();
                record().SendTime = s.sliced(DatePrefix.size()).toString();
            }
            if (s.startsWith(TitleMark)) {
                if (!titleBlock())
                    return;
                s = m_lines[m_a];
            }
            if (s == DividerA) {
                if (!commentBlock())
                    return;
                s = m_lines[m_a];
            }
            if (s == DividerB) {
                if (!annotationBlock())
                    return;
            }
        }
    }

    // Stores the record being filled, untitled or even empty: the next text may title it.
    void finish() { m_store.puzzles.append(m_record); }

private:
    // The record being filled: it goes to the store when the next one starts or the text ends.
    PuzzleRecord &record() { return m_record; }

    // Makes the current record one that can take a new issue: itself while it has no title
    // yet, otherwise a new one after it.
    void startNewRecord()
    {
        if (m_record.TitleLine.isEmpty())
            return;
        m_store.puzzles.append(m_record);
        m_record = PuzzleRecord{};
    }

    // How many lines follow the current one before one that ends the block. Sizing a
    // block's list exactly keeps a large archive's records free of spare capacity.
    template <typename EndsBlock> qsizetype linesBefore(EndsBlock endsBlock) const
    {
        qsizetype a = m_a + 1;
        while (a < m_end && !endsBlock(m_lines[a]))
            ++a;
        return a - m_a - 1;
    }

    // Moves to the next line; false when the text has ended.
    bool advance(qsizetype by = 1)
    {
        m_a += by;
        return m_a < m_end;
    }

    bool titleBlock()
    {
        const QStringView title = m_lines[m_a];
        if (!record().TitleLine.isEmpty())
            startNewRecord();
        PuzzleRecord &r = record();
        // An untitled record holds what a mail without a puzzle left: its date belongs to
        // this issue, its comment and footer do not.
        r.CommentLines.resize(1); // element 0 only
        r.TyuukiText.clear();
        r.Publisher.clear();
        r.MagazineId.clear();
        r.TitleLine = title.toString();
        const qsizetype end = title.indexOf(TitleMark, 1);
        r.Title = (end < 0 ? title.sliced(1) : title.sliced(1, end - 1)).toString();

        if (!advance(2)) // the line after the title is not part of the grid
            return false;
        const qsizetype n = headerLine(r);
        return gridRows(r, n) && hintLines(r);
    }

    // Reads the labels of the header line; returns its length without trailing spaces.
    qsizetype headerLine(PuzzleRecord &r)
    {
        const CodePoints header(withoutTrailingSpaces(m_lines[m_a]));
        m_columns.clear();
        for (qsizetype i = 0; i < header.size(); ++i) {
            if (header.at(i) != Blank)
                m_columns.append(i);
        }
        r.ColCount = qint32(m_columns.size());
        r.ColLabels.clear();
        r.ColLabels.reserve(r.ColCount + 1);
        r.ColLabels.append(QString());
        for (const qsizetype column : std::as_const(m_columns))
            r.ColLabels.append(label(header.at(column)));
        r.RowLabels = QStringList(r.ColCount + 1);
        r.Cells = QStringList(r.ColCount + 1);
        r.GridNote.clear();
        return header.size();
    }

    bool gridRows(PuzzleRecord &r, qsizetype n)
    {
        qint32 row = 0;
        for (;;) {
            if (!advance())
                return false;
            const CodePoints s(m_lines[m_a]);
            if (s.isEmpty())
                return true;
            const QStringView label = s.at(1);
            // Labels beyond the header's count have no column to belong to.
            if (label != Blank && ++row <= r.ColCount) {
                r.RowLabels[row] = label.isEmpty() ? QString() : this->label(label);
                r.Cells[row] = cellsOf(s, m_columns);
            }
            if (s.size() > n + 1)
                r.GridNote += trimmedOfSpaces(s.from(n + 1));
        }
    }

    bool hintLines(PuzzleRecord &r)
    {
        r.HintLines.reserve(r.HintLines.size() +
                            linesBefore([](QStringView s) { return s.isEmpty(); }));
        for (;;) {
            if (!advance())
                return false;
            const QStringView s = m_lines[m_a];
            if (s.isEmpty())
                return true;
            r.HintLines.append(s.toString());
        }
    }

    bool commentBlock()
    {
        if (!advance()) // the line after the divider is not a comment
            return false;
        QStringList &comments = record().CommentLines;
        comments.reserve(comments.size() +
                         linesBefore([](QStringView s) { return s == DividerB; }));
        for (;;) {
            if (!advance())
                return false;
            const QStringView s = m_lines[m_a];
            if (s == DividerB)
                return true;
            comments.append(s.toString());
        }
    }

    bool annotationBlock()
    {
        if (!record().TyuukiText.isEmpty())
            startNewRecord();
        PuzzleRecord &r = record();
        // An untitled record met again takes the new annotation instead of adding to the old.
        // It is gathered apart, so the record's string is allocated once at its size.
        m_annotation.resize(0);
        bool collecting = true;
        for (;;) {
            if (!advance()) {
                r.TyuukiText = QStringView(m_annotation).toString();
                return false;
            }
            const QStringView s = m_lines[m_a];
            if (s.startsWith(PublisherPrefix)) {
                const qsizetype end = s.indexOf(PublisherEnd, PublisherPrefix.size());
                const QStringView rest = s.sliced(PublisherPrefix.size());
                r.Publisher =
                    (end < 0 ? rest : rest.first(end - PublisherPrefix.size())).toString();
            }
            if (s.startsWith(MagazineIdPrefix))
                r.MagazineId = s.sliced(MagazineIdPrefix.size()).toString();
            if (s == DividerC)
                break;
            if (collecting)
                m_annotation += s + CrLf;
            if (s == DividerD)
                collecting = false;
            else if (s == DividerE)
                collecting = true;
        }
        r.TyuukiText = DividerB + CrLf + m_annotation + DividerC + CrLf;
        return true;
    }

    QString label(QStringView c) { return m_context.label(c); }

    ParseContext &m_context;
    QList<qsizetype> &m_columns;
    QString &m_annotation;
    IssueStore &m_store;
    const LineArray &m_lines;
    const qsizetype m_end;
    qsizetype m_a = 0; // the line being read
    PuzzleRecord m_record;
};

} // namespace

QString ParseContext::label(QStringView c)
{
    const char32_t key = c.size() == 2 ? QChar::surrogateToUcs4(c[0], c[1]) : c[0].unicode();
    QString &shared = m_strings[key];
    if (shared.isEmpty())
        shared = c.toString();
    return shared;
}

void parseIssues(const LineArray &lines, IssueStore &store, ParseContext &context)
{
    Parser parser(lines, store, context);
    parser.run();
    parser.finish();
}

void parseIssues(const LineArray &lines, IssueStore &store)
{
    ParseContext context;
    parseIssues(lines, store, context);
}
