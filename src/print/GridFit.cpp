#include "GridFit.h"

#include <algorithm>

namespace {

constexpr double PlainCell = 6;
constexpr qint64 Band = 84;

} // namespace

GridFit fitGrid(qint32 n, float left, float right)
{
    const qint64 cells = qint64(n) + 1; // 64 bits: n may be huge
    const double width = PlainCell * double(cells);
    const double room = std::max(double(right) - double(left), 0.0);
    if (width > room)
        return {left, room / double(cells)};
    const float centred = float(Band - 6 * cells) / 2.0f;
    if (centred < left)
        return {left, PlainCell};
    if (centred + width > right)
        return {float(right - width), PlainCell};
    return {centred, PlainCell};
}
