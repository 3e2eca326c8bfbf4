// A station file held in memory for many look-ups: by WMO number (preferring the
// station's four-letter ICAO identifier where the file lists one), by identifier and by
// position.
#ifndef HYX_CITYINDEX_H
#define HYX_CITYINDEX_H

#include "HYX/CityData.h"
#include "HYX/Export.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace HYX {

class HYX_API CityIndex {
public:
    // Reads a city file (a path, or a name in the database directory); 0 when it cannot
    // be read.
    int load(const char* name);
    int getNum() const { return static_cast<int>(cities.size()); }

    // The station of a WMO number; of several records the one with a four-letter
    // alphabetic identifier, else the first.
    bool byWmo(long wmo, CityData& c) const;
    // The first station of an identifier, ignoring case.
    bool byId(const char* id, CityData& c) const;
    // The nearest station within maxdeg degrees of latitude and longitude.
    bool nearest(float lat, float lon, float maxdeg, CityData& c) const;

private:
    std::vector<CityData> cities;
    std::unordered_map<long, int> wmos;
    std::unordered_map<std::string, int> ids;
};

} // namespace HYX

#endif
