// Attribute strings for lines, fills, text and marks.
#include "HYX/PlotAttr.h"

#include "HYX/StrLib.h"
#include "HYX/Strings.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace HYX {

namespace {

// The whole text as a finite number.
bool toNumber(const char* t, float& v) {
    if (!t || !*t) return false;
    char* end = nullptr;
    const double d = std::strtod(t, &end);
    if (end == t || *end != 0 || !std::isfinite(d) || std::fabs(d) > 1e30) return false;
    v = static_cast<float>(d);
    return true;
}

// The whole text as an integer.
bool toInteger(const char* t, int& v) {
    if (!t || !*t) return false;
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(t, &end, 10);
    if (end == t || *end != 0 || errno != 0 || n < INT_MIN || n > INT_MAX) return false;
    v = static_cast<int>(n);
    return true;
}

bool key(const char* item, const char* k) { return StrLib::iequal(item, k, 3); }

} // namespace

void PlotAttr::init() {
    width = height = expan = Const::FMISS;
    style = shadow = fill_pat = color_ind = Const::MISS;
    color[0] = 0;
    font[0] = 0;
}

int PlotAttr::set(const char* str) {
    init();
    return parse(str);
}

int PlotAttr::set(const char* str, const char* def) {
    init();
    return parse(StrLib::valid(str) ? str : def);
}

bool PlotAttr::validColor() const {
    return color_ind != -1 && color[0] != 0 && !StrLib::iequal(color, "off");
}

void PlotAttr::setColor(const char* name) {
    StrLib::copy(color, COLOR_SIZE, name);
    color_ind = Const::MISS;
}

void PlotAttr::setFont(const char* name) { StrLib::copy(font, FONT_SIZE, name); }

int PlotAttr::parse(const char* str) {
    init();
    if (!StrLib::valid(str)) return 0;
    const char delim = StrLib::index(str, ':') >= 0 ? ':' : ',';
    Strings items(str, delim);
    int first = 0;
    const char* item0 = items.getString(0);
    if (item0 && StrLib::index(item0, '=') < 0) {
        setColor(item0);
        first = 1;
    }
    for (int i = first; i < items.getNum(); ++i) parseItem(items.getString(i));
    return 1;
}

void PlotAttr::parseItem(const char* item) {
    if (!StrLib::valid(item)) return;
    const char* val = StrLib::length(item) >= 3 ? item + 3 : "";
    float f;
    int n;
    if (key(item, "co=")) {
        setColor(val);
    } else if (key(item, "wi=")) {
        if (toNumber(val, f)) width = f;
    } else if (key(item, "sh=")) {
        if (toInteger(val, n)) shadow = n;
    } else if (key(item, "st=")) {
        n = parseLineStyle(val);
        if (n != Const::MISS) style = n;
    } else if (key(item, "fo=")) {
        StrLib::copy(font, FONT_SIZE, val);
    } else if (key(item, "fi=") || key(item, "fp=")) {
        fill_pat = parseFillStyle(val);
    } else if (key(item, "sc=") || key(item, "hi=")) {
        if (toNumber(val, f)) height = f;
    } else if (key(item, "te=")) {
        if (toNumber(val, f)) expan = f;
    } else {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(item[0])));
        const char* rest = item + 1;
        if (c == 'w' && toNumber(rest, f)) {
            width = f;
        } else if (c == 's' && toInteger(rest, n)) {
            style = n;
        } else if (c == 't' && StrLib::length(item) > 3) {
            StrLib::copy(font, SHORT_FONT_SIZE, item + 3);
        } else if (c == 'f' && (rest[0] == 'M' || rest[0] == 'm') && rest[1] == 0) {
            fill_pat = Const::MISS;
        } else if (c == 'f' && toInteger(rest, n)) {
            fill_pat = n;
        } else if (c == 'h' && toNumber(rest, f)) {
            height = f;
        } else if (c == 'e' && toNumber(rest, f)) {
            expan = f;
        }
    }
}

int PlotAttr::update(const PlotAttr& o) {
    if (o.color[0] != 0) StrLib::copy(color, COLOR_SIZE, o.color);
    if (o.validColorInd()) color_ind = o.color_ind;
    if (o.validWidth()) width = o.width;
    if (o.validHeight()) height = o.height;
    if (o.validFont()) StrLib::copy(font, FONT_SIZE, o.font);
    if (o.validExpan()) expan = o.expan;
    if (o.validStyle()) style = o.style;
    if (o.validFillPat()) fill_pat = o.fill_pat;
    if (o.validShadow()) shadow = o.shadow;
    return 1;
}

int PlotAttr::update(const PlotAttr& a, const PlotAttr& b) {
    if (this != &a) *this = a;
    return update(b);
}

void PlotAttr::print() const {
    std::printf("PlotAttr co: %s %d ", color, color_ind);
    std::printf("st: %d ", style);
    std::printf("he: %5.2f ", height);
    std::printf("wi: %5.2f ", width);
    std::printf("ex: %5.2f ", expan);
    std::printf("fi: %d ", fill_pat);
    std::printf("sh: %d ", shadow);
    std::printf("fo: %s\n", font);
}

int PlotAttr::parseLineStyle(const char* name) {
    static const char* const names[] = {"sol", "dsh", "lsdsh", "llsdsh", "dot"};
    for (int i = 0; i < 5; ++i)
        if (StrLib::iequal(name, names[i])) return i + 1;
    int n;
    return toInteger(name, n) ? n : Const::MISS;
}

int PlotAttr::parseFillStyle(const char* name) {
    struct Entry {
        const char* name;
        int code;
    };
    static const Entry table[] = {
        {"sol", 0}, {"st", 1},   {"ost", 2}, {"rst", 3}, {"lst", 4}, {"vln", 5}, {"||", 5},
        {"dlr", 6}, {"\\\\", 6}, {"drl", 7}, {"//", 7},  {"hln", 8}, {"--", 8},  {"hat", 9},
        {"XX", 9},  {"clr", 10}, {"0%", 10}, {"1%", 11}, {"2%", 12}, {"3%", 13}, {"4%", 14},
        {"5%", 15}, {"6%", 16},  {"7%", 17}, {"8%", 18}, {"9%", 19}};
    for (const Entry& e : table)
        if (StrLib::iequal(name, e.name)) return e.code;
    int n;
    return toInteger(name, n) ? n : Const::MISS;
}

int PlotAttr::parseMarker(const char* name) {
    struct Entry {
        const char* name;
        int code;
    };
    static const Entry table[] = {{"pnt", 1},  {".", 1},   {"plus", 2}, {"+", 2},
                                  {"star", 3}, {"*", 3},   {"crcl", 4}, {"circle", 4},
                                  {"o", 4},    {"x", 5},   {"sqr", 6},  {"square", 6},
                                  {"#", 6},    {"tri", 7}, {"^", 7},    {"itri", 9},
                                  {"v", 9},    {"dot", 8}, {"z", 10},   {"light", 10}};
    for (const Entry& e : table)
        if (StrLib::iequal(name, e.name)) return e.code;
    return 2;
}

} // namespace HYX
