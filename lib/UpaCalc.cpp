// Quantities of one sounding level and whole-sounding analyses.
#include "HYX/UpaCalc.h"

#include "HYX/Calc.h"
#include "HYX/Convert.h"
#include "HYX/StrLib.h"
#include "HYX/UpaLevel.h"

#include <cmath>

namespace HYX {

namespace {

enum Var {
    TEMP, DEWP, DEWD, HGHT, PRES, THETA, THETAE, VTEMP, THETAV, VPRES, MRAT, RHUM, SHUM,
    WDIR, WSPD, UWND, VWND
};

struct VarInfo {
    const char* name;
    Var var;
    const char* units;
};

const VarInfo VARS[] = {
    {"temp", TEMP, "C"},     {"dewp", DEWP, "C"},     {"dewd", DEWD, "C"},
    {"hght", HGHT, "m"},     {"pres", PRES, "mb"},    {"theta", THETA, "K"},
    {"thetae", THETAE, "K"}, {"vtemp", VTEMP, "K"},   {"thetav", THETAV, "K"},
    {"vpres", VPRES, "mb"},  {"mrat", MRAT, "kg/kg"}, {"rhum", RHUM, "%"},
    {"shum", SHUM, "kg/kg"}, {"wdir", WDIR, "deg"},   {"wspd", WSPD, "knt"},
    {"uwnd", UWND, "m/s"},   {"uwndg", UWND, "m/s"},  {"vwnd", VWND, "m/s"},
    {"vwndg", VWND, "m/s"},
};

const VarInfo* find(const char* name) {
    for (const VarInfo& v : VARS)
        if (StrLib::iequal(name, v.name)) return &v;
    return nullptr;
}

} // namespace

float UpaCalc::calc(const UpaLevel& lev, const char* name) {
    const VarInfo* info = find(name);
    if (!info) return Const::FMISS;
    const float miss = Const::FMISS;
    const bool hasT = lev.t != miss, hasTd = lev.td != miss;
    const bool hasWind = lev.dir != miss && lev.spd != miss;
    const float tk = Convert::CtoK(lev.t), tdk = Convert::CtoK(lev.td);
    switch (info->var) {
    case TEMP: return lev.t;
    case DEWP: return lev.td;
    case DEWD: return hasT && hasTd ? lev.t - lev.td : miss;
    case HGHT: return lev.h;
    case PRES: return lev.p;
    case THETA: return hasT ? Calc::potTemp(tk, lev.p) : miss;
    case THETAE: return hasT && hasTd ? Calc::eqPotTemp(tk, tdk, lev.p) : miss;
    case VTEMP: return hasT && hasTd ? Calc::virtTemp(tk, tdk, lev.p) : miss;
    case THETAV: return hasT && hasTd ? Calc::virtPotTemp(tk, tdk, lev.p) : miss;
    case VPRES: return hasTd ? Calc::vaporPres(tdk) : miss;
    case MRAT: return hasTd ? Calc::mixRatio(tdk, lev.p) : miss;
    case RHUM: return hasT && hasTd ? Calc::relHum(tk, tdk) : miss;
    case SHUM: return hasT && hasTd ? Calc::specHum(tdk, lev.p) : miss;
    case WDIR: return lev.dir;
    case WSPD: return lev.spd;
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

} // namespace HYX
