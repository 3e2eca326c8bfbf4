// Which requested station a sounding belongs to.
#include "HYX/StationMatch.h"

#include "HYX/CityData.h"
#include "HYX/CityFile.h"
#include "HYX/Const.h"
#include "HYX/EarthPoint.h"
#include "HYX/StrLib.h"
#include "HYX/Strings.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace HYX {

namespace {

constexpr int NO_WMO = 99999; // the number of a station that has none

bool validWmo(long n) { return n > 0 && n < NO_WMO; }

// The number of a five-digit identifier, 0 for any other.
int wmoOf(const std::string& id) {
    if (id.size() != 5) return 0;
    for (char c : id)
        if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    return std::atoi(id.c_str());
}

bool same(const std::string& a, const char* b) { return StrLib::iequal(a.c_str(), b); }

// "KGJT" is the ICAO form of "GJT": a letter, then the shorter identifier.
bool isIcaoOf(const std::string& icao, const std::string& id) {
    return icao.size() == id.size() + 1 && std::isalpha(static_cast<unsigned char>(icao[0])) &&
           StrLib::iequal(icao.c_str() + 1, id.c_str());
}

void addOnce(std::vector<std::string>& list, const std::string& s, const std::string& given) {
    if (StrLib::iequal(s.c_str(), given.c_str())) return;
    for (const std::string& x : list)
        if (StrLib::iequal(x.c_str(), s.c_str())) return;
    list.push_back(s);
}

} // namespace

StationMatch::StationMatch(const Strings& ids, const char* path) : city_path(path ? path : "") {
    for (int j = 0; j < ids.getNum(); ++j) {
        Station s;
        s.id = ids.getString(j) ? ids.getString(j) : "";
        s.lat = s.lon = Const::FMISS;
        if (const int n = wmoOf(s.id)) s.wmo.push_back(n);
        stations.push_back(s);
    }
}

const char* StationMatch::getId(int j) const {
    return j >= 0 && j < getNum() ? stations[j].id.c_str() : "";
}

int StationMatch::match(int j, const char* id, int wmo) const {
    if (j < 0 || j >= getNum()) return NO_MATCH;
    const Station& s = stations[j];
    if (!s.id.empty() && same(s.id, id)) return GIVEN;
    if (!forms) return NO_MATCH;
    for (const std::string& f : s.icao)
        if (same(f, id)) return ICAO;
    for (const std::string& f : s.shortid)
        if (same(f, id)) return SHORT;
    if (validWmo(wmo) && std::find(s.wmo.begin(), s.wmo.end(), wmo) != s.wmo.end()) return WMO;
    return NO_MATCH;
}

bool StationMatch::useForms() {
    readStationFile();
    forms = true;
    for (const Station& s : stations)
        if (!s.icao.empty() || !s.shortid.empty() || !s.wmo.empty()) return true;
    return false;
}

bool StationMatch::locate(int j, EarthPoint& e) {
    readStationFile();
    if (j < 0 || j >= getNum() || stations[j].lat == Const::FMISS) return false;
    e.set(stations[j].lat, stations[j].lon);
    return true;
}

// One pass over the station file: every entry that is a requested station under any form
// of its identifier, then (by their WMO numbers) the entries of the same stations under
// still other identifiers.
void StationMatch::readStationFile() {
    if (loaded) return;
    loaded = true;
    std::vector<CityData> entries;
    CityFile file(city_path.c_str());
    CityData c;
    while (file.read(c) > 0) entries.push_back(c);

    for (Station& s : stations) {
        if (s.id.empty()) continue;
        const int own_wmo = wmoOf(s.id);
        std::vector<int> numbers;
        auto take = [&](const CityData& e, bool exact) {
            const std::string id = e.getId();
            if (id.size() == 4 && std::isalpha(static_cast<unsigned char>(id[0])))
                addOnce(s.icao, id, s.id);
            else
                addOnce(s.shortid, id, s.id);
            if (id.size() == 4) addOnce(s.shortid, id.substr(1), s.id);
            if (validWmo(e.getWmo()) &&
                std::find(numbers.begin(), numbers.end(), e.getWmo()) == numbers.end())
                numbers.push_back(static_cast<int>(e.getWmo()));
            if (e.getLat() != Const::FMISS && (s.lat == Const::FMISS || exact)) {
                s.lat = e.getLat();
                s.lon = e.getLon();
            }
        };
        for (const CityData& e : entries) {
            const std::string id = e.getId();
            const bool exact = same(id, s.id.c_str());
            if (exact || isIcaoOf(id, s.id) || isIcaoOf(s.id, id) ||
                (own_wmo && e.getWmo() == own_wmo))
                take(e, exact);
        }
        for (const CityData& e : entries)
            if (std::find(numbers.begin(), numbers.end(), e.getWmo()) != numbers.end())
                take(e, false);
        for (int n : numbers)
            if (std::find(s.wmo.begin(), s.wmo.end(), n) == s.wmo.end()) s.wmo.push_back(n);
    }
}

const char* StationMatch::describe(int form) {
    switch (form) {
    case GIVEN:
        return "as given";
    case ICAO:
        return "its ICAO identifier";
    case SHORT:
        return "its identifier without the country letter";
    case WMO:
        return "its WMO number";
    default:
        return "not found";
    }
}

} // namespace HYX
