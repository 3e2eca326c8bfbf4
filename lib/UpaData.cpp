// A merged sounding: level access, sorting, filling and vertical interpolation.
#include "HYX/UpaData.h"

#include "HYX/Calc.h"
#include "HYX/StrLib.h"
#include "HYX/Wind.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

namespace HYX {

namespace {

constexpr float FMISS = Const::FMISS;
constexpr double RG = static_cast<double>(Const::R) / Const::G;
constexpr double T0 = 273.15;
// Standard atmosphere: sea-level temperature, lapse rate, and the floor of its
// troposphere used where a layer temperature has to be guessed.
constexpr double STD_T = 288.15;
constexpr double LAPSE = 0.0065;
constexpr double STD_TROP = 216.65;

bool known(float v) { return v != FMISS; }

double stdTemp(double h) { return std::max(STD_TROP, STD_T - LAPSE * h); }

} // namespace

void UpaData::init() {
    type = 0;
    date.init();
    fhour = 0;
    gen_name[0] = id[0] = area[0] = 0;
    wmo = Const::MISS;
    lat = lon = elev = FMISS;
    lev.clear();
    num = 0;
    sfc = maxwnd = trop = Const::MISS;
}

int UpaData::index(int i) const {
    if (i < 0) i += num;
    return i >= 0 && i < num ? i : -1;
}

int UpaData::addLevel(const UpaLevel& l) {
    if (num >= MAXLEV) return -1;
    lev.push_back(l);
    return num++;
}

void UpaData::reserveLevels(int n) {
    if (n > 0) lev.reserve(static_cast<size_t>(std::min(n, MAXLEV)));
}

int UpaData::delLevel(int i) {
    i = index(i);
    if (i < 0) return 0;
    lev.erase(lev.begin() + i);
    --num;
    for (int* m : {&sfc, &trop, &maxwnd}) {
        if (*m == Const::MISS) continue;
        if (*m == i)
            *m = Const::MISS;
        else if (*m > i)
            --*m;
    }
    return 1;
}

int UpaData::updateLevel(int i, const UpaLevel& l) {
    i = index(i);
    if (i < 0) return 0;
    const int t = lev[i].type;
    lev[i].update(l);
    lev[i].type = t;
    return 1;
}

int UpaData::setNum(int n) {
    if (n < 1 || n >= MAXLEV) return 0;
    lev.resize(static_cast<size_t>(n));
    num = n;
    return 1;
}

UpaLevel UpaData::getLevel(int i) const {
    i = index(i);
    return i < 0 ? UpaLevel() : lev[i];
}

float UpaData::field(int i, float UpaLevel::*f) const {
    i = index(i);
    return i < 0 ? FMISS : lev[i].*f;
}

int UpaData::setField(int i, float UpaLevel::*f, float v) {
    i = index(i);
    if (i < 0) return 0;
    lev[i].*f = v;
    return 1;
}

int UpaData::getType(int i) const {
    i = index(i);
    return i < 0 ? Const::MISS : lev[i].type;
}

int UpaData::setType(int i, int t) {
    i = index(i);
    if (i < 0) return 0;
    lev[i].type = t;
    return 1;
}

float UpaData::getPres(int i) const { return field(i, &UpaLevel::p); }
int UpaData::setPres(int i, float v) { return setField(i, &UpaLevel::p, v); }
float UpaData::getHght(int i) const { return field(i, &UpaLevel::h); }
int UpaData::setHght(int i, float v) { return setField(i, &UpaLevel::h, v); }
float UpaData::getTemp(int i) const { return field(i, &UpaLevel::t); }
int UpaData::setTemp(int i, float v) { return setField(i, &UpaLevel::t, v); }
float UpaData::getDewp(int i) const { return field(i, &UpaLevel::td); }
int UpaData::setDewp(int i, float v) { return setField(i, &UpaLevel::td, v); }
float UpaData::getDir(int i) const { return field(i, &UpaLevel::dir); }
int UpaData::setDir(int i, float v) { return setField(i, &UpaLevel::dir, v); }
float UpaData::getSpd(int i) const { return field(i, &UpaLevel::spd); }
int UpaData::setSpd(int i, float v) { return setField(i, &UpaLevel::spd, v); }

float UpaData::getTempK(int i) const {
    const float t = getTemp(i);
    return known(t) ? t + 273.15f : FMISS;
}

float UpaData::getDewpK(int i) const {
    const float t = getDewp(i);
    return known(t) ? t + 273.15f : FMISS;
}

void UpaData::setId(const char* text) { StrLib::copy(id, sizeof(id), text ? text : ""); }
void UpaData::setArea(const char* text) { StrLib::copy(area, sizeof(area), text ? text : ""); }
void UpaData::setGenName(const char* text) {
    StrLib::copy(gen_name, sizeof(gen_name), text ? text : "");
}

void UpaData::setElev(float e) {
    elev = e;
    if (index(sfc) >= 0 && sfc >= 0) lev[sfc].h = e;
}

int UpaData::getMarked(int marker, UpaLevel& l) const {
    if (marker == Const::MISS || marker < 0 || marker >= num) return 0;
    l = lev[marker];
    return 1;
}

float UpaData::getSfcPres() const {
    UpaLevel l;
    return getSfc(l) ? l.p : FMISS;
}

float UpaData::getSfcHght() const {
    UpaLevel l;
    return getSfc(l) ? l.h : FMISS;
}

float UpaData::getTropPres() const {
    UpaLevel l;
    return getTrop(l) ? l.p : 0.0f;
}

float UpaData::getMaxWndPres() const {
    UpaLevel l;
    return getMaxWnd(l) ? l.p : 0.0f;
}

void UpaData::sortBy(bool byHeight) {
    // A stable sort: of two levels with one key the earlier added (a mandatory level before
    // a significant one) stays lower and keeps its values when they are combined.
    std::vector<int> perm(num);
    std::iota(perm.begin(), perm.end(), 0);
    const auto byH = [&](int a, int b) {
        const float ha = lev[a].h, hb = lev[b].h;
        if (!known(ha)) return false; // unknown heights go to the top
        return !known(hb) || ha < hb;
    };
    const auto byP = [&](int a, int b) { return lev[a].p > lev[b].p; };
    // Soundings mostly arrive in order already: then there is nothing to move.
    const bool ordered = byHeight ? std::is_sorted(perm.begin(), perm.end(), byH)
                                  : std::is_sorted(perm.begin(), perm.end(), byP);
    if (!ordered) {
        if (byHeight)
            std::stable_sort(perm.begin(), perm.end(), byH);
        else
            std::stable_sort(perm.begin(), perm.end(), byP);
        std::vector<UpaLevel> sorted(num);
        for (int i = 0; i < num; ++i) sorted[i] = lev[perm[i]];
        std::copy(sorted.begin(), sorted.end(), lev.begin());
        for (int* m : {&sfc, &trop, &maxwnd}) {
            if (*m == Const::MISS) continue;
            const auto it = std::find(perm.begin(), perm.end(), *m);
            if (it != perm.end()) *m = static_cast<int>(it - perm.begin());
        }
    }

    // Combine neighbours with one key; the roles of the removed level pass to the kept one.
    float UpaLevel::*key = byHeight ? &UpaLevel::h : &UpaLevel::p;
    // One pass: each level is kept, or merged into the last kept one.
    std::vector<int> moved(num);
    int kept = 0;
    for (int i = 0; i < num; ++i) {
        if (kept > 0 && known(lev[i].*key) && lev[kept - 1].*key == lev[i].*key) {
            updateLevel(kept - 1, lev[i]);
            lev[kept - 1].type |= lev[i].type & ~3;
            moved[i] = kept - 1;
            continue;
        }
        if (kept != i) lev[kept] = lev[i];
        moved[i] = kept++;
    }
    lev.resize(static_cast<size_t>(kept));
    for (int* m : {&sfc, &trop, &maxwnd})
        if (*m >= 0 && *m < num) *m = moved[*m];
    num = kept;
}

void UpaData::sortPres() { sortBy(false); }
void UpaData::sortHeight() { sortBy(true); }

void UpaData::fillLogP(float UpaLevel::*f) {
    int a = -1;
    for (int b = 0; b < num; ++b) {
        if (!known(lev[b].*f)) continue;
        if (a >= 0 && b - a > 1) {
            const float pa = lev[a].p, pb = lev[b].p;
            if (pa > 0 && pb > 0 && pa != pb) {
                const double span = std::log(static_cast<double>(pb) / pa);
                const float fa = lev[a].*f, fb = lev[b].*f;
                for (int k = a + 1; k < b; ++k) {
                    if (!(lev[k].p > 0)) continue;
                    const double w = std::log(static_cast<double>(lev[k].p) / pa) / span;
                    lev[k].*f = static_cast<float>(fa + (fb - fa) * w);
                }
            }
        }
        a = b;
    }
}

void UpaData::interpTemps() {
    fillLogP(&UpaLevel::t);
    fillLogP(&UpaLevel::td);
}

void UpaData::interpWinds() {
    auto anchor = [&](int i) { return known(lev[i].dir) && known(lev[i].spd); };
    int a = -1;
    for (int b = 0; b < num; ++b) {
        if (!anchor(b)) continue;
        if (a >= 0 && b - a > 1) {
            const Wind wa(lev[a].dir, lev[a].spd), wb(lev[b].dir, lev[b].spd);
            for (int k = a + 1; k < b; ++k) {
                if (known(lev[k].dir)) continue;
                const Wind w = Wind::interp(wa, wb, lev[a].p, lev[b].p, lev[k].p);
                if (!known(w.dir)) continue;
                lev[k].dir = w.dir;
                if (!known(lev[k].spd)) lev[k].spd = w.spd;
            }
        }
        a = b;
    }
}

float UpaData::layerTemp(int lo, int hi) const {
    const float t1 = lev[lo].t, t2 = lev[hi].t;
    if (known(t1) && known(t2)) return (t1 + t2) / 2 + 273.15f;
    if (known(t1)) return t1 + 273.15f;
    if (known(t2)) return t2 + 273.15f;
    // Neither end has a temperature: the standard atmosphere at the level below.
    return static_cast<float>(known(lev[lo].h) ? stdTemp(lev[lo].h) : T0);
}

void UpaData::calcHeight() {
    int j = 0;
    while (j < num) {
        int k = j + 1;
        while (k < num && !known(lev[k].h)) ++k;
        const bool top = k >= num; // no known height above j
        UpaLevel& lj = lev[j];
        if (!known(lj.h) && !top && lj.p > 0 && lev[k].p > 0) {
            float tm = layerTemp(j, k);
            if (!known(lj.t) && !known(lev[k].t)) tm = static_cast<float>(stdTemp(lev[k].h));
            lj.h = static_cast<float>(lev[k].h - std::log(lj.p / lev[k].p) * RG * tm);
        }
        if (!known(lj.h)) {
            // Nothing to integrate from: the level stays without a height.
            if (top) return;
            j = k;
            continue;
        }
        const int last = top ? num - 1 : k;
        if (last > j + 1 || (top && last > j)) {
            const float H = top ? FMISS : lev[k].h;
            for (int m = j + 1; m <= last; ++m) {
                const float p0 = lev[m - 1].p, p1 = lev[m].p;
                if (p0 > 0 && p1 > 0 && known(lev[m - 1].h))
                    lev[m].h = static_cast<float>(lev[m - 1].h +
                                                  std::log(p0 / p1) * RG * layerTemp(m - 1, m));
                else
                    lev[m].h = lj.h;
            }
            if (!top) {
                // Spread the integration error at the known height linearly in pressure.
                const float pj = lj.p, pk = lev[k].p;
                if (pj > 0 && pk > 0 && pj != pk) {
                    const double e = (lev[k].h - H) / (pk - pj);
                    for (int m = j + 1; m < k; ++m)
                        if (lev[m].p > 0)
                            lev[m].h = static_cast<float>(lev[m].h - (lev[m].p - pj) * e);
                }
                lev[k].h = H;
            }
        }
        j = k;
    }
}

void UpaData::calcPres() {
    const float t0 = num > 0 ? lev[0].t : FMISS;
    int j = 0;
    while (j < num) {
        int k = j + 1;
        while (k < num && !known(lev[k].p)) ++k;
        const bool top = k >= num;
        const float pk = top ? FMISS : lev[k].p;
        const float hk = top ? FMISS : lev[k].h;
        UpaLevel& lj = lev[j];
        if (!known(lj.h)) {
            if (pk > 0 && lj.p > 0 && known(hk)) {
                const double tm =
                    (known(lj.t) && known(lev[k].t)) ? (lj.t + lev[k].t) / 2.0 + T0 : T0;
                lj.h = static_cast<float>(hk + std::log(pk / lj.p) * RG * tm);
            } else {
                lj.h = 0;
            }
        }
        if (!known(lj.p)) {
            if (!(pk > 0) || !known(hk)) return; // no pressure to start from
            double tm = known(t0) ? t0 + T0 - LAPSE * hk : STD_T - LAPSE * hk;
            tm = std::max(tm, STD_TROP);
            lj.p = static_cast<float>(pk * std::exp((hk - lj.h) / (RG * tm)));
        }
        const int last = top ? num - 1 : k - 1;
        double tm = 0;
        if (pk > 0 && lj.p > 0 && pk != lj.p && known(hk) && known(lj.h))
            tm = (hk - lj.h) / RG / std::log(lj.p / pk);
        const bool layerKnown = tm > STD_TROP - 60 && tm < 350;
        bool tmSet = layerKnown;
        for (int m = j + 1; m <= last; ++m) {
            const float hm = lev[m].h;
            if (!tmSet) {
                if (known(t0) && known(hm))
                    tm = t0 + T0 - LAPSE * hm;
                else if (!known(hm))
                    tm = T0;
                else
                    tm = STD_T - LAPSE * hm;
                tm = std::max(tm, STD_TROP);
                tmSet = true;
            }
            if (known(hm) && lj.p > 0)
                lev[m].p = static_cast<float>(lj.p * std::exp((lj.h - hm) / (RG * tm)));
        }
        j = k;
    }
}

std::vector<double> UpaData::pressCoords() const {
    std::vector<double> logs(num);
    for (int i = 0; i < num; ++i) logs[i] = lev[i].p > 0 ? -std::log(lev[i].p) : FMISS;
    return logs;
}

int UpaData::interp(const VCoord& c, UpaLevel& out) const { return interp(c, out, {}); }

int UpaData::interp(const VCoord& c, UpaLevel& out, const std::vector<double>& logs) const {
    out.init();
    const int ctype = c.getType();
    if (ctype == VCoord::SFC) {
        getSfc(out);
        return sfc;
    }
    if (ctype != VCoord::PRESS && ctype != VCoord::HGHT && ctype != VCoord::THETA) return -1;
    const float val = c.getVal();
    if (!known(val) || (ctype == VCoord::PRESS && !(val > 0))) return -1;

    // The coordinate of each level, worked out only as far up as the search looks: the
    // levels above the target are mostly never needed.
    std::array<double, MAXLEV> x;
    int known_x = 0;
    const bool given = ctype == VCoord::PRESS && static_cast<int>(logs.size()) == num;
    auto coord = [&](int i) {
        if (given) return logs[i];
        for (; known_x <= i; ++known_x) {
            const UpaLevel& l = lev[known_x];
            if (ctype == VCoord::PRESS)
                x[known_x] = l.p > 0 ? -std::log(l.p) : FMISS;
            else if (ctype == VCoord::HGHT)
                x[known_x] = l.h;
            else
                x[known_x] = known(l.t) ? Calc::potTemp(l.t + 273.15f, l.p) : FMISS;
        }
        return x[i];
    };
    const double X = ctype == VCoord::PRESS ? -std::log(val) : val;
    const double eps = ctype == VCoord::PRESS ? 0.01 : (ctype == VCoord::HGHT ? 3.0 : 1.0);

    // The split: the first level from index 1 at or above the target, so that a target
    // below the lowest level extrapolates from the two lowest.
    int s = 1;
    while (s < num) {
        const double xs = coord(s);
        if (known(static_cast<float>(xs)) && xs >= X) break;
        ++s;
    }
    if (s > num) s = num;

    float UpaLevel::*fields[] = {&UpaLevel::p,  &UpaLevel::h,   &UpaLevel::t,
                                 &UpaLevel::td, &UpaLevel::dir, &UpaLevel::spd};
    for (float UpaLevel::*f : fields) {
        if (f == &UpaLevel::p && ctype == VCoord::PRESS) {
            out.p = val;
            continue;
        }
        if (f == &UpaLevel::h && ctype == VCoord::HGHT) {
            out.h = val;
            continue;
        }
        int b = std::min(s, num) - 1;
        while (b >= 0 && !known(lev[b].*f)) --b;
        int a = s;
        while (a < num && !known(lev[a].*f)) ++a;
        float& r = out.*f;
        if (b == -1 && a < num && coord(a) == X) {
            r = lev[a].*f;
            continue;
        }
        if (b == -1 || a == num) continue;
        const double xb = coord(b), xa = coord(a);
        if (xb == FMISS || xa == FMISS) continue;
        const float fb = lev[b].*f, fa = lev[a].*f;
        if (X == xb) {
            r = fb;
            continue;
        }
        if (X == xa) {
            r = fa;
            continue;
        }
        if (xa == xb) {
            r = fb;
            continue;
        }
        const double w = (X - xb) / (xa - xb);
        if (f == &UpaLevel::p && lev[b].p - lev[a].p > 300) {
            // Too wide a gap to interpolate pressure across: only next to either end.
            if (X < xb + eps)
                r = fb;
            else if (X > xa - eps)
                r = fa;
            continue;
        }
        if (f == &UpaLevel::dir) {
            double d = fa - fb;
            if (d > 180)
                d -= 360;
            else if (d < -180)
                d += 360;
            double dir = fb + d * w;
            if (dir < 0) dir += 360;
            if (dir > 360) dir -= 360;
            r = static_cast<float>(dir);
            continue;
        }
        r = static_cast<float>(fb + (fa - fb) * w);
        if (f == &UpaLevel::spd && r < 0) r = 0;
    }
    return s;
}

void UpaData::print() const {
    std::printf("Station: %s\n", id);
    if (wmo != Const::MISS) std::printf("WMO ident: %6d\n", wmo);
    if (known(lat)) std::printf("Latitude:  %6.2f\n", lat);
    if (known(lon)) std::printf("Longitude: %6.2f\n", lon);
    if (known(elev)) std::printf("Elevation: %6.2f\n", elev);
    std::printf("     Press    Height   Temp    Dewpt     Dir    Spd\n");
    for (int i = 0; i < num; ++i) {
        const UpaLevel& l = lev[i];
        char tag[8];
        if (l.type & UpaLevel::SFC)
            StrLib::copy(tag, sizeof(tag), "SFC  ");
        else if (l.type & UpaLevel::TROP)
            StrLib::copy(tag, sizeof(tag), "TROP ");
        else if (l.type & UpaLevel::MWND)
            StrLib::copy(tag, sizeof(tag), "MWND ");
        else if ((l.type & 3) == UpaLevel::MAN)
            StrLib::copy(tag, sizeof(tag), "M    ");
        else if ((l.type & 3) == UpaLevel::SIG)
            StrLib::copy(tag, sizeof(tag), "S    ");
        else if ((l.type & 3) == UpaLevel::WND)
            StrLib::copy(tag, sizeof(tag), "W    ");
        else
            std::snprintf(tag, sizeof(tag), "%2x   ", static_cast<unsigned>(l.type) & 0xff);
        std::printf("%s%6.1f  %7.0f  %7.1f %7.1f  %6.0f %6.0f\n", tag, l.p, l.h, l.t, l.td, l.dir,
                    l.spd);
    }
}

} // namespace HYX
