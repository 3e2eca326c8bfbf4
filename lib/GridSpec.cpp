// The description of a grid by its codes.
#include "HYX/GridSpec.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace HYX {

void GridSpec::init() { model = grid_type = fore = ltype = level = var = Const::MISS; }

void GridSpec::set(int mod, int grid, int fc, int ltc, int lc, int vc) {
    model = mod;
    grid_type = grid;
    fore = fc;
    ltype = ltc;
    level = lc;
    var = vc;
}

int GridSpec::set(const char* text) {
    init();
    if (!text) return 0;
    int* codes[6] = {&model, &grid_type, &fore, &ltype, &level, &var};
    int n = 0;
    const char* p = text;
    for (int k = 0; k < 6 && p; ++k) {
        char* end = nullptr;
        const long v = std::strtol(p, &end, 10);
        if (end != p && (*end == ':' || *end == 0) && v > -1000000000L && v < 1000000000L) {
            *codes[k] = static_cast<int>(v);
            ++n;
        }
        p = std::strchr(p, ':');
        if (p) ++p;
    }
    return n;
}

bool GridSpec::operator==(const GridSpec& o) const {
    return model == o.model && grid_type == o.grid_type && fore == o.fore && ltype == o.ltype &&
           level == o.level && var == o.var;
}

void GridSpec::print() const {
    std::printf("GridSpec: %d %d %d %d %d %d\n", model, grid_type, fore, ltype, level, var);
}

} // namespace HYX
