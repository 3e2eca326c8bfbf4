// SPC / SHARPpy sounding text files.
#include "HYX/UpaSpcFile.h"

#include "HYX/LineScan.h"
#include "HYX/UpaData.h"

#include <cctype>
#include <string>

namespace HYX {

namespace {

// The columns in their fixed order and the value that marks a missing one.
constexpr int NUM_COLUMNS = 6;
constexpr float SPC_MISSING = -9999.0f;

bool isDigits(std::string_view w) {
    for (char c : w)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return !w.empty();
}

} // namespace

bool UpaSpcFile::readTitle(std::string_view text, UpaData& out) {
    LineScan s(text);
    const std::string_view id = s.word(), when = s.word();
    if (id.empty() || id.size() > 10 || when.size() != 11 || when[6] != '/' ||
        !isDigits(when.substr(0, 6)) || !isDigits(when.substr(7)))
        return false;
    auto num = [&](size_t at) { return (when[at] - '0') * 10 + (when[at + 1] - '0'); };
    const int yy = num(0), mo = num(2), day = num(4), h = num(7), mi = num(9);
    Date d(yy < 50 ? 2000 + yy : 1900 + yy, mo, day, h, mi, 0);
    if (!d.isSet() || d.getMonth() != mo || d.getDay() != day || h > 23 || mi > 59) return false;
    out.setId(std::string(id).c_str());
    out.setDate(d);
    LineScan loc(s.word());
    float lat, lon;
    const std::string_view a = loc.cell(), b = loc.cell();
    if (LineScan::toNumber(a, lat) && LineScan::toNumber(b, lon) && lat >= -90 && lat <= 90 &&
        lon >= -180 && lon <= 360)
        out.setLoc(lat, lon);
    return true;
}

int UpaSpcFile::read(UpaData& out) {
    out.init();
    beginSounding();
    enum { SEEK, TITLE, HEAD, RAW } state = SEEK;
    bool have = false;
    std::string_view line;
    while (nextLine(line)) {
        const std::string_view t = LineScan::trim(line);
        if (t == "%TITLE%") {
            if (have) {
                unread();
                return 1;
            }
            state = TITLE;
            continue;
        }
        if (t == "%RAW%") {
            if (state == HEAD) state = RAW;
            continue;
        }
        if (t == "%END%") {
            if (have) return 1;
            state = SEEK;
            continue;
        }
        if (t.empty()) continue;
        if (state == TITLE) {
            if (readTitle(t, out)) {
                have = true;
                state = HEAD;
            } else {
                warn(getLine(), "not a title line (station YYMMDD/HHMM)", std::string(t));
                state = SEEK;
            }
            continue;
        }
        if (state != RAW) continue;
        LineScan s(t);
        float v[NUM_COLUMNS];
        int n = 0;
        while (!s.atEnd() && n < NUM_COLUMNS + 1) {
            float x;
            if (!LineScan::toNumber(s.cell(), x)) break;
            if (n < NUM_COLUMNS) v[n] = x == SPC_MISSING ? Const::FMISS : x;
            ++n;
        }
        if (n != NUM_COLUMNS || !s.atEnd() || !(v[0] > 0 && v[0] < 1100)) {
            warn(getLine(), "not a level of six numbers", std::string(t));
            continue;
        }
        UpaLevel lev(v[0], v[1], v[2], v[3], v[4], v[5]);
        if (lev.dir != Const::FMISS && (lev.dir < 0 || lev.dir > 360))
            lev.dir = lev.spd = Const::FMISS;
        const int k = addLevel(out, lev);
        if (k >= 0 && !out.isSfc() && lev.t != Const::FMISS) out.setSfc(k);
    }
    return have ? 1 : -1;
}

} // namespace HYX
