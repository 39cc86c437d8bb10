#include "TextWrap.h"

#include <QTextBoundaryFinder>

namespace {

QString withoutTrailingSpaces(QStringView line)
{
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1).isSpace())
        --end;
    return line.first(end).toString();
}

// The end of the longest run of whole characters from start towards end that fits, and at
// least one character, so that even a glyph wider than the line moves on. A grapheme keeps
// a surrogate pair and its combining marks together.
qsizetype characterBreak(PrinterObject &printer, const QString &text, qsizetype start,
                         qsizetype end, float width)
{
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    characters.setPosition(start);
    qsizetype fits = characters.toNextBoundary();
    for (qsizetype next = characters.toNextBoundary(); next != -1 && next < end;
         next = characters.toNextBoundary()) {
        if (printer.textWidth(text.mid(start, next - start)) > width)
            break;
        fits = next;
    }
    return fits;
}

} // namespace

QStringList wrapToWidth(PrinterObject &printer, const QString &text, float width)
{
    if (printer.textWidth(text) <= width)
        return {text};

    const auto fits = [&](qsizetype start, qsizetype end) {
        return printer.textWidth(
                   withoutTrailingSpaces(QStringView(text).sliced(start, end - start))) <= width;
    };
    QStringList lines;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype start = 0;
    qsizetype lastFit = 0; // the furthest break after start whose line fits; start for none
    qsizetype next = breaks.toNextBoundary();
    while (next != -1) {
        if (fits(start, next)) {
            lastFit = next;
            next = breaks.toNextBoundary();
            continue;
        }
        const qsizetype end =
            lastFit > start ? lastFit : characterBreak(printer, text, start, next, width);
        const QString line = withoutTrailingSpaces(QStringView(text).sliced(start, end - start));
        if (!line.isEmpty()) // spaces alone, as an indent wider than the line, take none
            lines << line;
        start = lastFit = end;
    }
    const QString last = withoutTrailingSpaces(QStringView(text).sliced(start));
    if (!last.isEmpty() || lines.isEmpty())
        lines << last;
    return lines;
}
