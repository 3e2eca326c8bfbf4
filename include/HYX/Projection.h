// The projection formulas behind Domain::tran: earth point (or diagram values) to plot
// point and back, by the domain's projection code. Factors computed on first use are
// cached in the domain.
#ifndef HYX_PROJECTION_H
#define HYX_PROJECTION_H

namespace HYX {

class Domain;
class EarthPoint;
class Point;

class Projection {
public:
    static int toPlot(const Domain& dom, float lat, float lon, Point& p);
    static int toEarth(const Domain& dom, float x, float y, EarthPoint& e);

private:
    static int satToPlot(const Domain& dom, float lat, float lon, Point& p);
    static int satToEarth(const Domain& dom, float x, float y, EarthPoint& e);
};

} // namespace HYX

#endif
