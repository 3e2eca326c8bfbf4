// The direction of a cross section at each of its columns, and the wind turned into it:
// the component along the line of stations and the one across it.
#ifndef HYX_SECTIONGEOMETRY_H
#define HYX_SECTIONGEOMETRY_H

#include "HYX/Export.h"

#include <vector>

namespace HYX {

class EarthPoint;

class HYX_API SectionGeometry {
public:
    // The great-circle bearing (degrees clockwise from north) along the line of stations at
    // each station, pointing from the first station towards the last: between two
    // neighbours the mean of the arriving and the leaving direction, at an end the one
    // direction it has. Missing where no neighbour has another place.
    static std::vector<float> directions(const std::vector<EarthPoint>& stations);

    // The wind (from dir, in degrees, at speed spd) along a section of bearing dir_section
    // (positive with the section) and across it (positive to its left), in the speed's
    // units; missing when an input is.
    static float along(float dir, float spd, float dir_section);
    static float normal(float dir, float spd, float dir_section);
};

} // namespace HYX

#endif
