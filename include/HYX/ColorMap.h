// The named colour table of a plot: colours looked up by name (or by "#RRGGBB" and
// "#RRRGGGBBB" texts, added on first use), each with the device value it was allocated.
// The first num_fill entries form the fill sequence used for filled contours.
#ifndef HYX_COLORMAP_H
#define HYX_COLORMAP_H

#include "HYX/Color.h"
#include "HYX/Export.h"

#include <vector>

namespace HYX {

class RGB;

class HYX_API ColorMap {
public:
    // Results of getInd that are not table indexes.
    static constexpr int NO_COLOR = -1;
    static constexpr int END_COLOR = -2;
    // Pattern colour words "pblk" ... "ptgry" give 500 ... 508.
    static constexpr int PATTERN_BASE = 500;
    // Sum of absolute component differences under which two colours count as the same.
    static constexpr float NEAR = 0.01f;

    ColorMap() = default;
    explicit ColorMap(int n) { init(n); }

    // Capacity n, empty.
    void init(int n);
    // Empty, capacity kept.
    void init();
    void set(const ColorMap& m) { *this = m; }

    // Index of the colour (overwriting one of the same name); -1 when the table is full.
    int add(const char* name, float r, float g, float b);
    int add(const char* name, const RGB& c);
    int getInd(const char* name);

    const char* getName(int i) const;
    int get(int i, RGB& c) const;
    int getRGB(int i, float* r, float* g, float* b) const;
    int getIRGB(int i, int* r, int* g, int* b) const;
    int setValue(int i, int v);
    int getValue(int i) const;
    int getValue(int i) { return static_cast<const ColorMap&>(*this).getValue(i); }
    int getValue(const char* name) { return getValue(getInd(name)); }

    int getNum() const { return num; }
    int getMax() const { return max; }
    int getNumFill() const { return num_fill; }
    int setNumFill(int n);
    bool isColor(int i) const { return i >= 0; }
    bool isColorNear(int i, const RGB& c) const;
    void print() const;

private:
    // The entry an index stands for: beyond the table the last one; null when none.
    const Color* entry(int i) const;
    int find(const char* name) const;
    int addCode(const char* name);

    std::vector<Color> colors;
    int num = 0;
    int max = 0;
    int num_fill = 0;
};

} // namespace HYX

#endif
