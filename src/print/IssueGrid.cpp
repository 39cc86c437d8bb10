#include "IssueGrid.h"

#include "GridFit.h"
#include "PageText.h"

#include "PuzzleRecord.h"

#include <algorithm>

using namespace PageText;

namespace {

constexpr qint16 MiddleCentre = 22;
constexpr qint16 ThinDots = 1;
constexpr float Y0 = 18; // top of the column-label row
constexpr qint16 LabelSize = 11;
constexpr double PlainCell = 6;

const QString LabelFace = QStringLiteral("ＭＳ Ｐゴシック");

// Element i of a 0-based array with an unused element 0, empty where the array is short.
QString element(const QStringList &array, qsizetype i)
{
    return i < array.size() ? array.at(i) : QString();
}

// The label font, smaller in proportion where the cells had to shrink.
void useLabelFont(PrinterObject &printer, double cell)
{
    setFont(printer, {.name = LabelFace, .size = LabelSize});
    if (cell < PlainCell)
        printer.font.size = float(LabelSize * cell / PlainCell);
}

// Each cell takes the character the mail's row holds at its column: ■ fills it, □ and the
// ideographic space leave it empty, anything else is written in it.
void drawCells(PrinterObject &printer, const PuzzleRecord &record, float x0, double cell)
{
    const qsizetype rows = std::min<qsizetype>(record.ColCount, upperBound(record.Cells));
    for (qsizetype r = 1; r <= rows; ++r) {
        const QList<uint> characters = record.Cells.at(r).toUcs4();
        const qsizetype columns = std::min<qsizetype>(record.ColCount, characters.size());
        const double top = Y0 + cell * double(r);
        for (qsizetype c = 0; c < columns; ++c) {
            const char32_t character = characters.at(c);
            const double left = x0 + cell * double(c + 1);
            if (character == U'■')
                printer.line(LineForm::FilledBoxFromOffset, float(left), float(top), float(cell),
                             float(cell));
            else if (character != U'□' && character != U'\u3000')
                textInBox(printer, float(left), float(left + cell), float(top), float(top + cell),
                          QString::fromUcs4(&character, 1), MiddleCentre);
        }
    }
}

} // namespace

double drawIssueGrid(PrinterObject &printer, const PuzzleRecord &record, bool cells)
{
    const qint32 n = record.ColCount;
    const GridFit fit = fitGrid(n, printer.scaleLeft(), printer.scaleLeft() + printer.scaleWidth());
    const float x0 = fit.x0;
    const double cell = fit.cell;
    const float side = float(cell * n);
    const float gridTop = float(Y0 + cell);
    printer.setDrawWidth(HeavyDots);
    printer.line(LineForm::BoxFromOffset, float(x0 + cell), gridTop, side, side);

    printer.setDrawWidth(ThinDots);
    useLabelFont(printer, cell);
    for (qint32 e = 1; e <= n; ++e) {
        const float column = float(x0 + cell * e);
        const float row = float(Y0 + cell * e);
        if (e >= 2) {
            printer.line(LineForm::PointAndOffset, column, gridTop, 0, side);
            printer.line(LineForm::PointAndOffset, float(x0 + cell), row, side, 0);
        }
        textInBox(printer, column, float(x0 + cell * (e + 1)), Y0, gridTop,
                  element(record.ColLabels, e), MiddleCentre);
        textInBox(printer, x0, float(x0 + cell), row, float(Y0 + cell * (e + 1)),
                  element(record.RowLabels, e), MiddleCentre);
    }
    if (cells)
        drawCells(printer, record, x0, cell);
    return Y0 + cell * (double(n) + 1);
}
