// Cutting latitude-longitude lines at the date line: a point beyond x = -180 or 180 is
// moved onto the edge it crossed, points wholly beyond it are dropped, and a missing point
// (-9999, -9999) separates the parts so that they are drawn apart.
#ifndef HYX_LINECROP_H
#define HYX_LINECROP_H

#include "HYX/Export.h"

namespace HYX {

class Point;
class Points;

class HYX_API LineCrop {
public:
    static constexpr float EDGE = 180.0f;

    static bool isMissing(const Point& p);
    static bool inside(const Point& p);
    // The first point when outside, else the second; 1 when a point moved.
    static int crop(Point& a, Point& b);
    // 1 when the polyline changed.
    static int crop(Points& pts);
};

} // namespace HYX

#endif
