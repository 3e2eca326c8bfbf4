// One queued label of a plot.
#include "HYX/PlotLabel.h"

#include "HYX/StrLib.h"

#include <cstdio>

namespace HYX {

void PlotLabel::init() {
    layer = 0;
    locate[0] = string[0] = format[0] = 0;
}

void PlotLabel::set(int lyr, const char* loc, const char* text, const char* fmt) {
    layer = lyr;
    StrLib::copy(locate, locate_len, loc ? loc : "");
    StrLib::copy(string, string_len, text ? text : "");
    StrLib::copy(format, format_len, fmt ? fmt : "");
}

int PlotLabel::getPosIndex(const char* loc) {
    static const char* const codes[6] = {"ul", "uc", "ur", "ll", "lc", "lr"};
    for (int i = 0; i < 6; ++i)
        if (StrLib::equal(loc, codes[i])) return i;
    return UL;
}

void PlotLabel::print() const {
    std::printf("Label: %d %s %s [%s]\n", layer, locate, string, format);
}

} // namespace HYX
