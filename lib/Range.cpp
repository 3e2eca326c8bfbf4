// A value range.
#include "HYX/Range.h"

#include <cstdio>

namespace HYX {

void Range::print() const { std::printf("%f %f\n", min, max); }

} // namespace HYX
