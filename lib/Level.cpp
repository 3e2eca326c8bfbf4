// A level or layer with its text syntax, text form, label and GRIB codes.
#include "HYX/Level.h"

#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/VCoord.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace HYX {

namespace {

// Level kinds written as a word. A null keyword means the word is produced but not read.
struct KeyInfo {
    int type;
    const char* key;
    const char* text;
    const char* label;
};

const KeyInfo KEYS[] = {
    {Level::SND, "snd", "", ""},
    {Level::CLD_BOT, nullptr, "cld_bot", "Cloud base"},
    {Level::CLD_TOP, nullptr, "cld_top", "Cloud top"},
    {Level::FRZ, "frz", "frz", "Frz level"},
    {Level::LCL, "lcl", "lcl", "LCL"},
    {Level::MWND, "mwnd", "mwnd", "Max wind"},
    {Level::TROP, "trop", "trop", "Tropopause"},
    {Level::TOP, nullptr, "top", "Top"},
    {Level::SEABOT, nullptr, "", ""},
    {Level::MSL, "sl", "sl", "Sea level"},
    {Level::MISC, "-", "-", ""},
    {Level::WHOLE, "whole", "whole", "Whole"},
    {Level::TOP_FRZ, "top_frz", "top_frz", "Top frz level"},
    {Level::GSCLD_BOT, "gscld_bot", "gscld_bot", "Grid scale cld bot"},
    {Level::GSCLD_TOP, "gscld_top", "gscld_top", "Grid scale cld top"},
    {Level::BLCLD_BOT, "blcld_bot", "blcld_bot", "Bound lyr cld bot"},
    {Level::BLCLD_TOP, "blcld_top", "blcld_top", "Bound lyr cld top"},
    {Level::BLCLD_LYR, "blcld_lyr", "blcld_lyr", "Bound lyr cld lyr"},
    {Level::LCLD_BOT, "lcld_bot", "lcld_bot", "Low cld bot lvl"},
    {Level::LCLD_TOP, "lcld_top", "lcld_top", "Low cld top lvl"},
    {Level::LCLD_LYR, "lcld_lyr", "lcld_lyr", "Low cld lyr"},
    {Level::CLD_CEIL, "cld_ceil", "cld_ceil", "Cld ceiling"},
    {Level::PBL, "pbl", "pbl", "Plan bndry lyr"},
    {Level::MCLD_BOT, "mcld_bot", "mcld_bot", "Mid cld bot lvl"},
    {Level::MCLD_TOP, "mcld_top", "mcld_top", "Mid cld top lvl"},
    {Level::MCLD_LYR, "mcld_lyr", "mcld_lyr", "Mid cld lyr"},
    {Level::HCLD_BOT, "hcld_bot", "hcld_bot", "High cld bot lvl"},
    {Level::HCLD_TOP, "hcld_top", "hcld_top", "High cld top lvl"},
    {Level::HCLD_LYR, "hcld_lyr", "hcld_lyr", "High cld lyr"},
    {Level::CONV_BOT, "conv_bot", "conv_bot", "Conv cld bot lvl"},
    {Level::CONV_TOP, "conv_top", "conv_top", "Conv cld top lvl"},
    {Level::CONV_LYR, "conv_lyr", "conv_lyr", "Conv cld lyr"},
    {Level::WBZERO, "wbzero", "wbzero", "Wet bulb zero lvl"},
    {Level::MAXEPOT, "maxepot", "maxepot", "Max eq pot temp lvl"},
    {Level::EQUILIB, "equilib", "equilib", "Equilibrium lvl"},
    {Level::SCCLD_BOT, "sccld_bot", "sccld_bot", "Shal conv cld bot lvl"},
    {Level::SCCLD_TOP, "sccld_top", "sccld_top", "Shal conv cld top lvl"},
    {Level::DCCLD_BOT, "dccld_bot", "dccld_bot", "Deep conv cld bot lvl"},
    {Level::DCCLD_TOP, "dccld_top", "dccld_top", "Deep conv cld top lvl"},
    {Level::SCLW_BOT, "sclw_bot", "sclw_bot", "Supercool liq wat bot"},
    {Level::SCLW_TOP, "sclw_top", "sclw_top", "Supercool liq wat top"},
};

const KeyInfo* findType(int type) {
    for (const KeyInfo& k : KEYS)
        if (k.type == type) return &k;
    return nullptr;
}

// Units after a number: the level kind and the factor to metres or the unit's own value.
struct UnitInfo {
    const char* unit;
    int type;
    float factor;
};

const UnitInfo UNITS[] = {
    {"ft", Level::HT, 0.3048f},     {"m", Level::HT, 1},           {"ft_ag", Level::HAG, 0.3048f},
    {"m_ag", Level::HAG, 1},        {"mb_ag", Level::PAG, 1},      {"k", Level::POT, 1},
    {"mb", Level::PR, 1},           {"sig", Level::SIG, 1},        {"eta", Level::ETA, 1},
    {"pv", Level::POT_VORT, 1},     {"hyb", Level::HYB, 1},
};

bool isPseudoPres(float p) { return p == 1900 || p == 1950 || p >= 2000; }
bool isPseudoHght(float h, bool layer) { return layer && (h == 99500 || h == 99600); }
int roundi(float x) { return static_cast<int>(x + 0.5f); }

int coordType(int type) {
    switch (type) {
    case Level::SFC: return VCoord::SFC;
    case Level::FRZ: return VCoord::FRZ;
    case Level::LCL: return VCoord::LCL;
    case Level::MWND: return VCoord::MWND;
    case Level::TROP: return VCoord::TROP;
    case Level::PR: return VCoord::PRESS;
    case Level::HT: return VCoord::HGHT;
    case Level::POT: return VCoord::THETA;
    default: return -1;
    }
}

} // namespace

void Level::init() {
    l1 = Lev();
    l2 = Lev();
}

void Level::orderPair(Lev& a, Lev& b, bool largerFirst) {
    if (a.lev == Const::FMISS || b.lev == Const::FMISS) return;
    if (largerFirst ? a.lev < b.lev : a.lev > b.lev) std::swap(a, b);
}

void Level::set(int type1, float lev1, int type2, float lev2) {
    l1.type = type1;
    l1.lev = lev1;
    l2 = Lev();
    if (type2 == NONE) return;
    l2.type = type2;
    l2.lev = lev2;
    // Layers between two values of one kind keep a fixed order: downward pressure and
    // sigma (larger first), upward for everything else.
    if (type1 == type2) orderPair(l1, l2, type1 == PR || type1 == SIG);
}

void Level::set(int type, float lev1, float lev2) {
    if (lev2 == Const::FMISS) {
        set(type, lev1);
        return;
    }
    l1.type = l2.type = type;
    l1.lev = lev1;
    l2.lev = lev2;
    orderPair(l1, l2, false);
}

void Level::set(int type, float lev) {
    l1.type = type;
    l1.lev = lev;
    l2 = Lev();
}

int Level::decodeLev(const char* text, Lev& out, float& factor) {
    factor = 1;
    out = Lev();
    if (!text || !*text) return 0;
    if (StrLib::iequal(text, "sfc[", 4)) {
        float v = 0;
        if (std::sscanf(text + 4, "%f", &v) != 1 || !std::isfinite(v)) v = 0;
        out.type = SFC;
        out.lev = v;
        return 3;
    }
    if (StrLib::iequal(text, "sfc") || StrLib::iequal(text, "sea")) {
        out.type = SFC;
        out.lev = 0;
        return 3;
    }
    for (const KeyInfo& k : KEYS) {
        if (k.key && StrLib::iequal(text, k.key)) {
            out.type = k.type;
            out.lev = 0;
            return 3;
        }
    }
    // strtof rather than scanf: it gives back the "e" of a unit such as "eta".
    char* end = nullptr;
    const float v = std::strtof(text, &end);
    if (end == text || !std::isfinite(v)) return 0;
    char unit[10] = "";
    const int n = std::sscanf(end, "%9s", unit);
    out.type = PR;
    out.lev = v;
    if (n < 1) return 1;
    for (const UnitInfo& u : UNITS) {
        if (StrLib::iequal(unit, u.unit)) {
            out.type = u.type;
            factor = u.factor;
            out.lev = v * u.factor;
            return 2;
        }
    }
    return 1;
}

int Level::decode(const char* text) {
    init();
    if (!text) return 0;
    char buf[128];
    StrLib::copy(buf, sizeof(buf), text);
    StrLib::trimWS(buf);
    if (!*buf || StrLib::iequal(buf, "level") || StrLib::iequal(buf, "none") ||
        StrLib::iequal(buf, "miss"))
        return 0;

    // Prefixed forms: p850-500, h1000-3000, a10, k300-320, s0.9-1.
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(buf[0])));
    const bool sigma = c == 's' && std::isdigit(static_cast<unsigned char>(buf[1]));
    if (c == 'p' || c == 'h' || c == 'a' || c == 'k' || sigma) {
        float a = 0, b = 0;
        const int n = std::sscanf(buf + 1, "%f-%f", &a, &b);
        if (n >= 1 && std::isfinite(a) && (n < 2 || std::isfinite(b))) {
            int type = PR;
            bool largerFirst = true;
            if (c == 'h') type = HT, largerFirst = false;
            if (c == 'a') type = HAG, largerFirst = false;
            if (c == 'k') type = POT;
            if (sigma) type = SIG, largerFirst = false;
            l1.type = type;
            l1.lev = a;
            if (n == 2) {
                l2.type = type;
                l2.lev = b;
                orderPair(l1, l2, largerFirst);
            }
            return 1;
        }
    }
    if (StrLib::equal(buf, "-")) {
        set(MISC, 0);
        return 1;
    }

    // A layer is two parts around a '-' (a leading minus belongs to the number).
    const char* dash = std::strchr(buf + 1, '-');
    if (!dash) {
        float f;
        if (!decodeLev(buf, l1, f)) {
            init();
            return 0;
        }
        return 1;
    }
    char p1[30], p2[30];
    StrLib::copy(p1, sizeof(p1), buf, static_cast<int>(dash - buf));
    StrLib::copy(p2, sizeof(p2), dash + 1);
    char* blank = std::strchr(p2, ' ');
    if (blank) *blank = 0;
    StrLib::trimWS(p1);
    float f1, f2;
    const int r1 = decodeLev(p1, l1, f1);
    const int r2 = *p2 ? decodeLev(p2, l2, f2) : 0;
    if (!r1 || (*p2 && !r2)) {
        init();
        return 0;
    }
    if (!r2) return 1; // "500-": a single level
    if (r1 == 1 && r2 == 2) {
        l1.type = l2.type;
        l1.lev *= f2;
    }
    if (l1.type == l2.type) orderPair(l1, l2, l1.type == PR || l1.type == SIG);
    return 1;
}

int Level::getLower(VCoord& c) const {
    const int t = coordType(l1.type);
    if (t < 0) return 0;
    c.set(t, l1.lev);
    return 1;
}

int Level::getUpper(VCoord& c) const {
    int t = -1;
    if (l2.type == SFC || l2.type == FRZ || l2.type == LCL || l2.type == MWND ||
        l2.type == TROP || l2.type == PR)
        t = coordType(l2.type);
    else if (l1.type == HT)
        t = VCoord::HGHT;
    else if (l1.type == POT)
        t = VCoord::THETA;
    if (t < 0 || l2.lev == Const::FMISS) return 0;
    c.set(t, l2.lev);
    return 1;
}

bool Level::bareNumber(const Lev& l, bool layer) {
    switch (l.type) {
    case PR: return !isPseudoPres(l.lev);
    case HT: return !isPseudoHght(l.lev, layer);
    case HAG: case SIG: case HYB: case HBG: case POT: case PAG: case POT_VORT: case ETA:
        return true;
    default: return false;
    }
}

void Level::formatLev(const Lev& l, bool layer, bool label, char* buf, int size) {
    const float v = l.lev;
    buf[0] = 0;
    switch (l.type) {
    case SFC: {
        const float d = v > 2000 ? v - 2000 : v;
        if (d != 0 && d != Const::FMISS)
            std::snprintf(buf, size, label ? "Surface[%.0f]" : "sfc[%.0f]", d);
        else
            std::snprintf(buf, size, "%s", label ? "Surface" : "sfc");
        return;
    }
    case PR:
        if (v == 1900 || v == 2000)
            std::snprintf(buf, size, "%s", label ? "Sfc" : "sfc");
        else if (v == 1950)
            std::snprintf(buf, size, "%s", label ? "Trop" : "trop");
        else if (v > 2000)
            std::snprintf(buf, size, label ? "Sfc[%.0f]" : "sfc[%.0f]", v - 2000);
        else
            std::snprintf(buf, size, label ? "%.0f mb" : "%.0fmb", v);
        return;
    case HT:
        if (isPseudoHght(v, layer))
            std::snprintf(buf, size, "%s", label ? "Trop" : "trop");
        else
            std::snprintf(buf, size, label ? "%.0f m" : "%.0fm", v);
        return;
    case HAG: std::snprintf(buf, size, label ? "%.0f m AG" : "%.0fm_ag", v); return;
    case SIG: std::snprintf(buf, size, label ? "%4.3f sigma" : "%3.2fsig", v); return;
    case HYB: std::snprintf(buf, size, label ? "%.0f hyb" : "%.0fhyb", v); return;
    case HBG: std::snprintf(buf, size, label ? "%.0f cm BG" : "%.0fcm_bg", v); return;
    case POT: std::snprintf(buf, size, label ? "%.0f K" : "%.0fK", v); return;
    case PAG: std::snprintf(buf, size, label ? "%.0f mb AG" : "%.0fmb_ag", v); return;
    case POT_VORT: std::snprintf(buf, size, "%.2f*10^-6 Km2/kgs", v); return;
    case ETA: std::snprintf(buf, size, label ? "%.3f eta" : "%.3feta", v); return;
    default: break;
    }
    const KeyInfo* k = findType(l.type);
    if (k)
        std::snprintf(buf, size, "%s", label ? k->label : k->text);
    else if (label)
        std::snprintf(buf, size, "Unknown lvl: %d", l.type);
}

int Level::format(String& out, bool label) const {
    out.clear();
    if (!isSet() || l1.type == SND) return 0;
    if (label && l1.type == MISC) return 0;
    char a[64], b[64];
    const bool layer = isLayer();
    if (!layer) {
        formatLev(l1, false, label, a, sizeof(a));
        out.copy(a);
        return 1;
    }
    if (l1.type == l2.type && bareNumber(l1, true) && bareNumber(l2, true)) {
        const char* fmt = l1.type == SIG ? "%4.3f" : l1.type == POT_VORT ? "%.2f"
                        : l1.type == ETA ? "%.3f" : "%.0f";
        std::snprintf(a, sizeof(a), fmt, l1.lev);
    } else {
        formatLev(l1, true, label, a, sizeof(a));
    }
    formatLev(l2, true, label, b, sizeof(b));
    out.copy(a);
    out.append("-");
    out.append(b);
    return 1;
}

int Level::toString(String& out) const { return format(out, false); }

int Level::toLabel(String& out) const { return format(out, true); }

int Level::toTypeCode(int type1, int type2) {
    const bool layer = type2 != NONE;
    switch (type1) {
    case PR: return layer ? 101 : 100;
    case MSL: return 102;
    case HT: return layer ? 104 : 103;
    case HAG: return layer ? 106 : 105;
    case SIG: return layer ? 108 : 107;
    case HYB: return layer ? 110 : 109;
    case HBG: return layer ? 112 : 111;
    case POT: return layer ? 114 : 113;
    case PAG: return layer ? 116 : 115;
    case POT_VORT: return 117;
    case ETA: return layer ? 120 : 119;
    default: return type1;
    }
}

int Level::toLevelCode() const {
    if (!isSet() && l2.type == NONE) return Const::MISS;
    const bool layer = isLayer();
    const float v1 = l1.lev, v2 = l2.lev;
    switch (l1.type) {
    case PR: return layer ? (roundi(v2) / 10) * 1000 + roundi(v1) / 10 : roundi(v1);
    case MSL: return 0;
    case HT: return layer ? (roundi(v2) / 100) * 1000 + roundi(v1) / 100 : roundi(v1);
    case HAG: case HYB: case HBG: case POT: case PAG:
        return layer ? roundi(v2) * 1000 + roundi(v1) : roundi(v1);
    case SIG:
        return layer ? static_cast<int>(100 * v2 + 0.01f) * 1000 +
                           static_cast<int>(100 * v1 + 0.01f)
                     : static_cast<int>(10000 * v1);
    case ETA:
        return layer ? static_cast<int>(1000 * v2 + 0.01f) * 1000 +
                           static_cast<int>(1000 * v1 + 0.01f)
                     : static_cast<int>(10000 * v1);
    case POT_VORT: return roundi(v1);
    default:
        if (l1.type < 11) return 0;
        if (l1.type < 200) return Const::MISS;
        return 0;
    }
}

void Level::print() const { std::printf("%d %f-%d %f\n", l1.type, l1.lev, l2.type, l2.lev); }

} // namespace HYX
