// Wind barbs: a shaft pointing to where the wind blows from, pennants for each 50,
// full barbs for each 10 and a half barb for a remaining 5 units of speed.
#ifndef HYX_WINDPLOT_H
#define HYX_WINDPLOT_H

#include "HYX/Export.h"
#include "HYX/Rect.h"

namespace HYX {

class Plot;
class Point;
class Wind;

class HYX_API WindPlot {
public:
    // Speeds above this are drawn as this.
    static constexpr float MAX_SPEED = 300.0f;

    // Draws the barb at pt (plot coordinates); 0 when the wind is missing or calm.
    static int drawBarb(Plot& plot, const Point& pt, const Wind& wind, float size, float offset);
    // The same with the direction first turned into plot orientation.
    static int drawBarbMap(Plot& plot, const Point& pt, const Wind& wind, float size, float offset);
    // The rectangle the barb drawBarb would draw covers (offset 0); not valid for a missing
    // or calm wind.
    static Rect getBarbBox(const Point& pt, const Wind& wind, float size);
};

} // namespace HYX

#endif
