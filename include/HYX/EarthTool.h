// Great-circle geometry on the spherical earth, shared by the domains (distances between
// stations) and the sounding calculations.
#ifndef HYX_EARTHTOOL_H
#define HYX_EARTHTOOL_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API EarthTool {
public:
    // The angle in degrees between two points on the sphere; missing when a coordinate is.
    static float angle(float lat1, float lon1, float lat2, float lon2);
    // The initial great-circle bearing from the first point to the second, in degrees
    // clockwise from north (0 to 360); missing when a coordinate is missing or the points
    // coincide.
    static float bearing(float lat1, float lon1, float lat2, float lon2);
};

} // namespace HYX

#endif
