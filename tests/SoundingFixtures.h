// Real soundings for the tests, loaded from the files of tests/data into raw reports the
// way a decoder or the upper-air file reader fills them.
#ifndef HYX_TEST_SOUNDINGFIXTURES_H
#define HYX_TEST_SOUNDINGFIXTURES_H

#include "HYX/Convert.h"
#include "HYX/UpaRawinData.h"

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fixtures {

inline std::string dataPath(const std::string& name) {
    return std::string(HYX_TEST_DATA) + "/" + name;
}

// Comma-separated fields; an empty field stays empty.
inline std::vector<std::string> splitCsv(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> out;
    std::stringstream ss(line);
    std::string f;
    while (std::getline(ss, f, ',')) out.push_back(f);
    if (!line.empty() && line.back() == ',') out.push_back("");
    return out;
}

inline float num(const std::string& f) { return f.empty() ? HYX::Const::FMISS : std::stof(f); }

// One station's GEMPAK-decoded parts (speeds in m/s, wind heights in metres) as a raw
// report: the station header from gempak_2020110700_stations.csv, mandatory levels with
// the surface (the first part-A row) and the first tropopause and maximum wind marked,
// significant levels, and wind levels in feet.
inline bool loadGempak(const std::string& file, int wmo, HYX::UpaRawinData& raw) {
    using namespace HYX;
    raw.init();
    std::ifstream st(dataPath("gempak_2020110700_stations.csv"));
    std::string line;
    while (raw.getWmo() != wmo && std::getline(st, line)) {
        const auto f = splitCsv(line);
        if (f.size() < 5 || f[0] != std::to_string(wmo)) continue;
        raw.setId(f[1].c_str(), wmo, num(f[2]), num(f[3]));
        raw.setElev(num(f[4]));
    }
    if (raw.getWmo() != wmo) return false;
    std::ifstream in(dataPath(file));
    bool firstA = true;
    while (std::getline(in, line)) {
        const auto f = splitCsv(line);
        if (f.size() < 8 || f[0] != std::to_string(wmo)) continue;
        const std::string& part = f[1];
        UpaLevel lev(num(f[2]), num(f[3]), num(f[4]), num(f[5]), num(f[6]),
                     Convert::MPStoKT(num(f[7])));
        if (part == "TTAA" && firstA) {
            firstA = false;
            lev.setType(UpaLevel::SFC);
            raw.setSfc(raw.addMan(lev));
        } else if (part == "TTAA" || part == "TTCC") {
            lev.setType(UpaLevel::MAN);
            raw.addMan(lev);
        } else if (part == "TRPA" || part == "TRPC") {
            lev.setType(UpaLevel::TROP);
            const int k = raw.addMan(lev);
            if (raw.getTrop() == Const::MISS) raw.setTrop(k);
        } else if (part == "MXWA" || part == "MXWC") {
            lev.setType(UpaLevel::MWND);
            const int k = raw.addMan(lev);
            if (raw.getMaxWnd() == Const::MISS) raw.setMaxWnd(k);
        } else if (part == "TTBB") {
            lev.setType(UpaLevel::SIG);
            raw.addSig(lev);
        } else if (part == "PPBB") {
            // Pilot heights are whole thousands of feet (converted to metres by GEMPAK).
            const float ft = 1000.0f * static_cast<int>(lev.h / 304.8f + 0.5f);
            lev.set(Const::FMISS, ft, Const::FMISS, Const::FMISS, lev.dir, lev.spd);
            lev.setType(lev.h == 0 ? UpaLevel::SFC : UpaLevel::WND);
            raw.addWnd(lev);
        }
    }
    return raw.getNumMan() > 0;
}

// One IEM sounding level: pressure, height, temperature, dew point, direction, knots.
struct IemLevel {
    float p, h, t, td, dir, spd;
};

inline std::vector<IemLevel> iemLevels(const std::string& station) {
    std::vector<IemLevel> out;
    std::ifstream in(dataPath("iem_line_1999050400.csv"));
    std::string line;
    while (std::getline(in, line)) {
        const auto f = splitCsv(line);
        if (f.size() < 8 || f[0] != station) continue;
        out.push_back({num(f[2]), num(f[3]), num(f[4]), num(f[5]), num(f[6]), num(f[7])});
    }
    return out;
}

// A University of Wyoming TEXT:LIST sounding: its levels (fixed columns, blank for
// missing) and its list of indices by name.
struct WyomingLevel {
    float p, h, t, td, rh, mixr, dir, spd, theta, thetae, thetav;
};

struct Wyoming {
    std::vector<WyomingLevel> levels;
    std::map<std::string, float> indices;
    float index(const std::string& name) const {
        const auto i = indices.find(name);
        return i == indices.end() ? HYX::Const::FMISS : i->second;
    }
};

inline Wyoming wyoming(const std::string& file) {
    Wyoming w;
    std::ifstream in(dataPath(file));
    std::string line;
    auto col = [&](size_t k) {
        if (line.size() < 7 * (k + 1)) return HYX::Const::FMISS;
        const std::string f = line.substr(7 * k, 7);
        return f.find_first_not_of(' ') == std::string::npos ? HYX::Const::FMISS : std::stof(f);
    };
    bool table = false;
    while (std::getline(in, line)) {
        if (line.find("hPa     m") != std::string::npos) {
            table = true;
            std::getline(in, line); // the rule under the units
            continue;
        }
        if (table && line.compare(0, 5, "</PRE") == 0) table = false;
        if (table && line.size() >= 14) {
            w.levels.push_back({col(0), col(1), col(2), col(3), col(4), col(5), col(6), col(7),
                                col(8), col(9), col(10)});
            continue;
        }
        const size_t colon = line.find(": ");
        if (!table && colon != std::string::npos && colon > 0) {
            std::string name = line.substr(0, colon);
            name.erase(0, name.find_first_not_of(' '));
            try {
                w.indices.emplace(name, std::stof(line.substr(colon + 2)));
            } catch (...) {
            }
        }
    }
    return w;
}

} // namespace fixtures

#endif
