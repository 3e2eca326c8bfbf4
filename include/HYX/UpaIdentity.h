// Gives converted soundings the identity the upper-air files and the cross section expect:
// position, elevation and WMO number from the input when it has them, else from the
// station file; identifiers of the stations it knows in its form (the ICAO identifier
// where one exists, else the five-digit WMO number), or the input's own when asked. A
// station it does not know keeps the input's identifier, or gets its WMO number.
#ifndef HYX_UPAIDENTITY_H
#define HYX_UPAIDENTITY_H

#include "HYX/CityIndex.h"
#include "HYX/Export.h"

namespace HYX {

class UpaData;

class HYX_API UpaIdentity {
public:
    // Soundings given only by a position are placed at a station this close, degrees.
    static constexpr float NEAR = 0.05f;

    // The station file; 0 when it cannot be read (soundings then keep what they carry).
    int setStations(const char* name) { return index.load(name); }
    void setKeepIds(bool k) { keep = k; }
    // Completes the sounding's identity; false when the station file does not know it.
    bool apply(UpaData& d) const;

private:
    CityIndex index;
    bool keep = false;
};

} // namespace HYX

#endif
