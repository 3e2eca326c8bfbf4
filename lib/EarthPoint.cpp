// A point on the earth.
#include "HYX/EarthPoint.h"

#include <cstdio>

namespace HYX {

void EarthPoint::print() const { std::printf("%f %f %f\n", lat, lon, elev); }

} // namespace HYX
