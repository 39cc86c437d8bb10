#include "PageText.h"

#include <QStringList>

namespace PageText {

namespace {

// The characters a text is spread over. A surrogate pair stays whole: half of one would
// print as a broken glyph.
QStringList splitCharacters(const QString &text)
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

// Places currentX for the horizontal units digit h. Spreading of two or more characters is
// left to the caller, which needs the character list anyway.
void placeHorizontally(PrinterObject &printer, float left, float right, const QString &text, int h,
                       qsizetype characterCount)
{
    switch (h) {
    case 0:
        printer.setCurrentX(left);
        break;
    case 1:
        printer.setCurrentX(right - printer.textWidth(text));
        break;
    case 2:
        printer.setCurrentX((left + right - printer.textWidth(text)) / 2.0f);
        break;
    case 3:
        if (characterCount < 2)
            printer.setCurrentX((left + right - printer.textWidth(text)) / 2.0f);
        break;
    default:
        break;
    }
}

// Prints the characters one by one, each one gap after the end of the one before; the first
// starts at start. The gap comes from the whole text's width, the advance from each character.
void spread(PrinterObject &printer, const QStringList &characters, float start, float room)
{
    const float gap = room / float(qint16(characters.size()) - 1);
    printer.setCurrentX(start - gap);
    for (const QString &character : characters) {
        printer.setCurrentX(printer.currentX() + gap);
        printer.print(character);
    }
}

} // namespace

void beginJob(PrinterObject &printer)
{
    printer.setDrawWidth(1);
    printer.setFontTransparent(false);
    printer.font.name = QStringLiteral("Arial");
    printer.font.size = 4;
    printer.print(QStringLiteral(" "), LineEnd::Yes);
    printer.setCurrentX(0);
    printer.setCurrentY(0);
    printer.setFontTransparent(true);
}

void textAt(PrinterObject &printer, float left, float right, float y, const QString &text,
            qint16 alignment)
{
    if (text.isEmpty())
        return;
    int h = alignment;
    if (alignment >= 10) {
        printer.setCurrentY(y - printer.textHeight(text));
        h = alignment - 10;
    } else {
        printer.setCurrentY(y);
    }
    const QStringList characters = h == 3 ? splitCharacters(text) : QStringList();
    placeHorizontally(printer, left, right, text, h, characters.size());
    if (h == 3 && characters.size() >= 2)
        spread(printer, characters, left, (right - left) - printer.textWidth(text));
    else
        printer.print(text);
}

void textInBox(PrinterObject &printer, float left, float right, float top, float bottom,
               const QString &text, qint16 alignment)
{
    if (text == QString())
        return;
    const int tens = alignment / 10;  // towards zero, as the codes are read
    const int units = alignment % 10; // keeps the code's sign: negative keeps currentX
    switch (tens) {
    case 0:
        printer.setCurrentY(top);
        break;
    case 1:
        printer.setCurrentY(bottom - printer.textHeight(text));
        break;
    case 2:
        printer.setCurrentY((top + bottom - printer.textHeight(text)) / 2.0f);
        break;
    default:
        break;
    }
    const QStringList characters = units == 3 ? splitCharacters(text) : QStringList();
    placeHorizontally(printer, left, right, text, units, characters.size());
    if (units == 3 && characters.size() >= 2)
        spread(printer, characters, left + 0.5f, (right - left) - printer.textWidth(text) - 1.0f);
    else
        printer.print(text);
}

void setFont(PrinterObject &printer, const FontChange &change)
{
    PrinterFont &font = printer.font;
    if (!change.name.isEmpty())
        font.name = change.name;
    if (change.size != 0)
        font.size = change.size;
    font.bold = change.bold.value_or(font.bold);
    font.italic = change.italic.value_or(font.italic);
    font.underline = change.underline.value_or(font.underline);
    font.strikethrough = change.strikethrough.value_or(font.strikethrough);
}

} // namespace PageText
