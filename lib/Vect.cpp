// A wind vector.
#include "HYX/Vect.h"

#include <cstdio>

namespace HYX {

int Vect::add(const Vect& v) {
    if (x == Const::FMISS || v.x == Const::FMISS) return 0;
    x += v.x;
    y += v.y;
    return 1;
}

int Vect::sub(const Vect& v) {
    if (x == Const::FMISS || v.x == Const::FMISS) return 0;
    x -= v.x;
    y -= v.y;
    return 1;
}

int Vect::scale(float f) {
    if (x == Const::FMISS || f == Const::FMISS) return 0;
    x *= f;
    y *= f;
    return 1;
}

void Vect::print() const { std::printf("%f %f\n", x, y); }

} // namespace HYX
