// Contour drawing of a grid: settings, parameter string, contour levels, lines with labels
// and extrema, grid values and filled bands.
#include "HYX/ContPlot.h"

#include "HYX/ColorFile.h"
#include "HYX/ColorMap.h"
#include "HYX/DeviceTool.h"
#include "HYX/Domain.h"
#include "HYX/Grid.h"
#include "HYX/GridMath.h"
#include "HYX/Hyx.h"
#include "HYX/LabelSpace.h"
#include "HYX/LineScan.h"
#include "HYX/Plot.h"
#include "HYX/RGB.h"
#include "HYX/Range.h"
#include "HYX/StrLib.h"
#include "HYX/Tools.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;
// Level counts beyond this are not drawn at all (only reachable with absurd settings).
constexpr double MAX_COUNT = 100000.0;

float toFloat(const char* v) { return static_cast<float>(std::atof(v)); }

// Parameter items that begin with a key, in the order they are tried. The value is the text
// from character `from` on, or with from 0 the text after "=" (an item without one is
// ignored).
struct KeyedItem {
    const char* key;
    size_t from;
    void (*set)(ContPlot&, const char*);
};
const KeyedItem KEYED_ITEMS[] = {
    {"ty", 0, [](ContPlot& c, const char* v) { c.setType(v); }},
    {"pl", 0, [](ContPlot& c, const char* v) { c.setType(v); }},
    {"int", 0, [](ContPlot& c, const char* v) { c.setInterval(toFloat(v)); }},
    {"ci", 0, [](ContPlot& c, const char* v) { c.setInterval(toFloat(v)); }},
    {"base", 0, [](ContPlot& c, const char* v) { c.setBase(toFloat(v)); }},
    {"cb", 0, [](ContPlot& c, const char* v) { c.setBase(toFloat(v)); }},
    {"wi", 0, [](ContPlot& c, const char* v) { c.setLineWidth(toFloat(v)); }},
    {"sc", 0, [](ContPlot& c, const char* v) { c.setScaleFactor(toFloat(v)); }},
    {"fill", 5, [](ContPlot& c, const char* v) { c.setFillStyle(PlotAttr::parseFillStyle(v)); }},
    {"ct", 3, [](ContPlot& c, const char* v) { c.setColorTable(v); }},
    {"coco", 5, [](ContPlot& c, const char* v) { c.setColorLine(v); }},
    {"coln", 5, [](ContPlot& c, const char* v) { c.setColorLine(v); }},
    {"cof", 4, [](ContPlot& c, const char* v) { c.setColorFill(v); }},
    {"cola", 5, [](ContPlot& c, const char* v) { c.setColorLabel(v); }},
    {"co=", 3, [](ContPlot& c, const char* v) { c.setColorLine(v); }},
    {"fm", 0, [](ContPlot& c, const char* v) { c.setTextFormat(v); }},
};

// lab=VE (one number: skip value V, extremum radius E), or V:E[:S[:SY]] with the label
// spacing S across and SY up; "," or "." may stand for ":".
void setLabels(ContPlot& c, std::string_view text) {
    int v[4];
    int n = 0;
    for (char sep : {':', ',', '.'}) {
        LineScan s(text);
        n = s.integers(sep, v, 4);
        if (n != 1) break;
    }
    if (n == 1) {
        c.setLabelParam(v[0] / 10, v[0] % 10);
    } else if (n >= 2) {
        c.setLabelParam(v[0], v[1]);
        if (n >= 3) c.setLabelSpace(v[2], n == 4 ? v[3] : v[2]);
    }
}

void setOption(ContPlot& c, const char* item) {
    static const char* const TYPES[] = {"cf", "lcf", "ln", "dln", "ndln", "gvalue", "value"};
    for (const char* t : TYPES)
        if (std::strcmp(item, t) == 0) {
            c.setType(item);
            return;
        }
    const LineScan s(item);
    for (const KeyedItem& k : KEYED_ITEMS) {
        if (!s.startsWith(k.key)) continue;
        std::string_view v;
        if (k.from) v = LineScan::from(item, k.from);
        if (k.from || LineScan::value(item, v)) k.set(c, std::string(v).c_str());
        return;
    }
    if (LineScan::istartsWith(item, "bar"))
        c.setBar(1);
    else if (LineScan::iequal(item, "nobar"))
        c.setBar(-1);
    else if (std::strcmp(item, "hl") == 0)
        c.setLabelParam(c.getSkipVal(), ContPlot::DEFAULT_EXTRAD);
    else if (s.startsWith("lab"))
        setLabels(c, LineScan::from(item, 4));
}

// One printf conversion of a floating-point value (e, f, g, E, G), with optional flags,
// width and precision; "%%" may appear anywhere.
bool validFloatFormat(const char* f) {
    int conv = 0;
    for (const char* p = f; *p; ++p) {
        if (*p != '%') continue;
        if (p[1] == '%') {
            ++p;
            continue;
        }
        ++p;
        while (*p && std::strchr("-+ #0", *p)) ++p;
        while (std::isdigit(static_cast<unsigned char>(*p))) ++p;
        if (*p == '.') {
            ++p;
            while (std::isdigit(static_cast<unsigned char>(*p))) ++p;
        }
        if (!*p || !std::strchr("eEfgG", *p)) return false;
        ++conv;
    }
    return conv == 1;
}

// The automatic interval, also for ranges wider than a float can hold.
float autoInterval(float mx, float mn, int n) {
    const double d = static_cast<double>(mx) - mn;
    if (std::fabs(d) <= FLT_MAX) return Tools::calcInterval(mx, mn, n);
    const double x = std::ceil(d / (n < 1 ? 1 : n));
    return static_cast<float>(x < FLT_MAX ? x : FLT_MAX);
}

// Integer part of (hi - lo) / inc + 1.01, or -1 when it is not a sensible count.
int countLevels(double lo, double hi, double inc) {
    const double n = (hi - lo) / inc + 1.01;
    if (!std::isfinite(n) || n < 0 || n > MAX_COUNT) return -1;
    return static_cast<int>(n);
}

} // namespace

ContPlot::ContPlot() { init(); }

ContPlot::ContPlot(const char* param) {
    init();
    setParam(param);
}

int ContPlot::init() {
    type = LINE;
    color_table.clear();
    color_fill.clear();
    color_line.clear();
    color_label.clear();
    def_base = def_intrvl = MISS;
    min = max = MISS;
    grid_min = grid_max = MISS;
    base = intrvl = MISS;
    level = plevel = MISS;
    num_cont = 0;
    conlo = conhi = MISS;
    fill.init();
    box.init();
    pbox.init();
    skipx = skipy = Const::MISS;
    skipval = 2;
    extrad = DEFAULT_EXTRAD;
    dash = 0;
    fill_pat = Const::MISS;
    line_width = MISS;
    scale = 1.0f;
    tform[0] = 0;
    bar = 0;

    const char* r;
    if ((r = Hyx::getResrc("plot_type"))) setType(r);
    if ((r = Hyx::getResrc("color_table"))) setColorTable(r);
    if ((r = Hyx::getResrc("con_interval"))) setInterval(static_cast<float>(std::atof(r)));
    if ((r = Hyx::getResrc("con_base"))) setBase(static_cast<float>(std::atof(r)));
    if ((r = Hyx::getResrc("color_cont"))) setColorLine(r);
    if ((r = Hyx::getResrc("color_fill"))) setColorFill(r);
    if ((r = Hyx::getResrc("color_label"))) setColorLabel(r);
    if ((r = Hyx::getResrc("format"))) setTextFormat(r);
    setParam(Hyx::getResrc("parameter"));
    return 1;
}

int ContPlot::decodeType(const char* text) {
    if (!text) return NONE;
    if (StrLib::equal(text, "value") || StrLib::equal(text, "gvalue")) return VALUE;
    if (StrLib::equal(text, "ln") || StrLib::equal(text, "dln") || StrLib::equal(text, "ndln"))
        return LINE;
    if (StrLib::equal(text, "cf")) return FILL;
    if (StrLib::equal(text, "lcf")) return LINE_FILL;
    return NONE;
}

int ContPlot::setType(const char* text) {
    type = decodeType(text);
    if (StrLib::equal(text, "dln")) dash = 1;
    if (StrLib::equal(text, "ndln")) dash = -1;
    return 1;
}

int ContPlot::setColorTable(const char* s) { return color_table.copy(s ? s : ""), 1; }
int ContPlot::setColorFill(const char* s) { return color_fill.copy(s ? s : ""), 1; }
int ContPlot::setColorLine(const char* s) { return color_line.copy(s ? s : ""), 1; }
int ContPlot::setColorLabel(const char* s) { return color_label.copy(s ? s : ""), 1; }

int ContPlot::setTextFormat(const char* f) {
    if (!f || !f[0]) {
        tform[0] = 0;
        return 1;
    }
    char buf[tform_len];
    StrLib::copy(buf, tform_len, f);
    if (!validFloatFormat(buf)) {
        Hyx::outWarning("ContPlot::setTextFormat: not a number format: %s\n", f);
        return 0;
    }
    StrLib::copy(tform, tform_len, buf);
    return 1;
}

int ContPlot::setParam(const char* param) {
    if (!param || !param[0]) return 1;
    for (std::string_view text : LineScan::items(param)) {
        char item[256];
        StrLib::copy(item, sizeof item, std::string(text).c_str());
        StrLib::stripWS(item);
        if (item[0]) setOption(*this, item);
    }
    return 1;
}

// ---- contour levels

float ContPlot::getLevel(int i) const {
    if (fill.areValuesSet()) return i < fill.getNum() ? fill.getValue(i) : max + 1;
    return conlo + static_cast<float>(i) * intrvl;
}

int ContPlot::setFill(ColorMap& cmap) {
    return fill.set(cmap, color_fill.valid() ? color_fill.get() : nullptr);
}

// conlo, conhi and num_cont from the range lo..hi, the interval and the base.
int ContPlot::findLevels(float lo, float hi) {
    const double b = base == MISS ? 0.0 : base;
    const double inc = intrvl;
    const double clo = std::floor((lo - b) / inc) * inc + b;
    double chi = std::ceil((hi - b) / inc) * inc + b;
    if (chi == static_cast<double>(hi) - b) chi += inc;
    conlo = static_cast<float>(clo);
    conhi = static_cast<float>(chi);
    return countLevels(clo, chi, inc);
}

int ContPlot::calcLevels(const Grid& grid) {
    grid.getRange(min, max);
    if (grid_max != MISS) {
        min = grid_min;
        max = grid_max;
    }
    // Ranges that are not finite count as no data.
    if (!std::isfinite(min) || !std::isfinite(max)) min = max = MISS;
    const float tw = max == MISS || min == MISS ? 0.0f : (max - min) / 10000;
    box.setTweak(std::isfinite(tw) ? tw : FLT_MAX);
    pbox.setTweak(box.getTweak());

    const int ncol = fill.getNum() - 1;
    const float hi = max < min ? min : max, lo = max < min ? max : min;
    if (intrvl == MISS || intrvl == 0.0f || !std::isfinite(intrvl))
        intrvl = autoInterval(hi, lo, ncol);

    int n;
    if (fill.areValuesSet()) {
        conlo = fill.getValue(0);
        conhi = fill.getValue(fill.getNum() - 1);
        n = fill.getNum();
        intrvl = MISS;
    } else if (max == MISS) {
        conlo = 0;
        intrvl = 1;
        n = 0;
    } else if (max < min) {
        conlo = max;
        conhi = min;
        n = countLevels(conlo, conhi, intrvl);
    } else {
        n = findLevels(min, max);
    }

    if (n < 0 || n > MAX_LEVELS) {
        Hyx::outWarning("Contour interval too small, recomputing...\n");
        intrvl = autoInterval(hi, lo, ncol);
        n = findLevels(lo, hi);
        if (n < 0) n = 0;
    }
    num_cont = n;
    // Levels beyond the float range (fields near its limits) are dropped.
    while (num_cont > 0 && !std::isfinite(getLevel(num_cont - 1))) --num_cont;

    fill.setInterval(intrvl);
    fill.setBase(base != MISS ? base : conlo);
    return num_cont;
}

// ---- drawing

bool ContPlot::levelColors() const { return color_line.iequal("miss") || color_line.iequal("off"); }

// Colours a band, a line or a label takes from the fill need a colour-table index of the
// plot; names are looked up once here so that each box does not search the table.
int ContPlot::setLevels(Plot& plot, const Grid& grid) {
    if (color_table.valid()) {
        ColorMap custom;
        if (ColorFile::read(color_table.get(), custom)) {
            plot.setColorMap(custom);
            ColorMap cmap = plot.getColorMap();
            if (color_fill.valid()) {
                fill.set(cmap, color_fill.get());
            } else {
                // The fill sequence of the table read, by name in the plot's table.
                String names(custom.getNumFill() * Color::NAME_SIZE + 1);
                for (int i = 0; i < custom.getNumFill(); ++i) {
                    if (i) names.append(",");
                    names.append(custom.getName(i));
                }
                fill.set(cmap, names.valid() ? names.get() : nullptr);
            }
            return calcLevels(grid);
        }
    }
    ColorMap cmap = plot.getColorMap();
    setFill(cmap);
    calcLevels(grid);
    spreadFill(plot);
    return num_cont;
}

// One colour for each band between the levels (num_cont - 1 of them), evenly spaced along
// the fill sequence of the plot's table: its own colours while there are enough, blends of
// neighbouring ones beyond that. The entry of the last level repeats the last colour.
void ContPlot::spreadFill(Plot& plot) {
    if (!spread_fill || fill.areValuesSet() || color_fill.valid() || num_cont < 3) return;
    ColorMap table = plot.getColorMap();
    const int nfill = table.getNumFill();
    const int bands = num_cont - 1;
    if (nfill < 2 || bands > ColorFill::MAX_ENTRY - 1) return;
    ColorMap blends(bands);
    std::string spec, name;
    for (int k = 0; k < bands; ++k) {
        const float t = static_cast<float>(k) * (nfill - 1) / (bands - 1);
        if (bands <= nfill) {
            name = table.getName(static_cast<int>(std::lround(t)));
        } else {
            const int i = static_cast<int>(t);
            const int j = i + 1 < nfill ? i + 1 : i;
            const float f = t - i;
            RGB a, b;
            table.get(i, a);
            table.get(j, b);
            const RGB c(a.red + f * (b.red - a.red), a.grn + f * (b.grn - a.grn),
                        a.blu + f * (b.blu - a.blu));
            char hex[8];
            std::snprintf(hex, sizeof hex, "#%02X%02X%02X", DeviceTool::toByte(c.red),
                          DeviceTool::toByte(c.grn), DeviceTool::toByte(c.blu));
            name = hex;
            blends.add(hex, c);
        }
        spec += name + ",";
    }
    spec += name;
    if (blends.getNum() > 0) plot.setColorMap(blends);
    ColorMap cmap = plot.getColorMap();
    fill.set(cmap, spec.c_str());
    fill.setInterval(intrvl);
    fill.setBase(conlo);
}

// The attribute of labels and H/L marks: level colours, color_label, or a fallback by type.
void ContPlot::labelAttr(const Plot& plot, PlotAttr& a, const char* fallback_resrc) const {
    if (color_label.valid())
        a.set(color_label.get());
    else if (type == FILL)
        a.set(Hyx::getResrc("color_clabel", "black"));
    else if (color_line.valid())
        a.set(color_line.get());
    else
        a.set(Hyx::getResrc(fallback_resrc, plot.getForeground()));
    if (line_width != MISS) a.setWidth(line_width);
}

int ContPlot::draw(Plot& plot, Grid& grid) {
    if (type == LINE_FILL) {
        drawFill(plot, grid);
        drawLine(plot, grid);
    } else if (type == LINE) {
        drawLine(plot, grid);
    } else if (type == VALUE) {
        drawValues(plot, grid);
    } else {
        drawFill(plot, grid);
    }
    if (bar > 0) {
        Range r;
        if (!fill.areValuesSet()) r.set(conlo, conhi);
        plot.setBar(fill, r);
    }
    return 1;
}

int ContPlot::drawBoxLine(Plot& plot) {
    Point a[6], b[6];
    const int n = box.getLineSegments(a, b);
    for (int i = 0; i < n; ++i) plot.drawLine(a[i], b[i]);
    return n;
}

int ContPlot::drawLine(Plot& plot, Grid& grid) {
    setLevels(plot, grid);
    PlotAttr lattr(color_line.valid() ? color_line.get()
                                      : (type == FILL ? "black" : plot.getForeground()));
    if (line_width != MISS) lattr.setWidth(line_width);
    const bool per_level = levelColors();
    plot.setLine();
    plot.setLine(lattr);

    const Domain& pdom = plot.getDomain();
    const int nx = grid.getNx(), ny = grid.getNy();
    for (int y = 0; y < ny - 1; ++y)
        for (int x = 0; x < nx - 1; ++x) {
            box.set(grid, pdom, x, y);
            if (!box.isDataValid() || !box.isLocateValid()) continue;
            for (int l = 0; l < num_cont; ++l) {
                level = getLevel(l);
                if (!box.setLevel(level)) continue;
                const PlotAttr& la = fill.get(level);
                plot.setLineStyle(dash == 1 || (dash == -1 && level < 0) ? 2 : 1);
                plot.setLineWidth(0);
                plot.setLine(lattr);
                if (per_level) {
                    PlotAttr a = la;
                    plot.setLine(a);
                }
                if (la.validStyle()) plot.setLineStyle(la.getStyle());
                if (la.validWidth()) plot.setLineWidth(la.getWidth());
                drawBoxLine(plot);
            }
        }
    drawLineLabels(plot, grid);
    drawMaxMin(plot, grid);
    return 1;
}

namespace {

// Position of grid point (x, y) on the plot: its stored position when the grid has them,
// else its place in the grid's domain carried into the plot's domain.
int pointPos(const Grid& grid, const Domain& pdom, int x, int y, Point& p) {
    if (grid.isLocate()) return grid.getLocate(x, y, p) && p.x != Const::FMISS;
    Point g;
    if (!grid.tran(GridPoint(static_cast<float>(x), static_cast<float>(y)), g)) return 0;
    return grid.tran(g, pdom, p) && p.x != Const::FMISS;
}

} // namespace

int ContPlot::drawLineLabels(Plot& plot, Grid& grid) {
    if (skipval <= 0) return 0;
    const int nx = grid.getNx(), ny = grid.getNy();
    if (skipx == Const::MISS || skipx < 1) skipx = nx / 5 > 1 ? nx / 5 : 1;
    if (skipy == Const::MISS || skipy < 1) skipy = ny / 5 > 1 ? ny / 5 : 1;

    const bool per_level = color_line.iequal("miss");
    PlotAttr tattr;
    labelAttr(plot, tattr, "color_label");
    plot.setText(tattr);
    plot.setTextAlign(2, 3);
    plot.setTextHeight(0.015f * plot.getVert() * scale);

    const Domain& pdom = plot.getDomain();
    String text;
    int n = 0;
    for (int y = 0; y < ny - 1; ++y)
        for (int x = 0; x < nx - 1; ++x) {
            const bool col = x % skipx == 0, row = y % skipy == 0;
            if (!col && !row) continue;
            box.set(grid, pdom, x, y);
            if (!box.isDataValid() || !box.isLocateValid()) continue;
            for (int l = 0; l < num_cont; l += skipval) {
                const float lev = getLevel(l);
                if (!box.setLevel(lev) || box.getNumSide() != 2) continue;
                const int c0 = box.getCross(0), c1 = box.getCross(1);
                const bool across = c0 == 1 && c1 == 3 && col;
                const bool upward = c0 == 0 && c1 == 2 && row;
                if (!across && !upward) continue;
                if (per_level) {
                    PlotAttr la = fill.get(lev);
                    plot.setText(la);
                }
                const Point a = box.getCrossPoint(0), b = box.getCrossPoint(1);
                Point mid((a.x + b.x) / 2, (a.y + b.y) / 2);
                Tools::toString(lev, text);
                if (placeText(plot, mid, text.get())) ++n;
            }
        }
    return n;
}

int ContPlot::drawMaxMin(Plot& plot, Grid& grid) {
    if (extrad < 1) return 0;
    const bool per_level = color_line.iequal("miss");
    PlotAttr tattr;
    labelAttr(plot, tattr, "color_clabel");
    plot.setText(tattr);
    plot.setTextAlign(2, 3);
    const float vert = plot.getVert();

    const Domain& pdom = plot.getDomain();
    const int nx = grid.getNx(), ny = grid.getNy();
    String text;
    int n = 0;
    for (int y = 0; y < ny; ++y)
        for (int x = 0; x < nx; ++x) {
            const float v = grid.getValue(x, y);
            if (v == MISS) continue;
            int missing = 0, tot = 0, t = 0;
            bool mixed = false;
            for (int j = -extrad; j <= extrad && !mixed; ++j)
                for (int i = -extrad; i <= extrad && !mixed; ++i) {
                    if (i == 0 && j == 0) continue;
                    const int xi = x + i, yj = y + j;
                    if (xi < 0 || xi >= nx || yj < 0 || yj >= ny) continue;
                    const float w = grid.getValue(xi, yj);
                    if (w == MISS) {
                        ++missing;
                        continue;
                    }
                    ++tot;
                    if (w < v)
                        ++t;
                    else if (w > v)
                        --t;
                    mixed = t != tot && t != -tot;
                }
            if (mixed || tot == 0 || missing >= 2) continue;
            const char* mark = t == tot ? "H" : "L";
            Point p;
            if (!pointPos(grid, pdom, x, y, p)) continue;
            if (per_level) {
                PlotAttr la = fill.get(v);
                plot.setText(la);
            }
            plot.setTextHeight(0.02f * vert * scale);
            if (!placeText(plot, p, mark)) continue;
            Tools::toString(v, 3, text);
            plot.setTextHeight(0.015f * vert * scale);
            Point below(p.x, p.y - 0.02f * vert);
            placeText(plot, below, text.get());
            ++n;
        }
    return n;
}

int ContPlot::drawValues(Plot& plot, Grid& grid) {
    setLevels(plot, grid);
    PlotAttr tattr(color_line.valid() ? color_line.get() : "green");
    plot.setText(tattr);
    plot.setTextAlign(2, 3);
    plot.setTextHeight(0.015f * plot.getVert() * scale);
    const bool per_value = intrvl != MISS || fill.areValuesSet();

    const Domain& pdom = plot.getDomain();
    const int nx = grid.getNx(), ny = grid.getNy();
    String text;
    int n = 0;
    for (int y = 0; y < ny; ++y)
        for (int x = 0; x < nx; ++x) {
            const float v = grid.getValue(x, y);
            if (v == MISS) continue;
            Point p;
            if (!pointPos(grid, pdom, x, y, p)) continue;
            PlotAttr a = per_value ? fill.get(v) : tattr;
            if (per_value) plot.setText(a);
            if (!a.validColor()) continue;
            if (tform[0]) {
                plot.drawFormText(p, tform, v);
            } else {
                Tools::toString(v, 3, text);
                plot.drawText(p, text.get());
            }
            ++n;
        }
    return n;
}

bool ContPlot::placeText(Plot& plot, const Point& p, const char* text) {
    if (label_space && !label_space->claim(plot.getTextBox(p, text))) return false;
    plot.drawText(p, text);
    return true;
}

int ContPlot::drawBoxFill(Plot& plot) {
    const int n = boxfill.build(pbox, box);
    for (int i = 0; i < n; ++i) plot.drawFill(boxfill.get(i));
    return n;
}

// Fills one band of the current box in the colour of its lower level.
void ContPlot::fillBand(Plot& plot) {
    PlotAttr a = fill.get(pbox.getLevel());
    plevel = pbox.getLevel();
    level = box.getLevel();
    plot.setFillStyle(0);
    plot.setFill(a);
    if (fill_pat != Const::MISS) plot.setFillStyle(fill_pat);
    plot.setLine(a);
    if (a.validColor()) drawBoxFill(plot);
}

int ContPlot::drawFill(Plot& plot, Grid& grid) {
    grid.getRange(min, max);
    plot.setLine();
    plot.setFill();
    plot.setText();
    setLevels(plot, grid);

    const Domain& pdom = plot.getDomain();
    const int nx = grid.getNx(), ny = grid.getNy();
    if (!grid.isLocate() && grid.allocLocate()) {
        const bool same = GridMath::isDomainEqual(grid, pdom);
        for (int y = 0; y < ny; ++y)
            for (int x = 0; x < nx; ++x) {
                const GridPoint g(static_cast<float>(x), static_cast<float>(y));
                Point p;
                if (same) {
                    grid.tran(g, p);
                } else {
                    EarthPoint e;
                    grid.tran(g, e);
                    pdom.tran(e, p);
                }
                grid.setLocate(x, y, p);
            }
    }

    if (num_cont > 0)
        for (int y = 0; y < ny - 1; ++y)
            for (int x = 0; x < nx - 1; ++x) {
                box.set(grid, pdom, x, y);
                if (!box.isDataValid() || !box.isLocateValid()) continue;
                box.setLevel(getLevel(0));
                int k = 1;
                for (; k < num_cont; ++k) {
                    pbox = box;
                    box.setLevel(getLevel(k));
                    if (box.getEqual() != GridBox::BELOW) fillBand(plot);
                    if (box.getEqual() == GridBox::ABOVE) break;
                }
                // The band above the last level crossed (or above every level).
                pbox = box;
                box.setLevel(getLevel(k));
                if (pbox.getNumSide() == 0 && box.getMin() < pbox.getLevel()) continue;
                fillBand(plot);
            }
    drawLineLabels(plot, grid);
    drawMaxMin(plot, grid);
    return 1;
}

int ContPlot::drawLabels(Plot& plot, Grid& grid) {
    plot.addLabel("ul", grid.getInfo());
    plot.addLabel("ur", grid.getDatim());
    if (!plot.getTimeSync() && !plot.getDate().isSet()) {
        plot.setDate(grid.getDate());
        const float fh = grid.getForeHours();
        if (fh != MISS && fh > 0) plot.setForeHour(fh);
        plot.setDataSource(grid.getGenName());
    }
    String lo, hi, text;
    Tools::toString(min, 3, lo);
    Tools::toString(max, 3, hi);
    if (intrvl != MISS) {
        String inc;
        Tools::toString(intrvl, 3, inc);
        text.printf("Int: %s Lo: %s Hi: %s", inc.get(), lo.get(), hi.get());
    } else {
        text.printf("Lo: %s Hi: %s", lo.get(), hi.get());
    }
    plot.addLabel("lr", text.get());
    return 1;
}

} // namespace HYX
