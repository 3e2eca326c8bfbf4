// The defining values of a domain.
#include "HYX/DomainVal.h"

namespace HYX {

void DomainVal::init() {
    proj = Const::MISS;
    plat = plon = Const::FMISS;
    for (float& p : param) p = Const::FMISS;
    clat = clon = Const::FMISS;
    dx = dy = Const::FMISS;
    nx = ny = Const::MISS;
    ellipse = false;
}

bool DomainVal::compareProj(const DomainVal& a, const DomainVal& b) {
    if (a.proj != b.proj || a.plat != b.plat || a.plon != b.plon || a.ellipse != b.ellipse)
        return false;
    for (int i = 0; i < max_param; ++i)
        if (a.param[i] != b.param[i]) return false;
    return true;
}

bool DomainVal::compare(const DomainVal& a, const DomainVal& b) {
    return compareProj(a, b) && a.clat == b.clat && a.clon == b.clon && a.dx == b.dx &&
           a.dy == b.dy && a.nx == b.nx && a.ny == b.ny;
}

} // namespace HYX
