#include "IssuePage.h"

#include "KesaPrt.h"

#include "PuzzleRecord.h"

using namespace KesaPrt;

namespace {

constexpr qint16 BottomLeft = 10;
constexpr qint16 BottomCentre = 12;
constexpr qint16 BottomSpread = 13;
constexpr qint16 MiddleCentre = 22;
constexpr qint16 HeavyDots = 5;
constexpr qint16 ThinDots = 1;
constexpr qint16 TwoPoints = 4;
constexpr qint16 PointAndOffset = 12;
constexpr qint16 BoxFromOffset = 28;
constexpr float Cell = 6;
constexpr float Y0 = 18;
constexpr double CommentLimit = 156;

void SetFont(const QString &name, qint16 size)
{
    SetPrinterFont(name, size, 1, 1, 1, 1);
}

const QString PGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString Gothic = QStringLiteral("ＭＳ ゴシック");
const QString PMincho = QStringLiteral("ＭＳ Ｐ明朝");
const QString Mincho = QStringLiteral("ＭＳ 明朝");

// Element i of a 0-based array with an unused element 0, empty where the array is short.
QString Element(const QStringList &array, qsizetype i)
{
    return i < array.size() ? array.at(i) : QString();
}

void DrawGrid(const PuzzleRecord &record)
{
    PrinterObject &printer = *PrintTarget;
    const qint32 n = record.ColCount;
    // The row-label column and the grid, 6·(N + 1) wide, centred together in x 0..84.
    const float x0 = float(84 - 6 * (qint64(n) + 1)) / 2.0f; // 64 bits: n may be huge
    const float side = float(6.0 * n);
    printer.SetDrawWidth(HeavyDots);
    printer.Line(BoxFromOffset, x0 + Cell, Y0 + Cell, side, side, 0);

    printer.SetDrawWidth(ThinDots);
    SetFont(PGothic, 11);
    for (qint32 e = 1; e <= n; ++e) {
        const float column = float(x0 + 6.0 * e);
        const float row = float(Y0 + 6.0 * e);
        if (e >= 2) {
            printer.Line(PointAndOffset, column, Y0 + Cell, 0, side, 0);
            printer.Line(PointAndOffset, x0 + Cell, row, side, 0, 0);
        }
        PrintTextInBox(column, float(x0 + 6.0 * (e + 1)), Y0, Y0 + Cell,
                       Element(record.ColLabels, e), MiddleCentre);
        PrintTextInBox(x0, x0 + Cell, row, float(Y0 + 6.0 * (e + 1)),
                       Element(record.RowLabels, e), MiddleCentre);
    }
}

// Returns the y at which the second rule lies.
float DrawHints(const PuzzleRecord &record)
{
    float y = float(Y0 + 6.0 * (record.ColCount + 1) + 2);
    SetFont(Gothic, 8);
    const qsizetype count = UpperBound(record.HintLines);
    for (qsizetype k = 1; k <= count; ++k)
        PrintTextAt(1, 85, float(y + 3.5 * k), record.HintLines.at(k), BottomLeft);
    return float(y + 3.5 * count + 1);
}

void DrawComments(const PuzzleRecord &record, float y)
{
    SetFont(Mincho, 8);
    const qsizetype count = UpperBound(record.CommentLines);
    for (qsizetype k = 1; k <= count; ++k) {
        const double at = y + 3.0 * k;
        if (at > CommentLimit) {
            SetFont(Mincho, 6);
            PrintTextAt(0, 85, float(at), QStringLiteral("（以下印刷省略）"), BottomLeft);
            return;
        }
        PrintTextAt(1, 85, float(at), record.CommentLines.at(k), BottomLeft);
    }
}

} // namespace

QString CreditLine(const PuzzleRecord &record)
{
    QString line = QStringLiteral("印刷ソフト作成：kesa.tn");
    if (!record.MagazineId.isEmpty())
        line = QStringLiteral("まぐまぐＩＤ：") + record.MagazineId + QStringLiteral("  ") + line;
    if (!record.Publisher.isEmpty())
        line = QStringLiteral("発行責任者：") + record.Publisher + QStringLiteral("  ") + line;
    return line;
}

void DrawIssuePage(const PuzzleRecord &record)
{
    PrinterObject &printer = *PrintTarget;
    SetFont(PGothic, 11);
    PrintTextAt(10, 77, 5, QStringLiteral("－今日のロタム－"), BottomSpread);
    SetFont(PGothic, 9);
    PrintTextAt(0, 87, 10, record.TitleLine, BottomCentre);
    SetFont(PMincho, 9);
    PrintTextAt(0, 87, 15, record.GridNote, BottomCentre);
    SetFont(PMincho, 6);
    PrintTextAt(0, 87, 162, CreditLine(record), BottomCentre);
    if (!record.SendTime.isEmpty())
        PrintTextAt(0, 87, 165, QStringLiteral("発信時刻：") + record.SendTime, BottomCentre);

    printer.SetDrawWidth(HeavyDots);
    printer.Line(TwoPoints, 1, 17, 85, 17, 0);
    DrawGrid(record);

    float y = DrawHints(record);
    printer.SetDrawWidth(HeavyDots);
    printer.Line(TwoPoints, 1, y, 85, y, 0);
    y = y + 1;
    DrawComments(record, y);
    printer.NewPage();
}
