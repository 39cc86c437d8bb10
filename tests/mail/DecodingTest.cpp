#include "MailDecoder.h"
#include "NarrowConverter.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <vector>

namespace {

QByteArray bytes(std::initializer_list<unsigned char> values)
{
    QByteArray b;
    for (const unsigned char v : values)
        b.append(char(v));
    return b;
}

// glibc's CP932, what JIS decoding has to agree with (glibc has no CP50221): the text, or
// nothing when the bytes are not whole characters.
std::optional<QString> iconvCp932(QByteArray cp932)
{
    const iconv_t cd = iconv_open("UTF-16LE", "CP932");
    char16_t out[8];
    char *in = cp932.data();
    size_t inLeft = size_t(cp932.size());
    char *next = reinterpret_cast<char *>(out);
    size_t outLeft = sizeof out;
    const bool whole = cd != iconv_t(-1) && iconv(cd, &in, &inLeft, &next, &outLeft) != size_t(-1);
    if (cd != iconv_t(-1))
        iconv_close(cd);
    if (!whole)
        return std::nullopt;
    return QString::fromUtf16(out, (next - reinterpret_cast<char *>(out)) / 2);
}

// Shift_JIS lays the 94 x 94 codes of JIS X 0208 out in order, two rows to a lead byte.
QByteArray shiftJisAt(int index)
{
    const int lead = index / 188;
    const int trail = index % 188;
    return bytes({static_cast<unsigned char>(lead < 31 ? 0x81 + lead : 0xE0 + lead - 31),
                  static_cast<unsigned char>(trail < 63 ? 0x40 + trail : 0x80 + trail - 63)});
}

} // namespace

TEST(Decoding, EveryJisCodeAsCp932ReadsItsShiftJisCounterpart)
{
    MailDecoder decoder;
    int mapped = 0;
    for (int index = 0; index < 94 * 94; ++index) {
        const char j1 = char(0x21 + index / 94);
        const char j2 = char(0x21 + index % 94);
        // Text files are told by either escape of JIS X 0208.
        const QByteArray jis = QByteArray(index % 2 ? "\x1B$@" : "\x1B$B") + j1 + j2 + "\x1B(B";
        const QString text = decoder.mailBytes(jis);
        if (const auto expected = iconvCp932(shiftJisAt(index))) {
            EXPECT_EQ(text, *expected) << jis.toHex().constData();
            ++mapped;
        } else {
            EXPECT_TRUE(text.startsWith(QChar(0xFFFD))) << jis.toHex().constData();
        }
    }
    // JIS X 0208's 6879 characters, NEC row 13's 83 and the IBM rows' 374.
    EXPECT_EQ(mapped, 6879 + 83 + 374);
}

TEST(Decoding, EveryByteAndBytePairAsCp932AsIconvWithReplacements)
{
    // Every lead byte with every trail, every stray byte, and each alone: a lead cut off.
    MailDecoder decoder;
    NarrowConverter iconv("CP932");
    ASSERT_TRUE(iconv.isValid());
    QString expected;
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            QByteArray b(1, char(first));
            if (second >= 0)
                b.append(char(second));
            iconv.decode(b, expected);
            ASSERT_EQ(decoder.partBytes(b, "CP932"), expected) << b.toHex().constData();
        }
    }
}

TEST(Decoding, HalfWidthKatakanaAsCp932ReadsItsByte)
{
    // An ｱ after each: a byte beyond the set must not become a lead byte that swallows it.
    MailDecoder decoder;
    for (int c = 0x21; c <= 0x7E; ++c) {
        const QByteArray jis = "\x1B(I" + QByteArray(1, char(c)) + "1\x1B(B";
        const QString expected =
            iconvCp932(QByteArray(1, char(c + 0x80))).value_or(QString(QChar(0xFFFD))) + u'ｱ';
        EXPECT_EQ(decoder.partBytes(jis, "ISO-2022-JP"), expected) << c;
    }
}

TEST(Decoding, EveryCharsetLabelInAnyCase)
{
    // Bytes that decoding by the bytes alone would read otherwise.
    const struct
    {
        QByteArray bytes;
        const char16_t *text;
        std::vector<QByteArray> labels;
    } charsets[] = {
        {"\x82\xA0\x1B$B!~-!\x1B(B",
         u"あ◇①",
         {"ISO-2022-JP", "csISO2022JP", "ISO-2022-JP-MS", "CP50220", "CP50221", "CP50222"}},
        {"\xC3\xA9",
         u"ﾃｩ",
         {"Shift_JIS", "Shift-JIS", "SJIS", "x-sjis", "MS_Kanji", "csShiftJIS", "Windows-31J",
          "csWindows31J", "CP932", "MS932"}},
        {"\xA1\xFE\xAD\xA1",
         u"◇①",
         {"EUC-JP", "eucJP", "x-euc-jp", "eucJP-ms", "CP51932", "csEUCPkdFmtJapanese",
          "Extended_UNIX_Code_Packed_Format_for_Japanese"}},
        {"\xEF\xBB\xBF\xE2\x97\x87\xFF", u"◇\uFFFD", {"UTF-8", "utf8"}}, // BOM dropped
    };
    MailDecoder decoder;
    for (const auto &charset : charsets) {
        for (const QByteArray &label : charset.labels) {
            for (const QByteArray &name : {label, label.toLower(), label.toUpper()})
                EXPECT_EQ(decoder.partBytes(charset.bytes, name), QString::fromUtf16(charset.text))
                    << name.constData();
        }
    }
}

TEST(Decoding, InvalidBytesBecomeReplacementsAndTheRestLoads)
{
    const QString r(QChar(0xFFFD));
    EXPECT_EQ(decodeMailBytes(bytes({'A', 0xFF, 'B'})),
              QStringLiteral("A") + r + QStringLiteral("B"));
    // A lead byte followed by a byte that can't trail it: the second byte still counts.
    EXPECT_EQ(decodeMailBytes(bytes({'A', 0x81, 0x20, 'B'})),
              QStringLiteral("A") + r + QStringLiteral(" B"));
    // A lead byte cut off by the end of the file.
    EXPECT_EQ(decodeMailBytes(bytes({0x82, 0xA0, 0x82})), QStringLiteral("あ") + r);
}

TEST(Decoding, NulBytesAreKept)
{
    EXPECT_EQ(decodeMailBytes(bytes({'A', 0x00, 'B'})).size(), 3);
}

TEST(Decoding, Utf8ByBomOrByValidity)
{
    EXPECT_EQ(decodeMailBytes(QByteArray("\xEF\xBB\xBF\xE2\x97\x87"
                                         "A")),
              QStringLiteral("◇A"));
    EXPECT_EQ(decodeMailBytes(QByteArray("\xE2\x97\x87"
                                         "A")),
              QStringLiteral("◇A"));
    EXPECT_EQ(decodeMailBytes(QByteArray("\xEF\xBB\xBF")), QString());
    // Two CP932 characters that happen to form no valid UTF-8 stay CP932.
    EXPECT_EQ(decodeMailBytes(bytes({0x82, 0xA0, 0x82, 0xA2})), QStringLiteral("あい"));
    EXPECT_EQ(decodeMailBytes(QByteArray("plain ascii")), QStringLiteral("plain ascii"));
}

TEST(Decoding, Iso2022JpAsWindowsMailersWriteIt)
{
    const struct
    {
        const char *bytes;
        const char16_t *text;
    } cases[] = {
        {"a\x0E\x31\x0F"
         "b",
         u"aｱb"},                                // the same by SO and SI
        {"\x1B(J\\~\x1B(B", u"\\~"},             // JIS-Roman read as ASCII
        {"\x1B$B$\"\r\n$\"\x1B(B", u"あ\r\nあ"}, // line ends inside a kanji run
        {"\x1B$B$", u"\uFFFD"},                  // half a character
        {"\x1B$(D+!\x1B(B", u"\uFFFD\uFFFD"},    // JIS X 0212 has no CP932 counterpart
        {"a\x1B$(", u"a"},                       // ESC $ ( cut off by the end: still an escape
        {"a\x1B(", u"a\x1B("},                   // too short for any escape: plain bytes
    };
    MailDecoder decoder;
    for (const auto &c : cases)
        EXPECT_EQ(decoder.partBytes(QByteArray(c.bytes), "iso-2022-jp"), QString::fromUtf16(c.text))
            << c.bytes;
}

TEST(Decoding, DetectionWithoutACharset)
{
    const struct
    {
        QByteArray bytes;
        const char *charset;
        const char16_t *text;
    } cases[] = {
        {"\x1B$@!~\x1B(B", "", u"◇"}, // the older JIS X 0208 escape
        {"\x1B$B!~\x1B(B", "us-ascii", u"◇"},
        {"\x81\x9E\x87\x40", "bogus", u"◇①"},
        // An escape among 8-bit bytes is no ISO-2022-JP text.
        {"\x1B$B\x82\xA0", "", u"\x1B$Bあ"},
    };
    MailDecoder decoder;
    for (const auto &c : cases) {
        EXPECT_EQ(decoder.partBytes(c.bytes, c.charset), QString::fromUtf16(c.text)) << c.charset;
        EXPECT_EQ(decodeMailBytes(c.bytes), QString::fromUtf16(c.text)) << "text files alike";
    }
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
    for (const auto &t : texts) {
        MailDecoder fresh;
        EXPECT_EQ(decoder.partBytes(t.bytes, t.charset), fresh.partBytes(t.bytes, t.charset))
            << t.charset;
    }
}
