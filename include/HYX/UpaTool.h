// Tools on soundings: merging a received report into a working sounding.
#ifndef HYX_UPATOOL_H
#define HYX_UPATOOL_H

namespace HYX {

class UpaRawinData;
class UpaData;

class UpaTool {
public:
    // Builds the sorted, filled sounding out (expected freshly initialised) from a report:
    // levels of all three lists sorted by height, with pressure and height on every level,
    // gaps filled in log pressure and the surface, tropopause and maximum-wind markers set.
    static int merge(const UpaRawinData& raw, UpaData& out);
    // The other way: a decoded sounding (levels with pressure, height, temperature, dew
    // point and wind, in any order) as a report carries it: levels at standard pressures
    // (those under ground too), the surface (the marked level, else the lowest with a
    // temperature), tropopause and maximum wind (marked or flagged), significant levels
    // with temperatures above the surface, and winds at the surface and at every whole
    // thousand feet above it, interpolated in height. Returns 0 when no level has a
    // pressure.
    static int unmerge(const UpaData& in, UpaRawinData& raw);
    // The first report of station id (case ignored) in an upper-air file, as received or
    // merged; 0 when the file cannot be read or holds no such station.
    static int getStation(const char* file, const char* id, UpaRawinData& raw);
    static int getStation(const char* file, const char* id, UpaData& out);
};

} // namespace HYX

#endif
