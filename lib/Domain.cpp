// Domains: map projections and diagrams between earth (or data) coordinates, plot
// coordinates and fractional grid indexes, and the great-circle distance.
#include "HYX/Domain.h"

#include "HYX/Const.h"
#include "HYX/EarthTool.h"
#include "HYX/Points.h"
#include "HYX/Projection.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace HYX {

namespace {

constexpr double R = Const::EARTH;
constexpr double PI = Projection::PI;
constexpr double D2R = Projection::D2R;
constexpr double R2D = Projection::R2D;
constexpr double E2 = Projection::E2;
constexpr float MISS = Const::FMISS;

bool miss(double v) { return Projection::miss(v); }

double norm180(double d) { return Projection::norm180(d); }

double norm360(double d) { return Projection::norm360(d); }

struct ProjKey {
    const char* key;
    int code;
    bool exact;
};

// Names are matched by their start, in this order; the first match wins.
const ProjKey PROJ_KEYS[] = {
    {"ll", 2, false},
    {"lat", 2, false},
    {"polar", 1, false},
    {"ps", 1, false},
    {"sat", 9, false},
    {"lambaz", 8, false},
    {"la", 8, true},
    {"az", 8, false},
    {"lamb", 4, false},
    {"lc", 4, false},
    {"gn", 6, false},
    {"or", 5, false},
    {"mo", 7, false},
    {"me", 3, false},
    {"pix", 20, false},
    {"xy", 21, false},
    {"xlogy", 24, false},
    {"xlogp", 24, false},
    {"vert", 24, false},
    {"cat", 26, false},
    {"skewt", 40, false},
    {"therm", 40, false},
    {"ema", 42, false},
    {"teph", 43, false},
    {"rteph", 44, false},
    {"stuve", 41, false},
    {"hodo", 25, false},
    {"xp", 23, true},
    {"zoom", 50, false},
    {"size", 51, false},
    {"miss", Const::MISS, false},
};

struct ProjName {
    int code;
    const char* name;
};

const ProjName PROJ_NAMES[] = {
    {2, "latlon"}, {1, "pstereo"}, {9, "sat"},   {8, "lambaz"}, {4, "lamb"},   {6, "gnom"},
    {5, "ortho"},  {7, "moll"},    {3, "merc"},  {20, "pixel"}, {21, "xy"},    {24, "xlogp"},
    {26, "cat"},   {40, "skewt"},  {42, "ema"},  {43, "teph"},  {44, "rteph"}, {41, "stuve"},
    {25, "polar"}, {22, "xz"},     {50, "zoom"},
};

} // namespace

void Domain::init() {
    DomainVal::init();
    limits.init();
    view.init();
    sat_rad = 421.64f;
    sat_rad2 = 177780.3f;
    sat_rad4 = 31605831680.0f;
    sat2_earth2 = 173720.94f;
    earth_sat_ratio = MISS;
    earth_ratio = 0.9966472f;
    earth_ratio2 = earth_ratio * earth_ratio;
    tlat1 = 30.0f;
    tlat2 = 60.0f;
    xfactor = mult = yfactor = scale = MISS;
}

int Domain::set(const DomainVal& v) {
    static_cast<DomainVal&>(*this) = v;
    return setParam();
}

int Domain::set(int cols, int rows) {
    init();
    proj = XY;
    clat = clon = 0.0f;
    dx = dy = 1.0f;
    nx = cols;
    ny = rows;
    return setParam();
}

int Domain::set(const char* text) {
    init();
    if (!text) return 0;
    const char* comma = std::strchr(text, ',');
    const size_t nlen = comma ? static_cast<size_t>(comma - text) : std::strlen(text);
    if (nlen == 0 || nlen > 79) return 0;
    char name[80];
    float la = MISS, lo = MISS, sx = MISS, sy = MISS;
    int cx = Const::MISS, cy = Const::MISS;
    const int n =
        std::sscanf(text, "%79[^,],%f,%f,%d,%d,%f,%f", name, &la, &lo, &cx, &cy, &sx, &sy);
    if (n != 7 && n != 1) return 0;

    // The name part: name[:e][:plat[:plon[:p1[:p2[:p3]]]]]; an empty part is missing.
    std::vector<std::string> parts;
    {
        std::string s(name);
        size_t start = 0, pos;
        while ((pos = s.find(':', start)) != std::string::npos) {
            parts.push_back(s.substr(start, pos - start));
            start = pos + 1;
        }
        parts.push_back(s.substr(start));
    }
    proj = getProj(parts[0].c_str());
    size_t k = 1;
    if (parts.size() > 1 && (parts[1] == "e" || parts[1] == "E")) {
        ellipse = true;
        k = 2;
    }
    float* vals[] = {&plat, &plon, &param[0], &param[1], &param[2]};
    for (float* v : vals) {
        if (k >= parts.size()) break;
        const std::string& part = parts[k++];
        if (part.empty()) continue;
        char* end = nullptr;
        const double d = std::strtod(part.c_str(), &end);
        if (end == part.c_str() || !std::isfinite(d)) break;
        *v = static_cast<float>(d);
    }
    if (n == 7) {
        clat = std::isfinite(la) ? la : MISS;
        clon = std::isfinite(lo) ? lo : MISS;
        nx = cx;
        ny = cy;
        dx = std::isfinite(sx) ? sx : MISS;
        dy = std::isfinite(sy) ? sy : MISS;
    }
    setParam();
    return 1;
}

int Domain::set(const EarthPoint& c1, const EarthPoint& c2, int cols, int rows) {
    if (!c1.valid() || !c2.valid() || cols < 2 || rows < 2) return 0;
    if (proj == Const::MISS || proj < 0) proj = LATLON;
    const float mlat = (c1.lat + c2.lat) / 2.0f;
    const float mlon = static_cast<float>(norm180(c1.lon + norm180(c2.lon - c1.lon) / 2.0));
    if (plat == MISS) plat = mlat;
    if (plon == MISS) plon = mlon;
    clat = mlat;
    clon = mlon;
    dx = dy = 1.0f;
    nx = cols;
    ny = rows;
    setParam();
    Point p1, p2;
    if (!tran(c1, p1) || !tran(c2, p2)) return 0;
    EarthPoint centre;
    if (!tran(Point((p1.x + p2.x) / 2.0f, (p1.y + p2.y) / 2.0f), centre)) return 0;
    clat = centre.lat;
    clon = centre.lon;
    dx = std::fabs(p2.x - p1.x) / static_cast<float>(cols - 1);
    dy = std::fabs(p2.y - p1.y) / static_cast<float>(rows - 1);
    if (dx == 0.0f || dy == 0.0f) return 0;
    return setLimits();
}

int Domain::setParam() {
    if (plat == MISS) plat = clat;
    if (plon == MISS) plon = clon;
    if (proj == PSTEREO) {
        tlat1 = param[0] != MISS ? param[0] : (plat < 0 && plat != MISS ? -60.0f : 60.0f);
    } else if (proj == LAMB) {
        tlat1 = param[0] != MISS ? param[0] : 30.0f;
        tlat2 = param[1] != MISS ? param[1] : (param[0] != MISS ? tlat1 : 60.0f);
    } else if (proj == SAT) {
        sat_rad = param[0] != MISS && param[0] > R ? param[0] : 421.64f;
        sat_rad2 = sat_rad * sat_rad;
        sat_rad4 = sat_rad2 * sat_rad2;
        sat2_earth2 = sat_rad2 - 4068.063f;
    }
    xfactor = mult = yfactor = scale = MISS;
    earth_sat_ratio = MISS;
    if (proj == XP) {
        xfactor = param[0] != MISS && param[0] != 0.0f ? param[0] : 1.0f;
        yfactor = param[1] != MISS && param[1] != 0.0f ? param[1] : 1.0f;
    }
    view.set(0.0f, 0.0f, 1.0f, 1.0f);
    return setLimits();
}

int Domain::setLimits() {
    limits.init();
    if (miss(clat) || miss(clon) || miss(dx) || miss(dy) || nx == Const::MISS || ny == Const::MISS)
        return 0;
    Point p0;
    if (proj == XP)
        p0.set(clat, -clon);
    else if (!tran(EarthPoint(clat, clon), p0))
        return 0;
    const float hx = static_cast<float>(nx - 1) / 2.0f * dx;
    const float hy = static_cast<float>(ny - 1) / 2.0f * dy;
    limits.set(p0.x - hx, p0.y - hy, p0.x + hx, p0.y + hy);
    return 1;
}

int Domain::getLimits(Rect& r) const {
    r = limits;
    return limits.valid() ? 1 : 0;
}

float Domain::getAspect() const {
    if (!limits.valid() || limits.getHeight() <= 0.0f || limits.getWidth() <= 0.0f) return 1.0f;
    return limits.getWidth() / limits.getHeight();
}

// ---- grid and plot coordinates

int Domain::tran(const GridPoint& g, Point& p) const {
    if (!g.valid() || !limits.valid() || miss(dx) || miss(dy)) {
        p.init();
        return 0;
    }
    p.set(g.gx * dx + limits.xmin, limits.ymax - g.gy * dy);
    return 1;
}

int Domain::tran(const Point& p, GridPoint& g) const {
    if (!p.valid() || !limits.valid() || miss(dx) || miss(dy) || dx == 0.0f || dy == 0.0f) {
        g.set(MISS, MISS);
        return 0;
    }
    float ox = p.x - limits.xmin;
    if (proj == LATLON) {
        if (ox > 360.0f)
            ox -= 360.0f;
        else if (ox < -360.0f)
            ox += 360.0f;
    }
    g.set(ox / dx, (limits.ymax - p.y) / dy);
    return 1;
}

int Domain::tran(const EarthPoint& e, Point& p) const {
    return Projection::toPlot(*this, e.lat, e.lon, p);
}

int Domain::tran(const Point& p, EarthPoint& e) const {
    return Projection::toEarth(*this, p.x, p.y, e);
}

int Domain::tran(const EarthPoint& e, GridPoint& g) const {
    Point p;
    if (!tran(e, p)) {
        g.set(MISS, MISS);
        return 0;
    }
    return tran(p, g);
}

int Domain::tran(const GridPoint& g, EarthPoint& e) const {
    Point p;
    if (!tran(g, p)) {
        e.init();
        return 0;
    }
    return tran(p, e);
}

int Domain::tran(int n, Point& p) const {
    if (!limits.valid() || n < 0 || n > 4) {
        p.init();
        return 0;
    }
    switch (n) {
    case 0:
        p.set(limits.xmin, limits.ymax);
        break;
    case 1:
        p.set(limits.xmax, limits.ymax);
        break;
    case 2:
        p.set(limits.xmin, limits.ymin);
        break;
    case 3:
        p.set(limits.xmax, limits.ymin);
        break;
    default:
        p.set((limits.xmin + limits.xmax) / 2.0f, (limits.ymin + limits.ymax) / 2.0f);
        break;
    }
    return 1;
}

int Domain::tran(int n, EarthPoint& e) const {
    Point p;
    if (!tran(n, p)) {
        e.init();
        return 0;
    }
    return tran(p, e);
}

int Domain::tran(int n, GridPoint& g) const {
    Point p;
    if (!tran(n, p)) {
        g.set(MISS, MISS);
        return 0;
    }
    return tran(p, g);
}

int Domain::translate(const Domain& from, const Domain& to, const Point& in, Point& out) {
    if (compareProj(from, to)) {
        out = in;
        return in.valid() ? 1 : 0;
    }
    EarthPoint e;
    if (!from.tran(in, e)) {
        out.init();
        return 0;
    }
    return to.tran(e, out);
}

// ---- earth and plot coordinates

float Domain::mapWidth() const {
    if (proj == LATLON) return OFFSET_LL;
    if (proj == MERC) {
        if (!ellipse) return OFFSET_MERC;
        const double sp = std::sin(plat * D2R);
        const double k = std::cos(plat * D2R) / std::sqrt(1.0 - E2 * sp * sp);
        return static_cast<float>(2.0 * PI * k * EQUATOR_RAD);
    }
    return 0.0f;
}

// ---- tests of position

bool Domain::within(const Point& p) const {
    if (proj == Const::MISS) return true;
    if (!p.valid() || !limits.valid()) return false;
    return p.x >= limits.xmin && p.x <= limits.xmax && p.y >= limits.ymin && p.y <= limits.ymax;
}

bool Domain::within(const EarthPoint& e) const {
    Point p;
    if (!tran(e, p)) return proj == Const::MISS;
    return within(p);
}

bool Domain::withinExt(const Point& p, float ext) const {
    if (proj == Const::MISS) return true;
    if (!p.valid() || !limits.valid()) return false;
    return p.x >= limits.xmin - ext && p.x <= limits.xmax + ext && p.y >= limits.ymin - ext &&
           p.y <= limits.ymax + ext;
}

int Domain::where(const Point& p) const {
    if (!p.valid() || !limits.valid()) return 15;
    int code = 0;
    if (p.x < limits.xmin) code |= 1;
    if (p.x > limits.xmax) code |= 2;
    if (p.y < limits.ymin) code |= 4;
    if (p.y > limits.ymax) code |= 8;
    return code;
}

// ---- directions

float Domain::getMapFactor(const EarthPoint& e) const {
    if (proj != PSTEREO || miss(e.lat)) return 1.0f;
    const double s = std::sin(e.lat * D2R);
    return static_cast<float>(plat >= 0 ? 1.866 / (1.0 + s) : 1.866 / (1.0 - s));
}

// Direction of north at plot point p, degrees clockwise from up.
float Domain::northAngle(const Point& p) const {
    if (!isMap(proj) || proj == LATLON || (proj == MERC && !ellipse)) return 0.0f;
    if (proj == PSTEREO || proj == LAMB) {
        // North points towards the pole (the cone's apex), or away from it in the south.
        const bool north = proj == PSTEREO ? plat >= 0 : plat >= 0;
        if (p.x == 0.0f && p.y == 0.0f) return 0.0f;
        const double a = north ? std::atan2(-p.x, -p.y) : std::atan2(p.x, p.y);
        return static_cast<float>(a * R2D);
    }
    EarthPoint e;
    if (!tran(p, e)) return 0.0f;
    const float step = e.lat > 89.0f ? -0.05f : 0.05f;
    Point q;
    if (!tran(EarthPoint(e.lat + step, e.lon), q)) return 0.0f;
    double a = std::atan2(q.x - p.x, q.y - p.y) * R2D;
    if (step < 0) a += 180.0;
    return static_cast<float>(a);
}

float Domain::direct(const Point& a, const Point& b) const {
    if (!a.valid() || !b.valid()) return MISS;
    double d = std::atan2(b.x - a.x, b.y - a.y) * R2D;
    d -= northAngle(a);
    return static_cast<float>(norm360(d));
}

float Domain::adjustDir(float dir, const Point& p) const {
    if (dir == MISS) return MISS;
    return static_cast<float>(norm360(dir + northAngle(p)));
}

float Domain::unadjustDir(float dir, const Point& p) const {
    if (dir == MISS) return MISS;
    return static_cast<float>(norm360(dir - northAngle(p)));
}

// ---- view operations

int Domain::scaleSize(int new_nx, int new_ny) {
    if (new_nx < 2 || new_ny < 2 || nx < 2 || ny < 2 || miss(dx) || miss(dy)) return 0;
    dx = dx * static_cast<float>(nx - 1) / static_cast<float>(new_nx - 1);
    dy = dy * static_cast<float>(ny - 1) / static_cast<float>(new_ny - 1);
    nx = new_nx;
    ny = new_ny;
    return setLimits();
}

int Domain::scaleGrid(float f) {
    if (f <= 0.0f || miss(f) || miss(dx) || miss(dy) || nx < 2 || ny < 2) return 0;
    nx = static_cast<int>(std::lround((nx - 1) / f)) + 1;
    ny = static_cast<int>(std::lround((ny - 1) / f)) + 1;
    dx *= f;
    dy *= f;
    return setLimits();
}

int Domain::zoom(const Point& p, float f) {
    if (f <= 0.0f || miss(f) || miss(dx) || miss(dy)) return 0;
    EarthPoint c;
    if (!tran(p, c)) return 0;
    clat = c.lat;
    clon = c.lon;
    dx /= f;
    dy /= f;
    return setLimits();
}

int Domain::offset(float px, float py) {
    Point c;
    if (!tran(4, c)) return 0;
    c.offset(px, py);
    return pan(c);
}

int Domain::offsetLatLon(float dlat, float dlon) {
    if (miss(clat) || miss(clon)) return 0;
    clat += dlat;
    clon += dlon;
    if (isMap(proj)) clon = static_cast<float>(norm180(clon));
    return setLimits();
}

int Domain::adjust(float aspect) {
    if (aspect <= 0.0f || miss(aspect) || !limits.valid() || miss(dx) || miss(dy)) return 0;
    const float w = limits.getWidth(), h = limits.getHeight();
    if (w <= 0.0f || h <= 0.0f) return 0;
    if (w / h < aspect)
        nx = static_cast<int>(std::ceil(aspect * h / dx - 1.0e-4)) + 1;
    else
        ny = static_cast<int>(std::ceil(w / aspect / dy - 1.0e-4)) + 1;
    return setLimits();
}

int Domain::wrapLine(const Points& pts) const {
    const float w = mapWidth();
    if (w <= 0.0f) return 0;
    int code = 0;
    for (int i = 0; i < pts.getNum() && code == 0; ++i) {
        const float x = pts.getX(i);
        if (x == MISS) continue;
        if (x > w / 2.0f)
            code = 1;
        else if (x < -w / 2.0f)
            code = 2;
    }
    return code;
}

int Domain::wrapLine(const Point& a, const Point& b) const {
    const float w = mapWidth();
    if (w <= 0.0f) return 0;
    for (const float x : {a.x, b.x}) {
        if (x == MISS) continue;
        if (x > w / 2.0f) return 1;
        if (x < -w / 2.0f) return 2;
    }
    return 0;
}

int Domain::offsetLine(Points& pts, int code) const {
    const float w = mapWidth();
    if (w <= 0.0f || (code != 1 && code != 2)) return 0;
    const float shift = code == 1 ? -w : w;
    for (int i = 0; i < pts.getNum(); ++i)
        if (pts.getX(i) != MISS) pts.offset(i, shift, 0.0f);
    return 1;
}

int Domain::offsetLine(Point& a, Point& b, int code) const {
    const float w = mapWidth();
    if (w <= 0.0f || (code != 1 && code != 2)) return 0;
    const float shift = code == 1 ? -w : w;
    if (a.x != MISS) a.x += shift;
    if (b.x != MISS) b.x += shift;
    return 1;
}

// ---- names and texts

int Domain::getProj(const char* name) {
    if (!StrLib::valid(name)) return -1;
    for (const ProjKey& k : PROJ_KEYS) {
        const bool hit = k.exact ? StrLib::iequal(name, k.key)
                                 : StrLib::iequal(name, k.key, StrLib::length(k.key));
        if (hit) return k.code;
    }
    return -1;
}

const char* Domain::getProjName(int code) {
    for (const ProjName& n : PROJ_NAMES)
        if (n.code == code) return n.name;
    return "";
}

float Domain::calcEarthDist(const EarthPoint& a, const EarthPoint& b) {
    const float angle = EarthTool::angle(a.lat, a.lon, b.lat, b.lon);
    if (angle == MISS) return MISS;
    return static_cast<float>(angle * static_cast<double>(Const::DRC) * 100.0 *
                              static_cast<double>(Const::EARTH));
}

int Domain::toString(String& text) const {
    std::string s = getProjName(proj);
    if (ellipse) s += ":e";
    char buf[64];
    for (float v : {plat, plon, param[0], param[1], param[2]}) {
        if (v == MISS) {
            s += ":";
        } else {
            std::snprintf(buf, sizeof buf, ":%f", v);
            s += buf;
        }
    }
    char tail[200];
    std::snprintf(tail, sizeof tail, ",%f,%f,%d,%d,%f,%f", clat, clon, nx, ny, dx, dy);
    s += tail;
    text.copy(s.c_str());
    return 1;
}

void Domain::print() const {
    String s(256);
    toString(s);
    std::printf("%s\n", s.get());
}

void Domain::printLimits() const {
    std::printf("(%f,%f)-(%f,%f)\n", limits.xmin, limits.ymin, limits.xmax, limits.ymax);
}

} // namespace HYX
