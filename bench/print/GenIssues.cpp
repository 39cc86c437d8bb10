// Writes COUNT issues of the magazine as one UTF-8 mail text with CR LF line ends: each
// issue a 10 × 10 grid (a black diagonal and a given character) with 4 hint lines and 25
// comment lines, so that every page of the PDF carries the comment cut-off.
// With --unique every hint and comment line ends in its own number, as no two of a real
// magazine's are alike.
#include "MailMarkers.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

// The line as it is without a counter; with one, ending in the counter's next number.
QString numbered(const QString &line, int *counter)
{
    return counter ? line + QStringLiteral("（%1）").arg(++*counter) : line;
}

QString issue(int number, int *counter)
{
    using namespace MailMarkers;
    const QString columns = QStringLiteral("ＡＢＣＤＥＦＧＨＩＪ");
    const QString rows = QStringLiteral("一二三四五六七八九十");
    QStringList lines;
    lines << QStringLiteral("Date: Sat, 15 Jan 2005 06:00:00 +0900") << QString();
    lines << QStringLiteral("◇第%1回◇　今日の問題").arg(number) << QStringLiteral("―");
    lines << QStringLiteral("　　") + columns;
    for (int r = 0; r < 10; ++r) {
        QString cells(10, QChar(u'□'));
        cells[r] = u'■'; // a black diagonal and one given character, for --cells
        cells[9 - r] = r == 4 ? u'３' : cells[9 - r];
        QString row = QStringLiteral("　") + rows.at(r) + cells;
        if (r == 1)
            row += QStringLiteral("　難易度：中級");
        lines << row;
    }
    lines << QString();
    for (int k = 1; k <= 4; ++k)
        lines << numbered(QStringLiteral("ヒント%1：%2列と%3行に注目してください。")
                              .arg(k)
                              .arg(columns.at(k))
                              .arg(rows.at(k)),
                          counter);
    lines << QString() << DividerA.toString() << QString();
    for (int k = 1; k <= 25; ++k)
        lines << numbered(
            QStringLiteral("コメント%1行目：今週は寒い日が続きますね。問題は中級向けです。").arg(k),
            counter);
    lines << DividerB.toString() << QStringLiteral("発行責任者　：ロタム編集部(連絡先)")
          << QStringLiteral("マガジンＩＤ：0001234567") << DividerC.toString() << QString();
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

int main(int argc, char *argv[])
{
    const bool unique = argc == 4 && QByteArrayView(argv[1]) == "--unique";
    if (argc != 3 && !unique) {
        std::fprintf(stderr, "usage: rotam-bench-gen-issues [--unique] COUNT FILE\n");
        return 2;
    }
    const int count = QString::fromLocal8Bit(argv[argc - 2]).toInt();
    QFile file(QString::fromLocal8Bit(argv[argc - 1]));
    if (count < 1 || !file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "rotam-bench-gen-issues: bad count or unwritable file\n");
        return 1;
    }
    int counter = 0;
    for (int i = 1; i <= count; ++i)
        file.write(issue(i, unique ? &counter : nullptr).toUtf8());
    return 0;
}
