// Station files of the Integrated Global Radiosonde Archive, version 2.
#include "HYX/UpaIgraFile.h"

#include "HYX/Convert.h"
#include "HYX/LineScan.h"
#include "HYX/UpaData.h"
#include "HYX/ZipFile.h"

#include <cctype>
#include <string>

namespace HYX {

namespace {

// Columns (first, one past the last) of the header record.
constexpr size_t H_ID[] = {1, 12}, H_YEAR[] = {13, 17}, H_MONTH[] = {18, 20}, H_DAY[] = {21, 23},
                 H_HOUR[] = {24, 26}, H_RELTIME[] = {27, 31}, H_NUMLEV[] = {32, 36},
                 H_LAT[] = {55, 62}, H_LON[] = {63, 71};
// Columns of the level record.
constexpr size_t L_TYPE1 = 0, L_TYPE2 = 1, L_PRESS[] = {9, 15}, L_GPH[] = {16, 21},
                 L_TEMP[] = {22, 27}, L_DPDP[] = {34, 39}, L_WDIR[] = {40, 45}, L_WSPD[] = {46, 51};
constexpr size_t LEVEL_LENGTH = 51;

constexpr long REMOVED = -8888; // removed by the archive's quality checks
constexpr long MISSING = -9999;
constexpr int SURFACE = 1, TROPOPAUSE = 2; // second level-type digit
// Floating stations without a position.
constexpr float NO_POSITION = -98.8888f;

bool field(std::string_view line, const size_t (&c)[2], long& v) {
    const std::string_view t = LineScan::column(line, c[0], c[1]);
    return LineScan::toInt(t, v);
}

// A value, or missing for the archive's missing and removed codes.
float value(std::string_view line, const size_t (&c)[2], float scale, bool& bad) {
    long v;
    const std::string_view t = LineScan::column(line, c[0], c[1]);
    if (t.empty()) return Const::FMISS;
    if (!LineScan::toInt(t, v)) {
        bad = true;
        return Const::FMISS;
    }
    return v == REMOVED || v == MISSING ? Const::FMISS : v * scale;
}

} // namespace

bool UpaIgraFile::isHeader(std::string_view line) {
    UpaData d;
    int n;
    return readHeader(line, d, n);
}

bool UpaIgraFile::readHeader(std::string_view line, UpaData& out, int& num) {
    long year, month, day, hour, rel, n;
    if (line.size() < H_NUMLEV[1] || line[0] != '#' || !field(line, H_YEAR, year) ||
        !field(line, H_MONTH, month) || !field(line, H_DAY, day) || !field(line, H_HOUR, hour) ||
        !field(line, H_RELTIME, rel) || !field(line, H_NUMLEV, n) || n < 0)
        return false;
    // The hour is the nominal or observation hour (99 when unknown); the release time
    // HHMM fills in when the hour is missing (99 for an unknown minute).
    int h = static_cast<int>(hour), mi = 0;
    if (hour == 99) {
        if (rel == 9999 || rel < 0) return false;
        h = static_cast<int>(rel / 100);
        mi = rel % 100 == 99 ? 0 : static_cast<int>(rel % 100);
    }
    if (month < 1 || month > 12 || day < 1 || day > 31 || h < 0 || h > 23 || mi > 59 ||
        year < 1800 || year > 2999)
        return false;
    Date d(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day), h, mi, 0);
    if (!d.isSet() || d.getDay() != day) return false;
    out.setDate(d);
    const std::string_view id = LineScan::column(line, H_ID[0], H_ID[1]);
    if (id.empty()) return false;
    // Identifiers of WMO stations end in the five-digit number ("USM00072681").
    long wmo;
    if (id.size() == 11 && id[2] == 'M' && LineScan::toInt(id.substr(6), wmo) && wmo > 0)
        out.setWmo(static_cast<int>(wmo));
    else
        out.setId(std::string(id).c_str());
    long lat, lon;
    if (field(line, H_LAT, lat) && field(line, H_LON, lon)) {
        const float la = lat / 10000.0f, lo = lon / 10000.0f;
        if (la != NO_POSITION && la >= -90 && la <= 90 && lo >= -180 && lo <= 360)
            out.setLoc(la, lo);
    }
    num = static_cast<int>(n);
    return true;
}

bool UpaIgraFile::readLevel(std::string_view line, UpaLevel& lev) {
    if (line.size() < LEVEL_LENGTH - 10 ||
        !std::isdigit(static_cast<unsigned char>(line[L_TYPE1])) ||
        !std::isdigit(static_cast<unsigned char>(line[L_TYPE2])))
        return false;
    bool bad = false;
    lev.init();
    lev.p = value(line, L_PRESS, 0.01f, bad);
    lev.h = value(line, L_GPH, 1.0f, bad);
    lev.t = value(line, L_TEMP, 0.1f, bad);
    const float dpd = value(line, L_DPDP, 0.1f, bad);
    lev.dir = value(line, L_WDIR, 1.0f, bad);
    lev.spd = Convert::MPStoKT(value(line, L_WSPD, 0.1f, bad));
    if (bad || (lev.p != Const::FMISS && !(lev.p > 0 && lev.p < 1100))) return false;
    if (lev.t != Const::FMISS && dpd != Const::FMISS && dpd >= 0) lev.td = lev.t - dpd;
    if (lev.dir == Const::FMISS || lev.spd == Const::FMISS || lev.dir < 0 || lev.dir > 360)
        lev.dir = lev.spd = Const::FMISS;
    const int role = line[L_TYPE2] - '0';
    lev.type = role == SURFACE ? UpaLevel::SFC : role == TROPOPAUSE ? UpaLevel::TROP : 0;
    return true;
}

void UpaIgraFile::start() {
    if (!ZipFile::isZip(buf.data(), buf.size())) return;
    std::string text, err;
    if (!ZipFile::extractFirst(buf.data(), buf.size(), MAX_INPUT, text, err)) {
        warn(0, err.c_str());
        text.clear();
    }
    replaceText(std::move(text));
}

int UpaIgraFile::read(UpaData& out) {
    out.init();
    beginSounding();
    bool have = false;
    int expect = 0, got = 0, head = 0;
    std::string_view line;
    while (nextLine(line)) {
        if (!line.empty() && line[0] == '#') {
            if (have) {
                unread();
                break;
            }
            if (!readHeader(line, out, expect)) {
                warn(getLine(), "not a header record", std::string(line));
                out.init();
                continue;
            }
            have = true;
            head = getLine();
            continue;
        }
        if (!have || LineScan::trim(line).empty()) continue;
        UpaLevel lev;
        if (!readLevel(line, lev)) {
            warn(getLine(), "not a level record", std::string(line));
            continue;
        }
        ++got;
        if (lev.p == Const::FMISS && lev.h == Const::FMISS) continue;
        const int role = lev.type;
        lev.type = 0;
        const int k = addLevel(out, lev);
        if (k < 0) continue;
        if (role == UpaLevel::SFC && !out.isSfc()) {
            out.setSfc(k);
            if (lev.h != Const::FMISS) out.setElev(lev.h);
        }
        if (role == UpaLevel::TROP) out.setType(k, UpaLevel::TROP);
    }
    if (!have) return -1;
    if (got != expect) warn(head, "the header's number of levels differs from the records");
    return 1;
}

} // namespace HYX
