#include "IssuePage.h"

#include "IssueGrid.h"
#include "PageText.h"

#include "PuzzleRecord.h"

#include <algorithm>

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

// Returns the bottom of the last line drawn, a comment or the cut-off mark; 0 without one.
double DrawComments(PrinterObject &printer, const PuzzleRecord &record, float y)
{
    UseFont(printer, Mincho, 8);
    const qsizetype count = UpperBound(record.CommentLines);
    double bottom = 0;
    for (qsizetype k = 1; k <= count; ++k) {
        const double at = y + 3.0 * k;
        if (at > CommentLimit) {
            UseFont(printer, Mincho, 6);
            TextAt(printer, 0, 85, float(at), QStringLiteral("（以下印刷省略）"), BottomLeft);
            return at;
        }
        TextAt(printer, 1, 85, float(at), record.CommentLines.at(k), BottomLeft);
        bottom = at;
    }
    return bottom;
}

// The footer sits at its place unless the hints, which are never cut, reach below it; then
// it follows the last line drawn.
void DrawFooter(PrinterObject &printer, const PuzzleRecord &record, double lastBottom)
{
    const float credit = float(std::max(162.0, lastBottom + 3));
    UseFont(printer, PMincho, 6);
    TextAt(printer, 0, 87, credit, CreditLine(record), BottomCentre);
    if (!record.SendTime.isEmpty())
        TextAt(printer, 0, 87, credit + 3, QStringLiteral("発信時刻：") + record.SendTime,
               BottomCentre);
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

QString DocumentName(const PuzzleRecord &first, int count)
{
    const QString title = QStringLiteral("◇") + first.Title + QStringLiteral("◇");
    return count > 1 ? title + QStringLiteral(" ほか %1 問").arg(count - 1) : title;
}

void DrawIssuePage(PrinterObject &printer, const PuzzleRecord &record, bool cells)
{
    UseFont(printer, PGothic, 11);
    TextAt(printer, 10, 77, 5, QStringLiteral("－今日のロタム－"), BottomSpread);
    UseFont(printer, PGothic, 9);
    TextAt(printer, 0, 87, 10, record.TitleLine, BottomCentre);
    UseFont(printer, PMincho, 9);
    TextAt(printer, 0, 87, 15, record.GridNote, BottomCentre);

    printer.SetDrawWidth(HeavyDots);
    printer.Line(LineForm::TwoPoints, 1, 17, 85, 17);
    const double gridBottom = DrawIssueGrid(printer, record, cells);

    float y = DrawHints(printer, record, gridBottom);
    printer.SetDrawWidth(HeavyDots);
    printer.Line(LineForm::TwoPoints, 1, y, 85, y);
    // Just above the rule: the last hint's bottom, or 2 mm under the grid without hints.
    const double aboveRule = y - 1;
    y = y + 1;
    DrawFooter(printer, record, std::max(aboveRule, DrawComments(printer, record, y)));
}
