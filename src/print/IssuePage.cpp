#include "IssuePage.h"

#include "IssueGrid.h"
#include "PageText.h"
#include "TextWrap.h"

#include "PuzzleRecord.h"

#include <algorithm>

using namespace PageText;

namespace {

constexpr qint16 BottomLeft = 10;
constexpr qint16 BottomCentre = 12;
constexpr qint16 BottomSpread = 13;
constexpr qint16 HeavyDots = 5;
constexpr double CommentLimit = 156;
constexpr float TextLeft = 1;     // where hint and comment lines begin
constexpr float CentreSpan = 87;  // headings and the footer are centred over 0..87
constexpr float SmallestSize = 6; // points; a heading is not set smaller than this

void UseFont(PrinterObject &printer, const QString &name, qint16 size)
{
    SetFont(printer, name, size, 1, 1, 1, 1);
}

const QString PGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString Gothic = QStringLiteral("ＭＳ ゴシック");
const QString PMincho = QStringLiteral("ＭＳ Ｐ明朝");
const QString Mincho = QStringLiteral("ＭＳ 明朝");

float FrameRight(const PrinterObject &printer)
{
    return printer.ScaleLeft() + printer.ScaleWidth();
}

// A line centred over the layout at bottom y, kept inside the frame: moved just enough where
// it would cross an edge, set smaller down to the smallest size where it is wider than the
// frame, and only then wrapped, each line under the one before. Returns the height the extra
// lines add.
float DrawCentred(PrinterObject &printer, const QString &text, float y)
{
    const float left = printer.ScaleLeft();
    const float right = FrameRight(printer);
    const float room = right - left;
    float width = printer.TextWidth(text);
    if ((CentreSpan - width) / 2 >= left && (CentreSpan + width) / 2 <= right) {
        TextAt(printer, 0, CentreSpan, y, text, BottomCentre);
        return 0;
    }
    if (width > room) {
        // Widths follow the size only nearly in proportion: step down until it fits.
        printer.Font.Size = std::max(SmallestSize, printer.Font.Size * room / width);
        while (printer.Font.Size > SmallestSize && printer.TextWidth(text) > room)
            printer.Font.Size = std::max(SmallestSize, printer.Font.Size * 0.99f);
    }
    const QStringList lines = WrapToWidth(printer, text, room);
    const float pitch = printer.TextHeight(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        width = printer.TextWidth(lines.at(i));
        const float x = std::clamp((CentreSpan - width) / 2, left, right - width);
        TextAt(printer, x, x + width, y + pitch * float(i), lines.at(i), BottomLeft);
    }
    return pitch * float(lines.size() - 1);
}

// The lines a hint or comment takes from the left margin to the frame's edge.
QStringList BodyLines(PrinterObject &printer, const QString &text)
{
    return WrapToWidth(printer, text, FrameRight(printer) - TextLeft);
}

// Returns the y at which the second rule lies.
float DrawHints(PrinterObject &printer, const PuzzleRecord &record, double gridBottom)
{
    float y = float(gridBottom + 2);
    UseFont(printer, Gothic, 8);
    const qsizetype count = UpperBound(record.HintLines);
    int printed = 0;
    for (qsizetype k = 1; k <= count; ++k) {
        for (const QString &line : BodyLines(printer, record.HintLines.at(k)))
            TextAt(printer, TextLeft, 85, float(y + 3.5 * ++printed), line, BottomLeft);
    }
    return float(y + 3.5 * printed + 1);
}

// Returns the bottom of the last line drawn, a comment or the cut-off mark; 0 without one.
double DrawComments(PrinterObject &printer, const PuzzleRecord &record, float y)
{
    UseFont(printer, Mincho, 8);
    const qsizetype count = UpperBound(record.CommentLines);
    double bottom = 0;
    int printed = 0;
    for (qsizetype k = 1; k <= count; ++k) {
        for (const QString &line : BodyLines(printer, record.CommentLines.at(k))) {
            const double at = y + 3.0 * ++printed;
            if (at > CommentLimit) {
                UseFont(printer, Mincho, 6);
                TextAt(printer, 0, 85, float(at), QStringLiteral("（以下印刷省略）"), BottomLeft);
                return at;
            }
            TextAt(printer, TextLeft, 85, float(at), line, BottomLeft);
            bottom = at;
        }
    }
    return bottom;
}

// The footer sits at its place unless the hints, which are never cut, reach below it; then
// it follows the last line drawn.
void DrawFooter(PrinterObject &printer, const PuzzleRecord &record, double lastBottom)
{
    const float credit = float(std::max(162.0, lastBottom + 3));
    UseFont(printer, PMincho, 6);
    const float added = DrawCentred(printer, CreditLine(record), credit);
    if (!record.SendTime.isEmpty())
        DrawCentred(printer, QStringLiteral("発信時刻：") + record.SendTime, credit + added + 3);
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
    // A heading that had to wrap moves everything under it down: the scale's top moves with
    // it, and is put back for the next issue.
    const float top = printer.ScaleTop();
    UseFont(printer, PGothic, 9);
    float added = DrawCentred(printer, record.TitleLine, 10);
    printer.SetScaleTop(top - added);
    UseFont(printer, PMincho, 9);
    added += DrawCentred(printer, record.GridNote, 15);
    printer.SetScaleTop(top - added);

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
    printer.SetScaleTop(top);
}
