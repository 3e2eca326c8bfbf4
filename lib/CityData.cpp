// One station record.
#include "HYX/CityData.h"

#include "HYX/StrLib.h"

#include <cstdio>

namespace HYX {

void CityData::init() {
    name[0] = state[0] = region[0] = id[0] = 0;
    prior = 9;
    mos = ua = 0;
    lat = lon = el = Const::FMISS;
    wmo = Const::MISS;
    num = 0;
}

void CityData::setName(const char* s) {
    // Names keep at most 15 characters, without trailing blanks.
    StrLib::copy(name, 16, s);
    StrLib::trimWS(name);
}

void CityData::setState(const char* s) { StrLib::copy(state, sizeof state, s); }

void CityData::setRegion(const char* s) { StrLib::copy(region, sizeof region, s); }

void CityData::setId(const char* s) { StrLib::copy(id, sizeof id, s); }

void CityData::print() const {
    std::printf("%15s %2s %2s %9s %c %d %c %.3f %.3f %.0f %ld %d\n", name, state, region, id,
                mos ? mos : ' ', prior, ua ? ua : ' ', lat, lon, el, wmo, num);
}

} // namespace HYX
