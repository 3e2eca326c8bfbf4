// Radiosonde and pilot reports in BUFR, through ecCodes.
#include "HYX/UpaBufrFile.h"

#include "HYX/BufrUnpacker.h"
#include "HYX/Convert.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/UpaData.h"
#include "HYX/UpaRawinData.h"

#include <eccodes.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace HYX {

namespace {

using namespace BufrKey;

constexpr size_t SECTION0 = 8;
constexpr int SOUNDING_CATEGORY = 2; // vertical soundings other than satellite
constexpr double GRAVITY = 9.80665;  // geopotential to geopotential metres
// Levels kept of a sounding: what the significant levels of an upper-air file record
// hold, with room to spare.
constexpr int MAX_KEPT = UpaRawinData::max_sig - 10;

// Flags of the vertical sounding significance (008001, 7 bits) and of the extended one
// (008042, 18 bits), first bit the most significant.
constexpr long SIG_SURFACE = 64, SIG_STANDARD = 32, SIG_TROP = 16, SIG_MAXWIND = 8,
               SIG_ANY = 64 | 32 | 16 | 8 | 4 | 2;
constexpr long EXT_SURFACE = 1L << 17, EXT_STANDARD = 1L << 16, EXT_TROP = 1L << 15,
               EXT_MAXWIND = 1L << 14, EXT_ANY = 0x3F800; // bits 1 to 7

// ecCodes reports problems of damaged messages through this instead of standard error.
void quietLog(const codes_context*, int, const char* msg) {
    Hyx::outDebug(2, "ecCodes: %s\n", msg ? msg : "");
}

bool known(double v) { return v != CODES_MISSING_DOUBLE && std::isfinite(v) && std::fabs(v) < 1e9; }

float fval(double v) { return known(v) ? static_cast<float>(v) : Const::FMISS; }

struct Level {
    double v[NSLOT];
    Level() {
        for (double& x : v) x = CODES_MISSING_DOUBLE;
    }
    long flags(Key s) const { return known(v[s]) ? static_cast<long>(v[s]) : 0; }
    bool surface() const { return (flags(SIG) & SIG_SURFACE) || (flags(EXTSIG) & EXT_SURFACE); }
    bool significant() const { return (flags(SIG) & SIG_ANY) || (flags(EXTSIG) & EXT_ANY); }
    bool standard() const { return (flags(SIG) & SIG_STANDARD) || (flags(EXTSIG) & EXT_STANDARD); }
    UpaLevel level() const {
        float hgt = fval(v[GEOHGT]);
        if (hgt == Const::FMISS && known(v[GEOPOT])) hgt = static_cast<float>(v[GEOPOT] / GRAVITY);
        if (hgt == Const::FMISS) hgt = fval(v[HEIGHT]);
        UpaLevel l(known(v[PRES]) ? static_cast<float>(v[PRES] / 100.0) : Const::FMISS, hgt,
                   Convert::KtoC(fval(v[TEMP])), Convert::KtoC(fval(v[DEWP])), fval(v[DIR]),
                   Convert::MPStoKT(fval(v[SPD])));
        if (l.p != Const::FMISS && !(l.p > 0 && l.p < 1100)) l.p = Const::FMISS;
        if (l.dir == Const::FMISS || l.spd == Const::FMISS || l.dir < 0 || l.dir > 360)
            l.dir = l.spd = Const::FMISS;
        if ((flags(SIG) & SIG_TROP) || (flags(EXTSIG) & EXT_TROP)) l.type |= UpaLevel::TROP;
        if ((flags(SIG) & SIG_MAXWIND) || (flags(EXTSIG) & EXT_MAXWIND)) l.type |= UpaLevel::MWND;
        return l;
    }
    // No place in the vertical, or nothing observed there (the pressure of a wind-shear
    // group).
    bool empty() const {
        const bool place =
            known(v[PRES]) || known(v[GEOPOT]) || known(v[GEOHGT]) || known(v[HEIGHT]);
        const bool seen = known(v[GEOPOT]) || known(v[GEOHGT]) || known(v[HEIGHT]) ||
                          known(v[TEMP]) || known(v[DEWP]) || known(v[DIR]) || known(v[SPD]);
        return !place || !seen;
    }
};

// The station, time and position of a subset.
struct Header {
    int seen[NKEY] = {0};
    double block = CODES_MISSING_DOUBLE, station = CODES_MISSING_DOUBLE;
    std::string ship;
    double lat = CODES_MISSING_DOUBLE, lon = CODES_MISSING_DOUBLE, elev = CODES_MISSING_DOUBLE;
    double year = CODES_MISSING_DOUBLE, month = CODES_MISSING_DOUBLE, day = CODES_MISSING_DOUBLE,
           hour = CODES_MISSING_DOUBLE, minute = CODES_MISSING_DOUBLE;
};

// Picks the levels a sounding keeps when it has more than it holds: the surface, every
// significant level (when they fit) and an even share of the rest.
std::vector<Level> thin(const std::vector<Level>& all) {
    const long n = static_cast<long>(all.size());
    if (n <= MAX_KEPT) return all;
    long sig = 0;
    for (const Level& l : all) sig += l.significant() || l.surface() ? 1 : 0;
    const bool bySig = sig < MAX_KEPT;
    auto fixed = [&](const Level& l) { return l.surface() || (bySig && l.significant()); };
    long others = 0;
    for (const Level& l : all) others += fixed(l) ? 0 : 1;
    const long room = MAX_KEPT - (n - others);
    std::vector<Level> kept;
    long k = 0;
    for (const Level& l : all) {
        if (fixed(l)) {
            kept.push_back(l);
            continue;
        }
        if (room > 0 && (k + 1) * room / others != k * room / others) kept.push_back(l);
        ++k;
    }
    return kept;
}

} // namespace

void UpaBufrFile::setTimeLimit(double seconds) { BufrUnpacker::setTimeLimit(seconds); }

long UpaBufrFile::findMessage(const char* data, size_t len, size_t from) {
    for (size_t i = from; i + SECTION0 <= len; ++i) {
        if (std::memcmp(data + i, "BUFR", 4) != 0) continue;
        const int edition = static_cast<unsigned char>(data[i + 7]);
        if (edition >= 2 && edition <= 4) return static_cast<long>(i);
    }
    return -1;
}

void UpaBufrFile::start() {
    messages.clear();
    pending.clear();
    next = 0;
    codes_context_set_logging_proc(codes_context_get_default(), quietLog);
    const auto* p = reinterpret_cast<const unsigned char*>(buf.data());
    for (long at = findMessage(buf.data(), buf.size()); at >= 0;) {
        const size_t o = static_cast<size_t>(at);
        const size_t len = (size_t(p[o + 4]) << 16) | (size_t(p[o + 5]) << 8) | p[o + 6];
        if (len < SECTION0 + 4 || len > buf.size() - o) {
            warn(0, "truncated BUFR message");
            break;
        }
        if (std::memcmp(buf.data() + o + len - 4, "7777", 4) != 0)
            warn(0, "BUFR message without its end section 7777");
        else
            messages.emplace_back(o, len);
        at = findMessage(buf.data(), buf.size(), o + len);
    }
    if (messages.empty() && buf.size() > 0) warn(0, "no BUFR message");
}

int UpaBufrFile::read(UpaData& out) {
    while (pending.empty() && next < messages.size()) {
        decode(messages[next].first, messages[next].second, static_cast<int>(next) + 1);
        ++next;
    }
    if (pending.empty()) return -1;
    out = pending.front();
    pending.pop_front();
    return 1;
}

void UpaBufrFile::decode(size_t offset, size_t length, int number) {
    const std::string what = "message " + std::to_string(number);
    BufrUnpacker::Unpacked u;
    switch (BufrUnpacker::run(buf.data() + offset, length, u)) {
    case BufrUnpacker::DIED:
        warn(0, (what + " cannot be unpacked").c_str());
        return;
    case BufrUnpacker::SLOW:
        warn(0, (what + " takes too long to unpack").c_str());
        return;
    case BufrUnpacker::DONE:
        break;
    }
    if (!u.decoded) {
        warn(0, (what + " cannot be decoded").c_str());
        return;
    }
    if (u.cat != SOUNDING_CATEGORY) {
        warn(0,
             (what + " is not a sounding (data category " + std::to_string(u.cat) + ")").c_str());
        return;
    }
    if (!u.wanted()) {
        warn(0, (what + ": compressed messages of several soundings are not read").c_str());
        return;
    }
    if (!u.unpacked) {
        warn(0, (what + " cannot be unpacked").c_str());
        return;
    }

    std::vector<Header> heads(1);
    std::vector<std::vector<Level>> levels(1);
    Level cur;
    bool curSet[NSLOT] = {false};
    auto flush = [&]() {
        if (!cur.empty()) levels.back().push_back(cur);
        cur = Level();
        std::fill(curSet, curSet + NSLOT, false);
    };

    for (const BufrUnpacker::Unpacked::Item& item : u.items) {
        const int key = item.key;
        if (key < NSLOT) {
            if (curSet[key]) flush();
            cur.v[key] = item.v;
            curSet[key] = true;
            continue;
        }
        // The station identification again: the next subset.
        if ((key == BLOCK || key == SHIP) && heads.back().seen[key]) {
            flush();
            heads.emplace_back();
            levels.emplace_back();
        }
        Header& h = heads.back();
        if (h.seen[key]++) continue; // later repeats (displacements, shear groups)
        double* target = nullptr;
        switch (key) {
        case SHIP:
            h.ship = item.text;
            break;
        case BLOCK:
            target = &h.block;
            break;
        case STATION:
            target = &h.station;
            break;
        case LAT:
            target = &h.lat;
            break;
        case LON:
            target = &h.lon;
            break;
        case GROUND:
        case ELEV:
            target = &h.elev;
            break;
        case YEAR:
            target = &h.year;
            break;
        case MONTH:
            target = &h.month;
            break;
        case DAY:
            target = &h.day;
            break;
        case HOUR:
            target = &h.hour;
            break;
        case MINUTE:
            target = &h.minute;
            break;
        default:
            break;
        }
        if (target && !known(*target)) *target = item.v;
    }
    flush();

    for (size_t s = 0; s < heads.size(); ++s) {
        const Header& h = heads[s];
        UpaData d;
        if (known(h.block) && known(h.station) && h.block >= 0 && h.block < 100 && h.station >= 0 &&
            h.station < 1000) {
            d.setWmo(static_cast<int>(h.block) * 1000 + static_cast<int>(h.station));
        } else if (!h.ship.empty()) {
            std::string id = h.ship;
            while (!id.empty() && id.back() == ' ') id.pop_back();
            d.setId(id.c_str());
            d.setWmo(99999);
        }
        if (known(h.lat) && known(h.lon) && std::fabs(h.lat) <= 90 && std::fabs(h.lon) <= 360)
            d.setLoc(fval(h.lat), fval(h.lon));
        Date date;
        if (known(h.year) && known(h.month) && known(h.day) && known(h.hour) && h.hour >= 0 &&
            h.hour < 24 && h.month >= 1 && h.month <= 12 && h.day >= 1 && h.day <= 31)
            date.set(static_cast<int>(h.year), static_cast<int>(h.month), static_cast<int>(h.day),
                     static_cast<int>(h.hour),
                     known(h.minute) && h.minute >= 0 && h.minute < 60 ? static_cast<int>(h.minute)
                                                                       : 0,
                     0);
        if (!date.isSet()) {
            warn(0, (what + " has no valid launch time").c_str());
            continue;
        }
        d.setDate(date);
        if (levels[s].empty()) {
            warn(0, (what + " has no levels").c_str());
            continue;
        }
        if (known(h.elev) && h.elev > -500 && h.elev < 9000) d.setElev(fval(h.elev));
        for (const Level& l : thin(levels[s])) {
            const int k = d.addLevel(l.level());
            if (k >= 0 && l.surface() && !d.isSfc()) d.setSfc(k);
        }
        pending.push_back(d);
    }
}

} // namespace HYX
