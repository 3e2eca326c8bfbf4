// A point on the earth (or the two data coordinates of a diagram) with an elevation.
#ifndef HYX_EARTHPOINT_H
#define HYX_EARTHPOINT_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API EarthPoint {
public:
    EarthPoint() = default;
    EarthPoint(float la, float lo) : lat(la), lon(lo) {}
    EarthPoint(float la, float lo, float el) : lat(la), lon(lo), elev(el) {}

    void init() { lat = lon = elev = Const::FMISS; }
    void set(float la, float lo) {
        lat = la;
        lon = lo;
    }
    void set(float la, float lo, float el) {
        lat = la;
        lon = lo;
        elev = el;
    }
    void setElev(float el) { elev = el; }
    float getLat() const { return lat; }
    float getLon() const { return lon; }
    float getElev() const { return elev; }
    bool valid() const { return lat != Const::FMISS && lon != Const::FMISS; }
    void print() const;

    float lat = Const::FMISS;
    float lon = Const::FMISS;
    float elev = Const::FMISS;
};

} // namespace HYX

#endif
