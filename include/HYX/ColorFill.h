// Contour levels and the attribute of each band, shared by filled contours, contour lines,
// labels, plotted values and the colour bar.
//
// Value mode (the first entry has a value): entry i colours the band from value i up to
// value i+1, the last entry everything above the last value. Interval mode (no values):
// entry k colours the band from base + k*interval, the entries repeating cyclically.
#ifndef HYX_COLORFILL_H
#define HYX_COLORFILL_H

#include "HYX/Export.h"
#include "HYX/PlotAttr.h"

#include <vector>

namespace HYX {

class ColorMap;

class HYX_API ColorFill {
public:
    static constexpr int MAX_ENTRY = 256;
    static constexpr int label_len = 20;
    static constexpr int line_len = 80; // longest line read from a fill file

    ColorFill();
    ColorFill(ColorMap& cmap, const char* spec);
    ColorFill(const ColorFill& other);
    ColorFill& operator=(const ColorFill& other);
    ~ColorFill() = default;

    void init();
    // Without a list: the fill colours of the colour table. A single item that is not a
    // number and holds no "-" names a fill file; otherwise each comma-separated item is a
    // colour range ("a-b"), a value with its attribute ("10:red") or an attribute.
    int set(ColorMap& cmap, const char* spec);
    int decode(ColorMap& cmap, const char* item);
    int readFile(ColorMap& cmap, const char* name);
    // Fills missing values lying between two given ones by entry position.
    int validateValues();
    // The "color_fill" resource when set (and neither "miss" nor "def"), else spec:
    // 2 when the resource was used, 1 otherwise.
    int setFill(ColorMap& cmap, const char* spec);
    int setValues(const float* v, int n);

    bool areValuesSet() const { return num > 0 && value[0] != Const::FMISS; }
    bool isSet() const { return num > 0; }
    int getNum() const { return num; }
    float getBaseVal() const { return num > 0 ? value[0] : Const::FMISS; }
    float getValue(int i) const { return i >= 0 && i < num ? value[i] : Const::FMISS; }
    int setBase(float b) {
        base = b;
        return 1;
    }
    float getBase() const { return base; }
    int setInterval(float f) {
        intrvl = f;
        return 1;
    }
    float getInterval() const { return intrvl; }
    const char* getLabel() const { return label; }

    // The attribute of the band holding v; one without a valid colour when there is none.
    const PlotAttr& get(float v) const;
    // Entry index for v: -1 below the first value, missing when nothing can be indexed.
    int getInd(float v) const;
    int getColor(float v) const;
    const PlotAttr& get(int i) const;
    int getColor(int i) const;
    const char* getColorName(int i) const;

    void print() const;

private:
    int add(const PlotAttr& a, float v);

    // The entries, num of them.
    std::vector<PlotAttr> attr;
    std::vector<float> value;
    char label[label_len];
    float base;
    float intrvl;
    int num;
    int max;
};

} // namespace HYX

#endif
