// The projection formulas behind Domain::tran: earth point (or diagram values) to plot
// point and back, by the domain's projection code. Factors computed on first use are
// cached in the domain.
#ifndef HYX_PROJECTION_H
#define HYX_PROJECTION_H

#include "HYX/Export.h"

namespace HYX {

class Domain;
class EarthPoint;
class Point;

class HYX_API Projection {
public:
    static constexpr double PI = 3.14159265358979323846;
    static constexpr double D2R = PI / 180.0;
    static constexpr double R2D = 180.0 / PI;
    static constexpr double E2 = 0.006694376468658447; // first eccentricity squared

    static int toPlot(const Domain& dom, float lat, float lon, Point& p);
    static int toEarth(const Domain& dom, float x, float y, EarthPoint& e);
    // Angles brought into -180..180 and 0..360 degrees.
    static double norm180(double deg);
    static double norm360(double deg);
    // Missing or not a finite number.
    static bool miss(double v);

private:
    static int satToPlot(const Domain& dom, float lat, float lon, Point& p);
    static int satToEarth(const Domain& dom, float x, float y, EarthPoint& e);
};

} // namespace HYX

#endif
