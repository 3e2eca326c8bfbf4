// Tools on soundings: decoding coded reports, merging, reading one station.
#include "HYX/UpaTool.h"

#include "HYX/Calc.h"
#include "HYX/CityTool.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/Strings.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaWmoData.h"
#include "HYX/UpaWmoScan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace HYX {

namespace {

// Levels colder in potential temperature than this below the level under them are taken
// for bad data (a real inversion of potential temperature is never this strong).
constexpr float BAD_THETA_DROP = -3.0f;

float theta(const UpaData& d, int i) {
    const float t = d.getTempK(i);
    return t == Const::FMISS ? Const::FMISS : Calc::potTemp(t, d.getPres(i));
}

constexpr int MISS = Const::MISS;
constexpr float FMISS = Const::FMISS;

// Most entries a part can hold: levels of parts A and C, level pairs of parts B and D,
// blocks of pilot reports.
constexpr int MAX_ENTRIES_AC = 20;
constexpr int MAX_ENTRIES_BD = 100;
constexpr int MAX_BLOCKS = 40;
// A wind limit no standard surface reaches: no winds at standard surfaces.
constexpr int NO_WINDS = 100000;

bool isShipPart(int type) { return type >= UpaWmoData::UUAA && type <= UpaWmoData::UUDD; }
bool isMobilePart(int type) { return type >= 13 && type <= 18; }
bool isTempPartC(int type) {
    return type == UpaWmoData::TTCC || type == UpaWmoData::UUCC || type == 15;
}
// Parts D give pressures in tenths of hPa.
bool isTempPartD(int type) {
    return type == UpaWmoData::TTDD || type == UpaWmoData::UUDD || type == 16;
}
bool isPilotBD(int type) { return type == 17 || type == 18; }

struct Ident {
    bool knots = true;
    int last = MISS; // last digit of the day-hour group
};

bool readPosition(UpaWmoScan& s, int type, bool mobile, UpaRawinData& out);

// The call sign of a ship or mobile station, after the part's own name in parts B and D.
bool readCallSign(UpaWmoScan& s, bool partAC, UpaRawinData& out) {
    if (!partAC)
        for (const char* w : {"UUBB", "UUDD", "IIBB", "IIDD"})
            if (s.take(w)) break;
    char sign[11];
    if (!s.takeWord(10, 5, sign)) return false;
    Hyx::outDebug(4, "   ID: %5.5s\n", sign);
    if (!out.getId()[0]) {
        out.setId(sign);
        out.setWmo(99999);
    }
    return true;
}

// The identification section: call sign, day-hour group and station number or position.
// False when the report does not carry it (then nothing more can be read).
bool readIdent(UpaWmoScan& s, UpaWmoData& rep, UpaRawinData& out, bool partAC, Ident& id) {
    const int type = rep.getType();
    bool ship = isShipPart(type);
    const bool mobile = isMobilePart(type);
    if ((ship || mobile) && !readCallSign(s, partAC, out)) return false;
    if (!s.take("xxxxx")) return false;
    Hyx::outDebug(4, "YYGGI: %5.5s\n", s.group());
    const int day = s.field(0, 2);
    int hour = s.field(2, 2);
    id.last = s.field(4, 1);
    // Days are given plus 50 when the speeds are in knots.
    id.knots = day == MISS || day > 49;
    if (partAC && hour != MISS && hour > 50) {
        ship = true;
        hour %= 50;
    }
    if (hour != MISS) {
        rep.date.setHour(hour);
        out.setDate(rep.getDate());
    }
    if (!ship && !mobile) {
        if (!s.take("ddddd")) return false;
        if (!out.getId()[0]) {
            const int wmo = s.field(0, 5);
            char cid[CityTool::id_size];
            CityTool::toId(wmo, cid);
            out.setId(cid);
            out.setWmo(wmo);
        }
        return true;
    }
    return readPosition(s, type, mobile, out);
}

// The position groups of a ship or mobile station: 99LLL QLLLL, the Marsden square and
// (mobile stations) the elevation.
bool readPosition(UpaWmoScan& s, int type, bool mobile, UpaRawinData& out) {
    const int at = s.getPos();
    if (!s.take("99xxx")) return false;
    const int lat = s.field(2, 3);
    char pair[12];
    StrLib::printf(pair, sizeof pair, "%.5s ", s.group());
    if (!s.take("xxxxx")) {
        s.setPos(at);
        return false;
    }
    StrLib::append(pair, sizeof pair, s.group());
    Hyx::outDebug(4, "99LLL QLLLL: %11.11s\n", pair);
    const int q = s.field(0, 1), lon = s.field(1, 4);
    float la = lat == MISS ? FMISS : lat / 10.0f, lo = lon == MISS ? FMISS : lon / 10.0f;
    if (la != FMISS && (q == 3 || q == 5)) la = -la;
    if (lo != FMISS && q != MISS && q >= 5) lo = -lo;
    out.setLat(la);
    out.setLon(lo);
    out.setArea(mobile ? "MO" : "SH");
    out.setWmo(99999);
    out.setElev(0);
    s.take("xxxxx"); // Marsden square
    // Mobile stations add their elevation; pilot parts of ships do not, and their first
    // wind block begins with 9.
    if (mobile && !(isPilotBD(type) && s.peek("9dxxx"))) s.take("xxxxx");
    return true;
}

// The lowest pressure of a part A or C whose standard surface carries a wind group.
int windLimit(int last, bool partC) {
    if (last == MISS) return NO_WINDS; // '/': no winds at standard surfaces
    if (partC) {
        switch (last) {
        case 5:
            return 50;
        case 3:
            return 30;
        case 2:
            return 20;
        default:
            return 0;
        }
    }
    switch (last) {
    case 8:
        return 850;
    case 7:
        return 700;
    case 5:
        return 500;
    case 4:
        return 400;
    case 3:
        return 300;
    case 2:
        return 200;
    default:
        return 0;
    }
}

// Reads the group at the cursor as a wind into lev: 1 when taken, else what
// UpaWmoScan::wind said (the group is then left).
int takeWind(UpaWmoScan& s, bool knots, UpaLevel& lev) {
    if (!s.peek("xxxxx")) return 0;
    float dir, spd;
    const int w = UpaWmoScan::wind(s.field(0, 2), s.field(2, 3), knots, dir, spd);
    if (w != 1) return w;
    s.skip();
    Hyx::outDebug(4, "dddss: %5.5s\n", s.group());
    lev.setWDir(dir);
    lev.setWSpd(spd);
    return 1;
}

void addSurfaceWind(UpaRawinData& out, const UpaLevel& lev) {
    if (lev.dir == FMISS && lev.spd == FMISS) return;
    UpaLevel w;
    w.setType(UpaLevel::SFC);
    w.setWDir(lev.dir);
    w.setWSpd(lev.spd);
    out.addWnd(w);
}

// Section 21212 of parts B and D: significant winds by pressure, nnPPP dddff, added to
// the significant list (filling the wind of a temperature level of the same pressure).
void decodeSigWinds(UpaWmoScan& s, bool partD, bool knots, UpaRawinData& out) {
    for (int n = 0; n < MAX_ENTRIES_BD; ++n) {
        if (!s.peek("ddxxx") || s.field(0, 2) % 11) break;
        const int ppp = s.field(2, 3);
        s.skip();
        Hyx::outDebug(4, "nnppp: %5.5s\n", s.group());
        UpaLevel lev;
        if (takeWind(s, knots, lev) != 1) break;
        if (ppp == MISS || (partD && ppp == 0) || lev.dir == FMISS) continue;
        lev.setPres(partD ? ppp / 10.0f : ppp < 100 ? ppp + 1000 : ppp);
        out.addSig(lev);
    }
}

// The kind of level a pp group of part A or C opens; p is the standard surface (hPa) of a
// plain level.
int levelRole(int pp, bool partC, int& p) {
    p = MISS;
    if (pp == 88) return UpaLevel::TROP;
    if (pp == 77 || pp == 66) return UpaLevel::MWND;
    if (pp == 99 && !partC) return UpaLevel::SFC;
    p = partC ? pp : pp == 0 ? 1000 : pp == 92 ? 925 : 10 * pp;
    return 0;
}

// A level of part A or C with its pressure and, for a standard surface, its height.
UpaLevel newLevel(int role, int p, int hhh, bool partC, bool full) {
    UpaLevel lev;
    lev.setType(role);
    if (role) {
        // The pressure itself: whole hPa (the thousands left out) or tenths above 100 hPa.
        if (hhh != MISS && (hhh > 0 || !partC))
            lev.setPres(partC ? hhh / 10.0f : hhh < 100 ? hhh + 1000 : hhh);
    } else {
        lev.setPres(static_cast<float>(p));
        lev.setHght(full ? UpaWmoScan::stdHeightFull(p, hhh) : UpaWmoScan::stdHeight(p, hhh));
    }
    return lev;
}

// The temperature group of a level of part A or C: 1 read, 0 the report ends here, -1 the
// level is left out.
int takeTemp(UpaWmoScan& s, int role, int p, bool full, UpaLevel& lev) {
    if (!s.peek("xxxxx")) return 0;
    // Some stations leave out the groups of surfaces under ground: then the next surface
    // follows at once.
    const int lead = s.field(0, 2);
    if (!role && ((p == 1000 && (lead == 92 || lead == 85)) || (p == 925 && lead == 85) ||
                  (p == 850 && lead == 70)))
        return -1;
    s.skip();
    Hyx::outDebug(4, "tttdd: %5.5s\n", s.group());
    float t, td;
    UpaWmoScan::tempDewpt(s.field(0, 3), s.field(3, 2), t, td, full);
    lev.setTemp(t);
    lev.setDewpt(td);
    return 1;
}

// Files a level of part A or C under its role; a maximum wind drops its wind shear group.
void storeLevel(UpaWmoScan& s, const UpaLevel& lev, int role, UpaRawinData& out) {
    const int k = out.addMan(lev);
    if (k >= 0) {
        if (role == UpaLevel::SFC) out.setSfc(k);
        if (role == UpaLevel::TROP) out.setTrop(k);
        if (role == UpaLevel::MWND) out.setMaxWnd(k);
    }
    if (role == UpaLevel::MWND && s.peek("4xxxx")) s.skip();
    if (role == UpaLevel::SFC) {
        if (lev.p != FMISS) out.addSig(lev);
        addSurfaceWind(out, lev);
    }
}

// The standard surface a wind block of pilot part A or C starts at: part C gives the
// pressure itself, part A tens of hPa, 99 for the surface (0).
int blockStart(int pp, bool partC) {
    return partC ? pp : pp == 99 ? 0 : pp == 0 ? 1000 : pp == 92 ? 925 : 10 * pp;
}

// The n winds of a pilot block of part A or C, at the standard surfaces seq (0 the surface)
// as far as they go.
void takeWindBlock(UpaWmoScan& s, bool knots, int n, const int* seq, int len, UpaRawinData& out) {
    for (int k = 0; k < n; ++k) {
        UpaLevel lev;
        const int w = takeWind(s, knots, lev);
        if (w == 0) break; // not a wind group: the block is shorter than announced
        if (w < 0) {
            s.skip(); // a speed beyond the code: the level keeps no wind
            Hyx::outDebug(4, "dddss: %5.5s\n", s.group());
        }
        if (k >= len) continue; // beyond the standard surfaces of the part
        if (seq[k] == 0) {
            addSurfaceWind(out, lev);
        } else {
            lev.setPres(static_cast<float>(seq[k]));
            out.addMan(lev);
        }
    }
}

} // namespace

int UpaTool::decode(UpaWmoData& rep, UpaRawinData& out, int mode) {
    // The decoder of each part type: TEMP A to D, PILOT A to D, TEMP SHIP A to D, TEMP
    // MOBIL A to D, PILOT B and D of ships and mobile stations.
    using Decoder = int (*)(UpaWmoData&, UpaRawinData&, int);
    static const Decoder DECODERS[] = {nullptr,    decodeTTAA, decodeTTBB, decodeTTAA, decodeTTBB,
                                       decodePPAA, decodePPBB, decodePPAA, decodePPBB, decodeTTAA,
                                       decodeTTBB, decodeTTAA, decodeTTBB, decodeTTAA, decodeTTBB,
                                       decodeTTAA, decodeTTBB, decodePPBB, decodePPBB};
    const int t = rep.getType();
    if (t > 0 && t < static_cast<int>(sizeof DECODERS / sizeof DECODERS[0]))
        DECODERS[t](rep, out, mode);
    out.sort();
    return 1;
}

int UpaTool::decode(const char* text, UpaRawinData& out) {
    UpaWmoData rep;
    rep.setData(text);
    return decode(rep, out);
}

int UpaTool::decodeTTAA(UpaWmoData& rep, UpaRawinData& out, int mode) {
    UpaWmoScan s(rep.getData());
    if (s.hasWord("NIL", 3)) return 1;
    out.setDate(rep.getDate());
    const bool partC = isTempPartC(rep.getType());
    Ident id;
    if (!readIdent(s, rep, out, true, id)) return 1;
    const int limit = windLimit(id.last, partC);
    bool winds = true;
    for (int n = 0; n < MAX_ENTRIES_AC; ++n) {
        if (!s.peek("ddxxx")) break;
        const int pp = s.field(0, 2), hhh = s.field(2, 3);
        if (pp == 31 || pp == 51) break; // later sections
        int p = MISS;
        const int role = levelRole(pp, partC, p);
        if (!role && !UpaWmoScan::isStdSurface(p)) {
            Hyx::outDebug(4, "Bad mandatory level: %5.5s \n", s.group());
            break;
        }
        s.skip();
        Hyx::outDebug(4, "pphhh: %5.5s\n", s.group());
        if (role && role != UpaLevel::SFC && hhh == 999) continue; // none reported

        UpaLevel lev = newLevel(role, p, hhh, partC, mode == FULL);
        const int temp = role == UpaLevel::MWND ? 1 : takeTemp(s, role, p, mode == FULL, lev);
        if (temp < 0) continue;
        const bool more = temp > 0;
        if (more && (role || (winds && p >= limit)) && takeWind(s, id.knots, lev) < 0)
            winds = false;
        storeLevel(s, lev, role, out);
        if (!more) break;
    }
    return 1;
}

int UpaTool::decodeTTBB(UpaWmoData& rep, UpaRawinData& out, int mode) {
    UpaWmoScan s(rep.getData());
    if (s.hasWord("NIL", 3)) return 1;
    out.setDate(rep.getDate());
    const bool partD = isTempPartD(rep.getType());
    Ident id;
    if (!readIdent(s, rep, out, false, id)) return 1;
    for (int n = 0; n < MAX_ENTRIES_BD; ++n) {
        // Level numbers run 00, 11, 22 ... 99; another number opens a later section.
        if (!s.peek("ddxxx") || s.field(0, 2) % 11) break;
        const int ppp = s.field(2, 3);
        s.skip();
        Hyx::outDebug(4, "nnppp: %5.5s\n", s.group());
        if (ppp == MISS || (partD && ppp == 0)) {
            if (s.peek("/xxxx")) s.skip();
            continue;
        }
        if (!s.peek("xxxxx")) break;
        s.skip();
        Hyx::outDebug(4, "tttdd: %5.5s\n", s.group());
        UpaLevel lev;
        lev.setPres(partD ? ppp / 10.0f : ppp < 100 ? ppp + 1000 : ppp);
        float t, td;
        UpaWmoScan::tempDewpt(s.field(0, 3), s.field(3, 2), t, td, mode == FULL);
        lev.setTemp(t);
        lev.setDewpt(td);
        out.addSig(lev);
    }
    if (mode == FULL && s.take("21212")) decodeSigWinds(s, partD, id.knots, out);
    return 1;
}

int UpaTool::decodePPAA(UpaWmoData& rep, UpaRawinData& out, int) {
    // The standard surfaces in order; 0 stands for the surface.
    static const int PART_A[] = {0, 1000, 925, 850, 700, 500, 400, 300, 250, 200, 150, 100, 70};
    static const int PART_C[] = {70, 50, 30, 20, 10};
    UpaWmoScan s(rep.getData());
    if (s.hasWord("NIL", 3)) return 1;
    out.setDate(rep.getDate());
    const bool partC = rep.getType() == UpaWmoData::PPCC;
    const int* seq = partC ? PART_C : PART_A;
    const int len = partC ? 5 : 13;
    Ident id;
    if (!readIdent(s, rep, out, true, id)) return 1;
    for (int b = 0; b < MAX_BLOCKS; ++b) {
        if (s.peek("44ddd"))
            Hyx::outDebug(4, "44npp: %5.5s\n", s.group());
        else if (s.peek("55ddd"))
            Hyx::outDebug(4, "55npp: %5.5s\n", s.group());
        else
            break;
        s.skip();
        const int n = s.field(2, 1), p0 = blockStart(s.field(3, 2), partC);
        int i = 0;
        while (i < len && seq[i] != p0) ++i;
        takeWindBlock(s, id.knots, n, seq + i, len - i, out);
    }
    return 1;
}

int UpaTool::decodePPBB(UpaWmoData& rep, UpaRawinData& out, int) {
    UpaWmoScan s(rep.getData());
    if (s.hasWord("NIL", 3)) return 1;
    out.setDate(rep.getDate());
    Ident id;
    if (!readIdent(s, rep, out, false, id)) return 1;
    for (int b = 0; b < MAX_BLOCKS; ++b) {
        if (!s.take("9dxxx")) break;
        Hyx::outDebug(4, "9lhhh: %5.5s\n", s.group());
        const int tens = s.field(1, 1);
        int u[3] = {s.field(2, 1), s.field(3, 1), s.field(4, 1)};
        if (b == 0 && u[0] == MISS) u[0] = 0; // the surface
        for (int j = 0; j < 3; ++j) {
            if (u[j] == MISS) continue;
            UpaLevel lev;
            if (takeWind(s, id.knots, lev) != 1) break; // the block ends early
            if (lev.dir == FMISS) continue;
            lev.setHght(tens * 10000.0f + u[j] * 1000.0f);
            lev.setType(lev.h == 0 ? UpaLevel::SFC : 0);
            out.addWnd(lev);
        }
    }
    return 1;
}

int UpaTool::merge(const UpaRawinData& raw, UpaData& out) {
    out.setType(raw.getType());
    out.setDate(raw.getDate());
    out.setId(raw.getId());
    out.setArea(raw.getArea());
    out.setWmo(raw.getWmo());
    out.setLoc(raw.getLat(), raw.getLon());
    out.setElev(raw.getElev());
    out.reserveLevels(raw.getNumMan() + raw.getNumSig() + raw.getNumWnd());

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
        // Each 1000 ft above the start up to the top, counted within -10,000 and 400,000 ft
        // whatever heights the data claim.
        const double kft = 1000.0 * FT;
        const bool finite = std::isfinite(start) && std::isfinite(top);
        const int first =
            finite ? static_cast<int>(std::clamp(std::trunc(start / kft) + 1.0, -10.0, 401.0)) : 1;
        const int last =
            finite ? static_cast<int>(std::clamp(std::floor(top / kft) + 1.0, -10.0, 400.0)) : 0;
        for (int k = first; k <= last; ++k) {
            const float h = k * 1000 * FT;
            if (h > top) break;
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
    f.setStations(Strings(1, &id));
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
