#include "TextWrap.h"
#include "RecordingPrinter.h"

#include <QRandomGenerator>
#include <QTextBoundaryFinder>

#include <algorithm>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The recorder at 10 pt: every code point is 3 mm wide.
class TextWrapTest : public ::testing::Test
{
protected:
    void SetUp() override { printer.font.size = 10; }

    RecordingPrinter printer;
};

TEST_F(TextWrapTest, BreaksWhereLineBreakingAllows)
{
    const struct
    {
        const char16_t *text;
        float width;
        QStringList lines;
    } cases[] = {
        {u"あいう", 9.5f, {u"あいう"_s}},
        {u"", 3, {QString()}},
        {u"あいうえお。かきくけこ", 15.5f, {u"あいうえ"_s, u"お。かきく"_s, u"けこ"_s}},
        {u"あいう「えお」かき", 12.5f, {u"あいう"_s, u"「えお」"_s, u"かき"_s}},
        {u"ああーい！う", 6.5f, {u"あ"_s, u"あー"_s, u"い！"_s, u"う"_s}},
        {u"ああ――――――ああ", 12.5f, {u"ああ"_s, u"――――"_s, u"――ああ"_s}},
        {u"\U0001D400\U0001D401\U0001D402\U0001D403",
         6.5f,
         {u"\U0001D400\U0001D401"_s, u"\U0001D402\U0001D403"_s}},
        {u"ab cd  ef", 6.5f, {u"ab"_s, u"cd"_s, u"ef"_s}},
        {u"あい", 2, {u"あ"_s, u"い"_s}}, // a character wider than the line still moves on
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(wrapToWidth(printer, text, c.width), c.lines);
    }
}

// Whether a line may end at position: where line breaking allows, or inside a run without
// such a place that is wider than the line.
bool mayEndAt(RecordingPrinter &printer, const QString &text, qsizetype position, float width)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    breaks.setPosition(position);
    if (breaks.isAtBoundary())
        return true;
    const qsizetype from = breaks.toPreviousBoundary();
    breaks.setPosition(position);
    qsizetype to = breaks.toNextBoundary();
    while (to > from && text.at(to - 1).isSpace())
        --to;
    return printer.textWidth(text.mid(from, to - from)) > width;
}

// Random texts against the line breaking they are cut by: every line fits unless it is one
// character, ends where it may, and nothing is lost or reordered but the spaces that end a
// line; a surrogate pair is never cut.
TEST_F(TextWrapTest, RandomTextsBreakOnlyWhereAllowed)
{
    const QList<QString> pieces = {u"あ"_s,     u"漢"_s,         u"。"_s,   u"、"_s,    u"「"_s,
                                   u"」"_s,     u"ー"_s,         u"！"_s,   u" "_s,     u"a"_s,
                                   u"\u3000"_s, u"\U00020BB7"_s, u"――――"_s, u"━━━━━"_s, u"…………"_s};
    QRandomGenerator random(15);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int i = random.bounded(1, 60); i > 0; --i)
            text += pieces.at(random.bounded(pieces.size()));
        const float width = float(random.bounded(1, 16)) * 3;
        const QStringList lines = wrapToWidth(printer, text, width);
        SCOPED_TRACE(text.toStdString() + " in " + std::to_string(width) + ": " +
                     lines.join(u'|').toStdString());
        qsizetype at = 0;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString &line = lines.at(i);
            EXPECT_TRUE(printer.textWidth(line) <= width || line.toUcs4().size() == 1);
            // The line before ended somewhere in the spaces dropped after it.
            bool mayEnd = i == 0 || mayEndAt(printer, text, at, width);
            while (at < text.size() && text.at(at).isSpace() &&
                   !QStringView(text).sliced(at).startsWith(line))
                mayEnd = mayEndAt(printer, text, ++at, width) || mayEnd;
            EXPECT_TRUE(mayEnd) << text.first(at).toStdString() << " / "
                                << text.sliced(at).toStdString();
            ASSERT_TRUE(QStringView(text).sliced(at).startsWith(line));
            at += line.size();
            EXPECT_FALSE(text.at(at - 1).isHighSurrogate());
        }
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        EXPECT_EQ(at, text.size());
    }
}

} // namespace
