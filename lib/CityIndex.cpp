// A station file in memory, indexed by WMO number and identifier.
#include "HYX/CityIndex.h"

#include "HYX/CityFile.h"
#include "HYX/CityTool.h"
#include "HYX/String.h"

#include <cctype>
#include <cmath>
#include <cstring>

namespace HYX {

namespace {

bool isIcao(const char* id) {
    if (std::strlen(id) != 4) return false;
    for (int i = 0; i < 4; ++i)
        if (!std::isalpha(static_cast<unsigned char>(id[i]))) return false;
    return true;
}

std::string upper(const char* s) {
    std::string u(s ? s : "");
    for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

} // namespace

int CityIndex::load(const char* name) {
    cities.clear();
    wmos.clear();
    ids.clear();
    String path;
    if (!CityTool::getFilename(name, path)) return 0;
    CityFile f;
    if (!f.open(path.get(), 0)) return 0;
    CityData c;
    while (f.read(c)) {
        const int i = static_cast<int>(cities.size());
        cities.push_back(c);
        ids.emplace(upper(c.getId()), i);
        const long w = c.getWmo();
        if (w == Const::MISS || w <= 0) continue;
        const auto at = wmos.find(w);
        if (at == wmos.end())
            wmos.emplace(w, i);
        else if (!isIcao(cities[at->second].getId()) && isIcao(c.getId()))
            at->second = i;
    }
    return 1;
}

bool CityIndex::byWmo(long wmo, CityData& c) const {
    const auto at = wmos.find(wmo);
    if (at == wmos.end()) return false;
    c = cities[at->second];
    return true;
}

bool CityIndex::byId(const char* id, CityData& c) const {
    const auto at = ids.find(upper(id));
    if (at == ids.end()) return false;
    c = cities[at->second];
    return true;
}

bool CityIndex::nearest(float lat, float lon, float maxdeg, CityData& c) const {
    int best = -1;
    float dbest = maxdeg * maxdeg;
    for (size_t i = 0; i < cities.size(); ++i) {
        const CityData& s = cities[i];
        if (s.getLat() == Const::FMISS || s.getLon() == Const::FMISS) continue;
        const float dy = s.getLat() - lat, dx = std::remainder(s.getLon() - lon, 360.0f);
        const float d = dx * dx + dy * dy;
        if (d <= dbest) {
            if (d == dbest && best >= 0 && !isIcao(s.getId())) continue;
            dbest = d;
            best = static_cast<int>(i);
        }
    }
    if (best < 0) return false;
    // The station's preferred identifier.
    if (!byWmo(cities[best].getWmo(), c)) c = cities[best];
    return true;
}

} // namespace HYX
