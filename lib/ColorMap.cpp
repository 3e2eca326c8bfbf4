// The named colour table and its lookup rules.
#include "HYX/ColorMap.h"

#include "HYX/Hyx.h"
#include "HYX/RGB.h"
#include "HYX/StrLib.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace HYX {

namespace {

const char* const PATTERN_WORDS[] = {"pblk",  "pbblk", "ptblk", "pwht", "pbwht",
                                     "ptwht", "pgry",  "pbgry", "ptgry"};

bool allOf(const char* s, int n, int (*test)(int)) {
    for (int i = 0; i < n; ++i)
        if (!test(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

} // namespace

void ColorMap::init(int n) {
    max = n > 0 ? n : 0;
    colors.assign(static_cast<size_t>(max), Color());
    num = 0;
    num_fill = 0;
}

void ColorMap::init() {
    for (Color& c : colors) c.init();
    num = 0;
    num_fill = 0;
}

int ColorMap::find(const char* name) const {
    for (int i = 0; i < num; ++i)
        if (StrLib::equal(colors[i].name, name)) return i;
    return -1;
}

int ColorMap::add(const char* name, float r, float g, float b) {
    if (!name) return -1;
    char key[Color::NAME_SIZE];
    StrLib::copy(key, sizeof key, name);
    // A colour already in the table only changes its components, so it needs no room.
    const int i = find(key);
    if (i >= 0) {
        Hyx::outDebug(5, "Color name already exists, overwriting: %s\n", key);
        colors[i].setRGB(r, g, b);
        return i;
    }
    if (num >= max) {
        Hyx::outWarning("Color map size exceeded %d > %d\n", num + 1, max);
        return -1;
    }
    colors[num].set(key, r, g, b);
    colors[num].value = -1;
    return num++;
}

int ColorMap::add(const char* name, const RGB& c) { return add(name, c.red, c.grn, c.blu); }

// "#RRGGBB" in hexadecimal or "#RRRGGGBBB" in decimal: added under that text.
int ColorMap::addCode(const char* name) {
    const int len = StrLib::length(name);
    unsigned int c[3];
    if (len == 7 && allOf(name + 1, 6, std::isxdigit)) {
        if (std::sscanf(name + 1, "%2x%2x%2x", &c[0], &c[1], &c[2]) != 3) return -1;
    } else if (len == 10 && allOf(name + 1, 9, std::isdigit)) {
        if (std::sscanf(name + 1, "%3u%3u%3u", &c[0], &c[1], &c[2]) != 3) return -1;
    } else {
        return -1;
    }
    return add(name, c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f);
}

int ColorMap::getInd(const char* name) {
    if (!name || !*name) return NO_COLOR;
    if (StrLib::iequal(name, "end")) return END_COLOR;
    if (StrLib::iequal(name, "none") || StrLib::iequal(name, "off") || StrLib::iequal(name, "back"))
        return NO_COLOR;
    for (int k = 0; k < 9; ++k)
        if (StrLib::iequal(name, PATTERN_WORDS[k])) return PATTERN_BASE + k;
    for (int i = 0; i < num; ++i)
        if (StrLib::iequal(colors[i].name, name)) return i;
    if (name[0] == '#') return addCode(name);
    if (std::isdigit(static_cast<unsigned char>(name[0]))) return std::atoi(name);
    return NO_COLOR;
}

const Color* ColorMap::entry(int i) const {
    if (i < 0 || num < 1) return nullptr;
    return &colors[i < num ? i : num - 1];
}

const char* ColorMap::getName(int i) const {
    const Color* c = entry(i);
    return c ? c->name : "";
}

int ColorMap::get(int i, RGB& c) const {
    const Color* e = entry(i);
    if (!e) {
        c.set(-1, -1, -1);
        return 0;
    }
    e->get(c);
    return 1;
}

int ColorMap::getRGB(int i, float* r, float* g, float* b) const {
    RGB c;
    const int ok = get(i, c);
    if (r) *r = c.red;
    if (g) *g = c.grn;
    if (b) *b = c.blu;
    return ok;
}

int ColorMap::getIRGB(int i, int* r, int* g, int* b) const {
    RGB c;
    const int ok = get(i, c);
    auto scale = [ok](float v) { return ok ? static_cast<int>(v * 255.0f) : -1; };
    if (r) *r = scale(c.red);
    if (g) *g = scale(c.grn);
    if (b) *b = scale(c.blu);
    return ok;
}

int ColorMap::setValue(int i, int v) {
    if (i < 0 || i >= num) return 0;
    colors[i].value = v;
    return 1;
}

int ColorMap::getValue(int i) const {
    const Color* c = entry(i < 0 ? 0 : i);
    return c ? c->value : -1;
}

int ColorMap::setNumFill(int n) {
    if (n < 0 || n > num) return 0;
    num_fill = n;
    return 1;
}

bool ColorMap::isColorNear(int i, const RGB& c) const {
    const Color* e = entry(i);
    if (!e) return false;
    const float d =
        std::fabs(e->red - c.red) + std::fabs(e->grn - c.grn) + std::fabs(e->blu - c.blu);
    return d < NEAR;
}

void ColorMap::print() const {
    std::printf("Fill: %d\n", num_fill);
    for (int i = 0; i < num; ++i)
        std::printf("%3d - %8d (%4.2f,%4.2f,%4.2f) %s\n", i, colors[i].value, colors[i].red,
                    colors[i].grn, colors[i].blu, colors[i].name);
}

} // namespace HYX
