// The drawing switches of a plot, set from a list of names: "plot"/"sum" 0, "data" 1,
// "grid"/"map" 2, "text_ul" ... "text_lr" 3 to 8, "bord" 9, "text" 3 to 9; "all", "none";
// a leading "+" turns a switch on, "-" off (on the first item after turning all on).
#ifndef HYX_DRAWSWITCH_H
#define HYX_DRAWSWITCH_H

#include "HYX/Export.h"

#include <array>

namespace HYX {

class HYX_API DrawSwitch {
public:
    static constexpr int NUM = 13;
    static constexpr int LAST_NAMED = 9;

    DrawSwitch() { setAll(true); }
    void setAll(bool on) { draw.fill(on); }
    // An empty or absent list turns everything on (result 0).
    int set(const char* str);
    // Switches 0 to 9; false beyond.
    bool isOn(int i) const { return i >= 0 && i <= LAST_NAMED && draw[i]; }
    bool get(int i) const { return i >= 0 && i < NUM && draw[i]; }
    void print() const;

private:
    std::array<bool, NUM> draw{};
};

} // namespace HYX

#endif
