// Radiosonde and pilot reports in BUFR, through ecCodes.
#include "HYX/UpaBufrFile.h"

#include "HYX/Convert.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/UpaData.h"
#include "HYX/UpaRawinData.h"

#include <eccodes.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cmath>
#include <csignal>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace HYX {

namespace {

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

// The elements read from a message: those of each level (the slots, in no particular order),
// then those of the station, time and position of a subset.
enum Key {
    PRES, GEOPOT, GEOHGT, HEIGHT, TEMP, DEWP, DIR, SPD, SIG, EXTSIG, NSLOT,
    BLOCK = NSLOT, STATION, SHIP, LAT, LON, GROUND, ELEV, YEAR, MONTH, DAY, HOUR, MINUTE, NKEY
};
const char* const KEYS[NKEY] = {"pressure",
                                "nonCoordinateGeopotential",
                                "nonCoordinateGeopotentialHeight",
                                "geopotentialHeight",
                                "airTemperature",
                                "dewpointTemperature",
                                "windDirection",
                                "windSpeed",
                                "verticalSoundingSignificance",
                                "extendedVerticalSoundingSignificance",
                                "blockNumber",
                                "stationNumber",
                                "shipOrMobileLandStationIdentifier",
                                "latitude",
                                "longitude",
                                "heightOfStationGroundAboveMeanSeaLevel",
                                "heightOfStation",
                                "year",
                                "month",
                                "day",
                                "hour",
                                "minute"};

// ecCodes reports problems of damaged messages through this instead of standard error.
void quietLog(const codes_context*, int, const char* msg) {
    Hyx::outDebug(2, "ecCodes: %s\n", msg ? msg : "");
}

struct Handle {
    codes_handle* h = nullptr;
    ~Handle() {
        if (h) codes_handle_delete(h);
    }
};

double get(codes_handle* h, const char* key) {
    double v = CODES_MISSING_DOUBLE;
    if (codes_get_double(h, key, &v) != CODES_SUCCESS) return CODES_MISSING_DOUBLE;
    return v;
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

// What ecCodes makes of a message: whether it could read the sections before the data and
// unpack the data, the kind of data, and the elements read in the order of the data, each
// value of a level element paired with its place in the key walk.
struct Unpacked {
    struct Item {
        int key;
        double v;
        std::string text;
    };
    bool decoded = false, unpacked = false;
    long cat = -1, subsets = 1, compressed = 0;
    std::vector<Item> items;

    bool wanted() const { return cat == SOUNDING_CATEGORY && !(compressed && subsets > 1); }

    std::string toBytes() const {
        std::string b;
        auto put = [&b](const void* p, size_t n) { b.append(static_cast<const char*>(p), n); };
        const long head[5] = {decoded, unpacked, cat, subsets, compressed};
        put(head, sizeof head);
        for (const Item& it : items) {
            const unsigned char k = static_cast<unsigned char>(it.key),
                                n = static_cast<unsigned char>(std::min<size_t>(it.text.size(), 255));
            put(&k, 1);
            put(&it.v, sizeof it.v);
            put(&n, 1);
            put(it.text.data(), n);
        }
        return b;
    }
    bool fromBytes(const std::string& b) {
        size_t at = 0;
        auto take = [&](void* p, size_t n) {
            if (b.size() - at < n) return false;
            if (n) std::memcpy(p, b.data() + at, n);
            at += n;
            return true;
        };
        long head[5];
        if (!take(head, sizeof head)) return false;
        decoded = head[0] != 0;
        unpacked = head[1] != 0;
        cat = head[2];
        subsets = head[3];
        compressed = head[4];
        items.clear();
        while (at < b.size()) {
            Item it;
            unsigned char k = 0, n = 0;
            if (!take(&k, 1) || !take(&it.v, sizeof it.v) || !take(&n, 1) || k >= NKEY)
                return false;
            it.key = k;
            it.text.resize(n);
            if (!take(&it.text[0], n)) return false;
            items.push_back(std::move(it));
        }
        return true;
    }
};

// Unpacks a message and walks its keys. The attributes of the elements, which the walk
// skips, are left out of the unpacking: they cost ecCodes more than the elements.
void unpack(const char* data, size_t length, Unpacked& u) {
    Handle m;
    m.h = codes_handle_new_from_message(nullptr, data, length);
    if (!m.h) return;
    u.decoded = true;
    codes_get_long(m.h, "dataCategory", &u.cat);
    codes_get_long(m.h, "numberOfSubsets", &u.subsets);
    codes_get_long(m.h, "compressedData", &u.compressed);
    if (!u.wanted()) return;
    codes_set_long(m.h, "skipExtraKeyAttributes", 1);
    if (codes_set_long(m.h, "unpack", 1) != CODES_SUCCESS) return;
    u.unpacked = true;

    // Every value of each level element in the order of the data, paired below with the
    // places of the element in the walk.
    std::vector<double> vals[NSLOT];
    for (int s = 0; s < NSLOT; ++s) {
        size_t n = 0;
        if (codes_get_size(m.h, KEYS[s], &n) != CODES_SUCCESS || n == 0) continue;
        vals[s].resize(n);
        if (codes_get_double_array(m.h, KEYS[s], vals[s].data(), &n) != CODES_SUCCESS)
            vals[s].clear();
        else
            vals[s].resize(n);
    }
    size_t used[NSLOT] = {0};
    codes_bufr_keys_iterator* it = codes_bufr_keys_iterator_new(m.h, 0);
    while (it && codes_bufr_keys_iterator_next(it)) {
        const char* ranked = codes_bufr_keys_iterator_get_name(it);
        if (!ranked || std::strstr(ranked, "->")) continue; // attributes of elements
        const char* key = ranked;
        if (key[0] == '#') {
            const char* end = std::strchr(key + 1, '#');
            if (!end) continue;
            key = end + 1;
        }
        int k = 0;
        while (k < NKEY && std::strcmp(key, KEYS[k]) != 0) ++k;
        if (k == NKEY) continue;
        if (k < NSLOT) {
            if (used[k] < vals[k].size()) u.items.push_back({k, vals[k][used[k]++], {}});
        } else if (k == SHIP) {
            char s[32];
            size_t n = sizeof s;
            const bool ok = codes_get_string(m.h, ranked, s, &n) == CODES_SUCCESS;
            u.items.push_back({k, 0, ok ? std::string(s) : std::string()});
        } else {
            u.items.push_back({k, get(m.h, ranked), {}});
        }
    }
    if (it) codes_bufr_keys_iterator_delete(it);
}

bool sendAll(int fd, const void* p, size_t n) {
    const char* c = static_cast<const char*>(p);
    while (n > 0) {
        const ssize_t k = send(fd, c, n, MSG_NOSIGNAL);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        c += k;
        n -= static_cast<size_t>(k);
    }
    return true;
}

using Clock = std::chrono::steady_clock;

// Receives n bytes; false when the other end closed first, or the time ran out.
bool recvAll(int fd, void* p, size_t n, Clock::time_point until = Clock::time_point::max()) {
    char* c = static_cast<char*>(p);
    while (n > 0) {
        if (until != Clock::time_point::max()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
            pollfd pfd = {fd, POLLIN, 0};
            const int r = left > 0 ? poll(&pfd, 1, static_cast<int>(std::min<long long>(left, 1 << 30))) : 0;
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) return false;
        }
        const ssize_t k = recv(fd, c, n, 0);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        c += k;
        n -= static_cast<size_t>(k);
    }
    return true;
}

// Some damaged data sections make ecCodes read through a null pointer while unpacking them.
// Messages are therefore unpacked in a helper process, one after the other; when the helper
// dies on one, that message is left out rather than taking the program down with it, and
// the next starts a new helper. The helper keeps the tables ecCodes loads for the messages
// from one to the next; it is replaced now and then, since ecCodes keeps some of what it
// allocates for damaged messages until the process ends.
class Unpacker {
public:
    ~Unpacker() { stop(); }

    enum Result { DONE, DIED, SLOW };

    Result run(const char* data, size_t length, Unpacked& u) {
        const std::lock_guard<std::mutex> lock(mutex);
        if (served >= MAX_SERVED) stop();
        const uint64_t n = length;
        bool sent = false;
        for (int tries = 0; tries < 2 && !sent; ++tries) {
            if (fd < 0 && !start()) {
                unpack(data, length, u); // no process to try in: unpack here as ever
                return DONE;
            }
            sent = sendAll(fd, &n, sizeof n) && sendAll(fd, data, length);
            if (!sent) stop(); // gone since the last message
        }
        ++served;
        const auto until = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                              std::chrono::duration<double>(limit.load()));
        uint64_t size = 0;
        std::string reply;
        if (sent && recvAll(fd, &size, sizeof size, until) && size < (uint64_t(1) << 32)) {
            reply.resize(size);
            if (recvAll(fd, &reply[0], size, until) && u.fromBytes(reply)) return DONE;
        }
        const bool slow = sent && Clock::now() >= until;
        stop();
        u = Unpacked();
        return slow ? SLOW : DIED;
    }

    // Some damaged messages keep ecCodes unpacking for good.
    static std::atomic<double> limit;

private:
    static constexpr int MAX_SERVED = 2000;

    bool start() {
        int sv[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv) != 0) return false;
        const pid_t p = fork();
        if (p < 0) {
            close(sv[0]);
            close(sv[1]);
            return false;
        }
        if (p == 0) {
            close(sv[0]);
            serve(sv[1]);
        }
        close(sv[1]);
        pid = p;
        fd = sv[0];
        served = 0;
        return true;
    }

    [[noreturn]] static void serve(int in) {
        for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(sig, SIG_DFL);
        std::string msg;
        for (uint64_t n = 0; recvAll(in, &n, sizeof n);) {
            msg.resize(n);
            if (!recvAll(in, &msg[0], n)) break;
            Unpacked u;
            unpack(msg.data(), msg.size(), u);
            const std::string out = u.toBytes();
            const uint64_t size = out.size();
            if (!sendAll(in, &size, sizeof size) || !sendAll(in, out.data(), out.size())) break;
        }
        _exit(0);
    }

    void stop() {
        if (fd >= 0) close(fd);
        fd = -1;
        if (pid > 0) {
            kill(pid, SIGKILL);
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
        pid = -1;
    }

    std::mutex mutex;
    pid_t pid = -1;
    int fd = -1;
    int served = 0;
};

std::atomic<double> Unpacker::limit{5.0};

Unpacker& unpacker() {
    static Unpacker u;
    return u;
}

} // namespace

void UpaBufrFile::setTimeLimit(double seconds) {
    if (seconds > 0) Unpacker::limit = seconds;
}

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
    Unpacked u;
    switch (unpacker().run(buf.data() + offset, length, u)) {
    case Unpacker::DIED:
        warn(0, (what + " cannot be unpacked").c_str());
        return;
    case Unpacker::SLOW:
        warn(0, (what + " takes too long to unpack").c_str());
        return;
    case Unpacker::DONE:
        break;
    }
    if (!u.decoded) {
        warn(0, (what + " cannot be decoded").c_str());
        return;
    }
    if (u.cat != SOUNDING_CATEGORY) {
        warn(0, (what + " is not a sounding (data category " + std::to_string(u.cat) + ")").c_str());
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

    for (const Unpacked::Item& item : u.items) {
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
