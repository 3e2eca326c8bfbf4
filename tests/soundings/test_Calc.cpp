// Thermodynamic and wind formulas, unit conversions and the quantities of one level.
#include "HYX/Calc.h"
#include "HYX/Convert.h"
#include "HYX/UpaCalc.h"
#include "HYX/UpaData.h"
#include "HYX/UpaLevel.h"
#include "HYX/VCoord.h"

#include "SoundingFixtures.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace HYX;

namespace {
constexpr float MISS = Const::FMISS;
}

TEST(Convert, ConvertsAndKeepsMissing) {
    EXPECT_NEAR(Convert::KtoF(373.15f), 212, 1e-3);
    EXPECT_NEAR(Convert::FtoK(32), 273.15, 1e-4);
    EXPECT_FLOAT_EQ(Convert::KTtoMPS(10), 5.144f);
    for (float (*f)(float) : {Convert::CtoK, Convert::KtoC, Convert::KtoF, Convert::FtoK,
                              Convert::KTtoMPS, Convert::MPStoKT, Convert::FTtoM})
        EXPECT_EQ(f(MISS), MISS);
}

TEST(Calc, VapourPressureAndMixingRatio) {
    // Saturation vapour pressure over water: 6.11 mb at 0 C, 23.39 mb at 20 C (published
    // psychrometric tables); the formula is good to about 0.1 %.
    EXPECT_NEAR(Calc::vaporPres(273.15f), 6.10, 0.01);
    EXPECT_NEAR(Calc::vaporPres(293.15f), 23.39, 0.05);
    EXPECT_EQ(Calc::vaporPres(50), 0);
    EXPECT_EQ(Calc::vaporPres(MISS), MISS);
    // The inverse formula gives the temperature back to a tenth of a degree.
    for (float t : {233.15f, 263.15f, 273.15f, 303.15f})
        EXPECT_NEAR(Calc::tempVaporPres(Calc::vaporPres(t)), t, 0.1) << t;

    // 622 e / (p - e) with e = 6.105 mb: 3.82 g/kg; a first argument up to 100 is e itself.
    EXPECT_NEAR(Calc::mixRatio(273.15f, 1000), 3.82, 0.01);
    EXPECT_NEAR(Calc::mixRatio(6.10f, 1000), 3.82, 0.01);
    EXPECT_NEAR(Calc::specHum(6.10f, 1000), 622 * 6.10 / 1000, 1e-4);
    EXPECT_EQ(Calc::mixRatio(MISS, 1000), MISS);
    EXPECT_EQ(Calc::mixRatio(280, MISS), MISS);
    EXPECT_EQ(Calc::mixRatio(280, 0), 0);
    EXPECT_EQ(Calc::specHum(-5, 1000), 0);
    // The temperature of a saturation mixing ratio inverts the mixing ratio.
    EXPECT_NEAR(Calc::tempOnMixRat(Calc::mixRatio(283.15f, 850), 850), 283.15, 0.1);
}

TEST(Calc, PotentialTemperatureAndDryAdiabat) {
    EXPECT_FLOAT_EQ(Calc::potTemp(293.15f, 1000), 293.15f);
    // 273.15 x 2^0.286 = 333.04 (hand calculation)
    EXPECT_NEAR(Calc::potTemp(273.15f, 500), 333.04, 0.02);
    EXPECT_EQ(Calc::potTemp(MISS, 500), MISS);
    EXPECT_EQ(Calc::potTemp(273.15f, 0), MISS);
    EXPECT_NEAR(Calc::tempOnDryAd(333.04f, 500), 273.15, 0.02);
}

TEST(Calc, LiftingCondensationLevelAndThetaE) {
    // 20 C over a 10 C dew point at 1000 mb: Bolton's (1980) formulas give the LCL at
    // 861.6 mb and 280.9 K and theta-e 315.5 K; the iteration here agrees to a few mb and
    // a few tenths of a degree.
    Calc::LclData l;
    EXPECT_EQ(Calc::lcl(293.15f, 283.15f, 1000, l), 1);
    EXPECT_NEAR(l.p, 861.6, 5);
    EXPECT_NEAR(l.t, 280.9, 0.5);
    // At the LCL the parcel is saturated with its surface mixing ratio.
    EXPECT_NEAR(Calc::tempOnMixRat(Calc::mixRatio(283.15f, 1000), l.p), l.t, 0.15);
    EXPECT_FLOAT_EQ(Calc::lclPres(293.15f, 283.15f, 1000), l.p);
    EXPECT_NEAR(Calc::lclTemp(293.15f, 1000, l.p), l.t, 1e-3);
    // A saturated parcel is at its own LCL.
    EXPECT_NEAR(Calc::lclPres(283.15f, 283.15f, 900), 900, 0.5);
    EXPECT_EQ(Calc::lcl(293.15f, 283.15f, 1200, l), 0);
    EXPECT_EQ(l.p, MISS);
    EXPECT_EQ(Calc::lcl(MISS, 283.15f, 1000).t, MISS);

    EXPECT_NEAR(Calc::eqPotTemp(293.15f, 283.15f, 1000), 315.5, 1.5);
    EXPECT_FLOAT_EQ(Calc::eqPotTemp(293.15f, 0, 1000), 293.15f); // dry air: theta-e is theta
    EXPECT_EQ(Calc::eqPotTemp(MISS, 283.15f, 1000), MISS);

    // The saturated adiabat through a point gives that point back (bisection to 0.03 K).
    for (float p : {1000.f, 700.f, 300.f})
        for (float t : {243.15f, 263.15f, 293.15f})
            EXPECT_NEAR(Calc::tempOnSatAd(Calc::thetaeOnSatAd(t, p), p), t, 0.1) << t << " " << p;
    // The wet bulb lies between the dew point and the temperature.
    const float tw = Calc::wetBulb(293.15f, 283.15f, 1000);
    EXPECT_TRUE(tw > 283.15f && tw < 293.15f) << tw;
}

TEST(Calc, HumidityAndVirtualTemperature) {
    // e(10 C) / e(20 C) = 12.27 / 23.39 = 52.5 % (tables above)
    EXPECT_NEAR(Calc::relHum(20, 10), 52.5, 0.3);
    EXPECT_NEAR(Calc::relHum(293.15f, 283.15f), 52.5, 0.3);
    EXPECT_NEAR(Calc::relHum(-20, -20), 100, 1e-3);
    EXPECT_EQ(Calc::relHum(MISS, 10), MISS);
    EXPECT_EQ(Calc::relHum(293.15f, MISS), MISS);
    for (float rh : {10.f, 50.f, 90.f})
        EXPECT_NEAR(Calc::relHum(293.15f, Calc::dewTemp(293.15f, rh)), rh, 0.3) << rh;

    EXPECT_NEAR(Calc::virtTemp(300, 10, 1000), 300 * 1.00609, 1e-3);
    EXPECT_FLOAT_EQ(Calc::virtTemp(300, 0, 1000), 300);
    EXPECT_NEAR(Calc::virtTemp(300, 283.15f, 1000),
                300 * (1 + 0.609 * Calc::mixRatio(283.15f, 1000) / 1000), 1e-3);
    EXPECT_EQ(Calc::virtTemp(300, -1, 1000), MISS);
    // 1000/500 to the power 0.286 is 1.219254
    EXPECT_NEAR(Calc::virtPotTemp(300, 10, 500), Calc::virtTemp(300, 10, 500) * 1.219254, 0.01);
    EXPECT_EQ(Calc::virtPotTemp(300, 0, 500), Calc::potTemp(300, 500));
    EXPECT_NEAR(Calc::convTemp(Calc::mixRatio(283.15f, 1000), 1000, 1000), 283.15, 0.1);
}

TEST(Calc, WindsInterpolationAndDistances) {
    EXPECT_EQ(Calc::windDir(0, 0), 0);
    EXPECT_NEAR(Calc::windDir(-1, 0), 90, 1e-4); // a wind towards -u comes from the east
    EXPECT_NEAR(Calc::windSpd(3, 4), 5, 1e-6);
    EXPECT_NEAR(Calc::windU(270, 10), 10, 1e-4);
    EXPECT_NEAR(Calc::windDir(Calc::windU(225, 7), Calc::windV(225, 7)), 225, 1e-3);

    EXPECT_FLOAT_EQ(Calc::interpLinear(2, 1, 3, 10, 30), 20);
    // Half-way in ln p between 1000 and 500 mb is 707.1 mb.
    EXPECT_NEAR(Calc::interpTemp(10, 0, 1000, 500, 707.107f), 5, 1e-3);

    // One degree of a great circle on a sphere of 6371.22 km is 111.20 km.
    EXPECT_NEAR(Calc::earthDist(40, -100, 41, -100), 111.20, 0.05);
    EXPECT_NEAR(Calc::earthAngle(0, 0, 0, 90), 90, 1e-3);
    EXPECT_EQ(Calc::earthAngle(MISS, 0, 1, 1), MISS);
    EXPECT_FLOAT_EQ(Calc::dist(0, 0, 3, 4), 5);
}

TEST(UpaCalc, QuantitiesOfOneLevelByName) {
    // 1000 mb, 20 C over 10 C, 270 degrees 10 kt; values from the tables and formulas above
    // (the published soundings below check the thermodynamic quantities level by level).
    UpaLevel lev(1000, 111, 20, 10, 270, 10);
    const struct {
        const char* name;
        double want, tol;
    } rows[] = {{"THETA", 293.15, 1e-3}, {"dewd", 10, 1e-5},     {"temp", 20, 1e-5},
                {"hght", 111, 1e-5},     {"Pres", 1000, 1e-5},   {"rhum", 52.5, 0.3},
                {"vpres", 12.27, 0.05},  {"thetae", 315.5, 1.5}, {"uwnd", 5.144, 1e-3},
                {"vwnd", 0, 1e-3},       {"uwndg", 5.144, 1e-3}};
    for (const auto& r : rows) EXPECT_NEAR(UpaCalc::calc(lev, r.name), r.want, r.tol) << r.name;
    EXPECT_NEAR(UpaCalc::calc(lev, "vtemp"), Calc::virtTemp(293.15f, 283.15f, 1000), 1e-3);
    EXPECT_EQ(UpaCalc::calc(lev, "nonsense"), MISS);
    lev.setWDir(180);
    EXPECT_NEAR(UpaCalc::calc(lev, "vwnd"), 5.144, 1e-3);

    UpaLevel dry(850, 1500, 5, MISS, MISS, 20);
    for (const char* name : {"dewd", "thetae", "shum", "uwnd", "dewp"})
        EXPECT_EQ(UpaCalc::calc(dry, name), MISS) << name;
    EXPECT_FLOAT_EQ(UpaCalc::calc(dry, "wspd"), 20);
    EXPECT_NE(UpaCalc::calc(dry, "theta"), MISS);

    EXPECT_STREQ(UpaCalc::getUnits("THETAE"), "K");
    EXPECT_STREQ(UpaCalc::getUnits("mrat"), "kg/kg"); // though the value is in g/kg
    EXPECT_STREQ(UpaCalc::getUnits("nonsense"), "");
}

namespace {

const char* const WYOMING[] = {"wyoming_SLE_1980051800.html", "wyoming_BOI_1980051800.html",
                               "wyoming_GGW_1980051800.html", "wyoming_SLC_1980051800.html"};

// A Wyoming sounding as a merged sounding, the surface at its lowest temperature.
UpaData toSounding(const fixtures::Wyoming& w) {
    UpaData d;
    for (const fixtures::WyomingLevel& l : w.levels) {
        const int k = d.addLevel(UpaLevel(l.p, l.h, l.t, l.td, l.dir, l.spd));
        if (!d.isSfc() && l.t != MISS) d.setSfc(k);
    }
    return d;
}

} // namespace

TEST(UpaCalc, AgreesWithPublishedValuesOfRealSoundings) {
    // University of Wyoming lists give theta, theta-e (Bolton's formula), mixing ratio and
    // relative humidity for every level of four 18 May 1980 00 UTC soundings.
    int n = 0;
    for (const char* file : WYOMING) {
        for (const fixtures::WyomingLevel& l : fixtures::wyoming(file).levels) {
            if (l.t == MISS || l.td == MISS || l.thetae == MISS) continue;
            const UpaLevel lev(l.p, l.h, l.t, l.td, l.dir, l.spd);
            const std::string what = std::string(file) + " " + std::to_string(l.p);
            EXPECT_NEAR(UpaCalc::calc(lev, "theta"), l.theta, 0.25) << what;
            EXPECT_NEAR(UpaCalc::calc(lev, "thetae"), l.thetae, 1.0) << what;
            EXPECT_NEAR(UpaCalc::calc(lev, "mrat"), l.mixr, 0.03 * l.mixr + 0.01) << what;
            EXPECT_NEAR(UpaCalc::calc(lev, "rhum"), l.rh, 1.5) << what;
            EXPECT_NEAR(UpaCalc::calc(lev, "thetav"), l.thetav, 0.3) << what;
            ++n;
        }
    }
    EXPECT_GT(n, 100);
}
TEST(UpaCalc, StabilityIndicesMatchPublishedIndices) {
    // The same lists' sounding indices; the totals come from the standard levels, so they
    // agree to their rounding, the integrals to a few tenths.
    for (const char* file : WYOMING) {
        const fixtures::Wyoming w = fixtures::wyoming(file);
        const UpaData d = toSounding(w);
        SCOPED_TRACE(file);
        EXPECT_NEAR(UpaCalc::totalTotals(d), w.index("Totals totals index"), 0.06);
        EXPECT_NEAR(UpaCalc::verticalTotals(d), w.index("Vertical totals index"), 0.06);
        EXPECT_NEAR(UpaCalc::crossTotals(d), w.index("Cross totals index"), 0.06);
        EXPECT_NEAR(UpaCalc::kIndex(d), w.index("K index"), 0.06);
        EXPECT_NEAR(UpaCalc::sweatIndex(d), w.index("SWEAT index"), 1.0);
        EXPECT_NEAR(UpaCalc::thickness(d, VCoord(VCoord::PRESS, 1000), VCoord(VCoord::PRESS, 500)),
                    w.index("1000 hPa to 500 hPa thickness"), 0.5);
        EXPECT_NEAR(UpaCalc::precipWater(d), w.index("Precipitable water [mm] for entire sounding"),
                    0.3);
        // The sounding interpolated at its freezing level is at 0 C (within 0.1 C).
        UpaLevel frz;
        d.interp(VCoord::PRESS, UpaCalc::freezingLevel(d), frz);
        EXPECT_NEAR(frz.getTemp(), 0, 0.1);
    }
    for (auto f :
         {UpaCalc::totalTotals, UpaCalc::sweatIndex, UpaCalc::precipWater, UpaCalc::freezingLevel})
        EXPECT_EQ(f(UpaData()), MISS);
}

TEST(UpaCalc, SweatIndexTermsByHand) {
    // 850 mb 18/14 C 220/30 kt, 500 mb -12/-25 C 260/50 kt: total totals 56;
    // 12 x 14 + 20 x 7 + 2 x 30 + 50 + 125 (sin 40 + 0.2) = 523.35.
    UpaData d;
    d.addLevel(UpaLevel(1000, 100, 25, 20, 200, 20));
    d.addLevel(UpaLevel(850, 1500, 18, 14, 220, 30));
    d.addLevel(UpaLevel(700, 3100, 8, 0, 250, 40));
    d.addLevel(UpaLevel(500, 5700, -12, -25, 260, 50));
    EXPECT_NEAR(UpaCalc::totalTotals(d), 56, 1e-4);
    EXPECT_NEAR(UpaCalc::sweatIndex(d), 523.35, 0.01);
    EXPECT_NEAR(UpaCalc::lapseRate(d, VCoord(VCoord::PRESS, 850), VCoord(VCoord::PRESS, 700)), 6.25,
                1e-4);
    d.setDir(1, 100); // veering term only for south-westerly flow at 850 mb
    EXPECT_NEAR(UpaCalc::sweatIndex(d), 523.35 - 125 * (std::sin(40 * Const::DRC) + 0.2), 0.01);
    d.setTemp(3, MISS);
    EXPECT_EQ(UpaCalc::sweatIndex(d), MISS);
}
