// The colour bar of a plot.
#include "HYX/ColorBar.h"

#include "HYX/StrLib.h"
#include "HYX/Strings.h"

#include <cstdio>
#include <cstring>

namespace HYX {

void ColorBar::init() {
    type = FILL;
    fill.init();
    orient = 1;
    range.init();
    StrLib::copy(loc, loc_len, "ll");
}

int ColorBar::setParam(const char* str) {
    if (!str) return 0;
    Strings items(str, ',');
    for (int k = 0; k < items.getNum(); ++k) {
        const char* item = items.getString(k);
        if (!item) continue;
        if (StrLib::iequal(item, "lo", 2)) {
            const char* eq = std::strchr(item, '=');
            if (eq) StrLib::copy(loc, loc_len, eq + 1);
        } else if (StrLib::iequal(item, "ra", 2) && std::strlen(item) > 3) {
            float mn, mx;
            if (std::sscanf(item + 3, "%f:%f", &mn, &mx) == 2) range.set(mn, mx);
        }
    }
    return 1;
}

int ColorBar::setFill(const ColorFill& f) {
    fill = f;
    type = FILL;
    return 1;
}

int ColorBar::setLocate(const char* l) {
    StrLib::copy(loc, loc_len, l ? l : "");
    return 1;
}

void ColorBar::print() const {
    std::printf("ColorBar\n");
    std::printf("Locate: %s\n", loc);
    std::printf("Range: %f %f\n", range.min, range.max);
    fill.print();
}

} // namespace HYX
