// One cached unit conversion.
#include "HYX/UnitData.h"

#include "HYX/Const.h"

#include <cstdio>

namespace HYX {

void UnitData::init() {
    in[0] = out[0] = cvt[0] = 0;
    mult = ifac = ofac = 1.0f;
    offset = 0.0f;
    valid = 0;
    flag = -1;
}

float UnitData::apply(float value) const {
    if (value == Const::FMISS || !valid || ofac == 0.0f) return Const::FMISS;
    return (value * ifac * mult + offset) / ofac;
}

void UnitData::print() const {
    std::printf("%s %s %s %g %g %g %g %d %d\n", in, out, cvt, mult, offset, ifac, ofac, valid,
                flag);
}

} // namespace HYX
