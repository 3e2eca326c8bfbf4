// A wind: the direction it blows from (degrees clockwise from north or the top of the
// plot) and its speed.
#ifndef HYX_WIND_H
#define HYX_WIND_H

#include "HYX/Const.h"
#include "HYX/Export.h"
#include "HYX/Vect.h"

namespace HYX {

class HYX_API Wind {
public:
    Wind() = default;
    Wind(float d, float s) : dir(d), spd(s) {}

    void init() { dir = spd = Const::FMISS; }
    void set(float d, float s) {
        dir = d;
        spd = s;
    }
    void setDir(float d) { dir = d; }
    float getDir() const { return dir; }
    void setSpd(float s) { spd = s; }
    float getSpd() const { return spd; }
    bool valid() const { return dir != Const::FMISS && spd != Const::FMISS; }

    int setVect(float u, float v);
    int set(const Vect& v) { return setVect(v.x, v.y); }
    int toVect(Vect& v) const;
    Vect toVect() const;
    static Vect toVect(float dir, float spd);
    // Interpolation in the logarithm of the vertical coordinate (pressure).
    static Wind interp(const Wind& w1, const Wind& w2, float p1, float p2, float p);
    void print() const;

    float dir = Const::FMISS;
    float spd = Const::FMISS;
};

} // namespace HYX

#endif
