#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Rewrites ISO-2022-JP as Windows mailers write it (CP50220 to CP50222) into Shift_JIS
// bytes for the CP932 decoder, so that every JIS X 0208 character, NEC row 13 and the IBM
// rows included, decodes as its CP932 counterpart.
// - ESC $ B and ESC $ @: two-byte JIS X 0208, moved to Shift_JIS by arithmetic;
// - ESC ( B and ESC ( J: ASCII; ESC ( I, or SO up to SI: half-width katakana;
// - any other escape selects a set without a CP932 counterpart: its bytes become 0xFF,
//   which the decoder replaces;
// - bytes of 0x80 and above pass unchanged: a Shift_JIS body labelled ISO-2022-JP.
// Control characters pass unchanged in every mode, so a line end never loses its line.
QByteArray jisToShiftJis(QByteArrayView jis);
// Likewise into a buffer used again for text after text.
void jisToShiftJis(QByteArrayView jis, QByteArray &shiftJis);
