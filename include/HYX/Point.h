// A point in plot coordinates; all fields missing after init().
#ifndef HYX_POINT_H
#define HYX_POINT_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API Point {
public:
    Point() = default;
    Point(float px, float py) : x(px), y(py) {}
    Point(float px, float py, float pz) : x(px), y(py), z(pz) {}

    void init() { x = y = z = Const::FMISS; }
    void set(float px, float py) {
        x = px;
        y = py;
    }
    void set(float px, float py, float pz) {
        x = px;
        y = py;
        z = pz;
    }
    void set(const Point& p) { *this = p; }
    void offset(float dx, float dy) {
        x += dx;
        y += dy;
    }
    float getX() const { return x; }
    float getY() const { return y; }
    float getZ() const { return z; }
    bool valid() const { return x != Const::FMISS && y != Const::FMISS; }
    void print() const;
    static Point interp(const Point& p1, const Point& p2, float f) {
        return Point(p1.x + (p2.x - p1.x) * f, p1.y + (p2.y - p1.y) * f);
    }

    float x = Const::FMISS;
    float y = Const::FMISS;
    float z = Const::FMISS;
};

} // namespace HYX

#endif
