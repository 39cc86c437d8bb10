#include "IssuePage.h"

#include "IssueGrid.h"
#include "PageText.h"

#include "PuzzleRecord.h"

using namespace PageText;

namespace {

constexpr qint16 BottomLeft = 10;
constexpr qint16 BottomCentre = 12;
constexpr qint16 BottomSpread = 13;
constexpr qint16 HeavyDots = 5;
constexpr double CommentLimit = 156;

void UseFont(PrinterObject &printer, const QString &name, qint16 size)
{
    SetFont(printer, name, size, 1, 1, 1, 1);
}

const QString PGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString Gothic = QStringLiteral("ＭＳ ゴシック");
const QString PMincho = QStringLiteral("ＭＳ Ｐ明朝");
const QString Mincho = QStringLiteral("ＭＳ 明朝");

// Returns the y at which the second rule lies.
float DrawHints(PrinterObject &printer, const PuzzleRecord &record, double gridBottom)
{
    float y = float(gridBottom + 2);
    UseFont(printer, Gothic, 8);
    const qsizetype count = UpperBound(record.HintLines);
    for (qsizetype k = 1; k <= count; ++k)
        TextAt(printer, 1, 85, float(y + 3.5 * k), record.HintLines.at(k), BottomLeft);
    return float(y + 3.5 * count + 1);
}

void DrawComments(PrinterObject &printer, const PuzzleRecord &record, float y)
{
    UseFont(printer, Mincho, 8);
    const qsizetype count = UpperBound(record.CommentLines);
    for (qsizetype k = 1; k <= count; ++k) {
        const double at = y + 3.0 * k;
        if (at > CommentLimit) {
            UseFont(printer, Mincho, 6);
            TextAt(printer, 0, 85, float(at), QStringLiteral("（以下印刷省略）"), BottomLeft);
            return;
        }
        TextAt(printer, 1, 85, float(at), record.CommentLines.at(k), BottomLeft);
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

void DrawIssuePage(PrinterObject &printer, const PuzzleRecord &record, bool cells)
{
    UseFont(printer, PGothic, 11);
    TextAt(printer, 10, 77, 5, QStringLiteral("－今日のロタム－"), BottomSpread);
    UseFont(printer, PGothic, 9);
    TextAt(printer, 0, 87, 10, record.TitleLine, BottomCentre);
    UseFont(printer, PMincho, 9);
    TextAt(printer, 0, 87, 15, record.GridNote, BottomCentre);
    UseFont(printer, PMincho, 6);
    TextAt(printer, 0, 87, 162, CreditLine(record), BottomCentre);
    if (!record.SendTime.isEmpty())
        TextAt(printer, 0, 87, 165, QStringLiteral("発信時刻：") + record.SendTime, BottomCentre);

    printer.SetDrawWidth(HeavyDots);
    printer.Line(LineForm::TwoPoints, 1, 17, 85, 17);
    const double gridBottom = DrawIssueGrid(printer, record, cells);

    float y = DrawHints(printer, record, gridBottom);
    printer.SetDrawWidth(HeavyDots);
    printer.Line(LineForm::TwoPoints, 1, y, 85, y);
    y = y + 1;
    DrawComments(printer, record, y);
}
