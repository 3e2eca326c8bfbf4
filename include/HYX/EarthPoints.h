// A growable list of earth points.
#ifndef HYX_EARTHPOINTS_H
#define HYX_EARTHPOINTS_H

#include "HYX/EarthPoint.h"
#include "HYX/Export.h"
#include "HYX/Points.h"

namespace HYX {

class Rect;

class HYX_API EarthPoints {
public:
    EarthPoints() : pts(Points::DEFAULT_SIZE) {}
    explicit EarthPoints(int n) : pts(n) {}

    int add(float lat, float lon) { return pts.add(lon, lat); }
    int add(const EarthPoint& p) { return pts.add(p.lon, p.lat); }
    int set(int i, float lat, float lon) { return pts.set(i, lon, lat); }
    int get(int i, EarthPoint& p) const;
    EarthPoint get(int i) const;
    float getLat(int i) const { return pts.getY(i); }
    float getLon(int i) const { return pts.getX(i); }
    int remove(int i) { return pts.remove(i); }
    int insert(int i, float lat, float lon) { return pts.insert(i, lon, lat); }
    void clear() { pts.clear(); }
    int getNum() const { return pts.getNum(); }
    // Latitude and longitude extent: xmin/xmax are longitudes, ymin/ymax latitudes.
    int getRange(Rect& r) const;
    bool within(const EarthPoint& p) const { return pts.within(Point(p.lon, p.lat)); }
    void print() const;

private:
    Points pts; // x holds longitude, y latitude
};

} // namespace HYX

#endif
