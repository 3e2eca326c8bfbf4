// Decoded soundings as plain text.
#include "HYX/UpaTextFile.h"

#include "HYX/LineScan.h"
#include "HYX/UpaData.h"

#include <string>
#include <vector>

namespace HYX {

namespace {

constexpr float MISSING_CODE = -9999.0f;

float value(std::string_view w) {
    float v;
    if (w == "-" || w == "M" || w == "m" || !LineScan::toNumber(w, v) || v == MISSING_CODE)
        return Const::FMISS;
    return v;
}

} // namespace

bool UpaTextFile::isKeyword(std::string_view line) {
    LineScan s(line);
    const std::string_view w = s.word();
    return w == "DATE" || w == "STATION";
}

int UpaTextFile::read(UpaData& out) {
    out.init();
    beginSounding();
    bool have = false;
    std::string_view raw;
    while (nextLine(raw)) {
        const size_t hash = raw.find('#');
        LineScan s(raw.substr(0, hash));
        std::vector<std::string_view> w;
        for (std::string_view x = s.word(); !x.empty() && w.size() < 8; x = s.word())
            w.push_back(x);
        if (w.empty()) continue;
        if (w[0] == "DATE") {
            Date d;
            if (w.size() < 2 || !d.set(("#" + std::string(w[1])).c_str()) ||
                d.getHour() == Const::MISS)
                warn(getLine(), "bad date (YYYYMMDDHH[MM])", std::string(raw));
            else
                date = d;
            if (have) out.setDate(date);
        } else if (w[0] == "STATION") {
            if (have) {
                unread();
                return 1;
            }
            if (w.size() < 2 || w[1].size() > 10) {
                warn(getLine(), "station without identifier", std::string(raw));
                continue;
            }
            out.init();
            out.setId(std::string(w[1]).c_str());
            const float wmo = w.size() > 2 ? value(w[2]) : Const::FMISS;
            out.setWmo(wmo > 0 && wmo < 100000 ? static_cast<int>(wmo) : Const::MISS);
            const float lat = w.size() > 3 ? value(w[3]) : Const::FMISS;
            const float lon = w.size() > 4 ? value(w[4]) : Const::FMISS;
            if (lat >= -90 && lat <= 90 && lon >= -180 && lon <= 360) out.setLoc(lat, lon);
            out.setElev(w.size() > 5 ? value(w[5]) : Const::FMISS);
            out.setDate(date);
            have = true;
        } else if (w[0] == "END") {
            if (have) return 1;
        } else if (!have) {
            warn(getLine(), "level outside a station", std::string(raw));
        } else if (w.size() < 6) {
            warn(getLine(), "a level needs p h t td dir spd", std::string(raw));
        } else {
            UpaLevel lev(value(w[0]), value(w[1]), value(w[2]), value(w[3]), value(w[4]),
                         value(w[5]));
            if (!(lev.p > 0 && lev.p < 1100)) {
                warn(getLine(), "level without pressure", std::string(raw));
                continue;
            }
            const int k = addLevel(out, lev);
            if (k < 0) continue;
            const std::string_view flags = w.size() > 6 ? w[6] : "";
            if (flags.find('S') != std::string_view::npos) out.setSfc(k);
            if (flags.find('T') != std::string_view::npos) out.setType(k, UpaLevel::TROP);
            if (flags.find('W') != std::string_view::npos) out.setType(k, UpaLevel::MWND);
        }
    }
    return have ? 1 : -1;
}

} // namespace HYX
