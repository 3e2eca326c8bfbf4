// A vertical coordinate for sounding interpolation: a kind (surface, special level,
// pressure, height or potential temperature) and a value.
#ifndef HYX_VCOORD_H
#define HYX_VCOORD_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API VCoord {
public:
    enum Type { SFC = 0, FRZ = 1, LCL = 2, MWND = 3, TROP = 4, PRESS = 5, HGHT = 6, THETA = 7 };

    VCoord() = default;
    VCoord(int t, float v) : type(t), val(v) {}

    void init() {
        type = PRESS;
        val = Const::FMISS;
    }
    void set(int t, float v) {
        type = t;
        val = v;
    }
    void setType(int t) { type = t; }
    int getType() const { return type; }
    void setVal(float v) { val = v; }
    float getVal() const { return val; }
    bool isSet() const { return val != Const::FMISS || (type >= SFC && type <= TROP); }
    void print() const;
    static bool equal(const VCoord& a, const VCoord& b) {
        return a.type == b.type && a.val == b.val;
    }

    int type = PRESS;
    float val = Const::FMISS;
};

} // namespace HYX

#endif
