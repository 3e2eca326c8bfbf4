// Contour levels and the attribute of each band.
#include "HYX/ColorFill.h"

#include "HYX/ColorMap.h"
#include "HYX/File.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"
#include "HYX/Tools.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;

const PlotAttr& noAttr() {
    static const PlotAttr none;
    return none;
}

} // namespace

ColorFill::ColorFill() : max(MAX_ENTRY) { init(); }

ColorFill::ColorFill(ColorMap& cmap, const char* spec) : ColorFill() { set(cmap, spec); }

ColorFill::ColorFill(const ColorFill& other) : ColorFill() { *this = other; }

ColorFill& ColorFill::operator=(const ColorFill& o) {
    if (this == &o) return *this;
    attr = o.attr;
    value = o.value;
    std::memcpy(label, o.label, sizeof label);
    base = o.base;
    intrvl = o.intrvl;
    num = o.num;
    return *this;
}

void ColorFill::init() {
    label[0] = 0;
    num = 0;
    base = intrvl = MISS;
    attr.clear();
    value.clear();
}

int ColorFill::add(const PlotAttr& a, float v) {
    if (num >= max) return 0;
    attr.push_back(a);
    value.push_back(v);
    ++num;
    return 1;
}

int ColorFill::set(ColorMap& cmap, const char* spec) {
    init();
    if (!spec || !spec[0]) {
        int n = cmap.getNumFill();
        if (n > max) n = max;
        for (int i = 0; i < n; ++i) {
            PlotAttr a;
            a.setColor(cmap.getName(i));
            a.setColorInd(i);
            add(a, MISS);
        }
        return 1;
    }
    Strings items(spec, ',');
    if (items.getNum() == 1) {
        const char* s = items.getString(0);
        if (!s) return 1;
        while (*s == ' ' || *s == '\t') ++s;
        if (!Tools::isInt(s) && (!s[0] || !std::strchr(s + 1, '-'))) {
            readFile(cmap, s);
            return 1;
        }
    }
    for (int i = 0; i < items.getNum(); ++i)
        if (items.getString(i)) decode(cmap, items.getString(i));
    return 1;
}

int ColorFill::decode(ColorMap& cmap, const char* item) {
    if (num >= max || !item) return 0;
    while (*item == ' ' || *item == '\t') ++item;
    if (!item[0]) return 0;
    const char* dash = std::strchr(item + 1, '-');
    if (dash) {
        // A colour range: one entry per colour-table index from a's colour to b's.
        char a[line_len + 1];
        StrLib::copy(a, sizeof a, item, static_cast<int>(dash - item));
        PlotAttr pa(a), pb(dash + 1);
        const int ia = cmap.getInd(pa.getColor()), ib = cmap.getInd(pb.getColor());
        const int step = ib <= ia ? -1 : 1;
        for (int c = ia;; c += step) {
            PlotAttr e = pa;
            char name[16];
            std::snprintf(name, sizeof name, "%d", c);
            e.setColor(name);
            e.setColorInd(c);
            if (!add(e, MISS) || c == ib) break;
        }
        return 1;
    }
    const char* colon = std::strchr(item, ':');
    if (Tools::isFloat(item) && colon) {
        PlotAttr a(colon + 1);
        a.setColorInd(cmap.getInd(a.getColor()));
        add(a, static_cast<float>(std::strtod(item, nullptr)));
        return 1;
    }
    PlotAttr a(item);
    a.setColorInd(cmap.getInd(a.getColor()));
    add(a, MISS);
    return 1;
}

int ColorFill::readFile(ColorMap& cmap, const char* name) {
    if (!name || !name[0]) return 0;
    String path;
    FileTool::addPath(Hyx::getDatabasePath(), name, path);
    // A device or a pipe might never end: fill lists are files.
    if (!FileTool::isFile(path.get())) return 0;
    File f(path.get(), "r");
    if (!f.isOpen()) return 0;
    char buf[line_len + 2];
    int n;
    while ((n = f.getLine(buf, sizeof buf)) > 0) {
        // A longer line is cut at its 80th character; the rest of it is skipped.
        if (buf[n - 1] != '\n' && n > line_len) {
            buf[line_len] = 0;
            f.skipLine();
        }
        StrLib::trimWS(buf);
        if (!buf[0] || buf[0] == '#') continue;
        if (buf[0] == '@') {
            if (std::strncmp(buf, "@label", 6) == 0)
                StrLib::copy(label, label_len, std::strlen(buf) > 7 ? buf + 7 : "");
            else if (std::strncmp(buf, "@name", 5) == 0)
                StrLib::copy(label, label_len, std::strlen(buf) > 6 ? buf + 6 : "");
            continue;
        }
        decode(cmap, buf);
    }
    validateValues();
    return 1;
}

int ColorFill::validateValues() {
    if (num < 1 || value[0] == MISS) return 0;
    int last = 0; // last entry with a given value
    for (int i = 1; i < num; ++i) {
        if (value[i] == MISS) continue;
        const int gap = i - last;
        for (int k = last + 1; k < i; ++k)
            value[k] = value[last] + (value[i] - value[last]) * static_cast<float>(k - last) / gap;
        last = i;
    }
    return 1;
}

int ColorFill::setFill(ColorMap& cmap, const char* spec) {
    init();
    const char* res = Hyx::getResrc("color_fill");
    if (res && !StrLib::iequal(res, "miss") && !StrLib::iequal(res, "def"))
        return set(cmap, res) ? 2 : 0;
    return set(cmap, spec) ? 1 : 0;
}

int ColorFill::setValues(const float* v, int n) {
    for (int i = 0; i < num; ++i) value[i] = v && i < n ? v[i] : MISS;
    return 1;
}

int ColorFill::getInd(float v) const {
    if (v == MISS || num < 1) return Const::MISS;
    if (areValuesSet()) {
        if (v < value[0]) return -1;
        for (int i = 0; i + 1 < num; ++i)
            if (value[i] <= v && v < value[i + 1]) return i;
        return num - 1;
    }
    if (intrvl == MISS || intrvl == 0.0f) return 0;
    const double b = base == MISS ? 0.0 : base;
    const double k = std::floor((static_cast<double>(v) - b) / intrvl + 0.01);
    if (!std::isfinite(k)) return 0;
    int i = static_cast<int>(std::fmod(k, static_cast<double>(num)));
    if (i < 0) i += num;
    return i;
}

const PlotAttr& ColorFill::get(float v) const {
    const int i = getInd(v);
    return i >= 0 && i < num ? attr[i] : noAttr();
}

int ColorFill::getColor(float v) const {
    const int i = getInd(v);
    return i >= 0 && i < num ? attr[i].getColorInd() : -1;
}

const PlotAttr& ColorFill::get(int i) const { return i >= 0 && i < num ? attr[i] : noAttr(); }

int ColorFill::getColor(int i) const { return i >= 0 && i < num ? attr[i].getColorInd() : -1; }

const char* ColorFill::getColorName(int i) const {
    return i >= 0 && i < num ? attr[i].getColor() : "";
}

void ColorFill::print() const {
    std::printf("ColorFill\n");
    if (label[0]) std::printf("Name: %s\n", label);
    std::printf("Intrvl: %.2f Base: %.2f\n", intrvl, base);
    for (int i = 0; i < num; ++i) {
        if (value[i] != MISS) std::printf("val: %.2f\n", value[i]);
        attr[i].print();
    }
}

} // namespace HYX
