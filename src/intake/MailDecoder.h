#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Decodes a text file, or a mail part without a charset we know, by its bytes:
// ESC $ B or ESC $ @ with no byte of 0x80 and above is ISO-2022-JP; a UTF-8 byte-order mark
// (dropped) or valid UTF-8 with a non-ASCII byte is UTF-8; anything else is Windows CP932.
// Invalid bytes become U+FFFD and the rest still decodes.
QString DecodeMailBytes(const QByteArray &bytes);

// Decodes a mail part's content by its charset parameter (names compared case-insensitively):
// the ISO-2022-JP family as Windows mailers write it, the Shift_JIS names as CP932, the
// EUC-JP names as EUC-JP-MS, UTF-8; no charset or any other name is decoded by its bytes.
// A byte-order mark at the start is dropped.
QString DecodePartBytes(const QByteArray &bytes, QByteArrayView charset);
