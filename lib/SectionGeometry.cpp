// The direction of a cross section at its columns and the wind turned into it.
#include "HYX/SectionGeometry.h"

#include "HYX/Const.h"
#include "HYX/EarthPoint.h"
#include "HYX/EarthTool.h"

#include <cmath>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;

bool miss(float v) { return v == MISS; }

// The direction in which the great circle from a arrives at b.
float arriving(const EarthPoint& a, const EarthPoint& b) {
    const float back = EarthTool::bearing(b.lat, b.lon, a.lat, a.lon);
    if (miss(back)) return MISS;
    return back >= 180 ? back - 180 : back + 180;
}

// The mean of two directions; missing when they are opposite (the line turns back).
float meanDirection(float a, float b) {
    if (miss(a)) return b;
    if (miss(b)) return a;
    const double x = std::sin(a * Const::DRC) + std::sin(b * Const::DRC);
    const double y = std::cos(a * Const::DRC) + std::cos(b * Const::DRC);
    if (std::fabs(x) + std::fabs(y) < 1e-6) return MISS;
    const double d = std::atan2(x, y) * Const::RDC;
    return static_cast<float>(d < 0 ? d + 360 : d);
}

} // namespace

std::vector<float> SectionGeometry::directions(const std::vector<EarthPoint>& st) {
    const size_t n = st.size();
    std::vector<float> dir(n, MISS);
    for (size_t j = 0; j < n; ++j) {
        const float in = j > 0 ? arriving(st[j - 1], st[j]) : MISS;
        const float out =
            j + 1 < n ? EarthTool::bearing(st[j].lat, st[j].lon, st[j + 1].lat, st[j + 1].lon)
                      : MISS;
        dir[j] = meanDirection(in, out);
    }
    return dir;
}

float SectionGeometry::along(float dir, float spd, float dir_section) {
    if (miss(dir) || miss(spd) || miss(dir_section)) return MISS;
    return static_cast<float>(-spd * std::cos((dir - dir_section) * Const::DRC));
}

float SectionGeometry::normal(float dir, float spd, float dir_section) {
    if (miss(dir) || miss(spd) || miss(dir_section)) return MISS;
    return static_cast<float>(spd * std::sin((dir - dir_section) * Const::DRC));
}

} // namespace HYX
