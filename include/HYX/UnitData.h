// One unit conversion: the two unit names, the conversion text from the unit table
// and the numbers taken from it, with the numeric factors of the unit strings.
#ifndef HYX_UNITDATA_H
#define HYX_UNITDATA_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API UnitData {
public:
    static constexpr int unit_len = 15;
    static constexpr int cvt_len = 40;

    UnitData() { init(); }
    void init();
    // Result of the conversion rule (value * ifac * mult + offset) / ofac.
    float apply(float value) const;
    void print() const;

    char in[unit_len];
    char out[unit_len];
    char cvt[cvt_len];
    float mult;
    float offset;
    float ifac;
    float ofac;
    int valid;
    int flag;
};

} // namespace HYX

#endif
