// Tools on soundings: decoding coded TEMP and PILOT reports, merging a received report into
// a working sounding and reading one station from an upper-air file.
#ifndef HYX_UPATOOL_H
#define HYX_UPATOOL_H

#include "HYX/Export.h"

namespace HYX {

class UpaRawinData;
class UpaData;
class UpaWmoData;

class HYX_API UpaTool {
public:
    // Decoding modes. PLAIN follows the basic rules; FULL also reads what they leave
    // out: the significant winds of parts B and D (section 21212, kept as wind levels by
    // pressure in the significant list), a dew-point depression code of 99 (49 degrees)
    // and 925 hPa heights of 1000 m and more.
    enum Mode { PLAIN = 0, FULL = 1 };

    // Decodes one report part into out by its type (parts A and C give mandatory levels,
    // parts B and D significant levels, pilot parts B and D wind levels in feet) and sorts
    // out. Several parts of one station decoded into the same out combine. Decoding stops
    // at the first group that does not fit and keeps what was read; NIL reports leave out
    // as it was. Returns 1.
    static int decode(UpaWmoData& rep, UpaRawinData& out, int mode = PLAIN);
    // The text alone has no part type: nothing is decoded and only the sort runs.
    static int decode(const char* text, UpaRawinData& out);
    // The decoders of TEMP parts A and C, TEMP parts B and D, PILOT parts A and C and PILOT
    // parts B and D; each sets the report's hour from its day-hour group. Return 1.
    static int decodeTTAA(UpaWmoData& rep, UpaRawinData& out, int mode = PLAIN);
    static int decodeTTBB(UpaWmoData& rep, UpaRawinData& out, int mode = PLAIN);
    static int decodePPAA(UpaWmoData& rep, UpaRawinData& out, int mode = PLAIN);
    static int decodePPBB(UpaWmoData& rep, UpaRawinData& out, int mode = PLAIN);

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
