// The formulas of the map projections and diagrams of a domain, both ways.
#include "HYX/Projection.h"

#include "HYX/Domain.h"

#include <cmath>

namespace HYX {

namespace {

constexpr double R = Const::EARTH; // earth radius, 100 km
constexpr double KAPPA = 0.286; // R / cp of the potential temperature
constexpr double T0 = 273.15;
constexpr float MISS = Const::FMISS;

double clampUnit(double v) { return v > 1.0 ? 1.0 : (v < -1.0 ? -1.0 : v); }

// Potential temperature (K) of a temperature in C at a pressure in mb.
double theta(double t, double p) {
    const double tk = t + T0;
    if (p <= 0 || tk <= 0) return -1;
    return tk * std::pow(1000.0 / p, KAPPA);
}

// Pressure (mb) at which a temperature in C has the potential temperature th.
double thetaPres(double t, double th) {
    const double tk = t + T0;
    if (tk <= 0 || th <= 0) return -1;
    return 1000.0 * std::pow(tk / th, 1.0 / KAPPA);
}

} // namespace

bool Projection::miss(double v) { return v == Const::FMISS || !std::isfinite(v); }

double Projection::norm180(double v) {
    if (!std::isfinite(v)) return v;
    v = std::fmod(v, 360.0);
    if (v > 180.0)
        v -= 360.0;
    else if (v < -180.0)
        v += 360.0;
    return v;
}

double Projection::norm360(double v) {
    if (!std::isfinite(v)) return v;
    v = std::fmod(v, 360.0);
    return v < 0 ? v + 360.0 : v;
}

int Projection::toPlot(const Domain& dom, float flat, float flon, Point& p) {
    p.init();
    if (miss(flat) || miss(flon)) return 0;
    if (dom.proj == Const::MISS) {
        p.set(flat, flon);
        return 1;
    }
    double lat = flat, lon = flon;
    const double pla = miss(dom.plat) ? 0.0 : dom.plat;
    const double plo = miss(dom.plon) ? 0.0 : dom.plon;
    if (Domain::isMap(dom.proj)) lon = norm180(lon);
    double x = lat, y = lon;
    switch (dom.proj) {
    case Domain::LATLON:
        x = norm180(lon - plo);
        y = lat;
        break;
    case Domain::PSTEREO: {
        const double h = pla >= 0 ? -1.0 : 1.0;
        if (dom.xfactor == MISS)
            dom.xfactor = static_cast<float>(R * (1.0 - h * std::sin(dom.tlat1 * D2R)));
        if (h * lat > 75.0) lat = 75.0 * h;
        const double r = dom.xfactor * std::tan((h * lat + 90.0) / 2.0 * D2R);
        const double t = (lon - plo) * D2R;
        x = r * std::sin(t);
        y = h * r * std::cos(t);
        break;
    }
    case Domain::MERC: {
        if (lat > 89.9) lat = 89.9;
        if (lat < -89.9) lat = -89.9;
        const double w = dom.mapWidth();
        if (!dom.ellipse) {
            x = (lon - plo) * D2R * R;
            y = -R * std::log(std::tan((45.0 - lat / 2.0) * D2R));
        } else {
            const double ecc = std::sqrt(E2);
            const double sp = std::sin(pla * D2R);
            const double k = std::cos(pla * D2R) / std::sqrt(1.0 - E2 * sp * sp);
            const double s = std::sin(lat * D2R);
            x = (lon - plo) * D2R * k * Domain::EQUATOR_RAD;
            y = -Domain::EQUATOR_RAD * k *
                std::log(std::tan((90.0 - lat) / 2.0 * D2R) /
                         std::pow((1.0 - ecc * s) / (1.0 + ecc * s), ecc / 2.0));
        }
        if (x > w / 2.0)
            x -= w;
        else if (x < -w / 2.0)
            x += w;
        break;
    }
    case Domain::LAMB: {
        const double h = pla >= 0 ? 1.0 : -1.0;
        if (dom.xfactor == MISS) {
            // Cone constant and scale from the true latitudes (mirrored in the south).
            double t1 = std::fabs(dom.tlat1), t2 = std::fabs(dom.tlat2);
            if (t1 <= 0.01 || t1 >= 89.99 || t2 <= 0.01 || t2 >= 89.99) t1 = 30.0, t2 = 60.0;
            double n;
            if (t1 == t2)
                n = std::cos((90.0 - t1) * D2R);
            else
                n = (std::log(std::cos(t1 * D2R)) - std::log(std::cos(t2 * D2R))) /
                    (std::log(std::tan((45.0 - t1 / 2.0) * D2R)) -
                     std::log(std::tan((45.0 - t2 / 2.0) * D2R)));
            dom.xfactor = static_cast<float>(n);
            dom.mult = static_cast<float>(std::cos(t1 * D2R) /
                                          (n * std::pow(std::tan((45.0 - t1 / 2.0) * D2R), n)));
        }
        if (h > 0 && lat < -89.99) lat = -89.99;
        if (h < 0 && lat > 89.99) lat = 89.99;
        const double n = dom.xfactor;
        const double r = dom.mult * R * std::pow(std::tan((45.0 - h * lat / 2.0) * D2R), n);
        const double d = norm180(lon - plo);
        x = r * std::sin(n * d * D2R);
        y = -h * r * std::cos(n * d * D2R);
        break;
    }
    case Domain::LAMBAZ:
    case Domain::ORTHO: {
        const double p1 = pla * D2R, f = lat * D2R, d = norm180(lon - plo) * D2R;
        const double cosc = std::sin(p1) * std::sin(f) + std::cos(p1) * std::cos(f) * std::cos(d);
        double k = R;
        if (dom.proj == Domain::LAMBAZ) {
            if (cosc <= -1.0 + 1.0e-12) return 0;
            k = R * std::sqrt(2.0 / (1.0 + cosc));
        } else if (cosc < 0.0) {
            return 0;
        }
        x = k * std::cos(f) * std::sin(d);
        y = k * (std::cos(p1) * std::sin(f) - std::sin(p1) * std::cos(f) * std::cos(d));
        break;
    }
    case Domain::MOLL: {
        const double f = lat * D2R;
        const double target = PI * std::sin(f);
        double u = f; // u = 2 theta
        for (int i = 0; i < 15; ++i) {
            const double deriv = 1.0 + std::cos(u);
            if (std::fabs(deriv) < 1.0e-12) break;
            const double step = (u + std::sin(u) - target) / deriv;
            u -= step;
            if (std::fabs(step) < 1.0e-10) break;
        }
        const double th = u / 2.0;
        const double d = norm180(lon - plo);
        x = std::fabs(std::fabs(lat) - 90.0) < 0.01 ? 0.0 : std::cos(th) * d * R / 90.0;
        y = R * std::sin(th);
        break;
    }
    case Domain::SAT:
        return satToPlot(dom, static_cast<float>(lat), static_cast<float>(lon), p);
    case Domain::PIXEL:
        x = lat;
        y = -lon;
        break;
    case Domain::XP:
        if (dom.limits.valid()) {
            x = (lat - dom.limits.xmin) * (dom.xfactor != MISS ? dom.xfactor : 1.0f) +
                dom.limits.xmin;
            y = (dom.limits.ymin - lon) * (dom.yfactor != MISS ? dom.yfactor : 1.0f) +
                dom.limits.ymin;
        } else {
            x = lat;
            y = -lon;
        }
        break;
    case Domain::XLOGP:
    case Domain::EMA:
        if (lon <= 0) return 0;
        y = -std::log(lon);
        break;
    case Domain::POLAR:
        x = lon * std::sin(lat * D2R);
        y = lon * std::cos(lat * D2R);
        break;
    case Domain::SKEWT: {
        if (lon <= 0) return 0;
        y = -std::log(lon);
        const double skew =
            !miss(dom.clon) && dom.clon > 0 && !miss(dom.dx) && !miss(dom.dy) && dom.dy != 0
                ? (y + std::log(dom.clon)) * dom.dx / dom.dy
                : 0.0;
        x = lat + skew;
        break;
    }
    case Domain::STUVE:
        if (lon < 0) return 0;
        y = -std::pow(lon, 0.285714);
        break;
    case Domain::TEPH:
    case Domain::RTEPH: {
        const double th = theta(lat, lon);
        if (th <= 0) return 0;
        if (dom.proj == Domain::RTEPH) {
            y = std::log(th);
        } else {
            // Temperature against potential temperature, turned by 45 degrees.
            const double b = T0 * std::log(th / T0);
            x = (lat + b) / std::sqrt(2.0);
            y = (b - lat) / std::sqrt(2.0);
        }
        break;
    }
    default: // plain x, y; gnomonic and the view codes pass through
        break;
    }
    if (!std::isfinite(x) || !std::isfinite(y)) return 0;
    p.set(static_cast<float>(x), static_cast<float>(y));
    return 1;
}

int Projection::toEarth(const Domain& dom, float fx, float fy, EarthPoint& e) {
    e.init();
    if (miss(fx) || miss(fy)) return 0;
    if (dom.proj == Const::MISS) {
        e.set(fx, fy);
        return 1;
    }
    const double x = fx, y = fy;
    const double pla = miss(dom.plat) ? 0.0 : dom.plat;
    const double plo = miss(dom.plon) ? 0.0 : dom.plon;
    double lat = x, lon = y;
    switch (dom.proj) {
    case Domain::LATLON:
        lat = y;
        lon = norm180(x + plo);
        break;
    case Domain::PSTEREO: {
        const double h = pla >= 0 ? -1.0 : 1.0;
        if (dom.xfactor == MISS)
            dom.xfactor = static_cast<float>(R * (1.0 - h * std::sin(dom.tlat1 * D2R)));
        const double r = std::hypot(x, y);
        lat = h * (2.0 * std::atan(r / dom.xfactor) * R2D - 90.0);
        lon = r > 0 ? norm180(plo + std::atan2(x, h * y) * R2D) : plo;
        break;
    }
    case Domain::MERC:
        if (!dom.ellipse) {
            lat = 90.0 - 2.0 * std::atan(std::exp(-y / R)) * R2D;
            lon = norm180(plo + x / (R * D2R));
        } else {
            const double ecc = std::sqrt(E2);
            const double sp = std::sin(pla * D2R);
            const double k = std::cos(pla * D2R) / std::sqrt(1.0 - E2 * sp * sp);
            const double t = std::exp(-y / (Domain::EQUATOR_RAD * k));
            double f = PI / 2.0 - 2.0 * std::atan(t);
            for (int i = 0; i < 10; ++i) {
                const double s = std::sin(f);
                f = PI / 2.0 -
                    2.0 * std::atan(t * std::pow((1.0 - ecc * s) / (1.0 + ecc * s), ecc / 2.0));
            }
            lat = f * R2D;
            lon = norm180(plo + x / (k * Domain::EQUATOR_RAD) * R2D);
        }
        break;
    case Domain::LAMB: {
        if (dom.xfactor == MISS) {
            Point tmp;
            toPlot(dom, static_cast<float>(pla), static_cast<float>(plo), tmp); // sets the factors
        }
        const double h = pla >= 0 ? 1.0 : -1.0;
        const double n = dom.xfactor;
        if (n <= 0 || dom.mult == MISS) return 0;
        const double r = std::hypot(x, y);
        lat = h * (90.0 - 2.0 * std::atan(std::pow(r / (dom.mult * R), 1.0 / n)) * R2D);
        lon = norm180(plo + std::atan2(x, -h * y) * R2D / n);
        break;
    }
    case Domain::LAMBAZ:
    case Domain::ORTHO: {
        const double p1 = pla * D2R;
        const double rho = std::hypot(x, y);
        if (rho == 0.0) {
            lat = pla;
            lon = plo;
            break;
        }
        double c;
        if (dom.proj == Domain::LAMBAZ) {
            if (rho > 2.0 * R) return 0;
            c = 2.0 * std::asin(clampUnit(rho / (2.0 * R)));
        } else {
            if (rho > R * (1.0 + 1.0e-6)) return 0;
            c = std::asin(clampUnit(rho / R));
        }
        lat = std::asin(
                  clampUnit(std::cos(c) * std::sin(p1) + y * std::sin(c) * std::cos(p1) / rho)) *
              R2D;
        lon = norm180(plo + std::atan2(x * std::sin(c), rho * std::cos(p1) * std::cos(c) -
                                                            y * std::sin(p1) * std::sin(c)) *
                                R2D);
        break;
    }
    case Domain::MOLL: {
        const double s = y / R;
        if (std::fabs(s) > 1.0 + 1.0e-9) return 0;
        const double th = std::asin(clampUnit(s));
        const double u = 2.0 * th;
        lat = std::asin(clampUnit((u + std::sin(u)) / PI)) * R2D;
        const double c = std::cos(th);
        const double d = c > 1.0e-9 ? x * 90.0 / (R * c) : 0.0;
        if (std::fabs(d) > 180.0 + 1.0e-3) return 0;
        lon = norm180(plo + d);
        break;
    }
    case Domain::SAT:
        return satToEarth(dom, fx, fy, e);
    case Domain::PIXEL:
        lat = x;
        lon = -y;
        break;
    case Domain::XP:
        if (dom.limits.valid()) {
            lat = (x - dom.limits.xmin) / (dom.xfactor != MISS ? dom.xfactor : 1.0f) +
                  dom.limits.xmin;
            lon = dom.limits.ymin -
                  (y - dom.limits.ymin) / (dom.yfactor != MISS ? dom.yfactor : 1.0f);
        } else {
            lat = x;
            lon = -y;
        }
        break;
    case Domain::XLOGP:
    case Domain::EMA:
        lon = std::exp(-y);
        break;
    case Domain::POLAR:
        lat = norm360(std::atan2(x, y) * R2D);
        lon = std::hypot(x, y);
        break;
    case Domain::SKEWT: {
        lon = std::exp(-y);
        const double skew =
            !miss(dom.clon) && dom.clon > 0 && !miss(dom.dx) && !miss(dom.dy) && dom.dy != 0
                ? (y + std::log(dom.clon)) * dom.dx / dom.dy
                : 0.0;
        lat = x - skew;
        break;
    }
    case Domain::STUVE:
        if (y > 0) return 0;
        lon = std::pow(-y, 1.0 / 0.285714);
        break;
    case Domain::TEPH: {
        const double t = (x - y) / std::sqrt(2.0);
        const double b = (x + y) / std::sqrt(2.0);
        lat = t;
        lon = thetaPres(t, T0 * std::exp(b / T0));
        if (lon <= 0) return 0;
        break;
    }
    case Domain::RTEPH:
        lon = thetaPres(x, std::exp(y));
        if (lon <= 0) return 0;
        break;
    default:
        break;
    }
    if (!std::isfinite(lat) || !std::isfinite(lon)) return 0;
    e.set(static_cast<float>(lat), static_cast<float>(lon));
    return 1;
}

// Perspective view from a satellite at dom.sat_rad from the earth's centre above the pole
// point; with the second parameter below 1 the view is in scan angles.
int Projection::satToPlot(const Domain& dom, float flat, float flon, Point& p) {
    p.init();
    const double pla = miss(dom.plat) ? 0.0 : dom.plat;
    const double plo = miss(dom.plon) ? 0.0 : dom.plon;
    if (dom.earth_sat_ratio == MISS) dom.earth_sat_ratio = static_cast<float>(R / dom.sat_rad);
    double f = flat * D2R;
    double r = R;
    if (dom.ellipse) {
        f = std::atan(std::tan(f) * dom.earth_ratio2);
        const double c = std::cos(f);
        r = Domain::POLAR_RAD / std::sqrt(1.0 - (1.0 - dom.earth_ratio2) * c * c);
    }
    const double p1 = pla * D2R, d = norm180(flon - plo) * D2R;
    const double cosc = std::sin(p1) * std::sin(f) + std::cos(p1) * std::cos(f) * std::cos(d);
    if (cosc < r / dom.sat_rad) return 0; // beyond the visible limb
    const double X = r * std::cos(f) * std::sin(d);
    const double Y = r * (std::cos(p1) * std::sin(f) - std::sin(p1) * std::cos(f) * std::cos(d));
    const double D = dom.sat_rad - r * cosc;
    double x = X / D, y = Y / D;
    if (dom.param[1] < 1.0f) {
        x = std::atan(x);
        y = std::atan(y);
    }
    p.set(static_cast<float>(x * dom.sat_rad), static_cast<float>(y * dom.sat_rad));
    return 1;
}

int Projection::satToEarth(const Domain& dom, float fx, float fy, EarthPoint& e) {
    e.init();
    const double pla = miss(dom.plat) ? 0.0 : dom.plat;
    const double plo = miss(dom.plon) ? 0.0 : dom.plon;
    const double s = dom.sat_rad;
    double tx = fx / s, ty = fy / s;
    if (dom.param[1] < 1.0f) {
        if (std::fabs(tx) >= PI / 2 || std::fabs(ty) >= PI / 2) return 0;
        tx = std::tan(tx);
        ty = std::tan(ty);
    }
    // Intersect the line of sight with the earth; with the ellipsoid the radius is
    // refined from the latitude of the previous intersection.
    double r = dom.ellipse ? Domain::EQUATOR_RAD : R;
    double X = 0, Y = 0, Z = 0, psi = 0;
    const double p1 = pla * D2R;
    for (int it = 0; it < (dom.ellipse ? 6 : 1); ++it) {
        const double a = tx * tx + ty * ty + 1.0;
        const double disc = s * s - a * (s * s - r * r);
        if (disc < 0) return 0;
        const double t = (s - std::sqrt(disc)) / a;
        X = t * tx;
        Y = t * ty;
        Z = s - t;
        const double ez = std::cos(p1) * Y + std::sin(p1) * Z;
        psi = std::asin(clampUnit(ez / r));
        if (dom.ellipse) {
            const double c = std::cos(psi);
            r = Domain::POLAR_RAD / std::sqrt(1.0 - (1.0 - dom.earth_ratio2) * c * c);
        }
    }
    const double ex = -std::sin(p1) * Y + std::cos(p1) * Z;
    const double ey = X;
    double lat = psi * R2D;
    if (dom.ellipse) lat = std::atan(std::tan(psi) / dom.earth_ratio2) * R2D;
    const double lon = norm180(plo + std::atan2(ey, ex) * R2D);
    if (!std::isfinite(lat) || !std::isfinite(lon)) return 0;
    e.set(static_cast<float>(lat), static_cast<float>(lon));
    return 1;
}

} // namespace HYX
