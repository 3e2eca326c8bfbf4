// Stateless thermodynamic, wind and distance formulas on single values. Pressures are in
// mb, temperatures in Kelvin unless stated, mixing ratios in g/kg; missing or invalid
// inputs give the missing value (or 0 where noted).
#ifndef HYX_CALC_H
#define HYX_CALC_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API Calc {
public:
    // Pressure and temperature of the lifting condensation level.
    struct LclData {
        float p = Const::FMISS;
        float t = Const::FMISS;
        void init() { p = t = Const::FMISS; }
    };

    static float potTemp(float t, float p);
    // 0 when theta or p is not positive.
    static float tempOnDryAd(float theta, float p);
    // Saturation vapour pressure over water; 0 below 100 K.
    static float vaporPres(float t);
    // Temperature whose saturation vapour pressure is e; 0 for e <= 0.
    static float tempVaporPres(float e);
    // x up to 100 is a vapour pressure in mb, above 100 a temperature in K.
    static float mixRatio(float x, float p);
    static float specHum(float x, float p);
    static float tempOnMixRat(float w, float p);
    // Percent; two arguments of at most 100 are taken as degrees Celsius.
    static float relHum(float t, float td);
    // x up to 100 is a mixing ratio in g/kg, above 100 a dew point in K.
    static float virtTemp(float t, float x, float p);
    static float virtPotTemp(float t, float x, float p);

    static int lcl(float t, float td, float p, LclData& out);
    static LclData lcl(float t, float td, float p);
    static float lclPres(float t, float td, float p);
    static float lclTemp(float t, float p, float pl);
    static float thetaeOnSatAd(float t, float p);
    static float tempOnSatAd(float thetae, float p);
    static float eqPotTemp(float t, float td, float p);
    static float wetBulb(float t, float td, float p);
    static float wetBulbPotTemp(float t, float td, float p);
    static float convTemp(float w, float p, float psfc);
    static float dewTemp(float t, float rh);

    static float interpLinear(float x, float x1, float x2, float y1, float y2);
    // Linear in the logarithm of pressure; one missing value gives the other.
    static float interpTemp(float t1, float t2, float p1, float p2, float p);

    static float windSpd(float u, float v);
    static float windDir(float u, float v);
    static float windU(float dir, float spd);
    static float windV(float dir, float spd);

    // Great-circle angle in degrees and distance in km between two earth points.
    static float earthAngle(float lat1, float lon1, float lat2, float lon2);
    static float earthDist(float lat1, float lon1, float lat2, float lon2);
    static float dist(float x1, float y1, float x2, float y2);
};

} // namespace HYX

#endif
