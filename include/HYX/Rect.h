// A rectangle; set() orders each coordinate pair.
#ifndef HYX_RECT_H
#define HYX_RECT_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API Rect {
public:
    Rect() = default;
    Rect(float x1, float y1, float x2, float y2) { set(x1, y1, x2, y2); }

    void init() { xmin = ymin = xmax = ymax = Const::FMISS; }
    void set(float x1, float y1, float x2, float y2);
    float getXmin() const { return xmin; }
    float getYmin() const { return ymin; }
    float getXmax() const { return xmax; }
    float getYmax() const { return ymax; }
    float getWidth() const { return xmax - xmin; }
    float getHeight() const { return ymax - ymin; }
    bool valid() const { return xmin != Const::FMISS && xmax != Const::FMISS; }
    void print() const;

    float xmin = Const::FMISS;
    float ymin = Const::FMISS;
    float xmax = Const::FMISS;
    float ymax = Const::FMISS;
};

} // namespace HYX

#endif
