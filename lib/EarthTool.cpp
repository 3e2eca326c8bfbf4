// Great-circle geometry on the spherical earth.
#include "HYX/EarthTool.h"

#include "HYX/Const.h"

#include <algorithm>
#include <cmath>

namespace HYX {

float EarthTool::angle(float lat1, float lon1, float lat2, float lon2) {
    if (lat1 == Const::FMISS || lat2 == Const::FMISS || lon1 == Const::FMISS ||
        lon2 == Const::FMISS)
        return Const::FMISS;
    const double d = Const::DRC;
    const double a1 = lat1 * d, o1 = lon1 * d, a2 = lat2 * d, o2 = lon2 * d;
    double dot = std::cos(a1) * std::cos(o1) * std::cos(a2) * std::cos(o2) +
                 std::cos(a1) * std::sin(o1) * std::cos(a2) * std::sin(o2) +
                 std::sin(a1) * std::sin(a2);
    dot = std::max(-1.0, std::min(1.0, dot)); // rounding could leave acos's domain
    return static_cast<float>(std::acos(dot) * Const::RDC);
}

float EarthTool::bearing(float lat1, float lon1, float lat2, float lon2) {
    if (lat1 == Const::FMISS || lat2 == Const::FMISS || lon1 == Const::FMISS ||
        lon2 == Const::FMISS)
        return Const::FMISS;
    const double d = Const::DRC;
    const double a1 = lat1 * d, a2 = lat2 * d, dl = (lon2 - lon1) * d;
    const double east = std::sin(dl) * std::cos(a2);
    const double north = std::cos(a1) * std::sin(a2) - std::sin(a1) * std::cos(a2) * std::cos(dl);
    if (std::fabs(east) + std::fabs(north) < 1e-9) return Const::FMISS;
    const double b = std::atan2(east, north) * Const::RDC;
    return static_cast<float>(b < 0 ? b + 360 : b);
}

} // namespace HYX
