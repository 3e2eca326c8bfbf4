// Quantities of one sounding level and whole-sounding analyses.
#include "HYX/UpaCalc.h"

#include "HYX/Calc.h"
#include "HYX/Convert.h"
#include "HYX/StrLib.h"
#include "HYX/UpaData.h"
#include "HYX/UpaLevel.h"
#include "HYX/VCoord.h"

#include <cmath>

namespace HYX {

namespace {

enum Var {
    TEMP,
    DEWP,
    DEWD,
    HGHT,
    PRES,
    THETA,
    THETAE,
    VTEMP,
    THETAV,
    VPRES,
    MRAT,
    RHUM,
    SHUM,
    WDIR,
    WSPD,
    UWND,
    VWND
};

struct VarInfo {
    const char* name;
    Var var;
    const char* units;
};

const VarInfo VARS[] = {
    {"temp", TEMP, "C"},     {"dewp", DEWP, "C"},    {"dewd", DEWD, "C"},     {"hght", HGHT, "m"},
    {"pres", PRES, "mb"},    {"theta", THETA, "K"},  {"thetae", THETAE, "K"}, {"vtemp", VTEMP, "K"},
    {"thetav", THETAV, "K"}, {"vpres", VPRES, "mb"}, {"mrat", MRAT, "kg/kg"}, {"rhum", RHUM, "%"},
    {"shum", SHUM, "kg/kg"}, {"wdir", WDIR, "deg"},  {"wspd", WSPD, "knt"},   {"uwnd", UWND, "m/s"},
    {"uwndg", UWND, "m/s"},  {"vwnd", VWND, "m/s"},  {"vwndg", VWND, "m/s"},
};

const VarInfo* find(const char* name) {
    for (const VarInfo& v : VARS)
        if (StrLib::iequal(name, v.name)) return &v;
    return nullptr;
}

} // namespace

int UpaCalc::index(const char* name) {
    const VarInfo* info = find(name);
    return info ? static_cast<int>(info - VARS) : -1;
}

float UpaCalc::calc(const UpaLevel& lev, const char* name) { return calc(lev, index(name)); }

float UpaCalc::calc(const UpaLevel& lev, int quantity) {
    if (quantity < 0 || quantity >= static_cast<int>(sizeof VARS / sizeof VARS[0]))
        return Const::FMISS;
    const VarInfo* info = &VARS[quantity];
    const float miss = Const::FMISS;
    const bool hasT = lev.t != miss, hasTd = lev.td != miss;
    const bool hasWind = lev.dir != miss && lev.spd != miss;
    const float tk = Convert::CtoK(lev.t), tdk = Convert::CtoK(lev.td);
    switch (info->var) {
    case TEMP:
        return lev.t;
    case DEWP:
        return lev.td;
    case DEWD:
        return hasT && hasTd ? lev.t - lev.td : miss;
    case HGHT:
        return lev.h;
    case PRES:
        return lev.p;
    case THETA:
        return hasT ? Calc::potTemp(tk, lev.p) : miss;
    case THETAE:
        return hasT && hasTd ? Calc::eqPotTemp(tk, tdk, lev.p) : miss;
    case VTEMP:
        return hasT && hasTd ? Calc::virtTemp(tk, tdk, lev.p) : miss;
    case THETAV:
        return hasT && hasTd ? Calc::virtPotTemp(tk, tdk, lev.p) : miss;
    case VPRES:
        return hasTd ? Calc::vaporPres(tdk) : miss;
    case MRAT:
        return hasTd ? Calc::mixRatio(tdk, lev.p) : miss;
    case RHUM:
        return hasT && hasTd ? Calc::relHum(tk, tdk) : miss;
    case SHUM:
        return hasT && hasTd ? Calc::specHum(tdk, lev.p) : miss;
    case WDIR:
        return lev.dir;
    case WSPD:
        return lev.spd;
    case UWND:
        return hasWind ? -Convert::KTtoMPS(lev.spd) * std::sin(lev.dir * Const::DRC) : miss;
    case VWND:
        return hasWind ? -Convert::KTtoMPS(lev.spd) * std::cos(lev.dir * Const::DRC) : miss;
    }
    return miss;
}

const char* UpaCalc::getUnits(const char* name) {
    const VarInfo* info = find(name);
    return info ? info->units : "";
}

const char* UpaCalc::getName(int i) {
    return i >= 0 && i < static_cast<int>(sizeof VARS / sizeof VARS[0]) ? VARS[i].name : nullptr;
}

namespace {

UpaLevel at(const UpaData& snd, float p) {
    UpaLevel l;
    snd.interp(VCoord::PRESS, p, l);
    return l;
}

bool known(float v) { return v != Const::FMISS; }

} // namespace

float UpaCalc::totalTotals(const UpaData& snd) {
    const UpaLevel l850 = at(snd, 850), l500 = at(snd, 500);
    if (!known(l850.t) || !known(l850.td) || !known(l500.t)) return Const::FMISS;
    return l850.t + l850.td - 2 * l500.t;
}

float UpaCalc::verticalTotals(const UpaData& snd) {
    const UpaLevel l850 = at(snd, 850), l500 = at(snd, 500);
    if (!known(l850.t) || !known(l500.t)) return Const::FMISS;
    return l850.t - l500.t;
}

float UpaCalc::crossTotals(const UpaData& snd) {
    const UpaLevel l850 = at(snd, 850), l500 = at(snd, 500);
    if (!known(l850.td) || !known(l500.t)) return Const::FMISS;
    return l850.td - l500.t;
}

float UpaCalc::kIndex(const UpaData& snd) {
    const UpaLevel l850 = at(snd, 850), l700 = at(snd, 700), l500 = at(snd, 500);
    if (!known(l850.t) || !known(l850.td) || !known(l700.t) || !known(l700.td) || !known(l500.t))
        return Const::FMISS;
    return l850.t + l850.td - l500.t - (l700.t - l700.td);
}

float UpaCalc::sweatIndex(const UpaData& snd) {
    const UpaLevel l850 = at(snd, 850), l500 = at(snd, 500);
    if (!known(l500.t) || !known(l500.dir) || !known(l850.t) || !known(l850.td) || !known(l850.dir))
        return Const::FMISS;
    const float tt = l850.t + l850.td - 2 * l500.t;
    float s = l850.td > 0 ? 12 * l850.td : 0;
    if (tt > 49) s += 20 * (tt - 49);
    if (known(l850.spd)) s += 2 * l850.spd;
    if (known(l500.spd)) s += l500.spd;
    const float d8 = l850.dir, d5 = l500.dir;
    if (d8 >= 135 && d8 <= 250 && d5 >= 210 && d5 <= 310 && d5 > d8 && known(l850.spd) &&
        known(l500.spd) && l850.spd >= 15 && l500.spd >= 15)
        s += 125 * (std::sin((d5 - d8) * Const::DRC) + 0.2f);
    return s;
}

float UpaCalc::thickness(const UpaData& snd, const VCoord& bot, const VCoord& top) {
    UpaLevel a, b;
    snd.interp(bot, a);
    snd.interp(top, b);
    if (!known(a.h) || !known(b.h)) return Const::FMISS;
    return b.h - a.h;
}

float UpaCalc::lapseRate(const UpaData& snd, const VCoord& bot, const VCoord& top) {
    UpaLevel a, b;
    snd.interp(bot, a);
    snd.interp(top, b);
    if (!known(a.h) || !known(b.h) || !known(a.t) || !known(b.t) || a.h == b.h) return Const::FMISS;
    return -(b.t - a.t) / (b.h - a.h) * 1000;
}

float UpaCalc::precipWater(const UpaData& snd) {
    const int first = snd.isSfc() ? snd.getSfc() : 0;
    double sum = 0;
    bool any = false;
    float p0 = Const::FMISS, w0 = Const::FMISS;
    for (int i = first; i < snd.getNum(); ++i) {
        const float p = snd.getPres(i);
        const float w = known(snd.getDewp(i)) ? Calc::mixRatio(snd.getDewpK(i), p) : Const::FMISS;
        if (!known(p) || !known(w)) continue;
        if (known(p0)) {
            // g/kg to kg/kg, mb to Pa: kg of water per square metre, i.e. mm.
            sum += (w0 + w) / 2 / 1000.0 * (p0 - p) * 100 / Const::G;
            any = true;
        }
        p0 = p;
        w0 = w;
    }
    return any ? static_cast<float>(sum) : Const::FMISS;
}

float UpaCalc::freezingLevel(const UpaData& snd) {
    const int first = snd.isSfc() ? snd.getSfc() : 0;
    int prev = -1;
    for (int i = first; i < snd.getNum(); ++i) {
        const float t = snd.getTemp(i), p = snd.getPres(i);
        if (!known(t) || !(p > 0)) continue;
        if (t <= 0) {
            if (prev < 0) return p;
            // Between a level above freezing and this one, linear in ln p.
            const double l0 = std::log(snd.getPres(prev)), t0 = snd.getTemp(prev);
            return static_cast<float>(std::exp(l0 + (std::log(p) - l0) * t0 / (t0 - t)));
        }
        prev = i;
    }
    return Const::FMISS;
}

} // namespace HYX
