// A fractional grid index.
#include "HYX/GridPoint.h"

#include <cstdio>

namespace HYX {

void GridPoint::print() const { std::printf("%f,%f\n", gx, gy); }

} // namespace HYX
