// Temperature, speed and length conversions; a missing input stays missing.
#ifndef HYX_CONVERT_H
#define HYX_CONVERT_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API Convert {
public:
    static float CtoK(float c) { return c == Const::FMISS ? Const::FMISS : c + 273.15f; }
    static float KtoC(float k) { return k == Const::FMISS ? Const::FMISS : k - 273.15f; }
    static float KtoF(float k) {
        return k == Const::FMISS ? Const::FMISS : 9 * (k - 273.15f) / 5 + 32;
    }
    static float FtoK(float f) {
        return f == Const::FMISS ? Const::FMISS : 5 * (f - 32) / 9 + 273.15f;
    }
    static float KTtoMPS(float kt) { return kt == Const::FMISS ? Const::FMISS : 0.5144f * kt; }
    static float MPStoKT(float ms) { return ms == Const::FMISS ? Const::FMISS : 1.944f * ms; }
    static float FTtoM(float ft) { return ft == Const::FMISS ? Const::FMISS : 0.3048f * ft; }
};

} // namespace HYX

#endif
