#include "TextIntake.h"

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
    EXPECT_EQ(DecodeMailBytes(bytes({'A', 0xFF, 'B'})), QStringLiteral("A") + r + QStringLiteral("B"));
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
    EXPECT_EQ(DecodeMailBytes(QByteArray("\xEF\xBB\xBF\xE2\x97\x87" "A")), QStringLiteral("◇A"));
    EXPECT_EQ(DecodeMailBytes(QByteArray("\xE2\x97\x87" "A")), QStringLiteral("◇A"));
    EXPECT_EQ(DecodeMailBytes(QByteArray("\xEF\xBB\xBF")), QString());
    // Two CP932 characters that happen to form no valid UTF-8 stay CP932.
    EXPECT_EQ(DecodeMailBytes(bytes({0x82, 0xA0, 0x82, 0xA2})), QStringLiteral("あい"));
    EXPECT_EQ(DecodeMailBytes(QByteArray("plain ascii")), QStringLiteral("plain ascii"));
}
