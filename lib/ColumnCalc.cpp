// The values of one column of a cross section by name.
#include "HYX/ColumnCalc.h"

#include "HYX/Calc.h"
#include "HYX/Const.h"
#include "HYX/Convert.h"
#include "HYX/SectionGeometry.h"
#include "HYX/StrLib.h"
#include "HYX/UpaCalc.h"
#include "HYX/UpaData.h"
#include "HYX/UpaLevel.h"

#include <algorithm>
#include <cmath>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;

enum Var { NWND, TWND, LAPSE, BVF, THETAES, SBARB };

struct VarInfo {
    const char* name;
    Var var;
    const char* units;
};

const VarInfo VARS[] = {
    {"nwnd", NWND, "kt"}, {"twnd", TWND, "kt"},      {"lapse", LAPSE, "K/km"},
    {"bvf", BVF, "1/s"},  {"thetaes", THETAES, "K"}, {"sbarb", SBARB, "kt"},
};

const VarInfo* find(const char* name) {
    for (const VarInfo& v : VARS)
        if (StrLib::iequal(name, v.name)) return &v;
    return nullptr;
}

bool miss(float v) { return v == MISS; }

} // namespace

ColumnCalc::ColumnCalc(const UpaData& snd, float dir) : sounding(&snd), direction(dir) {}

// The layers are worked out when a stability is first asked for: most variables need none.
void ColumnCalc::findLayers() const {
    layered = true;
    const UpaData& snd = *sounding;
    float p0 = MISS, h0 = MISS, t0 = MISS;
    for (int i = 0; i < snd.getNum(); ++i) {
        // Wind levels carry temperatures interpolated between the others: they would only
        // cut a layer in two.
        if ((snd.getType(i) & 3) == UpaLevel::WND) continue;
        const float p = snd.getPres(i), h = snd.getHght(i), t = snd.getTemp(i);
        if (miss(p) || miss(h) || miss(t) || !(p > 0)) continue;
        if (!miss(p0)) {
            if (!(p < p0 && h > h0)) continue;
            const double dz = h - h0;
            const double th0 = Calc::potTemp(Convert::CtoK(t0), p0);
            const double th1 = Calc::potTemp(Convert::CtoK(t), p);
            const double n2 = Const::G * (th1 - th0) / dz / ((th0 + th1) / 2);
            const float bvf = n2 >= 0 ? static_cast<float>(std::sqrt(n2)) : MISS;
            layers.push_back({p0, p, static_cast<float>(-(t - t0) / dz * 1000), bvf});
        }
        p0 = p;
        h0 = h;
        t0 = t;
    }
}

// The layer holding pressure p; on a level between two layers, the lower one.
const ColumnCalc::Layer* ColumnCalc::layerAt(float p) const {
    if (!layered) findLayers();
    const auto it = std::lower_bound(layers.begin(), layers.end(), p,
                                     [](const Layer& l, float q) { return l.p1 > q; });
    if (it == layers.end() || p > it->p0) return nullptr;
    return &*it;
}

ColumnCalc::Quantity ColumnCalc::quantity(const char* name) {
    Quantity q;
    if (const VarInfo* info = find(name))
        q.section = static_cast<int>(info - VARS);
    else
        q.level = UpaCalc::index(name);
    return q;
}

float ColumnCalc::value(const char* name, const UpaLevel& level) const {
    return value(quantity(name), level);
}

float ColumnCalc::value(const Quantity& q, const UpaLevel& level) const {
    if (q.section < 0 || q.section >= static_cast<int>(sizeof VARS / sizeof VARS[0]))
        return UpaCalc::calc(level, q.level);
    const Layer* layer = nullptr;
    switch (VARS[q.section].var) {
    case NWND:
        return SectionGeometry::normal(level.dir, level.spd, direction);
    case TWND:
        return SectionGeometry::along(level.dir, level.spd, direction);
    case LAPSE:
        layer = layerAt(level.p);
        return layer ? layer->lapse : MISS;
    case BVF:
        layer = layerAt(level.p);
        return layer ? layer->bvf : MISS;
    case THETAES: {
        if (miss(level.t) || miss(level.p)) return MISS;
        const float v = Calc::thetaeOnSatAd(Convert::CtoK(level.t), level.p);
        return v > 0 ? v : MISS;
    }
    case SBARB:
        break;
    }
    return MISS;
}

Wind ColumnCalc::barb(const char* name, const UpaLevel& level) const {
    Wind w;
    if (StrLib::iequal(name, "wbarb")) {
        if (!miss(level.dir)) w.set(level.dir, level.spd);
    } else if (StrLib::iequal(name, "sbarb")) {
        w.setVect(SectionGeometry::along(level.dir, level.spd, direction),
                  SectionGeometry::normal(level.dir, level.spd, direction));
    }
    return w;
}

const char* ColumnCalc::getUnits(const char* name) {
    const VarInfo* info = find(name);
    return info ? info->units : UpaCalc::getUnits(name);
}

const char* ColumnCalc::getName(int i) {
    return i >= 0 && i < static_cast<int>(sizeof VARS / sizeof VARS[0]) ? VARS[i].name : nullptr;
}

bool ColumnCalc::needsLine(const char* name) {
    const VarInfo* info = find(name);
    return info && (info->var == NWND || info->var == TWND || info->var == SBARB);
}

bool ColumnCalc::isBarb(const char* name) {
    return StrLib::iequal(name, "wbarb") || StrLib::iequal(name, "sbarb");
}

} // namespace HYX
