// upaconv: writes upper-air files from decoded soundings given as plain text, or from
// bulletins of coded TEMP and PILOT reports.
#include "HYX/CityData.h"
#include "HYX/CityTool.h"
#include "HYX/Date.h"
#include "HYX/FileAttr.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"
#include "HYX/UpaWmoData.h"
#include "HYX/UpaWmoFile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace HYX;

namespace {

const char* const USAGE =
    "usage: upaconv [-d YYYYMMDDHH] [-a] -o output.upa input.txt ...\n"
    "       upaconv -c -d YYYYMM[DDHH] [-s stations.cty] [-a] -o output.upa bulletin ...\n"
    "\n"
    "Writes the soundings of the input files (\"-\" for standard input) to an upper-air\n"
    "file; -a appends to an existing one (which keeps its own date).\n"
    "\n"
    "With -c the inputs hold coded TEMP and PILOT reports (bulletins as sent, or one\n"
    "report a line). The parts of each station are decoded into one sounding; a later\n"
    "copy of a part replaces an earlier one. The reports give only the day and hour:\n"
    "-d gives the year and month. -s takes each station's identifier and position\n"
    "from a station file by its WMO number.\n"
    "\n"
    "Input: blank-separated words, one item per line; \"#\" starts a comment.\n"
    "  DATE YYYYMMDDHH[MM]                  observation time (once; -d overrides)\n"
    "  STATION id wmo lat lon elev          starts a sounding\n"
    "  p h t td dir spd [flags]             one level: mb, m above sea level, C, C,\n"
    "                                       degrees, knots; \"-\", \"M\", \"nan\" or\n"
    "                                       -9999 for a missing value\n"
    "  END                                  ends a sounding (optional)\n"
    "Flags: S surface, T tropopause, W maximum wind. Without S the surface is the\n"
    "lowest level with a temperature. Levels may come in any order; standard levels\n"
    "under ground keep their heights. Winds are written at the surface and at every\n"
    "thousand feet above it.\n";

float value(const std::string& w) {
    if (w == "-" || w == "M" || w == "m" || w == "nan" || w == "NaN" || w.empty())
        return Const::FMISS;
    char* end = nullptr;
    const float v = std::strtof(w.c_str(), &end);
    if (end == w.c_str() || *end || !std::isfinite(v)) return Const::FMISS;
    return v;
}

struct Reader {
    std::vector<UpaData> soundings;
    Date date;
    bool open = false;
    int errors = 0;

    void error(const std::string& src, int line, const std::string& what) {
        std::fprintf(stderr, "upaconv: %s line %d: %s\n", src.c_str(), line, what.c_str());
        ++errors;
    }

    void read(std::istream& in, const std::string& src) {
        std::string line;
        int n = 0;
        while (std::getline(in, line)) {
            ++n;
            const size_t hash = line.find('#');
            if (hash != std::string::npos) line.erase(hash);
            std::istringstream ws(line);
            std::vector<std::string> w;
            std::string word;
            while (ws >> word) w.push_back(word);
            if (w.empty()) continue;
            if (w[0] == "DATE") {
                if (w.size() < 2 || !date.set(("#" + w[1]).c_str())) error(src, n, "bad date");
            } else if (w[0] == "STATION") {
                if (w.size() < 2) {
                    error(src, n, "station without identifier");
                    open = false;
                    continue;
                }
                UpaData d;
                d.setId(w[1].c_str());
                const float wmo = w.size() > 2 ? value(w[2]) : Const::FMISS;
                d.setWmo(wmo == Const::FMISS ? Const::MISS : static_cast<int>(wmo));
                d.setLoc(w.size() > 3 ? value(w[3]) : Const::FMISS,
                         w.size() > 4 ? value(w[4]) : Const::FMISS);
                d.setElev(w.size() > 5 ? value(w[5]) : Const::FMISS);
                soundings.push_back(d);
                open = true;
            } else if (w[0] == "END") {
                open = false;
            } else if (!open) {
                error(src, n, "level outside a station");
            } else if (w.size() < 6) {
                error(src, n, "a level needs p h t td dir spd");
            } else {
                UpaData& d = soundings.back();
                UpaLevel lev(value(w[0]), value(w[1]), value(w[2]), value(w[3]), value(w[4]),
                             value(w[5]));
                if (lev.p == Const::FMISS || !(lev.p > 0)) {
                    error(src, n, "level without pressure");
                    continue;
                }
                const int k = d.addLevel(lev);
                if (k < 0) {
                    error(src, n, "too many levels");
                    continue;
                }
                const std::string flags = w.size() > 6 ? w[6] : "";
                if (flags.find('S') != std::string::npos) d.setSfc(k);
                if (flags.find('T') != std::string::npos) d.setTrop(k);
                if (flags.find('W') != std::string::npos) d.setMaxWnd(k);
            }
        }
    }
};

// The report parts of each station from bulletins, in order of first appearance.
struct Coded {
    std::vector<std::string> keys;
    std::map<std::string, std::map<int, std::vector<UpaWmoData>>> parts; // by part type
    Date date;

    bool read(const std::string& name, const Date& base) {
        UpaWmoFile f;
        if (!f.open(name.c_str())) return false;
        f.setDate(base);
        UpaWmoData rep;
        while (f.read(rep) == 1) {
            const std::string key = std::string(rep.getWmo()) + ":" + rep.getId();
            if (!parts.count(key)) keys.push_back(key);
            if (!date.isSet()) date = rep.getDate();
            std::vector<UpaWmoData>& p = parts[key][rep.getType()];
            if (f.getPiece() == 0) p.clear(); // a new copy of the part replaces the old
            p.push_back(rep);
        }
        return true;
    }

    // The decoded soundings, named and located from the station file when one is given.
    std::vector<UpaRawinData> decode(const std::string& cities) const {
        std::vector<UpaRawinData> out;
        for (const std::string& key : keys) {
            UpaRawinData raw;
            for (const auto& part : parts.at(key))
                for (UpaWmoData rep : part.second) UpaTool::decode(rep, raw);
            if (raw.getNumMan() + raw.getNumSig() + raw.getNumWnd() == 0) {
                std::fprintf(stderr, "upaconv: %s has no levels, skipped\n", raw.getId());
                continue;
            }
            CityData c;
            char wmo[8];
            std::snprintf(wmo, sizeof wmo, "%5.5d", raw.getWmo());
            if (!cities.empty() && raw.getWmo() != 99999 &&
                CityTool::search(cities.c_str(), wmo, c)) {
                raw.setId(c.getId(), raw.getWmo(), c.getLat(), c.getLon());
            }
            out.push_back(raw);
        }
        return out;
    }
};

int writeCoded(const std::string& out, const std::string& dateText, const std::string& cities,
               bool append, const std::vector<std::string>& inputs) {
    Date base;
    if (dateText.empty() || !base.set(("#" + dateText).c_str()) || base.getMonth() == Const::MISS) {
        std::fputs("upaconv: coded reports need -d YYYYMM (they give only the day and hour)\n",
                   stderr);
        return 2;
    }
    Coded c;
    for (const std::string& name : inputs) {
        if (!c.read(name, base)) {
            std::fprintf(stderr, "upaconv: cannot read %s\n", name.c_str());
            return 1;
        }
    }
    // The observation time: -d, completed by the first report's day and hour.
    Date date = base;
    if (date.getDay() == Const::MISS) date.setDay(c.date.getDay());
    if (date.getHour() == Const::MISS) date.setHour(c.date.getHour());
    UpaFile file;
    file.setDate(date);
    if (!file.open(out.c_str(), append ? FileAttr::APPEND : FileAttr::WRITE, UpaFile::HYX)) {
        std::fprintf(stderr, "upaconv: cannot write %s\n", out.c_str());
        return 1;
    }
    int written = 0;
    for (UpaRawinData& raw : c.decode(cities)) {
        raw.setDate(date);
        file.write(raw);
        ++written;
    }
    file.close();
    std::printf("upaconv: %d soundings written to %s\n", written, out.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string out, dateText, cities;
    bool append = false, coded = false;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-o" && i + 1 < argc)
            out = argv[++i];
        else if (a == "-d" && i + 1 < argc)
            dateText = argv[++i];
        else if (a == "-s" && i + 1 < argc)
            cities = argv[++i];
        else if (a == "-a")
            append = true;
        else if (a == "-c")
            coded = true;
        else if (a == "-h" || a == "--help") {
            std::fputs(USAGE, stdout);
            return 0;
        } else if (a.size() > 1 && a[0] == '-') {
            std::fputs(USAGE, stderr);
            return 2;
        } else
            inputs.push_back(a);
    }
    if (out.empty() || inputs.empty()) {
        std::fputs(USAGE, stderr);
        return 2;
    }

    if (coded) return writeCoded(out, dateText, cities, append, inputs);

    Reader rd;
    for (const std::string& name : inputs) {
        if (name == "-") {
            rd.read(std::cin, "stdin");
            continue;
        }
        std::ifstream in(name);
        if (!in) {
            std::fprintf(stderr, "upaconv: cannot read %s\n", name.c_str());
            return 1;
        }
        rd.read(in, name);
    }
    if (!dateText.empty() && !rd.date.set(("#" + dateText).c_str())) {
        std::fprintf(stderr, "upaconv: bad date %s\n", dateText.c_str());
        return 2;
    }

    UpaFile file;
    file.setDate(rd.date);
    if (!file.open(out.c_str(), append ? FileAttr::APPEND : FileAttr::WRITE, UpaFile::HYX)) {
        std::fprintf(stderr, "upaconv: cannot write %s\n", out.c_str());
        return 1;
    }
    int written = 0;
    for (UpaData& d : rd.soundings) {
        d.setDate(rd.date);
        UpaRawinData raw;
        if (!UpaTool::unmerge(d, raw)) {
            std::fprintf(stderr, "upaconv: %s has no levels, skipped\n", d.getId());
            continue;
        }
        file.write(raw);
        ++written;
    }
    file.close();
    std::printf("upaconv: %d soundings written to %s\n", written, out.c_str());
    return rd.errors ? 1 : 0;
}
