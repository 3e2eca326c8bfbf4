// A vertical coordinate for sounding interpolation.
#include "HYX/VCoord.h"

#include <cstdio>

namespace HYX {

void VCoord::print() const {
    static const char* const names[] = {"sfc", "frz", "lcl", "mwnd", "trop"};
    std::printf("VCoord: ");
    if (type >= SFC && type <= TROP)
        std::printf("%s", names[type]);
    else if (type == PRESS)
        std::printf("%.2f mb", val);
    else if (type == HGHT)
        std::printf("%.2f m", val);
    else if (type == THETA)
        std::printf("%.2f K", val);
    else
        std::printf("%d %.2f", type, val);
    std::printf("\n");
}

} // namespace HYX
