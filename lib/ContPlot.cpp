// Contour drawing of a grid: settings, parameter string and contour levels.
#include "HYX/ContPlot.h"

#include "HYX/ColorMap.h"
#include "HYX/Grid.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/Strings.h"
#include "HYX/Tools.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;
// Level counts beyond this are not drawn at all (only reachable with absurd settings).
constexpr double MAX_COUNT = 100000.0;

bool starts(const char* s, const char* p) { return std::strncmp(s, p, std::strlen(p)) == 0; }

// The text from character n on (empty when the item is shorter).
const char* from(const char* s, size_t n) { return std::strlen(s) >= n ? s + n : ""; }

// The text after the first "=", or null.
const char* afterEq(const char* s) {
    const char* e = std::strchr(s, '=');
    return e ? e + 1 : nullptr;
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
    extrad = 2;
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
    Strings items(param, ',');
    for (int k = 0; k < items.getNum(); ++k) {
        char item[256];
        StrLib::copy(item, sizeof item, items.getString(k) ? items.getString(k) : "");
        StrLib::stripWS(item);
        if (!item[0]) continue;
        const char* eq = afterEq(item);
        if (StrLib::equal(item, "cf") || StrLib::equal(item, "lcf") || StrLib::equal(item, "ln") ||
            StrLib::equal(item, "dln") || StrLib::equal(item, "ndln") ||
            StrLib::equal(item, "gvalue") || StrLib::equal(item, "value")) {
            setType(item);
        } else if (starts(item, "ty") || starts(item, "pl")) {
            if (eq) setType(eq);
        } else if (starts(item, "int") || starts(item, "ci")) {
            if (eq) setInterval(static_cast<float>(std::atof(eq)));
        } else if (starts(item, "base") || starts(item, "cb")) {
            if (eq) setBase(static_cast<float>(std::atof(eq)));
        } else if (starts(item, "wi")) {
            if (eq) setLineWidth(static_cast<float>(std::atof(eq)));
        } else if (starts(item, "sc")) {
            if (eq) setScaleFactor(static_cast<float>(std::atof(eq)));
        } else if (starts(item, "fill")) {
            setFillStyle(PlotAttr::parseFillStyle(from(item, 5)));
        } else if (starts(item, "ct")) {
            setColorTable(from(item, 3));
        } else if (starts(item, "coco") || starts(item, "coln")) {
            setColorLine(from(item, 5));
        } else if (starts(item, "cof")) {
            setColorFill(from(item, 4));
        } else if (starts(item, "cola")) {
            setColorLabel(from(item, 5));
        } else if (starts(item, "co=")) {
            setColorLine(from(item, 3));
        } else if (starts(item, "fm")) {
            if (eq) setTextFormat(eq);
        } else if (StrLib::iequal(item, "bar", 3)) {
            bar = 1;
        } else if (starts(item, "lab")) {
            const char* t = from(item, 4);
            int v[4];
            int n = std::sscanf(t, "%d:%d:%d:%d", &v[0], &v[1], &v[2], &v[3]);
            if (n == 1) n = std::sscanf(t, "%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3]);
            if (n == 1) n = std::sscanf(t, "%d.%d.%d.%d", &v[0], &v[1], &v[2], &v[3]);
            if (n == 1) {
                skipval = v[0] / 10;
                extrad = v[0] % 10;
            } else if (n >= 2) {
                skipval = v[0];
                extrad = v[1];
                if (n >= 3) skipx = skipy = v[2];
                if (n == 4) skipy = v[3];
            }
        }
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

} // namespace HYX
