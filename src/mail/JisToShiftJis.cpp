#include "JisToShiftJis.h"

namespace {

enum class Set
{
    Ascii,
    Kanji,
    Katakana,
    Unknown
};

constexpr char Esc = 0x1B;
constexpr char ShiftOut = 0x0E;
constexpr char ShiftIn = 0x0F;
constexpr char Invalid = char(0xFF); // no CP932 character begins with it

// The escape sequence at the start of s, which begins with ESC: the set it selects and its
// length, or length 0. Compared byte by byte: a JIS part has an escape every few characters.
std::pair<Set, qsizetype> escapeAt(QByteArrayView s)
{
    if (s.size() < 3)
        return {Set::Ascii, 0};
    const char intermediate = s[1];
    const char last = s[2];
    if (intermediate == '$' && (last == 'B' || last == '@'))
        return {Set::Kanji, 3};
    if (intermediate == '(' && (last == 'B' || last == 'J'))
        return {Set::Ascii, 3};
    if (intermediate == '(' && last == 'I')
        return {Set::Katakana, 3};
    if (intermediate == '$' && last == '(' && s.size() >= 4)
        return {Set::Unknown, 4};
    if (intermediate == '$' || intermediate == '(')
        return {Set::Unknown, 3};
    return {Set::Ascii, 0};
}

char *writeKanji(char *out, unsigned char j1, unsigned char j2)
{
    *out++ = char(((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0));
    *out++ = char((j1 & 1) ? j2 + (j2 >= 0x60 ? 0x20 : 0x1F) : j2 + 0x7E);
    return out;
}

bool isGraphic(unsigned char c)
{
    return c >= 0x21 && c <= 0x7E;
}

} // namespace

QByteArray jisToShiftJis(QByteArrayView jis)
{
    QByteArray shiftJis;
    jisToShiftJis(jis, shiftJis);
    return shiftJis;
}

void jisToShiftJis(QByteArrayView jis, QByteArray &shiftJis)
{
    // Escapes vanish and every other byte gives at most one: the output never outgrows the input.
    shiftJis.resize(jis.size());
    char *out = shiftJis.data();
    const qsizetype size = jis.size();
    Set set = Set::Ascii;
    Set beforeShiftOut = Set::Ascii;
    for (qsizetype i = 0; i < size; ++i) {
        // Runs of kanji, most of a Japanese mail, without the checks for the rarer bytes.
        while (set == Set::Kanji && i + 1 < size && isGraphic(jis[i]) && isGraphic(jis[i + 1])) {
            out = writeKanji(out, jis[i], jis[i + 1]);
            i += 2;
        }
        if (i == size)
            break;
        const unsigned char c = jis[i];
        if (c == Esc) {
            const auto [next, length] = escapeAt(jis.sliced(i));
            if (length > 0) {
                set = next;
                i += length - 1;
                continue;
            }
        }
        if (c == ShiftOut && set != Set::Katakana) {
            beforeShiftOut = set;
            set = Set::Katakana;
        } else if (c == ShiftIn && set == Set::Katakana) {
            set = beforeShiftOut;
        } else if (c >= 0x80 || !isGraphic(c) || set == Set::Ascii) {
            *out++ = char(c);
        } else if (set == Set::Katakana) {
            *out++ = c <= 0x5F ? char(c + 0x80) : Invalid;
        } else if (set == Set::Kanji && i + 1 < size && isGraphic(jis[i + 1])) {
            out = writeKanji(out, c, jis[i + 1]);
            ++i;
        } else {
            *out++ = Invalid; // half a character, or a set CP932 lacks
        }
    }
    shiftJis.truncate(out - shiftJis.data());
}
