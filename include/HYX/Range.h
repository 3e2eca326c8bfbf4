// A value range.
#ifndef HYX_RANGE_H
#define HYX_RANGE_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API Range {
public:
    Range() = default;
    Range(float mn, float mx) : min(mn), max(mx) {}

    void init() { min = max = Const::FMISS; }
    void set(float mn, float mx) {
        min = mn;
        max = mx;
    }
    float getMin() const { return min; }
    float getMax() const { return max; }
    float getRange() const {
        return (min == Const::FMISS || max == Const::FMISS) ? Const::FMISS : max - min;
    }
    void print() const;

    float min = Const::FMISS;
    float max = Const::FMISS;
};

} // namespace HYX

#endif
