// Tools on soundings.
#include "HYX/UpaTool.h"

#include "HYX/Calc.h"
#include "HYX/Hyx.h"
#include "HYX/UpaData.h"
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

} // namespace HYX
