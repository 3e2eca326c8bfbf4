// A wind with direction and speed.
#include "HYX/Wind.h"

#include <cmath>
#include <cstdio>

namespace HYX {

int Wind::setVect(float u, float v) {
    init();
    if (u == Const::FMISS || v == Const::FMISS) return 0;
    spd = std::sqrt(u * u + v * v);
    if (std::fabs(u) + std::fabs(v) < 0.01f) {
        dir = 0;
    } else {
        dir = std::atan2(-u, -v) * Const::RDC;
        if (dir < 0) dir += 360;
    }
    return 1;
}

int Wind::toVect(Vect& v) const {
    if (valid()) {
        v.x = -spd * std::sin(dir * Const::DRC);
        v.y = -spd * std::cos(dir * Const::DRC);
    }
    return 1;
}

Vect Wind::toVect() const {
    Vect v;
    toVect(v);
    return v;
}

Vect Wind::toVect(float d, float s) {
    if (d == Const::FMISS || s == Const::FMISS) return Vect(0, 0);
    return Wind(d, s).toVect();
}

Wind Wind::interp(const Wind& w1, const Wind& w2, float p1, float p2, float p) {
    Wind out;
    if (!(p1 > 0) || !(p2 > 0) || !(p > 0)) return out;
    const bool m1 = w1.dir == Const::FMISS;
    const bool m2 = w2.dir == Const::FMISS;
    if (m1 && m2) return out;
    if (m1) return w2;
    if (m2) return w1;
    if (p1 == p2) return w1;
    const float f = std::log(p / p1) / std::log(p2 / p1);
    const Vect v1 = w1.toVect();
    const Vect v2 = w2.toVect();
    out.set(Vect(v1.x + (v2.x - v1.x) * f, v1.y + (v2.y - v1.y) * f));
    if (w1.spd != Const::FMISS && w2.spd != Const::FMISS) out.spd = w1.spd + (w2.spd - w1.spd) * f;
    return out;
}

void Wind::print() const { std::printf("%f %f\n", dir, spd); }

} // namespace HYX
