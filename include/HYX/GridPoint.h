// A fractional grid index: column gx and row gy; integer values fall on grid points.
#ifndef HYX_GRIDPOINT_H
#define HYX_GRIDPOINT_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API GridPoint {
public:
    GridPoint() = default;
    GridPoint(float x, float y) : gx(x), gy(y) {}

    void init() { gx = gy = 0.0f; }
    void set(float x, float y) {
        gx = x;
        gy = y;
    }
    void set(const GridPoint& g) { *this = g; }
    void offset(float dx, float dy) {
        gx += dx;
        gy += dy;
    }
    float getGX() const { return gx; }
    float getGY() const { return gy; }
    bool valid() const { return gx != Const::FMISS && gy != Const::FMISS; }
    void print() const;

    float gx = 0.0f;
    float gy = 0.0f;
};

} // namespace HYX

#endif
