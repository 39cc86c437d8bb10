#pragma once

#include <QtGlobal>

// Where the row-label column and the grid go across the page, and how large their cells are.
struct GridFit
{
    float x0;    // left edge of the row-label column
    double cell; // side of a cell, label cells included
};

// The row-label column and a grid of n cells, centred together in x 0..84 with 6 mm cells,
// kept between left and right: shifted just enough when they would cross an edge, and with
// cells shrunk evenly when they are wider than that room. A grid that fits is left as it is.
GridFit fitGrid(qint32 n, float left, float right);
