// The sounding model: raw reports, merged soundings, filling, heights and pressures,
// vertical interpolation, checked by hand calculations and against real soundings.
#include "HYX/Calc.h"
#include "HYX/UpaData.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"
#include "HYX/UpaWmoData.h"

#include "SoundingFixtures.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

using namespace HYX;

namespace {

constexpr float MISS = Const::FMISS;
// Hypsometric scale R T / g of an isothermal layer at 0 C: 287.05 x 273.15 / 9.8 m.
constexpr double SCALE0 = 287.05 * 273.15 / 9.8;

UpaLevel level(int type, float p, float h, float t = MISS, float td = MISS, float dir = MISS,
               float spd = MISS) {
    UpaLevel l(p, h, t, td, dir, spd);
    l.setType(type);
    return l;
}

} // namespace

TEST(UpaRawinData, ListsMergeEqualKeysAndRefuseWhenFull) {
    UpaRawinData r;
    EXPECT_EQ(r.getWmo(), Const::MISS);
    EXPECT_EQ(r.getSfc(), Const::MISS);
    EXPECT_EQ(r.getTime(), Const::MISS);
    EXPECT_EQ(r.addMan(level(UpaLevel::MAN, 850, 1500, 10)), 0);
    EXPECT_EQ(r.addMan(level(UpaLevel::MAN, 700, 3000)), 1);
    // The same pressure again fills only the missing fields of the existing entry.
    EXPECT_EQ(r.addMan(level(UpaLevel::MAN, 850, 1400, 5, 2, 270, 15)), 0);
    EXPECT_FLOAT_EQ(r.getMan(0).getHght(), 1500);
    EXPECT_FLOAT_EQ(r.getMan(0).getTemp(), 10);
    EXPECT_FLOAT_EQ(r.getMan(0).getDewpt(), 2);
    EXPECT_FLOAT_EQ(r.getMan(0).getWSpd(), 15);
    EXPECT_EQ(r.addMan(level(UpaLevel::MAN, MISS, 100)), Const::MISS);
    EXPECT_EQ(r.getNumMan(), 2);
    for (int i = 0; i < 30; ++i) r.addMan(level(UpaLevel::MAN, 600 - i, MISS));
    EXPECT_EQ(r.getNumMan(), UpaRawinData::max_man);
    EXPECT_EQ(r.addMan(level(UpaLevel::MAN, 1, 1)), -1);
    EXPECT_EQ(r.getMan(25).getPres(), MISS); // out of range: an all-missing level
    EXPECT_EQ(r.getMan(-1).getType(), 0);
    EXPECT_EQ(r.getManPr(99), MISS);

    for (int i = 0; i < 300; ++i) r.addSig(level(UpaLevel::SIG, 1000 - i * 3, MISS));
    EXPECT_EQ(r.getNumSig(), UpaRawinData::max_sig);
    EXPECT_EQ(r.addSig(level(UpaLevel::SIG, 5, MISS)), -1);
    EXPECT_FLOAT_EQ(r.getSigPr(1), 997);

    // A surface wind is stored at height 0 whatever height it was given.
    EXPECT_EQ(r.addWnd(level(UpaLevel::SFC, MISS, 1234, MISS, MISS, 180, 5)), 0);
    EXPECT_FLOAT_EQ(r.getWndHt(0), 0);
    EXPECT_EQ(r.addWnd(level(UpaLevel::WND, MISS, 3000, MISS, MISS, 200, 10)), 1);
    EXPECT_EQ(r.getWndHt(5), MISS);
    EXPECT_EQ(r.setWnd(149, level(UpaLevel::WND, MISS, 90000)), 1);
    EXPECT_EQ(r.getNumWnd(), 150);
    EXPECT_EQ(r.setWnd(150, level(UpaLevel::WND, MISS, 1)), 0);
    EXPECT_EQ(r.setMan(-1, level(UpaLevel::MAN, 1, 1)), 0);

    r.setId("ABCDEFGHIJKLMNOP");
    EXPECT_STREQ(r.getId(), "ABCDEFGHIJ"); // ten characters at most
    r.setDate(Date(2020, 11, 7, 0, 30, MISS));
    EXPECT_EQ(r.getTime(), 30);
    r.setDate(Date(2020, 11, 7, 12, Const::MISS, MISS));
    EXPECT_EQ(r.getTime(), 1200);
    r.init();
    EXPECT_EQ(r.getNumWnd(), 0);
    EXPECT_STREQ(r.getId(), "");
    EXPECT_FALSE(r.getDate().isSet());
}

TEST(UpaRawinData, SortKeepsMarkersOnTheirLevels) {
    UpaRawinData r;
    r.addMan(level(UpaLevel::MAN, 500, 5500));
    r.setTrop(r.addMan(level(UpaLevel::TROP, 250, MISS)));
    r.setSfc(r.addMan(level(UpaLevel::SFC, 960, MISS)));
    r.addMan(level(UpaLevel::MAN, 850, 1500));
    r.setMaxWnd(r.addMan(level(UpaLevel::MWND, 300, MISS)));
    r.addWnd(level(UpaLevel::WND, MISS, 9000));
    r.addWnd(level(UpaLevel::WND, MISS, 2000));
    r.addSig(level(UpaLevel::SIG, 700, MISS));
    r.addSig(level(UpaLevel::SIG, 900, MISS));
    r.sort();
    const float want[] = {960, 850, 500, 300, 250};
    for (int i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(r.getManPr(i), want[i]) << i;
    EXPECT_FLOAT_EQ(r.getManPr(r.getSfc()), 960);
    EXPECT_FLOAT_EQ(r.getManPr(r.getTrop()), 250);
    EXPECT_FLOAT_EQ(r.getManPr(r.getMaxWnd()), 300);
    EXPECT_FLOAT_EQ(r.getSigPr(0), 900);
    EXPECT_FLOAT_EQ(r.getWndHt(0), 2000);
}

TEST(UpaData, AccessorsCountNegativeIndicesFromTheTop) {
    UpaData d;
    EXPECT_EQ(d.getNum(), 0);
    EXPECT_EQ(d.getPres(0), MISS);
    EXPECT_EQ(d.setPres(0, 1), 0);
    d.addLevel(level(UpaLevel::MAN, 1000, 100, 20, 10, 180, 10));
    d.addLevel(level(UpaLevel::MAN, 850, 1500, 10, 5, 220, 20));
    d.addLevel(level(UpaLevel::MAN, 700, 3000, 0, -5, 250, 30));
    EXPECT_FLOAT_EQ(d.getPres(-1), 700);
    EXPECT_FLOAT_EQ(d.getHght(-3), 100);
    EXPECT_EQ(d.getHght(-4), MISS);
    EXPECT_EQ(d.getTemp(3), MISS);
    EXPECT_EQ(d.getLevel(7).getPres(), MISS);
    EXPECT_EQ(d.setTemp(-1, -1), 1);
    EXPECT_FLOAT_EQ(d.getTemp(2), -1);
    EXPECT_FLOAT_EQ(d.getTempK(0), 293.15f);
    EXPECT_FLOAT_EQ(d.getDewpK(1), 278.15f);
    d.setDewp(1, MISS);
    EXPECT_EQ(d.getDewpK(1), MISS);
    EXPECT_FALSE(d.validDewp(1));
    EXPECT_TRUE(d.validSpd(-1));
    EXPECT_FALSE(d.validPres(9));
    EXPECT_TRUE(d.isLevelMandatory(1));
    EXPECT_EQ(d.setNum(0), 0);
    EXPECT_EQ(d.setNum(300), 0);
    EXPECT_EQ(d.setNum(2), 1);
    EXPECT_EQ(d.getNum(), 2);

    // Without markers: the tropopause and maximum-wind pressures are 0, the surface missing.
    EXPECT_FALSE(d.isSfc());
    EXPECT_EQ(d.getSfcPres(), MISS);
    EXPECT_EQ(d.getSfcHght(), MISS);
    EXPECT_EQ(d.getTropPres(), 0.0f);
    EXPECT_EQ(d.getMaxWndPres(), 0.0f);
    UpaLevel l;
    EXPECT_EQ(d.getTrop(l), 0);
    d.setSfc(0);
    d.setTrop(1);
    EXPECT_FLOAT_EQ(d.getTropPres(), 850);
    d.setElev(123);
    EXPECT_FLOAT_EQ(d.getElev(), 123);
    EXPECT_FLOAT_EQ(d.getSfcHght(), 123); // the surface level moves with the elevation
    EXPECT_EQ(d.getSfc(l), 1);
    EXPECT_FLOAT_EQ(l.getPres(), 1000);

    d.setId("A-VERY-LONG-STATION-IDENTIFIER");
    EXPECT_EQ(std::string(d.getId()).size(), 19u);
    d.setGenName("rawinsonde");
    EXPECT_STREQ(d.getGenName(), "rawinsonde");
    d.init();
    EXPECT_EQ(d.getNum(), 0);
    EXPECT_EQ(d.getFhour(), 0);
    EXPECT_STREQ(d.getId(), "");
}

TEST(UpaData, DeleteAndUpdateKeepMarkersConsistent) {
    UpaData d;
    for (float p : {1000.f, 900.f, 800.f, 700.f}) d.addLevel(level(UpaLevel::MAN, p, MISS));
    d.setSfc(0);
    d.setTrop(3);
    d.setMaxWnd(1);
    EXPECT_EQ(d.delLevel(1), 1);
    EXPECT_EQ(d.getNum(), 3);
    EXPECT_FLOAT_EQ(d.getPres(1), 800);
    EXPECT_EQ(d.getSfc(), 0);
    EXPECT_EQ(d.getTrop(), 2);           // above the deleted level: one down
    EXPECT_EQ(d.getMaxWnd(), Const::MISS); // the deleted level itself
    EXPECT_EQ(d.delLevel(5), 0);
    EXPECT_EQ(d.delLevel(-1), 1);
    EXPECT_EQ(d.getTrop(), Const::MISS);

    d.setType(0, UpaLevel::MAN);
    EXPECT_EQ(d.updateLevel(0, level(UpaLevel::SIG, 999, 10, 15, MISS, 90, 5)), 1);
    EXPECT_FLOAT_EQ(d.getPres(0), 1000); // present values are kept
    EXPECT_FLOAT_EQ(d.getHght(0), 10);
    EXPECT_FLOAT_EQ(d.getTemp(0), 15);
    EXPECT_EQ(d.getDewp(0), MISS);
    EXPECT_EQ(d.getType(0), UpaLevel::MAN); // the kind is not touched
    EXPECT_EQ(d.updateLevel(4, UpaLevel()), 0);
}

TEST(UpaData, SortingCarriesMarkersAndCombinesEqualKeys) {
    UpaData d;
    d.addLevel(level(UpaLevel::MAN, 500, 5600, -20));
    d.addLevel(level(UpaLevel::MAN, 850, 1500, 5));
    d.addLevel(level(UpaLevel::SIG, 700, MISS, -2));
    d.addLevel(level(UpaLevel::SFC, 950, MISS, 15, 10));
    d.addLevel(level(UpaLevel::SIG, 850, MISS, 7, 1, 200, 30));
    d.setSfc(3);
    d.setTrop(0);
    d.sortPres();
    ASSERT_EQ(d.getNum(), 4); // the two 850 mb levels are one
    EXPECT_FLOAT_EQ(d.getPres(0), 950);
    EXPECT_EQ(d.getSfc(), 0);
    EXPECT_EQ(d.getTrop(), 3);
    EXPECT_FLOAT_EQ(d.getPres(d.getTrop()), 500);
    // The lower-index (first added) level keeps its values and takes the other's missing ones.
    EXPECT_FLOAT_EQ(d.getTemp(1), 5);
    EXPECT_FLOAT_EQ(d.getHght(1), 1500);
    EXPECT_FLOAT_EQ(d.getDewp(1), 1);
    EXPECT_FLOAT_EQ(d.getDir(1), 200);

    UpaData h;
    h.addLevel(level(UpaLevel::WND, MISS, 3000, MISS, MISS, 270, 20));
    h.addLevel(level(UpaLevel::SIG, 800, MISS));
    h.addLevel(level(UpaLevel::SFC, 950, 500));
    h.addLevel(level(UpaLevel::WND, MISS, 500, MISS, MISS, 180, 5));
    h.setSfc(2);
    h.setMaxWnd(3);
    h.sortHeight();
    ASSERT_EQ(h.getNum(), 3);
    EXPECT_FLOAT_EQ(h.getHght(0), 500);
    EXPECT_FLOAT_EQ(h.getDir(0), 180); // the surface wind joined the surface level
    EXPECT_EQ(h.getSfc(), 0);
    EXPECT_EQ(h.getMaxWnd(), 0); // the role of the removed level passes to the kept one
    EXPECT_FLOAT_EQ(h.getHght(1), 3000);
    EXPECT_FLOAT_EQ(h.getPres(2), 800); // no height: on top
}

TEST(UpaData, FillsTemperaturesAndWindsInLogPressure) {
    UpaData d;
    d.addLevel(level(UpaLevel::MAN, 1000, 0, 20, 10, 350, 10));
    d.addLevel(level(UpaLevel::SIG, 850, MISS));
    d.addLevel(level(UpaLevel::SIG, 707.107f, MISS));
    d.addLevel(level(UpaLevel::MAN, 500, MISS, -10, MISS, 10, 10));
    d.addLevel(level(UpaLevel::SIG, 400, MISS));
    d.interpTemps();
    // 20 + (-10 - 20) ln(850/1000) / ln(500/1000) = 12.966 (hand calculation)
    EXPECT_NEAR(d.getTemp(1), 12.966, 1e-3);
    EXPECT_NEAR(d.getTemp(2), 5, 1e-3); // half-way in ln p
    EXPECT_EQ(d.getTemp(4), MISS);     // above the last temperature: nothing to fill from
    EXPECT_EQ(d.getDewp(1), MISS);     // dew points run separately: no upper bound here
    d.interpWinds();
    // From 350 to 10 degrees at equal speeds: through north.
    EXPECT_NEAR(std::fmod(d.getDir(2) + 180, 360.f), 180, 1e-3);
    EXPECT_NEAR(d.getSpd(2), 10, 1e-3);
    EXPECT_TRUE(d.getDir(1) > 350 || d.getDir(1) < 1);
    EXPECT_EQ(d.getDir(4), MISS);
}

TEST(UpaData, HeightsFromPressuresSpreadTheErrorOverTheLayer) {
    // An isothermal 0 C sounding: h = R T / g ln(1000 / p).
    auto exact = [](double p) { return SCALE0 * std::log(1000 / p); };
    UpaData d;
    d.addLevel(level(UpaLevel::MAN, 1000, 0, 0));
    d.addLevel(level(UpaLevel::SIG, 900, MISS, 0));
    d.addLevel(level(UpaLevel::SIG, 800, MISS, 0));
    d.addLevel(level(UpaLevel::MAN, 700, static_cast<float>(exact(700) + 30), 0));
    d.addLevel(level(UpaLevel::SIG, 600, MISS, 0));
    d.calcHeight();
    // The 30 m misfit at 700 mb is spread linearly in pressure over the layer below it.
    EXPECT_NEAR(d.getHght(1), exact(900) + 10, 0.05);
    EXPECT_NEAR(d.getHght(2), exact(800) + 20, 0.05);
    EXPECT_NEAR(d.getHght(3), exact(700) + 30, 1e-3); // the known height stays
    // Above the last known height the integration simply continues.
    EXPECT_NEAR(d.getHght(4), exact(600) + 30, 0.05);

    // A first level without height is placed from the level above it.
    UpaData b;
    b.addLevel(level(UpaLevel::SFC, 1000, MISS, 0));
    b.addLevel(level(UpaLevel::MAN, 850, static_cast<float>(exact(850)), 0));
    b.calcHeight();
    EXPECT_NEAR(b.getHght(0), 0, 0.05);

    // Only the surface height known: integrated from there.
    UpaData s;
    s.addLevel(level(UpaLevel::SFC, 1000, 100, 0));
    s.addLevel(level(UpaLevel::SIG, 500, MISS, 0));
    s.calcHeight();
    EXPECT_NEAR(s.getHght(1), 100 + exact(500), 0.1);
    UpaData none;
    none.addLevel(level(UpaLevel::SIG, 900, MISS, 0));
    none.addLevel(level(UpaLevel::SIG, 800, MISS, 0));
    none.calcHeight();
    EXPECT_EQ(none.getHght(1), MISS);
}

TEST(UpaData, PressuresFromHeightsUseTheLayerMeanTemperature) {
    auto exactP = [](double h) { return 1000 * std::exp(-h / SCALE0); };
    UpaData d;
    d.addLevel(level(UpaLevel::SFC, 1000, 0, 0));
    d.addLevel(level(UpaLevel::WND, MISS, 1000));
    d.addLevel(level(UpaLevel::WND, MISS, 2000));
    d.addLevel(level(UpaLevel::MAN, static_cast<float>(exactP(3000)), 3000, 0));
    d.calcPres();
    // An isothermal layer: its mean temperature from the bounding heights is exact.
    EXPECT_NEAR(d.getPres(1), exactP(1000), 0.01);
    EXPECT_NEAR(d.getPres(2), exactP(2000), 0.01);

    // Above the last pressure: the first level's temperature less 6.5 K per km at the level.
    UpaData t;
    t.addLevel(level(UpaLevel::SFC, 1000, 0, 15));
    t.addLevel(level(UpaLevel::WND, MISS, 1000));
    t.calcPres();
    const double tm = 288.15 - 6.5;
    EXPECT_NEAR(t.getPres(1), 1000 * std::exp(-1000 * 9.8 / (287.05 * tm)), 0.01);

    // A first level without pressure is placed from the one above it.
    UpaData b;
    b.addLevel(level(UpaLevel::WND, MISS, 0));
    b.addLevel(level(UpaLevel::MAN, 850, 1500, 0));
    b.calcPres();
    // The first level has no temperature: the standard atmosphere at the level above.
    EXPECT_NEAR(b.getPres(0), 850 * std::exp(1500 * 9.8 / (287.05 * (288.15 - 0.0065 * 1500))),
                0.01);
}

TEST(UpaData, InterpolatesLinearlyInLogPressure) {
    UpaData d;
    d.addLevel(level(UpaLevel::MAN, 950, 500, 20, 10, 350, 10));
    d.addLevel(level(UpaLevel::MAN, 850, 1400, 10, 0, 10, 30));
    d.addLevel(level(UpaLevel::MAN, 700, 3000, -5, -15, 40, 50));
    UpaLevel o;
    // Half-way in -ln p between 950 and 850 mb is sqrt(950 x 850) = 898.6 mb.
    EXPECT_EQ(d.interp(VCoord(VCoord::PRESS, std::sqrt(950.f * 850.f)), o), 1);
    EXPECT_FLOAT_EQ(o.getPres(), std::sqrt(950.f * 850.f));
    EXPECT_NEAR(o.getTemp(), 15, 1e-3);
    EXPECT_NEAR(o.getHght(), 950, 1e-2);
    EXPECT_NEAR(std::fmod(o.getWDir() + 180, 360.f), 180, 1e-3); // 350 to 10 through north
    EXPECT_NEAR(o.getWSpd(), 20, 1e-3);
    // A quarter of the way gives 355 degrees.
    const float pq = std::exp(0.75f * std::log(950.f) + 0.25f * std::log(850.f));
    d.interp(VCoord::PRESS, pq, o);
    EXPECT_NEAR(o.getWDir(), 355, 1e-2);

    // Below the lowest level: extrapolated from the two lowest levels.
    EXPECT_EQ(d.interp(VCoord::PRESS, 1000, o), 1);
    const double w = (-std::log(1000.) + std::log(950.)) / (-std::log(850.) + std::log(950.));
    EXPECT_NEAR(o.getTemp(), 20 + (10 - 20) * w, 1e-3);
    EXPECT_GT(o.getTemp(), 20);
    // Above the top: missing, except the target pressure itself.
    EXPECT_EQ(d.interp(VCoord::PRESS, 500, o), 3);
    EXPECT_FLOAT_EQ(o.getPres(), 500);
    EXPECT_EQ(o.getTemp(), MISS);
    EXPECT_EQ(o.getWDir(), MISS);
    // Exactly on a level.
    d.interp(VCoord::PRESS, 850, o);
    EXPECT_FLOAT_EQ(o.getTemp(), 10);
    EXPECT_FLOAT_EQ(o.getHght(), 1400);

    // Height and potential temperature coordinates are linear in their own variable.
    d.interp(VCoord::HGHT, 2200, o);
    EXPECT_FLOAT_EQ(o.getHght(), 2200);
    EXPECT_NEAR(o.getTemp(), 2.5, 1e-3);
    EXPECT_NEAR(o.getPres(), 775, 1e-2);
    const float th0 = Calc::potTemp(283.15f, 850), th1 = Calc::potTemp(268.15f, 700);
    d.interp(VCoord::THETA, (th0 + th1) / 2, o);
    EXPECT_NEAR(o.getHght(), 2200, 0.1);

    // The surface coordinate copies the marked level; special levels cannot be reached.
    EXPECT_EQ(d.interp(VCoord::SFC, 0, o), Const::MISS);
    EXPECT_EQ(o.getPres(), MISS);
    d.setSfc(0);
    EXPECT_EQ(d.interp(VCoord::SFC, 0, o), 0);
    EXPECT_FLOAT_EQ(o.getPres(), 950);
    EXPECT_EQ(d.interp(VCoord::TROP, 0, o), -1);
    EXPECT_EQ(o.getTemp(), MISS);
    EXPECT_EQ(d.interp(VCoord::PRESS, MISS, o), -1);
}

TEST(UpaData, HeightCoordinateDoesNotInterpolatePressureAcrossWideGaps) {
    UpaData d;
    d.addLevel(level(UpaLevel::MAN, 900, 1000, 10));
    d.addLevel(level(UpaLevel::MAN, 500, 5600, -20));
    UpaLevel o;
    d.interp(VCoord::HGHT, 1002, o); // within 3 m of the lower level
    EXPECT_FLOAT_EQ(o.getPres(), 900);
    d.interp(VCoord::HGHT, 5598, o); // within 3 m of the upper level
    EXPECT_FLOAT_EQ(o.getPres(), 500);
    d.interp(VCoord::HGHT, 3000, o);
    EXPECT_EQ(o.getPres(), MISS);
    EXPECT_NE(o.getTemp(), MISS); // the other fields still interpolate
    d.setPres(1, 650);             // a 250 mb gap is interpolated
    d.interp(VCoord::HGHT, 3300, o);
    EXPECT_NEAR(o.getPres(), 775, 1e-3);
}

TEST(UpaTool, MergeRemovesBadLevelsAndPlacesTheSurface) {
    // Potential temperatures 3.5 K and 2.5 K below the level under them.
    UpaRawinData r;
    r.setElev(300);
    const float th0 = Calc::potTemp(293.15f, 1000);
    auto tAt = [&](float theta, float p) { return theta * std::pow(p / 1000, 0.286f) - 273.15f; };
    r.addMan(level(UpaLevel::MAN, 1000, 300, 20, 10));
    r.addSig(level(UpaLevel::SIG, 950, MISS, tAt(th0 - 3.5f, 950)));
    r.addSig(level(UpaLevel::SIG, 900, MISS, tAt(th0 - 2.5f, 900)));
    r.addMan(level(UpaLevel::MAN, 850, 1500, tAt(th0 + 2, 850)));
    r.addSig(level(UpaLevel::SIG, 750, MISS, tAt(th0 - 1.5f, 750))); // 3.5 K under 850 mb
    r.addSig(level(UpaLevel::SIG, 700, MISS, tAt(th0 + 5, 700)));
    r.addSig(level(UpaLevel::SIG, 650, MISS)); // no temperature above a known one
    UpaData d;
    UpaTool::merge(r, d);
    ASSERT_EQ(d.getNum(), 4);
    const float want[] = {1000, 900, 850, 700};
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(d.getPres(i), want[i]) << i;
    EXPECT_EQ(d.getSfc(), 0); // first level above 600 mb
    EXPECT_FLOAT_EQ(d.getSfcHght(), 300);

    UpaRawinData hi;
    hi.addSig(level(UpaLevel::SIG, 700, MISS, 0));
    hi.addSig(level(UpaLevel::SIG, 600, MISS, -8));
    UpaData dh;
    UpaTool::merge(hi, dh);
    EXPECT_EQ(dh.getSfc(), 0);
    UpaRawinData lo;
    lo.addSig(level(UpaLevel::SIG, 600, MISS, -8));
    lo.addSig(level(UpaLevel::SIG, 500, MISS, -15));
    UpaData dl;
    UpaTool::merge(lo, dl);
    EXPECT_FALSE(dl.isSfc());
}

TEST(UpaTool, MergePutsTheSurfaceWindAtTheStationElevation) {
    UpaRawinData r;
    r.setId("XYZ", 12345, 40, -100);
    r.setElev(849);
    r.setSfc(r.addMan(level(UpaLevel::SFC, 911, MISS, 25, -2)));
    r.addMan(level(UpaLevel::MAN, 850, 1455, 21.8f, -3.2f, 185, 37));
    r.addMan(level(UpaLevel::MAN, 700, 3098, 11.6f, -26.4f, 220, 37));
    r.addSig(level(UpaLevel::SIG, 911, MISS, 25, -2));
    r.addWnd(level(UpaLevel::SFC, MISS, 5555, MISS, MISS, 180, 8));
    r.addWnd(level(UpaLevel::WND, MISS, 6000, MISS, MISS, 190, 38));
    UpaData d;
    UpaTool::merge(r, d);
    EXPECT_STREQ(d.getId(), "XYZ");
    EXPECT_EQ(d.getWmo(), 12345);
    ASSERT_EQ(d.getSfc(), 0);
    EXPECT_FLOAT_EQ(d.getHght(0), 849);
    EXPECT_FLOAT_EQ(d.getPres(0), 911);
    EXPECT_FLOAT_EQ(d.getDir(0), 180); // the surface wind joined the surface level
    EXPECT_FLOAT_EQ(d.getSpd(0), 8);
    ASSERT_EQ(d.getNum(), 4);
    EXPECT_NEAR(d.getHght(2), 6000 * 0.3048, 1e-2);
    EXPECT_LT(d.getPres(2), 850);
    EXPECT_GT(d.getPres(2), 700);
    EXPECT_NE(d.getTemp(2), MISS); // filled in log pressure
}

TEST(UpaTool, MergesRealReportsIntoSortedSoundings) {
    for (int wmo : {72469, 72476, 72562, 72558, 74455, 74560}) {
        UpaRawinData raw;
        ASSERT_TRUE(fixtures::loadGempak("gempak_line_2020110700_parts.csv", wmo, raw)) << wmo;
        raw.sort();
        const float sfcp = raw.getManPr(raw.getSfc());
        const UpaLevel trop = raw.getMan(raw.getTrop());
        UpaData d;
        UpaTool::merge(raw, d);
        SCOPED_TRACE(wmo);
        ASSERT_GT(d.getNum(), 40);
        for (int i = 0; i < d.getNum(); ++i) {
            ASSERT_NE(d.getPres(i), MISS) << i;
            ASSERT_NE(d.getHght(i), MISS) << i;
            if (i > 0) {
                EXPECT_GT(d.getHght(i), d.getHght(i - 1)) << i;
                EXPECT_LT(d.getPres(i), d.getPres(i - 1)) << i;
            }
        }
        ASSERT_TRUE(d.isSfc());
        EXPECT_FLOAT_EQ(d.getSfcPres(), sfcp);
        // The elevation, or the height reported for a surface at a mandatory pressure.
        EXPECT_NEAR(d.getSfcHght(), d.getElev(), 1.5);
        // Everything under the surface is a mandatory level below ground.
        for (int i = 0; i < d.getSfc(); ++i) EXPECT_LT(d.getHght(i), d.getElev());
        if (raw.getTrop() != Const::MISS) {
            EXPECT_FLOAT_EQ(d.getTropPres(), trop.getPres());
            EXPECT_TRUE(d.getType(d.getTrop()) & UpaLevel::TROP);
        }
        if (raw.getMaxWnd() != Const::MISS) {
            EXPECT_TRUE(d.getType(d.getMaxWnd()) & UpaLevel::MWND);
        }
        // Reported mandatory heights stay as they were.
        for (int i = 0; i < raw.getNumMan(); ++i) {
            const UpaLevel m = raw.getMan(i);
            if (m.getType() != UpaLevel::MAN || m.getHght() == MISS || m.getTemp() == MISS)
                continue;
            UpaLevel o;
            d.interp(VCoord::PRESS, m.getPres(), o);
            EXPECT_NEAR(o.getHght(), m.getHght(), 0.5) << m.getPres();
        }
    }
}

TEST(UpaTool, MergedHeightsAndPressuresAgreeWithAnIndependentMerge) {
    // Topeka, 7 November 2020 00 UTC: significant-level heights and wind-level pressures
    // against GEMPAK's own merge of the same report: within 2 m, 0.05 % and 0.1 C (they
    // agree to 0.4 m at worst).
    UpaRawinData raw;
    ASSERT_TRUE(fixtures::loadGempak("gempak_TOP_2020110700_parts.csv", 72456, raw));
    UpaData d;
    UpaTool::merge(raw, d);
    std::ifstream in(fixtures::dataPath("gempak_TOP_2020110700_merged.csv"));
    std::string line;
    std::getline(in, line);
    int checked = 0;
    double worstH = 0, worstP = 0;
    while (std::getline(in, line)) {
        const auto f = fixtures::splitCsv(line);
        const float p = std::stof(f[0]), t = std::stof(f[1]), h = std::stof(f[5]);
        if (p < 100 || t == MISS) continue; // above the temperature reports
        UpaLevel o;
        d.interp(VCoord::PRESS, p, o);
        worstH = std::max(worstH, std::fabs(double(o.getHght()) - h));
        EXPECT_NEAR(o.getHght(), h, 2) << p;
        d.interp(VCoord::HGHT, h, o);
        worstP = std::max(worstP, std::fabs(double(o.getPres()) - p) / p);
        EXPECT_NEAR(o.getPres(), p, 0.0005 * p) << h;
        EXPECT_NEAR(o.getTemp(), t, 0.1) << p;
        ++checked;
    }
    EXPECT_GT(checked, 60);
    RecordProperty("worst_height_m", std::to_string(worstH));
    RecordProperty("worst_pressure_fraction", std::to_string(worstP));
}

TEST(UpaTool, HypsometricHeightsMatchReportedSignificantLevels) {
    // IEM 4 May 1999 00 UTC: significant levels enter without heights; the heights the
    // merge integrates between the reported mandatory heights must match the heights the
    // source lists for them.
    for (const char* st : {"KGJT", "KDNR", "KLBF", "KOAX", "KDVN", "KILX"}) {
        UpaRawinData raw;
        ASSERT_TRUE(fixtures::loadIem(st, raw)) << st;
        UpaData d;
        UpaTool::merge(raw, d);
        int checked = 0;
        for (const fixtures::IemLevel& l : fixtures::iemLevels(st)) {
            if (l.t == MISS || l.p < 100 || UpaLevel::isMandatory(l.p)) continue;
            UpaLevel o;
            d.interp(VCoord::PRESS, l.p, o);
            EXPECT_NEAR(o.getHght(), l.h, 3) << st << " " << l.p;
            ++checked;
        }
        EXPECT_GT(checked, 15) << st;
    }
}

TEST(UpaData, PrintListsMarkersAndKinds) {
    UpaData d;
    d.setId("OAX");
    d.setWmo(72558);
    d.setLoc(41.31f, -96.36f);
    d.addLevel(level(UpaLevel::SFC, 971, 350, 10, 5, 180, 10));
    d.addLevel(level(UpaLevel::MAN, 850, 1463, 3, -1, 200, 20));
    d.addLevel(level(UpaLevel::SIG, 800, 1900, 1, -3));
    d.addLevel(level(UpaLevel::WND, 790, 2000, MISS, MISS, 210, 25));
    d.addLevel(level(UpaLevel::TROP, 200, 11800, -55, -65));
    d.addLevel(level(0x40, 100, 16000));
    const std::string out = testutil::captureOut([&] { d.print(); });
    EXPECT_EQ(out, "Station: OAX\n"
                   "WMO ident:  72558\n"
                   "Latitude:   41.31\n"
                   "Longitude: -96.36\n"
                   "     Press    Height   Temp    Dewpt     Dir    Spd\n"
                   "SFC   971.0      350     10.0     5.0     180     10\n"
                   "M     850.0     1463      3.0    -1.0     200     20\n"
                   "S     800.0     1900      1.0    -3.0   -9999  -9999\n"
                   "W     790.0     2000  -9999.0 -9999.0     210     25\n"
                   "TROP  200.0    11800    -55.0   -65.0   -9999  -9999\n"
                   "40    100.0    16000  -9999.0 -9999.0   -9999  -9999\n");
}

TEST(UpaWmoData, HoldsOneCodedPart) {
    UpaWmoData w;
    EXPECT_EQ(w.getType(), 0);
    std::string big(1500, 'A');
    w.setData(big.c_str());
    EXPECT_EQ(std::string(w.getData()).size(), 999u);
    w.setId("72562");
    w.setWmo("72562");
    w.setType(UpaWmoData::TTBB);
    w.setData("TTBB 57001 72562 00911 25060");
    const std::string out = testutil::captureOut([&] { w.print(); });
    EXPECT_NE(out.find("ID: 72562\n"), std::string::npos);
    EXPECT_NE(out.find("Type: TTBB\n"), std::string::npos);
    EXPECT_NE(out.find("Data: TTBB 57001 72562 00911 25060\n"), std::string::npos);
    w.setType(15);
    EXPECT_NE(testutil::captureOut([&] { w.print(); }).find("Type: 15\n"), std::string::npos);
    w.init();
    EXPECT_STREQ(w.getData(), "");
}
