// One named colour of a colour table.
#include "HYX/Color.h"

#include "HYX/RGB.h"
#include "HYX/StrLib.h"

#include <cstdio>

namespace HYX {

void Color::init() {
    name[0] = 0;
    red = grn = blu = -1;
    value = -1;
}

void Color::set(const char* n, float r, float g, float b) {
    StrLib::copy(name, sizeof name, n);
    setRGB(r, g, b);
}

void Color::setRGB(float r, float g, float b) {
    red = r;
    grn = g;
    blu = b;
}

void Color::get(RGB& c) const { c.set(red, grn, blu); }

void Color::print() const {
    std::printf("%8d (%4.2f,%4.2f,%4.2f) %s\n", value, red, grn, blu, name);
}

} // namespace HYX
