// Reader and writer of the suite's upper-air files.
#include "HYX/UpaHyxFile.h"

#include "HYX/DateTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"
#include "HYX/Timezone.h"
#include "HYX/UpaRawinData.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace HYX {

namespace {

constexpr float FMISS = Const::FMISS;
constexpr int VERSION = 5;
constexpr const char* MAGIC = "HYXUPAx";
// Mandatory slots of a record, and the most slots a reader takes with the extra levels
// above 10 mb.
constexpr int NUM_SLOTS = UpaLevel::NUM_MANDATORY;
constexpr int MAX_SLOTS = 22;
constexpr int PAIRS_PER_LINE = 7;

bool known(float v) { return v != FMISS; }

// Formats one group into out (GROUP_SIZE characters); values are bounded by the callers.
void groupf(char* out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void groupf(char* out, const char* fmt, ...) {
    char buf[64];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof(buf), fmt, ap);
    va_end(ap);
    StrLib::copy(out, UpaHyxFile::GROUP_SIZE, buf);
}
bool absent(const char* g) { return g[0] == 'X' && g[1] == 0; }
bool isEnd(const char* g) { return g[0] == '$' && g[1] == 0; }

// Reads an integer of at most width characters (a sign included) from s, as the scanf
// conversion "%<width>d" does on a blank-free group; false when no digit comes.
bool fieldInt(const char*& s, int width, int& out) {
    int sign = 1, n = 0, v = 0;
    if (*s == '-' || *s == '+') {
        sign = *s == '-' ? -1 : 1;
        ++s;
        ++n;
    }
    const char* digits = s;
    while (n < width && *s >= '0' && *s <= '9') {
        v = v * 10 + (*s - '0');
        ++s;
        ++n;
    }
    if (s == digits) return false;
    out = sign * v;
    return true;
}

// Two fixed-width integers as "%<w1>d%<w2>d" reads them: how many were read.
int twoInts(const char* g, int w1, int& a, int w2, int& b) {
    if (!fieldInt(g, w1, a)) return 0;
    return fieldInt(g, w2, b) ? 2 : 1;
}

// The number a pressure or height field begins with, missing when there is none. Plain
// digits with at most one decimal point (every field this writer makes) are converted here:
// a group has so few digits that mantissa and power of ten are exact floats, and their
// quotient is rounded once, to the same value strtof gives. Anything else goes to strtof.
float fieldValue(const char* g) {
    static constexpr float POW10[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f};
    long m = 0;
    int digits = 0, frac = -1;
    const char* s = g;
    for (; *s && digits < 8; ++s) {
        if (*s >= '0' && *s <= '9') {
            m = m * 10 + (*s - '0');
            ++digits;
            if (frac >= 0) ++frac;
        } else if (*s == '.' && frac < 0) {
            frac = 0;
        } else {
            break;
        }
    }
    if (*s == 0 && digits > 0 && digits <= 7 && frac < 7)
        return static_cast<float>(m) / POW10[frac < 0 ? 0 : frac];
    char* end = nullptr;
    const float v = std::strtof(g, &end);
    return end == g || !std::isfinite(v) ? FMISS : v;
}

// The identifier of a station header token, as "%d:%[^:]" splits it (empty unless a number
// and a colon come first): its length.
// Station identifiers are compared ignoring case (of ASCII letters).
std::string lowered(const char* text, size_t len) {
    std::string s(text, len);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

size_t headerId(const char* head, char* id, int size) {
    id[0] = 0;
    const char* s = head;
    if (*s == '-' || *s == '+') ++s;
    if (*s < '0' || *s > '9') return 0;
    while (*s >= '0' && *s <= '9') ++s;
    if (*s++ != ':') return 0;
    int n = 0;
    while (n < size - 1 && s[n] && s[n] != ':') {
        id[n] = s[n];
        ++n;
    }
    id[n] = 0;
    return n;
}

// Height of a PH group's hhh at a standard pressure, as in the TEMP code.
float phHeight(int p, int hhh) {
    switch (p) {
    case 1000:
        return static_cast<float>(hhh >= 500 ? 500 - hhh : hhh);
    case 925:
        return static_cast<float>(hhh);
    case 850:
        return static_cast<float>(1000 + hhh);
    case 700:
        return static_cast<float>(hhh <= 500 ? 3000 + hhh : 2000 + hhh);
    case 500:
    case 400:
        return static_cast<float>(10 * hhh);
    case 300:
    case 250:
        return static_cast<float>(hhh <= 500 ? 10 * hhh + 10000 : 10 * hhh);
    case 200:
    case 150:
    case 100:
    case 70:
        return static_cast<float>(10 * hhh + 10000);
    case 50:
        return static_cast<float>(hhh > 500 ? 10 * hhh + 10000 : 10 * hhh + 20000);
    case 30:
    case 20:
        return static_cast<float>(10 * hhh + 20000);
    case 10:
        return static_cast<float>(hhh <= 500 ? 10 * hhh + 30000 : 10 * hhh + 20000);
    case 7:
    case 5:
        return static_cast<float>(10 * hhh + 30000);
    case 3:
    case 2:
        return static_cast<float>(hhh > 500 ? 10 * hhh + 30000 : 10 * hhh + 40000);
    case 1:
        return static_cast<float>(hhh <= 500 ? 10 * hhh + 50000 : 10 * hhh + 40000);
    default:
        return static_cast<float>(hhh);
    }
}

// Identifiers go into a ':'-separated token: no blanks or colons inside.
std::string headerToken(const UpaRawinData& rec) {
    std::string id = rec.getId();
    if (id.empty() && rec.getWmo() != Const::MISS) id = std::to_string(rec.getWmo());
    if (id.empty()) id = "-";
    for (char& c : id)
        if (c == ':' || std::isspace(static_cast<unsigned char>(c))) c = '_';
    char buf[80];
    std::snprintf(buf, sizeof(buf), "%5.5d:%s", rec.getWmo(), id.c_str());
    std::string tok = buf;
    if (known(rec.getLat()) && known(rec.getLon())) {
        std::snprintf(buf, sizeof(buf), ":%.2f:%.2f", rec.getLat(), rec.getLon());
        tok += buf;
    }
    return tok;
}

// Appends a group, "X" when its encoder had nothing to encode.
void addGroup(std::string& out, int ok, const char* g) { out += ok ? g : "X"; }

} // namespace

void UpaHyxFile::init() {
    type = 1;
    ver = VERSION;
    access = FileAttr::READ;
    pos = 0;
    cnt = -1;
    date_str[0] = 0;
    date.init();
    opened = false;
}

int UpaHyxFile::firstWord(const char* name, char* word, int size) {
    word[0] = 0;
    File f(name, "r");
    if (!f.isOpen()) return -1;
    int n = 0, c;
    while ((c = f.getc()) != EOF && std::isspace(c)) {
    }
    while (c != EOF && !std::isspace(c) && n < size - 1) {
        word[n++] = static_cast<char>(c);
        c = f.getc();
    }
    word[n] = 0;
    return n;
}

int UpaHyxFile::checkType(const char* name) {
    char word[10];
    const int n = firstWord(name, word, sizeof(word));
    if (n < 0) return 0;
    if (n == 0) return -1;
    return StrLib::equal(word, "HYXUPA", 6) ? 1 : 0;
}

int UpaHyxFile::open(const char* name, int acc) {
    close();
    const Date given = date; // a date set before opening is the one to write
    init();
    date = given;
    if (!name) return 0;
    access = acc;
    if (acc == FileAttr::READ) {
        if (checkType(name) == 0) return 0;
        if (!file.open(name, "r")) return 0;
        opened = true;
        readHeader();
        scan.attach(file.getFP());
        cnt = 0;
        return 1;
    }
    if (acc == FileAttr::APPEND) {
        // An existing file keeps its header (and so its date); a new one gets it as for
        // writing.
        const int kind = checkType(name);
        if (kind == 1) {
            if (!file.open(name, "r")) return 0;
            readHeader();
            file.close();
        } else if (kind == 0 && File(name, "r").isOpen()) {
            return 0; // something other than an upper-air file
        }
        if (!file.open(name, "a")) return 0;
        file.seek(0, SEEK_END);
        pos = file.tell();
        opened = true;
        if (pos > 0)
            cnt = 0;
        else if (date.isSet())
            writeHeader();
        return 1;
    }
    if (acc != FileAttr::WRITE || !file.open(name, "w")) return 0;
    opened = true;
    pos = file.tell();
    if (pos == 0 && date.isSet()) writeHeader();
    return 1;
}

int UpaHyxFile::close() {
    if (!opened) return 0;
    scan.attach(nullptr);
    // A write that failed on the way (a full disk) shows here.
    const int ok = file.close();
    opened = false;
    return ok ? 1 : 0;
}

int UpaHyxFile::readHeader() {
    file.skipLine();
    char line[32];
    const int n = file.getLine(line, 31); // the date line: 30 characters at most
    if (n > 0 && line[n - 1] != '\n') file.skipLine();
    StrLib::trimWS(line);
    StrLib::copy(date_str, sizeof(date_str), line);
    date.init();
    if (*date_str) DateTool::decode(date_str, date);
    return 1;
}

int UpaHyxFile::writeHeader() {
    String label;
    Timezone utc;
    DateTool::createLabel(date, utc, label);
    file.printf("%s\n%s\n", MAGIC, label.get());
    StrLib::copy(date_str, sizeof(date_str), label.get());
    cnt = 0;
    return 1;
}

int UpaHyxFile::rewind() {
    if (!opened || access != FileAttr::READ) return 0;
    if (!file.rewind()) return 0;
    file.skipLine();
    file.skipLine();
    scan.attach(file.getFP());
    cnt = 0;
    return 1;
}

void UpaHyxFile::setStations(const Strings& ids) {
    stations.clear();
    for (int i = 0; i < ids.getNum(); ++i)
        if (const char* id = ids.getString(i)) stations.insert(lowered(id, std::strlen(id)));
}

int UpaHyxFile::header(char* head) {
    head[0] = 0;
    if (!opened || access != FileAttr::READ || token(head, HEAD_SIZE) == 0) return 0;
    ++cnt;
    return 1;
}

bool UpaHyxFile::wanted(const char* head) const {
    if (stations.empty()) return true;
    char id[ID_SIZE];
    const size_t len = headerId(head, id, sizeof(id));
    return stations.count(lowered(id, len)) > 0;
}

void UpaHyxFile::station(const char* head, int& wmo, char* id, float& lat, float& lon) {
    wmo = Const::MISS;
    lat = lon = FMISS;
    char name[HEAD_SIZE] = "";
    const int n = std::sscanf(head, "%d:%39[^:]:%f:%f", &wmo, name, &lat, &lon);
    if (n < 1) wmo = Const::MISS;
    if (n < 4) lat = lon = FMISS;
    StrLib::copy(id, ID_SIZE, name);
}

int UpaHyxFile::read(UpaRawinData& rec) {
    rec.init();
    char head[HEAD_SIZE];
    for (;;) {
        if (!header(head)) return 0;
        if (wanted(head)) break;
        if (!skipRecord()) return 0;
    }
    int wmo;
    char id[ID_SIZE];
    float lat, lon;
    station(head, wmo, id, lat, lon);
    rec.setId(id, wmo, lat, lon);
    rec.setDate(date);
    return readBody(rec);
}

int UpaHyxFile::readBody(UpaRawinData& rec) {
    // A token that is missing or "$" ends the record early; the levels read so far stay.
    char ph[GROUP_SIZE], td[GROUP_SIZE], wd[GROUP_SIZE];
    auto next = [&](char* g) { return token(g, GROUP_SIZE) > 0 && !isEnd(g); };
    auto addTriplet = [&](int kind) {
        UpaLevel lev;
        lev.setType(kind);
        decodePH(ph, lev.p, lev.h);
        decodeTD(td, lev.t, lev.td);
        decodeWD(wd, lev.dir, lev.spd);
        return lev;
    };

    int slots = 0;
    for (; slots < NUM_SLOTS; ++slots) {
        if (!next(ph) || !next(td) || !next(wd)) return 1;
        rec.addMan(addTriplet(UpaLevel::MAN));
    }
    if (!next(ph)) return 1;
    while (ph[0] == '-' && slots < MAX_SLOTS) {
        if (!next(td) || !next(wd)) return 1;
        rec.addMan(addTriplet(UpaLevel::MAN));
        ++slots;
        if (!next(ph)) return 1;
    }

    // Tropopause and maximum wind: the three digits after 88 and 77 are the pressure.
    if (!next(td) || !next(wd)) return 1;
    UpaLevel trop = addTriplet(UpaLevel::TROP);
    trop.p = absent(ph) || !known(trop.p) ? FMISS : trop.h;
    trop.h = FMISS;
    if (known(trop.p)) rec.setTrop(rec.addMan(trop));
    if (!next(ph) || !next(wd)) return 1;
    std::strcpy(td, "X");
    UpaLevel mw = addTriplet(UpaLevel::MWND);
    mw.p = absent(ph) || !known(mw.p) ? FMISS : mw.h;
    mw.h = FMISS;
    if (known(mw.p)) rec.setMaxWnd(rec.addMan(mw));

    // Significant levels up to "X"; those beyond the list's capacity are dropped.
    bool first = true;
    for (;;) {
        if (!next(ph)) return 1;
        if (absent(ph)) break;
        float p = fieldValue(ph);
        if (known(p) && p < 100 && ph[0] == '0' && !std::strchr(ph, '.')) p += 1000;
        if (!next(td)) return 1;
        UpaLevel lev;
        lev.setType(UpaLevel::SIG);
        lev.p = p;
        decodeTD(td, lev.t, lev.td);
        rec.addSig(lev);
        if (first && p > 500) {
            lev.setType(UpaLevel::SFC);
            const int k = rec.addMan(lev);
            if (k >= 0 && k != Const::MISS) rec.setSfc(k);
        }
        first = false;
    }

    // Wind levels, by height in thousands of feet, up to "$" (or "X").
    first = true;
    for (;;) {
        if (token(ph, GROUP_SIZE) == 0 || isEnd(ph)) return 1;
        if (absent(ph)) break;
        float h = fieldValue(ph);
        if (known(h)) h *= 1000;
        if (!next(wd)) return 1;
        UpaLevel lev;
        lev.setType(UpaLevel::WND);
        lev.h = h;
        decodeWD(wd, lev.dir, lev.spd);
        rec.addWnd(lev);
        if (first && h == 0 && rec.getSfc() != Const::MISS) {
            UpaLevel s = rec.getMan(rec.getSfc());
            s.dir = lev.dir;
            s.spd = lev.spd;
            rec.setMan(rec.getSfc(), s);
        }
        first = false;
    }
    skipRecord();
    return 1;
}

int UpaHyxFile::readId(String& id) {
    id.clear();
    char head[HEAD_SIZE];
    if (!header(head)) return 0;
    int wmo;
    char name[ID_SIZE];
    float lat, lon;
    station(head, wmo, name, lat, lon);
    id.copy(name);
    skipRecord();
    return 1;
}

int UpaHyxFile::write(UpaRawinData& rec) {
    if (!opened || access == FileAttr::READ) return 0;
    if (cnt == -1) writeHeader();
    writeRecord(rec);
    ++cnt;
    return 1;
}

void UpaHyxFile::writeRecord(UpaRawinData& rec) {
    std::string out = headerToken(rec) + " ";
    char g1[GROUP_SIZE], g2[GROUP_SIZE], g3[GROUP_SIZE];
    auto triplet = [&](const UpaLevel& l) {
        addGroup(out, encodePH(l.p, l.h, g1), g1);
        out += ' ';
        addGroup(out, encodeTD(l.t, l.td, g2), g2);
        out += ' ';
        addGroup(out, encodeWD(l.dir, l.spd, g3), g3);
    };
    auto slotEnd = [&](int slot) {
        out += (slot == 2 || slot == 6 || slot == 10 || slot == 14) ? '\n' : ' ';
    };

    // Each standard level goes to its slot (the first of a pressure wins, whatever the
    // order of the list); the surface and the first tropopause and maximum wind have
    // sections of their own; standard levels above 10 mb (7, 5, 3, 2, 1) follow the slots.
    UpaLevel sfcLev, tropLev, mwLev;
    bool hasSfc = false, hasTrop = false, hasMw = false;
    int slotLev[NUM_SLOTS];
    std::fill(slotLev, slotLev + NUM_SLOTS, -1);
    int extra[10];
    std::fill(extra, extra + 10, -1);
    for (int i = 0; i < rec.getNumMan(); ++i) {
        const UpaLevel l = rec.getMan(i);
        if (l.type == UpaLevel::SFC) {
            if (!hasSfc) sfcLev = l;
            hasSfc = true;
        } else if (l.type == UpaLevel::TROP) {
            if (!hasTrop) tropLev = l;
            hasTrop = true;
        } else if (l.type == UpaLevel::MWND) {
            if (!hasMw) mwLev = l;
            hasMw = true;
        } else if (known(l.p) && l.p >= 1 && l.p < 10 && l.p == static_cast<int>(l.p)) {
            if (extra[static_cast<int>(l.p)] < 0) extra[static_cast<int>(l.p)] = i;
        } else if (known(l.p) && l.p >= 10 && l.p < 2000) {
            const int slot = UpaLevel::getMandatoryIndex(static_cast<float>(static_cast<int>(l.p)));
            if (slot >= 0 && slotLev[slot] < 0) slotLev[slot] = i;
        }
    }
    // A role may sit on a level of another kind (a maximum wind at a standard pressure is
    // that level): the markers stand in for levels of the role's own kind.
    auto marked = [&](int m, UpaLevel& lev, bool& has) {
        if (has || m == Const::MISS || m < 0 || m >= rec.getNumMan()) return;
        lev = rec.getMan(m);
        has = true;
    };
    marked(rec.getSfc(), sfcLev, hasSfc);
    marked(rec.getTrop(), tropLev, hasTrop);
    marked(rec.getMaxWnd(), mwLev, hasMw);
    for (int slot = 0; slot < NUM_SLOTS; ++slot) {
        if (slotLev[slot] >= 0)
            triplet(rec.getMan(slotLev[slot]));
        else
            out += "X X X";
        slotEnd(slot);
    }
    int numExtra = 0;
    for (int ip = 9; ip >= 1 && numExtra < MAX_SLOTS - NUM_SLOTS; --ip) {
        if (extra[ip] < 0) continue;
        triplet(rec.getMan(extra[ip]));
        out += ' ';
        ++numExtra;
    }

    // Tropopause and maximum wind.
    if (hasTrop && known(tropLev.p)) {
        std::snprintf(g1, sizeof(g1), "88%3.3d", static_cast<int>(tropLev.p) % 1000);
        out += g1;
        out += ' ';
        addGroup(out, encodeTD(tropLev.t, tropLev.td, g2), g2);
        out += ' ';
        addGroup(out, encodeWD(tropLev.dir, tropLev.spd, g3), g3);
        out += ' ';
    } else {
        out += "X X X ";
    }
    if (hasMw && known(mwLev.p)) {
        std::snprintf(g1, sizeof(g1), "77%3.3d", static_cast<int>(mwLev.p) % 1000);
        out += g1;
        out += ' ';
        addGroup(out, encodeWD(mwLev.dir, mwLev.spd, g3), g3);
        out += '\n';
    } else {
        out += "X X\n";
    }

    // Significant levels: pressure field and TD group. A reader takes the first of them
    // for the surface, so the surface leads the list.
    if (hasSfc && known(sfcLev.p) && rec.getSigPr(0) != sfcLev.p) {
        UpaLevel s = sfcLev;
        s.setType(UpaLevel::SIG);
        rec.addSig(s);
        rec.sort();
    }
    int pairs = 0;
    for (int i = 0; i < rec.getNumSig(); ++i) {
        const UpaLevel l = rec.getSig(i);
        if (!known(l.p) || !(l.p > 0) || l.p >= 2000) continue;
        if (pairs > 0 && UpaLevel::isMandatory(l.p)) continue;
        char pf[16];
        const int ip = static_cast<int>(l.p);
        if (l.p >= 1000)
            std::snprintf(pf, sizeof(pf), "%3.3d", ip % 1000);
        else if (l.p < 10)
            std::snprintf(pf, sizeof(pf), "%3.1f", l.p);
        else
            std::snprintf(pf, sizeof(pf), "%3d", ip);
        if (pairs > 0) out += pairs % PAIRS_PER_LINE == 0 ? '\n' : ' ';
        out += pf;
        out += ' ';
        addGroup(out, encodeTD(l.t, l.td, g2), g2);
        ++pairs;
    }
    out += pairs > 0 ? " X\n" : "X\n";

    // Wind levels: height in thousands of feet and WD group. The surface wind goes first,
    // at height 0, unless the report has one there.
    if (hasSfc && (rec.getNumWnd() == 0 ||
                   (rec.getWndHt(0) != 0 && known(sfcLev.dir) && known(sfcLev.spd)))) {
        UpaLevel w = sfcLev;
        w.setType(UpaLevel::SFC);
        rec.addWnd(w);
        rec.sort();
    }
    pairs = 0;
    for (int i = 0; i < rec.getNumWnd(); ++i) {
        const UpaLevel l = rec.getWnd(i);
        if (!known(l.h)) continue;
        const long kft = static_cast<long>((l.h + 1) / 1000);
        if (kft < 0 || kft > 999) continue;
        char hf[16];
        std::snprintf(hf, sizeof(hf), "%.2ld", kft);
        if (pairs > 0) out += pairs % PAIRS_PER_LINE == 0 ? '\n' : ' ';
        out += hf;
        out += ' ';
        addGroup(out, encodeWD(l.dir, l.spd, g3), g3);
        ++pairs;
    }
    out += pairs > 0 ? " $\n" : "$\n";
    file.puts(out.c_str());
}

int UpaHyxFile::decodePH(const char* group, float& p, float& h) {
    p = h = FMISS;
    if (!group || absent(group)) return -1;
    int pp = 0, hhh = 0;
    const int n = twoInts(group, 2, pp, 3, hhh);
    if (n < 1 || pp == 99) return 0;
    int ip;
    if (pp == 0)
        ip = 1000;
    else if (pp < 0)
        ip = -pp;
    else
        ip = pp == 92 ? 925 : 10 * pp;
    p = static_cast<float>(ip);
    if (n == 2 && hhh >= 0) h = phHeight(ip, hhh);
    return 1;
}

int UpaHyxFile::decodeTD(const char* group, float& t, float& td) {
    t = td = FMISS;
    if (!group || absent(group)) return -1;
    int ttt = 0, dd = 0;
    const int n = twoInts(group, 3, ttt, 2, dd);
    if (n < 1 || ttt == 999 || ttt < 0) return 0;
    t = ttt / 10.0f;
    if (ttt % 2) t = -t;
    if (n == 2 && dd >= 0 && dd != 99) td = dd <= 50 ? t - dd / 10.0f : t - (dd - 50);
    return 1;
}

int UpaHyxFile::decodeWD(const char* group, float& dir, float& spd) {
    dir = spd = FMISS;
    if (!group || absent(group)) return 0;
    int ddd = 0, ff = 0;
    if (twoInts(group, 3, ddd, 2, ff) != 2 || ddd == 999 || ddd < 0 || ff < 0) return 1;
    const int d = ddd - ddd % 5;
    const int s = (ddd % 5) * 100 + ff;
    if (s > 250 || d > 360) return 1;
    dir = static_cast<float>(d);
    spd = static_cast<float>(s);
    return 1;
}

int UpaHyxFile::encodePH(float p, float h, char* out) {
    if (!known(p) || !(p >= 1) || p >= 100000) {
        std::strcpy(out, "99999");
        return 0;
    }
    const int ip = static_cast<int>(p);
    char pp[16];
    if (ip >= 10)
        std::snprintf(pp, sizeof(pp), "%2.2d", (ip % 1000) / 10);
    else
        std::snprintf(pp, sizeof(pp), "-%1d", ip);
    if (!known(h) || h > 1e6f || h < -1e6f) {
        groupf(out, "%s/", pp);
        return 1;
    }
    if (h < 0) h = 500 - h;
    const int ih = static_cast<int>(h);
    const int hhh = p > 500 ? ih % 1000 : (ih % 10000) / 10;
    groupf(out, "%s%3.3d", pp, hhh);
    return 1;
}

int UpaHyxFile::encodeTD(float t, float td, char* out) {
    if (!known(t) || t > 99 || t < -99) {
        std::strcpy(out, "99999");
        return 0;
    }
    const int it = static_cast<int>((t + 0.01f) * 10);
    int ttt = (it < 0 ? -it : it) / 2 * 2;
    if (it < 0) ++ttt;
    int dd = 99;
    if (known(td)) {
        int d = static_cast<int>((t - td + 0.01f) * 10);
        if (d < 0) d = 0; // a dew point above the temperature is saturation
        dd = d >= 60 ? d / 10 + 50 : (d >= 50 ? 50 : d);
        if (dd > 98) dd = 98;
    }
    groupf(out, "%3.3d%2.2d", ttt, dd);
    return 1;
}

int UpaHyxFile::encodeWD(float dir, float spd, char* out) {
    if (!(dir >= 0) || !(spd >= 0) || dir > 999 || spd >= 500) {
        std::strcpy(out, "99999");
        return 0;
    }
    const int s = static_cast<int>(spd + 0.01f);
    const int ddd = static_cast<int>((static_cast<int>(dir) + 2.5) / 5) * 5 + s / 100;
    groupf(out, "%3.3d%2.2d", ddd, s % 100);
    return 1;
}

} // namespace HYX
