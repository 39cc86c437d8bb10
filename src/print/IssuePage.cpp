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
constexpr double CommentLimit = 156;
constexpr float TextLeft = 1;     // where hint and comment lines begin
constexpr float CentreSpan = 87;  // headings and the footer are centred over 0..87
constexpr float SmallestSize = 6; // points; a heading is not set smaller than this

const QString PGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString Gothic = QStringLiteral("ＭＳ ゴシック");
const QString PMincho = QStringLiteral("ＭＳ Ｐ明朝");
const QString Mincho = QStringLiteral("ＭＳ 明朝");

float frameRight(const PrinterObject &printer)
{
    return printer.scaleLeft() + printer.scaleWidth();
}

// A line centred over the layout at bottom y, kept inside the frame: moved just enough where
// it would cross an edge, set smaller down to the smallest size where it is wider than the
// frame, and only then wrapped, each line under the one before. Returns the height the extra
// lines add.
float drawCentred(PrinterObject &printer, const QString &text, float y)
{
    const float left = printer.scaleLeft();
    const float right = frameRight(printer);
    const float room = right - left;
    float width = printer.textWidth(text);
    if ((CentreSpan - width) / 2 >= left && (CentreSpan + width) / 2 <= right) {
        textAt(printer, 0, CentreSpan, y, text, BottomCentre);
        return 0;
    }
    if (width > room) {
        // Widths follow the size only nearly in proportion: step down until it fits.
        printer.font.size = std::max(SmallestSize, printer.font.size * room / width);
        while (printer.font.size > SmallestSize && printer.textWidth(text) > room)
            printer.font.size = std::max(SmallestSize, printer.font.size * 0.99f);
    }
    const QStringList lines = wrapToWidth(printer, text, room);
    const float pitch = printer.textHeight(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        width = printer.textWidth(lines.at(i));
        const float x = std::clamp((CentreSpan - width) / 2, left, right - width);
        textAt(printer, x, x + width, y + pitch * float(i), lines.at(i), BottomLeft);
    }
    return pitch * float(lines.size() - 1);
}

// The lines a hint or comment takes from the left margin to the frame's edge.
QStringList bodyLines(PrinterObject &printer, const QString &text)
{
    return wrapToWidth(printer, text, frameRight(printer) - TextLeft);
}

// Returns the y at which the second rule lies.
float drawHints(PrinterObject &printer, const PuzzleRecord &record, double gridBottom)
{
    float y = float(gridBottom + 2);
    setFont(printer, {.name = Gothic, .size = 8});
    const qsizetype count = upperBound(record.HintLines);
    int printed = 0;
    for (qsizetype k = 1; k <= count; ++k) {
        for (const QString &line : bodyLines(printer, record.HintLines.at(k)))
            textAt(printer, TextLeft, 85, float(y + 3.5 * ++printed), line, BottomLeft);
    }
    return float(y + 3.5 * printed + 1);
}

// Returns the bottom of the last line drawn, a comment or the cut-off mark; 0 without one.
double drawComments(PrinterObject &printer, const PuzzleRecord &record, float y)
{
    setFont(printer, {.name = Mincho, .size = 8});
    const qsizetype count = upperBound(record.CommentLines);
    double bottom = 0;
    int printed = 0;
    for (qsizetype k = 1; k <= count; ++k) {
        for (const QString &line : bodyLines(printer, record.CommentLines.at(k))) {
            const double at = y + 3.0 * ++printed;
            if (at > CommentLimit) {
                setFont(printer, {.name = Mincho, .size = 6});
                textAt(printer, 0, 85, float(at), QStringLiteral("（以下印刷省略）"), BottomLeft);
                return at;
            }
            textAt(printer, TextLeft, 85, float(at), line, BottomLeft);
            bottom = at;
        }
    }
    return bottom;
}

// The footer sits at its place unless the hints, which are never cut, reach below it; then
// it follows the last line drawn.
void drawFooter(PrinterObject &printer, const PuzzleRecord &record, double lastBottom)
{
    const float credit = float(std::max(162.0, lastBottom + 3));
    setFont(printer, {.name = PMincho, .size = 6});
    const float added = drawCentred(printer, creditLine(record), credit);
    if (!record.SendTime.isEmpty())
        drawCentred(printer, QStringLiteral("発信時刻：") + record.SendTime, credit + added + 3);
}

} // namespace

QString creditLine(const PuzzleRecord &record)
{
    QString line = QStringLiteral("印刷ソフト作成：kesa.tn");
    if (!record.MagazineId.isEmpty())
        line = QStringLiteral("まぐまぐＩＤ：") + record.MagazineId + QStringLiteral("  ") + line;
    if (!record.Publisher.isEmpty())
        line = QStringLiteral("発行責任者：") + record.Publisher + QStringLiteral("  ") + line;
    return line;
}

QString documentName(const PuzzleRecord &first, int count)
{
    const QString title = QStringLiteral("◇") + first.Title + QStringLiteral("◇");
    return count > 1 ? title + QStringLiteral(" ほか %1 問").arg(count - 1) : title;
}

void drawIssuePage(PrinterObject &printer, const PuzzleRecord &record, bool cells)
{
    setFont(printer, {.name = PGothic, .size = 11});
    textAt(printer, 10, 77, 5, QStringLiteral("－今日のロタム－"), BottomSpread);
    // A heading that had to wrap moves everything under it down: the scale's top moves with
    // it, and is put back for the next issue.
    const float top = printer.scaleTop();
    setFont(printer, {.name = PGothic, .size = 9});
    float added = drawCentred(printer, record.TitleLine, 10);
    printer.setScaleTop(top - added);
    setFont(printer, {.name = PMincho, .size = 9});
    added += drawCentred(printer, record.GridNote, 15);
    printer.setScaleTop(top - added);

    printer.setDrawWidth(HeavyDots);
    printer.line(LineForm::TwoPoints, 1, 17, 85, 17);
    const double gridBottom = drawIssueGrid(printer, record, cells);

    float y = drawHints(printer, record, gridBottom);
    printer.setDrawWidth(HeavyDots);
    printer.line(LineForm::TwoPoints, 1, y, 85, y);
    // Just above the rule: the last hint's bottom, or 2 mm under the grid without hints.
    const double aboveRule = y - 1;
    y = y + 1;
    drawFooter(printer, record, std::max(aboveRule, drawComments(printer, record, y)));
    printer.setScaleTop(top);
}
