// One queued label of a plot: its line (layer), position code, text with escapes and the
// attribute string it is drawn with.
#ifndef HYX_PLOTLABEL_H
#define HYX_PLOTLABEL_H

namespace HYX {

class PlotLabel {
public:
    static constexpr int locate_len = 10;
    static constexpr int string_len = 100;
    static constexpr int format_len = 50;
    // Position codes.
    enum Pos { UL = 0, UC = 1, UR = 2, LL = 3, LC = 4, LR = 5 };
    // The layer of a stand-alone label.
    static constexpr int STAND_ALONE = -1;

    PlotLabel() { init(); }
    PlotLabel(int lyr, const char* loc, const char* text, const char* fmt) {
        set(lyr, loc, text, fmt);
    }

    void init();
    void set(int lyr, const char* loc, const char* text, const char* fmt);
    int getLayer() const { return layer; }
    const char* getLocate() const { return locate; }
    const char* getString() const { return string; }
    const char* getFormat() const { return format; }
    bool isStandAlone() const { return layer == STAND_ALONE; }
    // "ul" 0, "uc" 1, "ur" 2, "ll" 3, "lc" 4, "lr" 5; anything else 0.
    static int getPosIndex(const char* loc);
    int getPosIndex() const { return getPosIndex(locate); }
    void print() const;

    int layer;
    char locate[locate_len];
    char string[string_len];
    char format[format_len];
};

} // namespace HYX

#endif
