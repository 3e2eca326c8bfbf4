// The sounding model: raw reports, merged soundings, filling, heights and pressures,
// vertical interpolation, checked by hand calculations and against real soundings.
#include "HYX/Calc.h"
#include "HYX/Hyx.h"
#include "HYX/UpaData.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"

#include "SoundingFixtures.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <initializer_list>

using namespace HYX;

namespace {

constexpr float MISS = Const::FMISS;
constexpr int MAN = UpaLevel::MAN, SIG = UpaLevel::SIG, WND = UpaLevel::WND, SFC = UpaLevel::SFC,
              TROP = UpaLevel::TROP, MWND = UpaLevel::MWND;
// Hypsometric scale R T / g of an isothermal layer at 0 C: 287.05 x 273.15 / 9.8 m.
constexpr double SCALE0 = 287.05 * 273.15 / 9.8;

UpaLevel level(int type, float p, float h, float t = MISS, float td = MISS, float dir = MISS,
               float spd = MISS) {
    UpaLevel l(p, h, t, td, dir, spd);
    l.setType(type);
    return l;
}

UpaData sounding(std::initializer_list<UpaLevel> levels) {
    UpaData d;
    for (const UpaLevel& l : levels) d.addLevel(l);
    return d;
}

UpaData merged(const UpaRawinData& raw) {
    UpaData d;
    UpaTool::merge(raw, d);
    return d;
}

UpaLevel at(const UpaData& d, int coord, float v) {
    UpaLevel o;
    d.interp(coord, v, o);
    return o;
}

std::string printed(const UpaLevel& l) {
    return testutil::captureOut([&] { l.print(); });
}

} // namespace

TEST(UpaRawinData, ListsMergeEqualKeysAndRefuseWhenFull) {
    UpaRawinData r;
    EXPECT_EQ(r.addMan(level(MAN, 850, 1500, 10)), 0);
    EXPECT_EQ(r.addMan(level(MAN, 700, 3000)), 1);
    // The same pressure again fills only the missing fields of the existing entry.
    EXPECT_EQ(r.addMan(level(MAN, 850, 1400, 5, 2, 270, 15)), 0);
    EXPECT_EQ(printed(r.getMan(0)),
              "P: 850.0 H:   1500 T:   10.0 Td:    2.0 Dir:   270 Spd:    15\n");
    EXPECT_EQ(r.addMan(level(MAN, MISS, 100)), Const::MISS);
    EXPECT_EQ(r.getNumMan(), 2);
    for (int i = 0; i < 30; ++i) r.addMan(level(MAN, 600 - i, MISS));
    EXPECT_EQ(r.getNumMan(), UpaRawinData::max_man);
    EXPECT_EQ(r.addMan(level(MAN, 1, 1)), -1);
    for (int i = 0; i < 300; ++i) r.addSig(level(SIG, 1000 - i * 3, MISS));
    EXPECT_EQ(r.getNumSig(), UpaRawinData::max_sig);
    EXPECT_EQ(r.addSig(level(SIG, 5, MISS)), -1);

    // A surface wind is stored at height 0 whatever height it was given.
    EXPECT_EQ(r.addWnd(level(SFC, MISS, 1234, MISS, MISS, 180, 5)), 0);
    EXPECT_FLOAT_EQ(r.getWndHt(0), 0);
    // A level stored out of order is still found by its key.
    UpaRawinData o;
    o.addSig(level(SIG, 900, MISS));
    o.addSig(level(SIG, 800, MISS));
    o.setSig(0, level(SIG, 700, MISS));
    EXPECT_EQ(o.addSig(level(SIG, 700, MISS, 5)), 0);
    EXPECT_EQ(o.addSig(level(SIG, 600, MISS)), 2);
}

TEST(UpaRawinData, SortKeepsMarkersOnTheirLevels) {
    UpaRawinData r;
    r.addMan(level(MAN, 500, 5500));
    r.setTrop(r.addMan(level(TROP, 250, MISS)));
    r.setSfc(r.addMan(level(SFC, 960, MISS)));
    r.addMan(level(MAN, 850, 1500));
    r.setMaxWnd(r.addMan(level(MWND, 300, MISS)));
    r.addWnd(level(WND, MISS, 9000));
    r.addWnd(level(WND, MISS, 2000));
    r.addSig(level(SIG, 700, MISS));
    r.addSig(level(SIG, 900, MISS));
    r.sort();
    const float want[] = {960, 850, 500, 300, 250};
    for (int i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(r.getManPr(i), want[i]) << i;
    EXPECT_FLOAT_EQ(r.getManPr(r.getSfc()), 960);
    EXPECT_FLOAT_EQ(r.getManPr(r.getTrop()), 250);
    EXPECT_FLOAT_EQ(r.getManPr(r.getMaxWnd()), 300);
    EXPECT_FLOAT_EQ(r.getSigPr(0), 900);
    EXPECT_FLOAT_EQ(r.getWndHt(0), 2000);
}

TEST(UpaData, DeleteAndUpdateKeepMarkersConsistent) {
    UpaData d = sounding({level(MAN, 1000, MISS), level(MAN, 900, MISS), level(MAN, 800, MISS),
                          level(MAN, 700, MISS)});
    d.setSfc(0);
    d.setTrop(3);
    d.setMaxWnd(1);
    EXPECT_EQ(d.delLevel(1), 1);
    EXPECT_FLOAT_EQ(d.getPres(1), 800);
    EXPECT_EQ(d.getSfc(), 0);
    EXPECT_EQ(d.getTrop(), 2);             // above the deleted level: one down
    EXPECT_EQ(d.getMaxWnd(), Const::MISS); // the deleted level itself
    EXPECT_EQ(d.delLevel(5), 0);
    EXPECT_EQ(d.delLevel(-1), 1);
    EXPECT_EQ(d.getTrop(), Const::MISS);

    EXPECT_EQ(d.updateLevel(0, level(SIG, 999, 10, 15, MISS, 90, 5)), 1);
    // Present values are kept; the kind is not touched.
    EXPECT_EQ(printed(d.getLevel(0)),
              "P:1000.0 H:     10 T:   15.0 Td:-9999.0 Dir:    90 Spd:     5\n");
    EXPECT_EQ(d.getType(0), MAN);
    EXPECT_EQ(d.updateLevel(4, UpaLevel()), 0);
}

TEST(UpaData, SortingCarriesMarkersAndCombinesEqualKeys) {
    UpaData d =
        sounding({level(MAN, 500, 5600, -20), level(MAN, 850, 1500, 5), level(SIG, 700, MISS, -2),
                  level(SFC, 950, MISS, 15, 10), level(SIG, 850, MISS, 7, 1, 200, 30)});
    d.setSfc(3);
    d.setTrop(0);
    d.sortPres();
    ASSERT_EQ(d.getNum(), 4); // the two 850 mb levels are one
    EXPECT_FLOAT_EQ(d.getPres(0), 950);
    EXPECT_EQ(d.getSfc(), 0);
    EXPECT_EQ(d.getTrop(), 3);
    // The lower-index (first added) level keeps its values and takes the other's missing ones.
    EXPECT_EQ(printed(d.getLevel(1)),
              "P: 850.0 H:   1500 T:    5.0 Td:    1.0 Dir:   200 Spd:    30\n");

    UpaData h = sounding({level(WND, MISS, 3000, MISS, MISS, 270, 20), level(SIG, 800, MISS),
                          level(SFC, 950, 500), level(WND, MISS, 500, MISS, MISS, 180, 5)});
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
    UpaData d = sounding({level(MAN, 1000, 0, 20, 10, 350, 10), level(SIG, 850, MISS),
                          level(SIG, 707.107f, MISS), level(MAN, 500, MISS, -10, MISS, 10, 10),
                          level(SIG, 400, MISS)});
    d.interpTemps();
    // 20 + (-10 - 20) ln(850/1000) / ln(500/1000) = 12.966 (hand calculation)
    EXPECT_NEAR(d.getTemp(1), 12.966, 1e-3);
    EXPECT_NEAR(d.getTemp(2), 5, 1e-3); // half-way in ln p
    EXPECT_EQ(d.getTemp(4), MISS);      // above the last temperature: nothing to fill from
    EXPECT_EQ(d.getDewp(1), MISS);      // dew points run separately: no upper bound here
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
    UpaData d = sounding(
        {level(MAN, 1000, 0, 0), level(SIG, 900, MISS, 0), level(SIG, 800, MISS, 0),
         level(MAN, 700, static_cast<float>(exact(700) + 30), 0), level(SIG, 600, MISS, 0)});
    d.calcHeight();
    // The 30 m misfit at 700 mb is spread linearly in pressure over the layer below it.
    EXPECT_NEAR(d.getHght(1), exact(900) + 10, 0.05);
    EXPECT_NEAR(d.getHght(2), exact(800) + 20, 0.05);
    EXPECT_NEAR(d.getHght(3), exact(700) + 30, 1e-3); // the known height stays
    // Above the last known height the integration simply continues.
    EXPECT_NEAR(d.getHght(4), exact(600) + 30, 0.05);

    // A first level without height is placed from the level above it.
    d = sounding({level(SFC, 1000, MISS, 0), level(MAN, 850, static_cast<float>(exact(850)), 0)});
    d.calcHeight();
    EXPECT_NEAR(d.getHght(0), 0, 0.05);
    // Only the surface height known: integrated from there.
    d = sounding({level(SFC, 1000, 100, 0), level(SIG, 500, MISS, 0)});
    d.calcHeight();
    EXPECT_NEAR(d.getHght(1), 100 + exact(500), 0.1);
    d = sounding({level(SIG, 900, MISS, 0), level(SIG, 800, MISS, 0)});
    d.calcHeight();
    EXPECT_EQ(d.getHght(1), MISS);
}

TEST(UpaData, PressuresFromHeightsUseTheLayerMeanTemperature) {
    auto exactP = [](double h) { return 1000 * std::exp(-h / SCALE0); };
    UpaData d = sounding({level(SFC, 1000, 0, 0), level(WND, MISS, 1000), level(WND, MISS, 2000),
                          level(MAN, static_cast<float>(exactP(3000)), 3000, 0)});
    d.calcPres();
    // An isothermal layer: its mean temperature from the bounding heights is exact.
    EXPECT_NEAR(d.getPres(1), exactP(1000), 0.01);
    EXPECT_NEAR(d.getPres(2), exactP(2000), 0.01);

    // Above the last pressure: the first level's temperature less 6.5 K per km at the level.
    d = sounding({level(SFC, 1000, 0, 15), level(WND, MISS, 1000)});
    d.calcPres();
    EXPECT_NEAR(d.getPres(1), 1000 * std::exp(-1000 * 9.8 / (287.05 * (288.15 - 6.5))), 0.01);

    // A first level without pressure (nor temperature) is placed from the one above it
    // through the standard atmosphere at that level.
    d = sounding({level(WND, MISS, 0), level(MAN, 850, 1500, 0)});
    d.calcPres();
    EXPECT_NEAR(d.getPres(0), 850 * std::exp(1500 * 9.8 / (287.05 * (288.15 - 0.0065 * 1500))),
                0.01);
}

TEST(UpaData, InterpolatesLinearlyInLogPressure) {
    UpaData d =
        sounding({level(MAN, 950, 500, 20, 10, 350, 10), level(MAN, 850, 1400, 10, 0, 10, 30),
                  level(MAN, 700, 3000, -5, -15, 40, 50)});
    UpaLevel o;
    // Half-way in -ln p between 950 and 850 mb is sqrt(950 x 850) = 898.6 mb.
    EXPECT_EQ(d.interp(VCoord(VCoord::PRESS, std::sqrt(950.f * 850.f)), o), 1);
    EXPECT_NEAR(o.getTemp(), 15, 1e-3);
    EXPECT_NEAR(o.getHght(), 950, 1e-2);
    EXPECT_NEAR(std::fmod(o.getWDir() + 180, 360.f), 180, 1e-3); // 350 to 10 through north
    EXPECT_NEAR(o.getWSpd(), 20, 1e-3);

    // Below the lowest level: extrapolated from the two lowest levels.
    EXPECT_EQ(d.interp(VCoord::PRESS, 1000, o), 1);
    const double w = (-std::log(1000.) + std::log(950.)) / (-std::log(850.) + std::log(950.));
    EXPECT_NEAR(o.getTemp(), 20 + (10 - 20) * w, 1e-3);
    // Above the top: missing, except the target pressure itself.
    EXPECT_EQ(d.interp(VCoord::PRESS, 500, o), 3);
    EXPECT_EQ(printed(o), "P: 500.0 H:  -9999 T:-9999.0 Td:-9999.0 Dir: -9999 Spd: -9999\n");
    EXPECT_EQ(printed(at(d, VCoord::PRESS, 850)), // exactly on a level
              "P: 850.0 H:   1400 T:   10.0 Td:    0.0 Dir:    10 Spd:    30\n");

    // Height and potential temperature coordinates are linear in their own variable.
    o = at(d, VCoord::HGHT, 2200);
    EXPECT_NEAR(o.getTemp(), 2.5, 1e-3);
    EXPECT_NEAR(o.getPres(), 775, 1e-2);
    const float th0 = Calc::potTemp(283.15f, 850), th1 = Calc::potTemp(268.15f, 700);
    EXPECT_NEAR(at(d, VCoord::THETA, (th0 + th1) / 2).getHght(), 2200, 0.1);

    // Given the levels' logarithms once, the same results at any pressure.
    const std::vector<double> logs = d.pressCoords();
    for (float p = 1100; p > 400; p -= 7.5f) {
        UpaLevel a, b;
        const VCoord c(VCoord::PRESS, p);
        EXPECT_EQ(d.interp(c, a), d.interp(c, b, logs)) << p;
        EXPECT_TRUE(a.getPres() == b.getPres() && a.getHght() == b.getHght() &&
                    a.getTemp() == b.getTemp() && a.getDewpt() == b.getDewpt() &&
                    a.getWDir() == b.getWDir() && a.getWSpd() == b.getWSpd())
            << p;
    }

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
    UpaData d = sounding({level(MAN, 900, 1000, 10), level(MAN, 500, 5600, -20)});
    EXPECT_FLOAT_EQ(at(d, VCoord::HGHT, 1002).getPres(), 900); // within 3 m of a level
    EXPECT_FLOAT_EQ(at(d, VCoord::HGHT, 5598).getPres(), 500);
    const UpaLevel o = at(d, VCoord::HGHT, 3000);
    EXPECT_EQ(o.getPres(), MISS);
    EXPECT_NE(o.getTemp(), MISS); // the other fields still interpolate
    d.setPres(1, 650);            // a 250 mb gap is interpolated
    EXPECT_NEAR(at(d, VCoord::HGHT, 3300).getPres(), 775, 1e-3);
}

TEST(UpaTool, MergeRemovesBadLevelsAndPlacesTheSurface) {
    // Potential temperatures 3.5 K and 2.5 K below the level under them.
    UpaRawinData r;
    r.setElev(300);
    const float th0 = Calc::potTemp(293.15f, 1000);
    auto tAt = [&](float theta, float p) { return theta * std::pow(p / 1000, 0.286f) - 273.15f; };
    r.addMan(level(MAN, 1000, 300, 20, 10));
    r.addSig(level(SIG, 950, MISS, tAt(th0 - 3.5f, 950)));
    r.addSig(level(SIG, 900, MISS, tAt(th0 - 2.5f, 900)));
    r.addMan(level(MAN, 850, 1500, tAt(th0 + 2, 850)));
    r.addSig(level(SIG, 750, MISS, tAt(th0 - 1.5f, 750))); // 3.5 K under 850 mb
    r.addSig(level(SIG, 700, MISS, tAt(th0 + 5, 700)));
    r.addSig(level(SIG, 650, MISS)); // no temperature above a known one
    UpaData d;
    const uint32_t mask = Hyx::getMessageMask();
    Hyx::setMessageLevel("debug5");
    const std::string log = testutil::captureOut([&] { UpaTool::merge(r, d); });
    Hyx::setMessageMask(mask);
    for (const char* line :
         {"MAN: 1 - 1 = 850\n", "SIG: 0 - 2 = 950\n", "BAD: 1 = 950\n", "BAD: 3 = 750\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line << log;
    ASSERT_EQ(d.getNum(), 4);
    const float want[] = {1000, 900, 850, 700};
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(d.getPres(i), want[i]) << i;
    EXPECT_EQ(d.getSfc(), 0); // first level above 600 mb
    EXPECT_FLOAT_EQ(d.getSfcHght(), 300);

    UpaRawinData hi, lo;
    hi.addSig(level(SIG, 700, MISS, 0));
    hi.addSig(level(SIG, 600, MISS, -8));
    EXPECT_EQ(merged(hi).getSfc(), 0);
    lo.addSig(level(SIG, 600, MISS, -8));
    lo.addSig(level(SIG, 500, MISS, -15));
    EXPECT_FALSE(merged(lo).isSfc());
}

TEST(UpaTool, MergePutsTheSurfaceWindAtTheStationElevation) {
    UpaRawinData r;
    r.setId("XYZ", 12345, 40, -100);
    r.setElev(849);
    r.setSfc(r.addMan(level(SFC, 911, MISS, 25, -2)));
    r.addMan(level(MAN, 850, 1455, 21.8f, -3.2f, 185, 37));
    r.addMan(level(MAN, 700, 3098, 11.6f, -26.4f, 220, 37));
    r.addSig(level(SIG, 911, MISS, 25, -2));
    r.addWnd(level(SFC, MISS, 5555, MISS, MISS, 180, 8));
    r.addWnd(level(WND, MISS, 6000, MISS, MISS, 190, 38));
    const UpaData d = merged(r);
    EXPECT_EQ(d.getWmo(), 12345);
    ASSERT_EQ(d.getSfc(), 0);
    // The surface wind joined the surface level.
    EXPECT_EQ(printed(d.getLevel(0)),
              "P: 911.0 H:    849 T:   25.0 Td:   -2.0 Dir:   180 Spd:     8\n");
    ASSERT_EQ(d.getNum(), 4);
    EXPECT_NEAR(d.getHght(2), 6000 * 0.3048, 1e-2);
    EXPECT_LT(d.getPres(2), 850);
    EXPECT_GT(d.getPres(2), 700);
    EXPECT_NE(d.getTemp(2), MISS); // filled in log pressure
}

TEST(UpaTool, MergedHeightsAndPressuresAgreeWithAnIndependentMerge) {
    // Topeka, 7 November 2020 00 UTC: significant-level heights and wind-level pressures
    // against GEMPAK's own merge of the same report: within 2 m, 0.05 % and 0.1 C (they
    // agree to 0.4 m at worst).
    UpaRawinData raw;
    ASSERT_TRUE(fixtures::loadGempak("gempak_TOP_2020110700_parts.csv", 72456, raw));
    const UpaData d = merged(raw);
    // The surface, the first tropopause and the first maximum wind stay marked.
    ASSERT_NE(raw.getTrop(), Const::MISS);
    EXPECT_FLOAT_EQ(d.getSfcPres(), raw.getManPr(raw.getSfc()));
    EXPECT_FLOAT_EQ(d.getTropPres(), raw.getManPr(raw.getTrop()));
    EXPECT_FLOAT_EQ(d.getMaxWndPres(), raw.getManPr(raw.getMaxWnd()));
    std::ifstream in(fixtures::dataPath("gempak_TOP_2020110700_merged.csv"));
    std::string line;
    std::getline(in, line);
    int checked = 0;
    while (std::getline(in, line)) {
        const auto f = fixtures::splitCsv(line);
        const float p = std::stof(f[0]), t = std::stof(f[1]), h = std::stof(f[5]);
        if (p < 100 || t == MISS) continue; // above the temperature reports
        EXPECT_NEAR(at(d, VCoord::PRESS, p).getHght(), h, 2) << p;
        const UpaLevel o = at(d, VCoord::HGHT, h);
        EXPECT_NEAR(o.getPres(), p, 0.0005 * p) << h;
        EXPECT_NEAR(o.getTemp(), t, 0.1) << p;
        ++checked;
    }
    EXPECT_GT(checked, 60);
}
