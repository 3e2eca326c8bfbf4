// A growable list of earth points.
#include "HYX/EarthPoints.h"

#include "HYX/Rect.h"

#include <cstdio>

namespace HYX {

int EarthPoints::get(int i, EarthPoint& p) const {
    if (i < 0 || i >= pts.getNum()) return 0;
    p.set(pts.getY(i), pts.getX(i));
    return 1;
}

EarthPoint EarthPoints::get(int i) const {
    EarthPoint p;
    get(i, p);
    return p;
}

int EarthPoints::getRange(Rect& r) const {
    r.init();
    if (pts.getNum() == 0) return 0;
    float x0 = pts.getX(0), x1 = x0, y0 = pts.getY(0), y1 = y0;
    for (int i = 1; i < pts.getNum(); ++i) {
        if (pts.getX(i) < x0) x0 = pts.getX(i);
        if (pts.getX(i) > x1) x1 = pts.getX(i);
        if (pts.getY(i) < y0) y0 = pts.getY(i);
        if (pts.getY(i) > y1) y1 = pts.getY(i);
    }
    r.set(x0, y0, x1, y1);
    return 1;
}

void EarthPoints::print() const {
    for (int i = 0; i < pts.getNum(); ++i) std::printf("%d: %f %f\n", i, pts.getY(i), pts.getX(i));
}

} // namespace HYX
