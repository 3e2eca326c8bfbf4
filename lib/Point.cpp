// A point in plot coordinates.
#include "HYX/Point.h"

#include <cstdio>

namespace HYX {

void Point::print() const { std::printf("%f %f %f\n", x, y, z); }

} // namespace HYX
