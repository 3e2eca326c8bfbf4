// Station identity of converted soundings.
#include "HYX/UpaIdentity.h"

#include "HYX/StrLib.h"
#include "HYX/UpaData.h"

#include <cstdio>
#include <string>

namespace HYX {

namespace {

// The WMO number of ships and of stations without one.
constexpr int NO_WMO = 99999;

bool hasWmo(int w) { return w != Const::MISS && w > 0 && w < NO_WMO; }

} // namespace

bool UpaIdentity::apply(UpaData& d) const {
    CityData c;
    bool found = false;
    if (hasWmo(d.getWmo()))
        found = index.byWmo(d.getWmo(), c);
    else if (d.getId()[0])
        found = index.byId(d.getId(), c) && hasWmo(static_cast<int>(c.getWmo())) &&
                index.byWmo(c.getWmo(), c);
    else if (d.getLat() != Const::FMISS && d.getLon() != Const::FMISS)
        found = index.nearest(d.getLat(), d.getLon(), NEAR, c);

    const std::string source = d.getId();
    if (found) {
        if (!hasWmo(d.getWmo()) && hasWmo(static_cast<int>(c.getWmo())))
            d.setWmo(static_cast<int>(c.getWmo()));
        d.setId(keep && !source.empty() ? source.c_str() : c.getId());
        if (d.getLat() == Const::FMISS || d.getLon() == Const::FMISS)
            d.setLoc(c.getLat(), c.getLon());
    } else if (source.empty()) {
        char id[8];
        std::snprintf(id, sizeof id, "%5.5d", hasWmo(d.getWmo()) ? d.getWmo() : NO_WMO);
        d.setId(id);
    }
    if (!hasWmo(d.getWmo())) d.setWmo(NO_WMO);

    // The elevation: the input's, else its surface level's height, else the station
    // file's (which then also places the surface level).
    if (d.getElev() == Const::FMISS) {
        const float sfc = d.getSfcHght();
        if (sfc != Const::FMISS)
            d.setElev(sfc);
        else if (found && c.getElev() != Const::FMISS)
            d.setElev(c.getElev());
    }
    return found;
}

} // namespace HYX
