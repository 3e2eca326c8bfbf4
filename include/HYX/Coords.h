// A rectangle with cached signed extents; a reversed rectangle has a negative extent.
#ifndef HYX_COORDS_H
#define HYX_COORDS_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API Coords {
public:
    Coords() = default;
    Coords(float x1, float y1, float x2, float y2) { set(x1, y1, x2, y2); }

    void init() { xmin = ymin = xmax = ymax = xext = yext = Const::FMISS; }
    void set(float x1, float y1, float x2, float y2) {
        xmin = x1;
        ymin = y1;
        xmax = x2;
        ymax = y2;
        xext = x2 - x1;
        yext = y2 - y1;
    }
    void print() const;

    float xmin = Const::FMISS;
    float ymin = Const::FMISS;
    float xmax = Const::FMISS;
    float ymax = Const::FMISS;
    float xext = Const::FMISS;
    float yext = Const::FMISS;
};

} // namespace HYX

#endif
