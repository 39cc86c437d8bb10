#pragma once

#include "NarrowConverter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Decodes a text file, or a mail part without a charset we know, by its bytes:
// ESC $ B or ESC $ @ with no byte of 0x80 and above is ISO-2022-JP; a UTF-8 byte-order mark
// (dropped) or valid UTF-8 with a non-ASCII byte is UTF-8; anything else is Windows CP932.
// Invalid bytes become U+FFFD and the rest still decodes.
QString decodeMailBytes(const QByteArray &bytes);

// Decodes one text after another, with the same converters and buffers: an mbox has
// thousands of short parts, and opening a converter costs as much as converting one. Each
// text stays valid until the next call.
class MailDecoder
{
public:
    // By the bytes, as decodeMailBytes.
    const QString &mailBytes(QByteArrayView bytes);
    // A mail part's content by its charset parameter (names compared case-insensitively): the
    // ISO-2022-JP family as Windows mailers write it, the Shift_JIS names as CP932, the EUC-JP
    // names as EUC-JP-MS, UTF-8 (a byte-order mark dropped); no charset or any other name is
    // decoded by its bytes.
    const QString &partBytes(QByteArrayView bytes, QByteArrayView charset);
    // The last text decoded, taken out of the decoder.
    QString takeText() { return std::move(m_text); }

private:
    void cp932(QByteArrayView bytes);
    void eucJp(QByteArrayView bytes);
    void jis(QByteArrayView bytes);

    std::optional<NarrowConverter> m_eucJp;
    QByteArray m_shiftJis; // a JIS part rewritten for the CP932 converter
    QString m_text;
};
