// One queued label of a plot.
#include "HYX/PlotLabel.h"

#include "HYX/StrLib.h"

#include <cstdio>

namespace HYX {

void PlotLabel::init() {
    layer = 0;
    locate[0] = string[0] = format[0] = 0;
}

void PlotLabel::set(int l, const char* loc, const char* text, const char* fmt) {
    layer = l;
    StrLib::copy(locate, sizeof locate, loc);
    StrLib::copy(string, sizeof string, text);
    StrLib::copy(format, sizeof format, fmt);
}

void PlotLabel::print() const {
    std::printf("Label: %d %s \"%s\" %s\n", layer, locate, string, format);
}

} // namespace HYX
