// A rectangle.
#include "HYX/Rect.h"

#include <cstdio>

namespace HYX {

void Rect::set(float x1, float y1, float x2, float y2) {
    xmin = x1 < x2 ? x1 : x2;
    xmax = x1 < x2 ? x2 : x1;
    ymin = y1 < y2 ? y1 : y2;
    ymax = y1 < y2 ? y2 : y1;
}

void Rect::print() const { std::printf("%f %f %f %f\n", xmin, ymin, xmax, ymax); }

} // namespace HYX
