// Tools on soundings.
#include "HYX/UpaTool.h"

#include "HYX/Calc.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaRawinData.h"

namespace HYX {

namespace {

// Levels colder in potential temperature than this below the level under them are taken
// for bad data (a real inversion of potential temperature is never this strong).
constexpr float BAD_THETA_DROP = -3.0f;

float theta(const UpaData& d, int i) {
    const float t = d.getTempK(i);
    return t == Const::FMISS ? Const::FMISS : Calc::potTemp(t, d.getPres(i));
}

} // namespace

int UpaTool::merge(const UpaRawinData& raw, UpaData& out) {
    out.setType(raw.getType());
    out.setDate(raw.getDate());
    out.setId(raw.getId());
    out.setArea(raw.getArea());
    out.setWmo(raw.getWmo());
    out.setLoc(raw.getLat(), raw.getLon());
    out.setElev(raw.getElev());

    for (int i = 0; i < raw.getNumMan(); ++i) {
        const UpaLevel lev = raw.getMan(i);
        if (lev.p == Const::FMISS) continue;
        const int k = out.addLevel(lev);
        if (k < 0) break;
        Hyx::outDebug(4, "MAN: %d - %d = %1.0f\n", i, k, lev.p);
        if (i == raw.getSfc()) out.setSfc(k);
        if (i == raw.getTrop()) out.setTrop(k);
        if (i == raw.getMaxWnd()) out.setMaxWnd(k);
    }
    for (int i = 0; i < raw.getNumSig(); ++i) {
        const UpaLevel lev = raw.getSig(i);
        const int k = out.addLevel(lev);
        if (k < 0) break;
        Hyx::outDebug(4, "SIG: %d - %d = %1.0f\n", i, k, lev.p);
    }
    out.sortPres();
    out.interpTemps();

    // Remove levels much colder in potential temperature than the one below them.
    float prev = theta(out, 0);
    for (int i = 0; i < out.getNum();) {
        const float th = theta(out, i);
        if (th - prev < BAD_THETA_DROP) {
            Hyx::outDebug(5, "BAD: %d = %1.0f\n", i, out.getPres(i));
            out.delLevel(i);
            continue;
        }
        prev = th;
        ++i;
    }

    if (!out.isSfc() && out.getPres(0) > 600) out.setSfc(0);
    if (out.isSfc() && out.getSfcHght() == Const::FMISS) out.setSfcHght(out.getElev());
    out.calcHeight();
    if (out.getElev() == Const::FMISS && out.isSfc()) out.setElev(out.getSfcHght());

    for (int i = 0; i < raw.getNumWnd(); ++i) {
        UpaLevel lev = raw.getWnd(i);
        if (lev.h != Const::FMISS) lev.h *= 0.3048f;
        // The surface wind, kept at height 0, belongs at the station.
        if (i == 0 && lev.h == 0 && out.getElev() != Const::FMISS) lev.h = out.getElev();
        if (out.addLevel(lev) < 0) break;
    }
    out.sortHeight();
    out.calcPres();
    out.interpTemps();
    out.interpWinds();
    return 1;
}

int UpaTool::unmerge(const UpaData& in, UpaRawinData& raw) {
    raw.init();
    raw.setId(in.getId(), in.getWmo(), in.getLat(), in.getLon());
    raw.setArea(in.getArea());
    raw.setDate(in.getDate());
    raw.setType(in.getType());

    UpaData d = in;
    d.sortPres();
    int sfc = d.getSfc();
    if (sfc == Const::MISS)
        for (int i = 0; i < d.getNum() && sfc == Const::MISS; ++i)
            if (d.validTemp(i) && d.validPres(i)) sfc = i;
    float elev = in.getElev();
    if (elev == Const::FMISS && sfc != Const::MISS) elev = d.getHght(sfc);
    raw.setElev(elev);

    int trop = d.getTrop(), maxwnd = d.getMaxWnd();
    for (int i = 0; i < d.getNum(); ++i) {
        if (trop == Const::MISS && (d.getType(i) & UpaLevel::TROP)) trop = i;
        if (maxwnd == Const::MISS && (d.getType(i) & UpaLevel::MWND)) maxwnd = i;
    }

    bool any = false;
    for (int i = 0; i < d.getNum(); ++i) {
        UpaLevel lev = d.getLevel(i);
        if (lev.p == Const::FMISS) continue;
        any = true;
        if (UpaLevel::isMandatory(lev.p)) {
            lev.setType(UpaLevel::MAN);
            raw.addMan(lev);
        }
        if (i == sfc) {
            lev.setType(UpaLevel::SFC);
            raw.setSfc(raw.addMan(lev));
            lev.setType(UpaLevel::SIG);
            raw.addSig(lev);
        } else if ((sfc == Const::MISS || i > sfc) && lev.t != Const::FMISS &&
                   !UpaLevel::isMandatory(lev.p)) {
            lev.setType(UpaLevel::SIG);
            raw.addSig(lev);
        }
        if (i == trop) {
            lev.setType(UpaLevel::TROP);
            raw.setTrop(raw.addMan(lev));
        }
        if (i == maxwnd) {
            lev.setType(UpaLevel::MWND);
            raw.setMaxWnd(raw.addMan(lev));
        }
    }
    if (!any) return 0;

    // The wind profile by height, from the surface up.
    UpaData wp;
    const float base = sfc != Const::MISS ? d.getHght(sfc) : Const::FMISS;
    for (int i = 0; i < d.getNum(); ++i) {
        UpaLevel lev = d.getLevel(i);
        if (lev.h == Const::FMISS || lev.dir == Const::FMISS || lev.spd == Const::FMISS) continue;
        if (base != Const::FMISS && lev.h < base) continue;
        wp.addLevel(lev);
    }
    wp.sortHeight();
    if (sfc != Const::MISS && d.validDir(sfc) && d.validSpd(sfc)) {
        UpaLevel w = d.getLevel(sfc);
        w.setType(UpaLevel::SFC);
        raw.addWnd(w);
    }
    if (wp.getNum() > 0) {
        constexpr float FT = 0.3048f;
        const float bottom = wp.getHght(0), top = wp.getHght(-1);
        const float start = base != Const::FMISS ? base : bottom;
        for (int k = static_cast<int>(start / FT / 1000) + 1; k * 1000 * FT <= top; ++k) {
            const float h = k * 1000 * FT;
            if (h < bottom) continue;
            UpaLevel w;
            wp.interp(VCoord::HGHT, h, w);
            if (w.dir == Const::FMISS || w.spd == Const::FMISS) continue;
            w.set(Const::FMISS, k * 1000.0f, Const::FMISS, Const::FMISS, w.dir, w.spd);
            w.setType(UpaLevel::WND);
            if (raw.addWnd(w) < 0) break;
        }
    }
    raw.sort();
    return 1;
}

int UpaTool::getStation(const char* file, const char* id, UpaRawinData& raw) {
    UpaFile f;
    if (!f.open(file)) return 0;
    while (f.read(raw) == 1)
        if (StrLib::iequal(raw.getId(), id)) return 1;
    raw.init();
    return 0;
}

int UpaTool::getStation(const char* file, const char* id, UpaData& out) {
    UpaRawinData raw;
    out.init();
    if (!getStation(file, id, raw)) return 0;
    return merge(raw, out);
}

} // namespace HYX
