// The description of a grid by its codes: model, grid type, forecast time, level type,
// level and variable; a missing code matches nothing in particular.
#ifndef HYX_GRIDSPEC_H
#define HYX_GRIDSPEC_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API GridSpec {
public:
    GridSpec() { init(); }
    GridSpec(int mod, int grid, int fc, int ltc, int lc, int vc) {
        set(mod, grid, fc, ltc, lc, vc);
    }
    explicit GridSpec(const char* text) { set(text); }

    void init();
    void set(int mod, int grid, int fc, int ltc, int lc, int vc);
    // The six codes separated by colons, in the order above; absent or unreadable parts
    // stay missing. Returns the number of codes read.
    int set(const char* text);

    int getModel() const { return model; }
    int getGridType() const { return grid_type; }
    int getForeCode() const { return fore; }
    int getLevelTypeCode() const { return ltype; }
    int getLevelCode() const { return level; }
    int getVarCode() const { return var; }
    bool isVarSet() const { return var != Const::MISS; }
    bool operator==(const GridSpec& o) const;
    bool operator!=(const GridSpec& o) const { return !(*this == o); }
    void print() const;

    int model;
    int grid_type;
    int fore;
    int ltype;
    int level;
    int var;
};

} // namespace HYX

#endif
