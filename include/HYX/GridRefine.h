// A finer grid between the columns of a grid with plot positions, for smoother contours.
// Each gap between neighbouring columns is cut into steps no wider than a given width. The
// new points lie on the straight line between the points of the same row in the two
// columns, so the lowest row keeps to the ground line drawn between stations; their values
// follow a monotone cubic through the row's values against x, which leaves no corner at the
// columns and makes no new highs or lows.
#ifndef HYX_GRIDREFINE_H
#define HYX_GRIDREFINE_H

#include "HYX/Export.h"

namespace HYX {

class Grid;

class HYX_API GridRefine {
public:
    // 0 (out untouched) when in has no positions or step is not positive.
    static int columns(const Grid& in, float step, Grid& out);
};

} // namespace HYX

#endif
