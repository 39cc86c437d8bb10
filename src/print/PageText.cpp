#include "PageText.h"

#include <QStringList>

namespace PageText {

namespace {

// The characters a text is spread over. A surrogate pair stays whole: half of one would
// print as a broken glyph.
QStringList Characters(const QString &text)
{
    QStringList characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ? 2
                : 1;
        characters.append(text.mid(i, length));
        i += length - 1;
    }
    return characters;
}

// Places CurrentX for the horizontal units digit h. Spreading of two or more characters is
// left to the caller, which needs the character list anyway.
void PlaceHorizontally(PrinterObject &printer, float left, float right, const QString &text, int h,
                       qsizetype characterCount)
{
    switch (h) {
    case 0:
        printer.SetCurrentX(left);
        break;
    case 1:
        printer.SetCurrentX(right - printer.TextWidth(text));
        break;
    case 2:
        printer.SetCurrentX((left + right - printer.TextWidth(text)) / 2.0f);
        break;
    case 3:
        if (characterCount < 2)
            printer.SetCurrentX((left + right - printer.TextWidth(text)) / 2.0f);
        break;
    default:
        break;
    }
}

// Prints the characters one by one, each one gap after the end of the one before; the first
// starts at start. The gap comes from the whole text's width, the advance from each character.
void Spread(PrinterObject &printer, const QStringList &characters, float start, float room)
{
    const float gap = room / float(qint16(characters.size()) - 1);
    printer.SetCurrentX(start - gap);
    for (const QString &character : characters) {
        printer.SetCurrentX(printer.CurrentX() + gap);
        printer.Print(character);
    }
}

} // namespace

void BeginJob(PrinterObject &printer)
{
    printer.SetDrawWidth(1);
    printer.SetFontTransparent(false);
    printer.Font.Name = QStringLiteral("Arial");
    printer.SetFontName(QStringLiteral("Arial"));
    printer.Font.Size = 4;
    printer.Print(QStringLiteral(" "), LineEnd::Yes);
    printer.SetCurrentX(0);
    printer.SetCurrentY(0);
    printer.SetFontTransparent(true);
}

void TextAt(PrinterObject &printer, float left, float right, float y, const QString &text,
            qint16 alignment)
{
    if (text.isEmpty())
        return;
    int h = alignment;
    if (alignment >= 10) {
        printer.SetCurrentY(y - printer.TextHeight(text));
        h = alignment - 10;
    } else {
        printer.SetCurrentY(y);
    }
    const QStringList characters = h == 3 ? Characters(text) : QStringList();
    PlaceHorizontally(printer, left, right, text, h, characters.size());
    if (h == 3 && characters.size() >= 2)
        Spread(printer, characters, left, (right - left) - printer.TextWidth(text));
    else
        printer.Print(text);
}

void TextInBox(PrinterObject &printer, float left, float right, float top, float bottom,
               const QString &text, qint16 alignment)
{
    if (text == QString())
        return;
    const int tens = alignment / 10;  // towards zero, as the codes are read
    const int units = alignment % 10; // keeps the code's sign: negative keeps CurrentX
    switch (tens) {
    case 0:
        printer.SetCurrentY(top);
        break;
    case 1:
        printer.SetCurrentY(bottom - printer.TextHeight(text));
        break;
    case 2:
        printer.SetCurrentY((top + bottom - printer.TextHeight(text)) / 2.0f);
        break;
    default:
        break;
    }
    const QStringList characters = units == 3 ? Characters(text) : QStringList();
    PlaceHorizontally(printer, left, right, text, units, characters.size());
    if (units == 3 && characters.size() >= 2)
        Spread(printer, characters, left + 0.5f, (right - left) - printer.TextWidth(text) - 1.0f);
    else
        printer.Print(text);
}

void SetFont(PrinterObject &printer, const QString &name, qint16 size, qint16 bold, qint16 italic,
             qint16 underline, qint16 strikethrough)
{
    if (name != QString())
        printer.Font.Name = name;
    if (size != 0)
        printer.Font.Size = size;
    if (bold != 1)
        printer.Font.Bold = bold != 0;
    if (italic != 1)
        printer.Font.Italic = italic != 0;
    if (underline != 1)
        printer.Font.Underline = underline != 0;
    if (strikethrough != 1)
        printer.Font.Strikethrough = strikethrough != 0;
    printer.SetFontName(printer.Font.Name);
}

} // namespace PageText
