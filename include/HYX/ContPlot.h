// Contour drawing of a grid on a plot: lines with labels, H and L marks at extrema, grid
// values and colour-filled bands. The grid is contoured box by box: every level is
// intersected with every box of four neighbouring points and each box contributes straight
// segments (or filled pieces) of its own.
#ifndef HYX_CONTPLOT_H
#define HYX_CONTPLOT_H

#include "HYX/ColorFill.h"
#include "HYX/Export.h"
#include "HYX/GridBox.h"
#include "HYX/GridBoxFill.h"
#include "HYX/PlotAttr.h"
#include "HYX/String.h"

namespace HYX {

class ColorMap;
class Grid;
class LabelSpace;
class Plot;
class Point;

class HYX_API ContPlot {
public:
    // Plot type codes.
    enum Type { NONE = 0, VALUE = 1, LINE = 2, FILL = 3, LINE_FILL = 4 };
    static constexpr int MAX_LEVELS = 100;
    static constexpr int tform_len = 10;
    // Search radius of H and L marks when they are drawn.
    static constexpr int DEFAULT_EXTRAD = 2;

    ContPlot();
    explicit ContPlot(const char* param);

    // Defaults, then the resources plot_type, color_table, con_interval, con_base,
    // color_cont, color_fill, color_label, format and parameter.
    int init();
    // Comma-separated items: a type keyword, ty=/pl=, int=/ci=, base=/cb=, wi=, sc=,
    // fill=, ct=, coco=/coln=, cof=, cola=, co=, fm=, bar, nobar, hl and lab=.
    int setParam(const char* param);
    // "value"/"gvalue" 1, "ln"/"dln"/"ndln" 2, "cf" 3, "lcf" 4, anything else 0 (exact case).
    static int decodeType(const char* text);

    int setType(int t) {
        type = t;
        return 1;
    }
    int setType(const char* text);
    int setInterval(float f) {
        intrvl = f;
        return 1;
    }
    int setBase(float f) {
        base = f;
        return 1;
    }
    int setLabelParam(int skip_val, int ext_rad) {
        skipval = skip_val;
        extrad = ext_rad;
        return 1;
    }
    int setLabelSpace(int sx, int sy) {
        skipx = sx;
        skipy = sy;
        return 1;
    }
    int setFillStyle(int f) {
        fill_pat = f;
        return 1;
    }
    int setLineWidth(float w) {
        line_width = w;
        return 1;
    }
    int setDash(int d) {
        dash = d;
        return 1;
    }
    int setGridRange(float mn, float mx) {
        grid_min = mn;
        grid_max = mx;
        return 1;
    }
    int setColorTable(const char* s);
    int setColorFill(const char* s);
    int setColorLine(const char* s);
    int setColorLabel(const char* s);
    int setScaleFactor(float f) {
        scale = f;
        return 1;
    }
    int setTextFormat(const char* f);
    // 1 asks the plot for a colour bar, 0 leaves it to the caller, -1 refuses one ("nobar").
    int setBar(int b) {
        bar = b;
        return 1;
    }
    // Labels and H/L marks go only where this space has room for them (and take it); the
    // space belongs to the caller and must outlive the drawing. Null: everywhere.
    void setLabelSpace(LabelSpace* space) { label_space = space; }
    // Each band of a drawing in a colour of its own, spread over the fill sequence of the
    // colour table, instead of the sequence repeated from the base.
    void setSpreadFill(bool on) { spread_fill = on; }

    int getType() const { return type; }
    bool isTypeFill() const { return type == FILL || type == LINE_FILL; }
    float getInterval() const { return intrvl; }
    float getBase() const { return base; }
    float getMin() const { return min; }
    float getMax() const { return max; }
    int getNumCont() const { return num_cont; }
    float getConLo() const { return conlo; }
    float getConHi() const { return conhi; }
    int getSkipVal() const { return skipval; }
    int getExtRad() const { return extrad; }
    int getSkipX() const { return skipx; }
    int getSkipY() const { return skipy; }
    int getDash() const { return dash; }
    int getFillStyle() const { return fill_pat; }
    float getLineWidth() const { return line_width; }
    float getScaleFactor() const { return scale; }
    bool getBar() const { return bar > 0; }
    int getBarRequest() const { return bar; }
    const char* getTextFormat() const { return tform; }
    const char* getColorTable() const { return color_table.get(); }
    const char* getColorFill() const { return color_fill.get(); }
    const char* getColorLine() const { return color_line.get(); }
    const char* getColorLabel() const { return color_label.get(); }
    const ColorFill& getFill() const { return fill; }
    // Level i: value i of an explicit list (max + 1 past its end), else conlo + i * intrvl.
    float getLevel(int i) const;

    // The band colours from a colour map and color_fill, then the levels of a grid.
    int setFill(ColorMap& cmap);
    int calcLevels(const Grid& grid);

    int draw(Plot& plot, Grid& grid);
    int drawLine(Plot& plot, Grid& grid);
    int drawFill(Plot& plot, Grid& grid);
    int drawValues(Plot& plot, Grid& grid);
    int drawLineLabels(Plot& plot, Grid& grid);
    int drawMaxMin(Plot& plot, Grid& grid);
    int drawLabels(Plot& plot, Grid& grid);
    int drawBoxLine(Plot& plot);
    int drawBoxFill(Plot& plot);

private:
    int setLevels(Plot& plot, const Grid& grid);
    bool levelColors() const;
    void labelAttr(const Plot& plot, PlotAttr& a, const char* fallback_resrc) const;
    int findLevels(float lo, float hi);
    void spreadFill(Plot& plot);
    void fillBand(Plot& plot);
    // Draws text at p unless the label space has no room for it there.
    bool placeText(Plot& plot, const Point& p, const char* text);

    int type;
    String color_table;
    String color_fill;
    String color_line;
    String color_label;
    float def_base;
    float def_intrvl;
    float min;
    float max;
    float grid_min;
    float grid_max;
    float base;
    float intrvl;
    float level;
    float plevel;
    int num_cont;
    float conlo;
    float conhi;
    ColorFill fill;
    GridBox box;
    GridBox pbox;
    int skipx;
    int skipy;
    int skipval;
    int extrad;
    int dash;
    int fill_pat;
    float line_width;
    float scale;
    char tform[tform_len];
    int bar;
    GridBoxFill boxfill;
    LabelSpace* label_space = nullptr;
    bool spread_fill = false;
};

} // namespace HYX

#endif
