// Thermodynamic, wind and distance formulas.
#include "HYX/Calc.h"

#include "HYX/EarthTool.h"

#include <algorithm>
#include <cmath>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;
constexpr double KAPPA = 0.286;      // R / cp as used for potential temperature
constexpr double LATENT = 2.6518986; // L / cp in the saturated-adiabat exponent, per g/kg

bool miss(float v) { return v == MISS; }

} // namespace

float Calc::potTemp(float t, float p) {
    if (!(p > 0) || !(t > 0)) return MISS;
    return static_cast<float>(t * std::pow(1000.0 / p, KAPPA));
}

float Calc::tempOnDryAd(float theta, float p) {
    if (!(theta > 0) || !(p > 0)) return 0;
    return static_cast<float>(theta * std::pow(p / 1000.0, KAPPA));
}

float Calc::vaporPres(float t) {
    if (t < 0) return MISS;
    if (t < 100) return 0;
    const double tk = t;
    const double l = 23.832241 - 5.02808 * std::log10(tk) -
                     1.3816e-7 * std::pow(10.0, 11.344 - 0.0303998 * tk) +
                     0.008132801 * std::pow(10.0, 3.49149 - 1302.8844 / tk) - 2949.076 / tk;
    return static_cast<float>(std::pow(10.0, l));
}

float Calc::tempVaporPres(float e) {
    if (!(e > 0)) return 0;
    const double a = std::pow(static_cast<double>(e), 0.0915) - 1.2035;
    return static_cast<float>(std::pow(10.0, 0.0498646455 * std::log10(e) + 2.4082965) - 7.08475 +
                              38.9114 * a * a);
}

namespace {

// The vapour pressure meant by x: itself up to 100 (mb), else that of the temperature x.
double vapor(float x) { return x <= 100 ? x : Calc::vaporPres(x); }

} // namespace

float Calc::mixRatio(float x, float p) {
    if (miss(x) || miss(p)) return MISS;
    if (x <= 0 || p <= 0) return 0;
    const double e = vapor(x);
    if (p - e <= 0) return MISS; // saturation is out of reach at this pressure
    return static_cast<float>(622.0 * e / (p - e));
}

float Calc::specHum(float x, float p) {
    if (miss(x) || miss(p)) return MISS;
    if (x <= 0 || p <= 0) return 0;
    return static_cast<float>(622.0 * vapor(x) / p);
}

float Calc::tempOnMixRat(float w, float p) {
    if (!(w > 0) || !(p > 0)) return 0;
    const double e = static_cast<double>(w) * p / (w + 622.0);
    return tempVaporPres(static_cast<float>(e));
}

float Calc::relHum(float t, float td) {
    if (t <= 100 && td <= 100) {
        t += 273.15f;
        td += 273.15f;
    }
    if (t <= 0 || td <= 0) return MISS;
    const float es = vaporPres(t);
    if (!(es > 0)) return MISS;
    return 100 * vaporPres(td) / es;
}

float Calc::virtTemp(float t, float x, float p) {
    if (!(t > 0) || x < 0 || p < 0) return MISS;
    if (x == 0) return t;
    float w = x;
    if (x > 100) {
        w = mixRatio(x, p);
        if (miss(w)) return MISS;
    }
    return static_cast<float>(t * (1 + 0.609 * w / 1000.0));
}

float Calc::virtPotTemp(float t, float x, float p) {
    if (!(t > 0) || x < 0 || !(p > 0)) return MISS;
    if (x == 0) return potTemp(t, p);
    const float tv = virtTemp(t, x, p);
    if (miss(tv)) return MISS;
    return static_cast<float>(tv * std::pow(1000.0 / p, KAPPA));
}

int Calc::lcl(float t, float td, float p, LclData& out) {
    out.init();
    if (!(t > 100) || !(td > 100) || !(p > 0) || p > 1100) return 0;
    float pl = p;
    const float w = mixRatio(td, p);
    const float theta = potTemp(t, p);
    if (miss(w)) return 0;
    float d = tempOnMixRat(w, pl) - tempOnDryAd(theta, pl);
    for (int i = 0; i < 8 && d * d > 0.0001f; ++i) {
        pl = static_cast<float>(pl * std::pow(2.0, 0.02 * d));
        d = tempOnMixRat(w, pl) - tempOnDryAd(theta, pl);
    }
    out.p = pl;
    out.t = tempOnDryAd(theta, pl);
    return 1;
}

Calc::LclData Calc::lcl(float t, float td, float p) {
    LclData d;
    lcl(t, td, p, d);
    return d;
}

float Calc::lclPres(float t, float td, float p) { return lcl(t, td, p).p; }

float Calc::lclTemp(float t, float p, float pl) { return tempOnDryAd(potTemp(t, p), pl); }

float Calc::thetaeOnSatAd(float t, float p) {
    if (!(t > 0) || !(p > 0)) return 0;
    const float w = mixRatio(t, p);
    if (miss(w)) return MISS;
    return static_cast<float>(t * std::pow(1000.0 / p, KAPPA) * std::exp(LATENT * w / t));
}

float Calc::tempOnSatAd(float thetae, float p) {
    if (!(thetae > 0) || !(p > 0) || p > 2000) return MISS;
    double t = 253.16, step = 120;
    for (int i = 0; i < 12; ++i) {
        const float w = mixRatio(static_cast<float>(t), p);
        // Where saturation is out of reach the moisture term vanishes: too warm.
        const double moist = miss(w) ? 0.0 : std::exp(-LATENT * w / t);
        const double f = thetae * moist - potTemp(static_cast<float>(t), p);
        if (f * f < 2e-5) break;
        step /= 2;
        t += f > 0 ? step : -step;
    }
    return static_cast<float>(t);
}

float Calc::eqPotTemp(float t, float td, float p) {
    if (!(t > 0) || td < 0 || p < 0) return MISS;
    if (td == 0) return potTemp(t, p);
    const float pl = lclPres(t, td, p);
    if (miss(pl)) return MISS;
    return thetaeOnSatAd(lclTemp(t, p, pl), pl);
}

float Calc::wetBulb(float t, float td, float p) {
    if (td == 0) return 0;
    const float pl = lclPres(t, td, p);
    if (miss(pl)) return MISS;
    return tempOnSatAd(thetaeOnSatAd(lclTemp(t, p, pl), pl), p);
}

float Calc::wetBulbPotTemp(float t, float td, float p) {
    if (td == 0) return 0;
    const float pl = lclPres(t, td, p);
    if (miss(pl)) return MISS;
    return tempOnSatAd(thetaeOnSatAd(lclTemp(t, p, pl), pl), 1000);
}

float Calc::convTemp(float w, float p, float psfc) {
    return tempOnDryAd(potTemp(tempOnMixRat(w, p), p), psfc);
}

float Calc::dewTemp(float t, float rh) {
    if (miss(rh) || !(t > 0)) return MISS;
    rh = std::min(100.0f, std::max(2.0f, rh));
    return tempVaporPres(vaporPres(t) * rh / 100);
}

float Calc::interpLinear(float x, float x1, float x2, float y1, float y2) {
    if (miss(x) || miss(x1) || miss(x2) || miss(y1) || miss(y2)) return MISS;
    if (x1 == x2) return y1;
    return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}

float Calc::interpTemp(float t1, float t2, float p1, float p2, float p) {
    if (miss(t1) && miss(t2)) return MISS;
    if (!(p1 > 0) || !(p2 > 0)) return MISS;
    if (miss(t1)) return t2;
    if (miss(t2)) return t1;
    if (p1 == p2 || !(p > 0)) return t1;
    return static_cast<float>(t1 - std::log(static_cast<double>(p) / p1) * (t2 - t1) /
                                       std::log(static_cast<double>(p1) / p2));
}

float Calc::windSpd(float u, float v) {
    if (miss(u) || miss(v)) return MISS;
    return std::sqrt(u * u + v * v);
}

float Calc::windDir(float u, float v) {
    if (miss(u) || miss(v)) return MISS;
    if (std::fabs(u) + std::fabs(v) < 0.01f) return 0;
    float d = std::atan2(-u, -v) * Const::RDC;
    if (d < 0) d += 360;
    return d;
}

float Calc::windU(float dir, float spd) {
    if (miss(dir) || miss(spd)) return MISS;
    return -spd * std::sin(dir * Const::DRC);
}

float Calc::windV(float dir, float spd) {
    if (miss(dir) || miss(spd)) return MISS;
    return -spd * std::cos(dir * Const::DRC);
}

float Calc::earthAngle(float lat1, float lon1, float lat2, float lon2) {
    return EarthTool::angle(lat1, lon1, lat2, lon2);
}

float Calc::earthDist(float lat1, float lon1, float lat2, float lon2) {
    const float a = earthAngle(lat1, lon1, lat2, lon2);
    if (miss(a)) return MISS;
    return a * Const::DRC * 100 * Const::EARTH;
}

float Calc::dist(float x1, float y1, float x2, float y2) {
    if (miss(x1) || miss(y1) || miss(x2) || miss(y2)) return MISS;
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

} // namespace HYX
