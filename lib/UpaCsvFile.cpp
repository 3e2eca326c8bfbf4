// Soundings in comma-separated tables (Iowa Environmental Mesonet, University of Wyoming).
#include "HYX/UpaCsvFile.h"

#include "HYX/Convert.h"
#include "HYX/Date.h"
#include "HYX/LineScan.h"
#include "HYX/UpaData.h"

#include <array>
#include <cctype>

namespace HYX {

namespace {

// Column names as the sources write them (compared ignoring case), with speeds in m/s
// where the name says so.
const struct {
    const char* name;
    UpaCsvFile::Field field;
    bool mps;
} COLUMNS[] = {
    {"station", UpaCsvFile::STATION, false},
    {"valid", UpaCsvFile::TIME, false},
    {"validutc", UpaCsvFile::TIME, false},
    {"time", UpaCsvFile::TIME, false},
    {"latitude", UpaCsvFile::LAT, false},
    {"longitude", UpaCsvFile::LON, false},
    {"pres_hpa", UpaCsvFile::PRES, false},
    {"pressure_mb", UpaCsvFile::PRES, false},
    {"pressure_hpa", UpaCsvFile::PRES, false},
    {"pres", UpaCsvFile::PRES, false},
    {"hght_m", UpaCsvFile::HGHT, false},
    {"height_m", UpaCsvFile::HGHT, false},
    {"geopotential height_m", UpaCsvFile::HGHT, false},
    {"hght", UpaCsvFile::HGHT, false},
    {"tmpc_c", UpaCsvFile::TEMP, false},
    {"tmpc", UpaCsvFile::TEMP, false},
    {"temperature_c", UpaCsvFile::TEMP, false},
    {"dwpc_c", UpaCsvFile::DEWP, false},
    {"dwpc", UpaCsvFile::DEWP, false},
    {"dew point temperature_c", UpaCsvFile::DEWP, false},
    {"drct_deg", UpaCsvFile::DIR, false},
    {"drct", UpaCsvFile::DIR, false},
    {"wind direction_degree", UpaCsvFile::DIR, false},
    {"sknt_kt", UpaCsvFile::SPD, false},
    {"sknt", UpaCsvFile::SPD, false},
    {"speed_kts", UpaCsvFile::SPD, false},
    {"wind speed_m/s", UpaCsvFile::SPD, true},
    {"speed_mps", UpaCsvFile::SPD, true},
    {"levelcode", UpaCsvFile::LEVEL, false},
};

// The level codes of the Mesonet tables that mark a role.
constexpr int CODE_TROP = 7;
constexpr int CODE_MAXWIND = 8;
constexpr int CODE_SURFACE = 9;

bool iequal(std::string_view a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

int digits(std::string_view t, size_t at, size_t n) {
    if (at + n > t.size()) return -1;
    int v = 0;
    for (size_t i = at; i < at + n; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) return -1;
        v = v * 10 + (t[i] - '0');
    }
    return v;
}

} // namespace

UpaCsvFile::Field UpaCsvFile::fieldOf(std::string_view name, bool& speedMps) {
    name = LineScan::trim(name);
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    for (const auto& c : COLUMNS)
        if (iequal(name, c.name)) {
            speedMps = c.mps;
            return c.field;
        }
    return NONE;
}

bool UpaCsvFile::readTime(std::string_view t, Date& d) {
    t = LineScan::trim(t);
    const int y = digits(t, 0, 4), mo = digits(t, 5, 2), day = digits(t, 8, 2);
    const int h = digits(t, 11, 2), mi = digits(t, 14, 2);
    if (y < 0 || mo < 1 || mo > 12 || day < 1 || h < 0 || h > 23 || mi < 0 || mi > 59 ||
        t[4] != '-' || t[7] != '-' || (t[10] != 'T' && t[10] != ' ') || t[13] != ':')
        return false;
    Date r(y, mo, day, h, mi, 0);
    if (!r.isSet() || r.getDay() != day) return false;
    d = r;
    return true;
}

bool UpaCsvFile::isHeader(std::string_view line) {
    LineScan s(line);
    bool pres = false, mps;
    while (!s.atEnd())
        if (fieldOf(s.cell(), mps) == PRES) pres = true;
    return pres;
}

void UpaCsvFile::start() {
    header = false;
    key.clear();
}

bool UpaCsvFile::readHeader(std::string_view line) {
    col.fill(-1);
    LineScan s(line);
    for (int i = 0; !s.atEnd(); ++i) {
        bool m = false;
        const Field f = fieldOf(s.cell(), m);
        if (f == NONE || col[f] >= 0) continue;
        col[f] = i;
        if (f == SPD) mps = m;
    }
    return col[PRES] >= 0;
}

int UpaCsvFile::read(UpaData& out) {
    out.init();
    beginSounding();
    bool have = false;
    std::string_view line;
    std::array<std::string_view, NUM> v;
    while (nextLine(line)) {
        if (LineScan::trim(line).empty()) continue;
        if (!header) {
            if (!readHeader(line)) {
                warn(getLine(), "not a header row naming a pressure column", std::string(line));
                return -1;
            }
            header = true;
            continue;
        }
        v.fill(std::string_view());
        LineScan s(line);
        for (int i = 0; !s.atEnd(); ++i) {
            const std::string_view c = s.cell();
            for (int f = 0; f < NUM; ++f)
                if (col[f] == i) v[f] = c;
        }
        const std::string k = std::string(v[STATION]) + '|' + std::string(v[TIME]);
        if (have && k != key) {
            unread();
            break;
        }
        float val[NUM];
        bool bad = false;
        for (int f = LAT; f < NUM; ++f) {
            val[f] = Const::FMISS;
            if (!v[f].empty() && !LineScan::toNumber(v[f], val[f])) bad = true;
        }
        Date d;
        if (!v[TIME].empty() && !readTime(v[TIME], d)) bad = true;
        if (bad || !(val[PRES] > 0 && val[PRES] < 1100) || v[STATION].size() > 10) {
            warn(getLine(), "not a sounding row", std::string(line));
            continue;
        }
        if (!have) {
            key = k;
            have = true;
            if (!v[STATION].empty()) out.setId(std::string(v[STATION]).c_str());
            out.setDate(d);
            if (val[LAT] >= -90 && val[LAT] <= 90 && val[LON] >= -180 && val[LON] <= 360)
                out.setLoc(val[LAT], val[LON]);
        }
        UpaLevel lev(val[PRES], val[HGHT], val[TEMP], val[DEWP], val[DIR],
                     mps ? Convert::MPStoKT(val[SPD]) : val[SPD]);
        if (lev.dir != Const::FMISS && (lev.dir < 0 || lev.dir > 360))
            lev.dir = lev.spd = Const::FMISS;
        const int k2 = addLevel(out, lev);
        if (k2 < 0) continue;
        const int code = val[LEVEL] >= 0 && val[LEVEL] < 100 ? static_cast<int>(val[LEVEL]) : 0;
        if (code == CODE_SURFACE) out.setSfc(k2);
        if (code == CODE_TROP) out.setType(k2, UpaLevel::TROP);
        if (code == CODE_MAXWIND) out.setType(k2, UpaLevel::MWND);
    }
    if (!have) return -1;
    // Without a marked surface, the surface is the lowest row with a temperature.
    if (!out.isSfc())
        for (int i = 0; i < out.getNum(); ++i)
            if (out.validTemp(i)) {
                out.setSfc(i);
                break;
            }
    return 1;
}

} // namespace HYX
