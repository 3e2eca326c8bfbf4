// An attribute record for lines, fills, text and marks, parsed from a short attribute
// string such as a colour name followed by "wi=2" and "st=dsh" items. A field that holds
// the missing value (or an empty text) was not given: the value in force is kept.
#ifndef HYX_PLOTATTR_H
#define HYX_PLOTATTR_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API PlotAttr {
public:
    static constexpr int COLOR_SIZE = 20;
    static constexpr int FONT_SIZE = 120;
    static constexpr int SHORT_FONT_SIZE = 20; // font given by a "t" item

    PlotAttr() { init(); }
    explicit PlotAttr(const char* str) { set(str); }
    PlotAttr(const char* str, const char* def) { set(str, def); }

    void init();
    int set(const char* str);
    // Parses str when it is a non-empty text, else def.
    int set(const char* str, const char* def);
    int parse(const char* str);
    // Copies every field of other that is given.
    int update(const PlotAttr& other);
    // This record becomes a, updated with b.
    int update(const PlotAttr& a, const PlotAttr& b);

    float getWidth() const { return width; }
    float getHeight() const { return height; }
    float getExpan() const { return expan; }
    int getStyle() const { return style; }
    int getShadow() const { return shadow; }
    int getFillPat() const { return fill_pat; }
    int getColorInd() const { return color_ind; }
    const char* getColor() const { return color; }
    const char* getFont() const { return font; }

    bool validWidth() const { return width != Const::FMISS; }
    bool validHeight() const { return height != Const::FMISS; }
    bool validExpan() const { return expan != Const::FMISS; }
    bool validStyle() const { return style != Const::MISS; }
    bool validShadow() const { return shadow != Const::MISS; }
    bool validFillPat() const { return fill_pat != Const::MISS; }
    bool validColorInd() const { return color_ind != Const::MISS; }
    // False for colour index -1, an empty colour name, or the name "off".
    bool validColor() const;
    bool validFont() const { return font[0] != 0; }

    void setColor(const char* name);
    void setColorInd(int i) { color_ind = i; }
    void setWidth(float w) { width = w; }
    void setHeight(float h) { height = h; }
    void setExpan(float e) { expan = e; }
    void setShadow(int s) { shadow = s; }
    void setStyle(int s) { style = s; }
    void setFillPat(int p) { fill_pat = p; }
    void setFont(const char* name);

    void print() const;

    // Fill pattern and mark names to their codes.
    static int parseFillStyle(const char* name);
    static int parseMarker(const char* name);
    static int parseLineStyle(const char* name);

    float width;
    float height;
    float expan;
    int style;
    int shadow;
    int fill_pat;
    int color_ind;
    char color[COLOR_SIZE];
    char font[FONT_SIZE];

private:
    void parseItem(const char* item);
};

} // namespace HYX

#endif
