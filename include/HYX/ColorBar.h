// The colour bar of a plot: the fill it shows, the value range and its position.
#ifndef HYX_COLORBAR_H
#define HYX_COLORBAR_H

#include "HYX/ColorFill.h"
#include "HYX/Export.h"
#include "HYX/Range.h"

namespace HYX {

class HYX_API ColorBar {
public:
    static constexpr int loc_len = 10;
    // Values of type.
    enum Type { FILL = 0, ENHANCE = 1 };

    ColorBar() { init(); }
    void init();
    // Items "lo=<position>" and "ra=<min>:<max>" (keys in any case).
    int setParam(const char* str);
    int setFill(const ColorFill& f);
    int setRange(const Range& r) {
        range = r;
        return 1;
    }
    int setLocate(const char* loc);
    int getType() const { return type; }
    const ColorFill& getFill() const { return fill; }
    const Range& getRange() const { return range; }
    const char* getLocate() const { return loc; }
    int getOrient() const { return orient; }
    void print() const;

    int type;
    ColorFill fill;
    int orient;
    Range range;
    char loc[loc_len];
};

} // namespace HYX

#endif
