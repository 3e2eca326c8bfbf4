// A domain maps earth points (or the two data values of a diagram) to plot coordinates
// and to fractional grid indexes: a map projection (codes 1 to 9) or a diagram.
#ifndef HYX_DOMAIN_H
#define HYX_DOMAIN_H

#include "HYX/DomainVal.h"
#include "HYX/EarthPoint.h"
#include "HYX/Export.h"
#include "HYX/GridPoint.h"
#include "HYX/Point.h"
#include "HYX/Rect.h"

namespace HYX {

class Points;
class String;

class HYX_API Domain : public DomainVal {
public:
    // Projection codes.
    enum Proj {
        PSTEREO = 1,
        LATLON = 2,
        MERC = 3,
        LAMB = 4,
        ORTHO = 5,
        GNOM = 6,
        MOLL = 7,
        LAMBAZ = 8,
        SAT = 9,
        PIXEL = 20,
        XY = 21,
        XZ = 22,
        XP = 23,
        XLOGP = 24,
        POLAR = 25,
        CAT = 26,
        SKEWT = 40,
        STUVE = 41,
        EMA = 42,
        TEPH = 43,
        RTEPH = 44,
        ZOOM = 50,
        SIZE = 51
    };
    static constexpr float OFFSET_LL = 360.0f;
    static constexpr float OFFSET_MERC = 400.3155822753906f;
    static constexpr float EQUATOR_RAD = 63.78137f; // equatorial radius, 100 km
    static constexpr float POLAR_RAD = 63.56752f;   // polar radius, 100 km

    Domain() { init(); }
    explicit Domain(const DomainVal& v) { set(v); }
    void init();

    int set(const DomainVal& v);
    const DomainVal& get() const { return *this; }
    bool isSet() const { return DomainVal::isSet(); }
    // A plain grid domain: code 21, centre (0, 0), spacing 1, size nx by ny.
    int set(int nx, int ny);
    // name[:e][:plat[:plon[:p1[:p2[:p3]]]]],clat,clon,nx,ny,dx,dy (or only the name).
    int set(const char* text);
    // A domain of the current projection (lat-lon when none) spanning two corners.
    int set(const EarthPoint& corner1, const EarthPoint& corner2, int nx, int ny);
    int setParam();
    int setLimits();

    void setView(const Rect& r) { view = r; }
    const Rect& getView() const { return view; }
    const Rect& getLimits() const { return limits; }
    int getLimits(Rect& r) const;
    // Width to height of the limits; 1 when they are not set.
    float getAspect() const;

    int tran(const GridPoint& g, Point& p) const;
    int tran(const Point& p, GridPoint& g) const;
    int tran(const EarthPoint& e, Point& p) const;
    int tran(const Point& p, EarthPoint& e) const;
    int tran(const EarthPoint& e, GridPoint& g) const;
    int tran(const GridPoint& g, EarthPoint& e) const;
    // Reference points: 0 upper-left, 1 upper-right, 2 lower-left, 3 lower-right, 4 centre.
    int tran(int n, Point& p) const;
    int tran(int n, EarthPoint& e) const;
    int tran(int n, GridPoint& g) const;
    static int translate(const Domain& from, const Domain& to, const Point& in, Point& out);

    bool within(const Point& p) const;
    bool within(const EarthPoint& e) const;
    // Within the limits widened by ext plot units on every side.
    bool withinExt(const Point& p, float ext) const;
    // 0 inside; otherwise bits 1 left, 2 right, 4 below, 8 above the limits.
    int where(const Point& p) const;

    float getMapFactor(const EarthPoint& e) const;
    // Map direction from a to b in degrees clockwise from north.
    float direct(const Point& a, const Point& b) const;
    // Earth direction at plot point p into plot orientation, and back.
    float adjustDir(float dir, const Point& p) const;
    float unadjustDir(float dir, const Point& p) const;

    // Map-view operations.
    int scaleSize(int new_nx, int new_ny);
    int scaleGrid(float f);
    int zoom(const Point& p, float f);
    int pan(const Point& p) { return zoom(p, 1.0f); }
    int offset(float px, float py);
    int offsetLatLon(float dlat, float dlon);
    int adjust(float aspect);
    // 0 when the line stays within the map's width; 1 when it passes the right seam,
    // 2 the left one (the code to give offsetLine for the wrapped copy).
    int wrapLine(const Points& pts) const;
    int wrapLine(const Point& a, const Point& b) const;
    int offsetLine(Points& pts, int code) const;
    int offsetLine(Point& a, Point& b, int code) const;

    static int getProj(const char* name);
    static const char* getProjName(int code);
    static bool isMap(int code) { return code >= 1 && code <= 9; }
    bool isMap() const { return isMap(proj); }

    // Great-circle distance in km; missing when a position is missing.
    static float calcEarthDist(const EarthPoint& a, const EarthPoint& b);

    int toString(String& text) const;
    void print() const;
    void printLimits() const;

    Rect limits;
    Rect view;
    float sat_rad;
    float sat_rad2;
    float sat_rad4;
    float sat2_earth2;
    mutable float earth_sat_ratio;
    float earth_ratio;
    float earth_ratio2;
    float tlat1;
    float tlat2;
    // Projection factors computed on first use.
    mutable float xfactor;
    mutable float mult;
    mutable float yfactor;
    mutable float scale;

    // Width of a map that wraps around the earth (lat-lon and Mercator), else 0.
    float mapWidth() const;

private:
    float northAngle(const Point& p) const;
};

} // namespace HYX

#endif
