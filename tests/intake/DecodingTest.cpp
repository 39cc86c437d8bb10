#include "MailDecoder.h"

#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<unsigned char> values)
{
    QByteArray b;
    for (const unsigned char v : values)
        b.append(char(v));
    return b;
}

} // namespace

TEST(Decoding, Cp932NotPlainShiftJis)
{
    // The mappings in which Windows CP932 and JIS Shift_JIS disagree.
    EXPECT_EQ(DecodeMailBytes(bytes({0x81, 0x60})), QString(QChar(0xFF5E)));
    EXPECT_EQ(DecodeMailBytes(bytes({0x81, 0x5F})), QString(QChar(0xFF3C)));
    EXPECT_EQ(DecodeMailBytes(bytes({0x81, 0x7C})), QString(QChar(0xFF0D)));
    EXPECT_EQ(DecodeMailBytes(bytes({0x87, 0x40})), QString(QChar(0x2460)));
    EXPECT_EQ(DecodeMailBytes(bytes({0x5C, 0x7E})), QStringLiteral("\\~"));
}

TEST(Decoding, NecAndIbmExtensionRows)
{
    EXPECT_EQ(DecodeMailBytes(bytes({0xED, 0x40})), QString(QChar(0x7E8A)));
    EXPECT_EQ(DecodeMailBytes(bytes({0xFA, 0x40})), QString(QChar(0x2170)));
}

TEST(Decoding, MarkersOfTheMailFormat)
{
    // ◇ □ ■ and the ideographic space, as a saved mail holds them.
    EXPECT_EQ(DecodeMailBytes(bytes({0x81, 0x9E, 0x81, 0xA0, 0x81, 0xA1, 0x81, 0x40})),
              QStringLiteral("◇□■　"));
}

TEST(Decoding, InvalidBytesBecomeReplacementsAndTheRestLoads)
{
    const QString r(QChar(0xFFFD));
    EXPECT_EQ(DecodeMailBytes(bytes({'A', 0xFF, 'B'})),
              QStringLiteral("A") + r + QStringLiteral("B"));
    // A lead byte followed by a byte that can't trail it: the second byte still counts.
    EXPECT_EQ(DecodeMailBytes(bytes({'A', 0x81, 0x20, 'B'})),
              QStringLiteral("A") + r + QStringLiteral(" B"));
    // A lead byte cut off by the end of the file.
    EXPECT_EQ(DecodeMailBytes(bytes({0x82, 0xA0, 0x82})), QStringLiteral("あ") + r);
}

TEST(Decoding, NulBytesAreKept)
{
    EXPECT_EQ(DecodeMailBytes(bytes({'A', 0x00, 'B'})).size(), 3);
}

TEST(Decoding, Utf8ByBomOrByValidity)
{
    EXPECT_EQ(DecodeMailBytes(QByteArray("\xEF\xBB\xBF\xE2\x97\x87"
                                         "A")),
              QStringLiteral("◇A"));
    EXPECT_EQ(DecodeMailBytes(QByteArray("\xE2\x97\x87"
                                         "A")),
              QStringLiteral("◇A"));
    EXPECT_EQ(DecodeMailBytes(QByteArray("\xEF\xBB\xBF")), QString());
    // Two CP932 characters that happen to form no valid UTF-8 stay CP932.
    EXPECT_EQ(DecodeMailBytes(bytes({0x82, 0xA0, 0x82, 0xA2})), QStringLiteral("あい"));
    EXPECT_EQ(DecodeMailBytes(QByteArray("plain ascii")), QStringLiteral("plain ascii"));
}

TEST(Decoding, Iso2022JpAsWindowsMailersWriteIt)
{
    const struct
    {
        const char *bytes;
        const char16_t *text;
    } cases[] = {
        {"\x1B$B$\"\x1B(B", u"あ"},
        {"\x1B$B-!-5-j\x1B(B", u"①Ⅰ㈱"}, // NEC row 13, which glibc's ISO-2022-JP rejects
        {"\x1B$Byu|b\x1B(B", u"﨑髙"},   // NEC-selected IBM rows
        {"\x1B$B!A\x1B(B", u"～"},       // 0x2141 as CP932 reads it
        {"\x1B$@!~\x1B(B", u"◇"},        // the older JIS X 0208 escape
        {"\x1B(I1\x1B(B", u"ｱ"},         // half-width katakana
        {"a\x0E\x31\x0F"
         "b",
         u"aｱb"},                                // the same by SO and SI
        {"\x1B(J\\~\x1B(B", u"\\~"},             // JIS-Roman read as ASCII
        {"\x1B$B$\"\r\n$\"\x1B(B", u"あ\r\nあ"}, // line ends inside a kanji run
        {"\x82\xA0\x1B$B$\"\x1B(B", u"ああ"},    // Shift_JIS bytes in a part so labelled
        {"\x1B$B$", u"\uFFFD"},                  // half a character
        {"\x1B$(D+!\x1B(B", u"\uFFFD\uFFFD"},    // JIS X 0212 has no CP932 counterpart
        {"a\x1B$(", u"a"},                       // ESC $ ( cut off by the end: still an escape
        {"a\x1B(", u"a\x1B("},                   // too short for any escape: plain bytes
    };
    for (const auto &c : cases)
        EXPECT_EQ(DecodePartBytes(QByteArray(c.bytes), "iso-2022-jp"), QString::fromUtf16(c.text))
            << c.bytes;
}

TEST(Decoding, CharsetNamesAndDetection)
{
    const QByteArray jis("\x1B$B!~\x1B(B");
    const QByteArray sjis("\x81\x9E\x87\x40");         // ◇①
    const QByteArray euc("\xA1\xFE\xAD\xA1");          // ◇① in EUC-JP-MS
    const QByteArray utf8("\xEF\xBB\xBF\xE2\x97\x87"); // ◇ after a byte-order mark
    const struct
    {
        QByteArray bytes;
        const char *charset;
        const char16_t *text;
    } cases[] = {
        {jis, "CSISO2022JP", u"◇"},
        {jis, "CP50220", u"◇"},
        {jis, "", u"◇"},
        {jis, "us-ascii", u"◇"},
        {sjis, "x-sjis", u"◇①"},
        {sjis, "MS932", u"◇①"},
        {sjis, "Windows-31J", u"◇①"},
        {sjis, "bogus", u"◇①"},
        {euc, "eucJP", u"◇①"},
        {euc, "CP51932", u"◇①"},
        {utf8, "UTF8", u"◇"},
        {utf8, "", u"◇"},
        // An escape among 8-bit bytes is no ISO-2022-JP text.
        {QByteArray("\x1B$B\x82\xA0"), "", u"\x1B$Bあ"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DecodePartBytes(c.bytes, c.charset), QString::fromUtf16(c.text)) << c.charset;
    EXPECT_EQ(DecodeMailBytes(jis), QStringLiteral("◇")) << "text files detect it too";
}

TEST(Decoding, OneDecoderForTextAfterText)
{
    // Buffers and converters used again must not carry anything from one text to the next.
    const struct
    {
        QByteArray bytes;
        const char *charset;
    } texts[] = {
        {QByteArray(4000, '\x82') + "\xA0", "Shift_JIS"},
        {QByteArray("\x1B$B$\"\x1B(B"), "ISO-2022-JP"},
        {QByteArray("\x82"), "CP932"},
        {QByteArray("\xEF\xBB\xBF\xE2\x97\x87"), "utf-8"},
        {QByteArray("\xA1\xFE"), "EUC-JP"},
        {QByteArray("\x82\xA0\x82\xA2"), ""},
        {QByteArray("\x1B$B$\""), ""},
    };
    MailDecoder decoder;
    for (const auto &t : texts)
        EXPECT_EQ(decoder.partBytes(t.bytes, t.charset), DecodePartBytes(t.bytes, t.charset))
            << t.charset;
}

TEST(Decoding, LargeTextDecodedInTwoHalves)
{
    // The cut falls right after the middle LF, behind a lead byte whose trail is missing.
    const QByteArray half = QByteArray("\x82\xA0\r\n").repeated(150000);
    const QString text = QStringLiteral("あ\r\n").repeated(150000);
    EXPECT_EQ(DecodeMailBytes(half + "\x82\n" + half), text + u"\uFFFD\n" + text);
}
