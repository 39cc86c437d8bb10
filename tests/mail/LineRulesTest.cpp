#include "LineArray.h"
#include "TextIntake.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList listOf(const LineArray &lines)
{
    QStringList list;
    for (qsizetype i = 0; i < lines.size(); ++i)
        list.append(lines[i].toString());
    return list;
}

const QStringList AB{u"A"_s, u"B"_s};

} // namespace

// A file's text: CR LF or CR ends a line, and LF too when the text holds no CR at all; a
// final line end adds no line.
TEST(FileLineRules, WhatEndsALine)
{
    const struct
    {
        QString text;
        QStringList lines;
    } cases[] = {
        {u"A\r\nB"_s, AB},
        {u"A\r\nB\r\n"_s, AB},
        {u"A\rB"_s, AB},
        {u"A\rB\r"_s, AB},
        {u"A\nB\r"_s, {u"A\nB"_s}},
        {u"A\n\r\nB"_s, {u"A\n"_s, u"B"_s}},
        {u"A\nB"_s, AB},
        {u"A\nB\n"_s, AB},
        {u"A\n\nB"_s, {u"A"_s, QString(), u"B"_s}},
        {u"A\r\n\r\nB"_s, {u"A"_s, QString(), u"B"_s}},
        {u"\r\n"_s, {QString()}},
        {QString(), {}},
    };
    for (const auto &c : cases) {
        LineArray lines;
        lines.appendFileText(c.text);
        EXPECT_EQ(listOf(lines), c.lines) << c.text.toStdString();
    }
}

TEST(MessageLineRules, CrLfLfAndALoneCrEachEndALine)
{
    for (const char16_t *text : {u"A\r\nB", u"A\nB\n", u"A\rB\r\n", u"A\r\nB\r"}) {
        LineArray lines;
        lines.appendMessageText(QString::fromUtf16(text));
        EXPECT_EQ(listOf(lines), AB) << QString::fromUtf16(text).toStdString();
    }
    LineArray lines;
    lines.appendMessageText(u"A\n\rB");
    EXPECT_EQ(listOf(lines), (QStringList{u"A"_s, QString(), u"B"_s}));
}

TEST(FileLineRules, FilesFollowOneAnotherWithNothingBetween)
{
    LineArray lines;
    lines.appendFileText(u"A\r\nB\r\n"_s);
    lines.appendFileText(u"C\rD"_s);
    lines.appendFileText(u"E"_s);
    EXPECT_EQ(listOf(lines), (QStringList{u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s}));
}

// Pasted text: only CR LF pairs separate lines, and an empty text is one empty line.
TEST(PasteSplit, OnlyCrLfPairsSeparateLines)
{
    const struct
    {
        QString text;
        QStringList lines;
    } cases[] = {
        {u"A\r\nB\r\n"_s, AB},
        {u"A\r\n\r\n"_s, {u"A"_s, QString()}},
        {u"A\r\n\r\nB"_s, {u"A"_s, QString(), u"B"_s}},
        {u"A\rB\nC"_s, {u"A\rB\nC"_s}},
        {QString(), {QString()}},
        {u"\r\n"_s, {QString()}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(listOf(splitPastedText(c.text)), c.lines) << c.text.toStdString();
}
