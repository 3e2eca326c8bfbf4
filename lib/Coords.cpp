// A rectangle with cached extents.
#include "HYX/Coords.h"

#include <cstdio>

namespace HYX {

void Coords::print() const {
    std::printf("%f,%f - %f,%f = %f,%f\n", xmin, ymin, xmax, ymax, xext, yext);
}

} // namespace HYX
