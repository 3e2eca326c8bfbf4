// The section's own quantities: the wind turned into the section along lines of known
// bearing, and the stability of a real sounding's layers, against numbers worked out
// independently of the library.
#include "HYX/ColumnCalc.h"
#include "HYX/EarthPoint.h"
#include "HYX/SectionGeometry.h"
#include "HYX/UpaCalc.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaLevel.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"
#include "HYX/VCoord.h"

#include "SoundingFixtures.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

using namespace HYX;

namespace {

constexpr float MISS = Const::FMISS;

UpaLevel windAt(float p, float dir, float spd) { return UpaLevel(p, MISS, MISS, MISS, dir, spd); }

} // namespace

// Three stations a line; the wind at the middle one (where the line has neighbours on both
// sides) and at the first. Bearings and components by hand:
//   north to south along 100 W: bearing 180; left of it is east.
//   along 40 N from 105 W to 95 W: 90 at the middle by symmetry; at the first station
//     atan2(sin 5 cos 40, cos 40 sin 40 (1 - cos 5)) = 88.393.
//   across the date line on the great circle lat = atan(sin(lon - 180)), which meets the
//     equator at 45 degrees: stations at -9.851 N 170 E, 0 N 180, 9.851 N 170 W.
// along = -spd cos(dir - bearing), across = spd sin(dir - bearing).
TEST(SectionGeometry, TurnsTheWindIntoLinesOfKnownBearing) {
    struct Case {
        const char* line;
        EarthPoint st[3];
        float dir, spd;
        int col;
        float bearing, along, normal;
    };
    const Case cases[] = {
        {"north-south", {{40, -100}, {35, -100}, {30, -100}}, 270, 20, 1, 180, 0, 20},
        {"north-south, wind from the north",
         {{40, -100}, {35, -100}, {30, -100}},
         0,
         15,
         1,
         180,
         15,
         0},
        {"west-east", {{40, -105}, {40, -100}, {40, -95}}, 225, 30, 1, 90, 21.2132f, 21.2132f},
        {"west-east, first station",
         {{40, -105}, {40, -100}, {40, -95}},
         180,
         10,
         0,
         88.393f,
         0.2805f,
         9.9961f},
        {"across the date line",
         {{-9.851f, 170}, {0, 180}, {9.851f, -170}},
         0,
         10,
         1,
         45,
         -7.0711f,
         -7.0711f},
        {"across the date line, wind along",
         {{-9.851f, 170}, {0, 180}, {9.851f, -170}},
         225,
         40,
         1,
         45,
         40,
         0},
    };
    for (const Case& c : cases) {
        const std::vector<float> dir =
            SectionGeometry::directions(std::vector<EarthPoint>(c.st, c.st + 3));
        ASSERT_EQ(dir.size(), 3u);
        // Bearings to 0.01 degree (float trigonometry), components to 0.002 kt.
        EXPECT_NEAR(dir[c.col], c.bearing, 0.01) << c.line;
        const ColumnCalc col(UpaData(), dir[c.col]);
        const UpaLevel lev = windAt(500, c.dir, c.spd);
        EXPECT_NEAR(col.value("twnd", lev), c.along, 0.002) << c.line;
        EXPECT_NEAR(col.value("NWND", lev), c.normal, 0.002) << c.line;
        // The section barb: the along component to the right, the normal one upwards.
        const Vect b = col.barb("sbarb", lev).toVect();
        EXPECT_NEAR(b.x, c.along, 0.002) << c.line;
        EXPECT_NEAR(b.y, c.normal, 0.002) << c.line;
    }
    // No direction without a second place: one station, or two at one place; a time
    // section's columns have none and give no components.
    EXPECT_EQ(SectionGeometry::directions({{40, -100}})[0], MISS);
    EXPECT_EQ(SectionGeometry::directions({{40, -100}, {40, -100}})[1], MISS);
    const ColumnCalc none(UpaData(), MISS);
    EXPECT_EQ(none.value("nwnd", windAt(500, 270, 20)), MISS);
    EXPECT_FALSE(none.barb("sbarb", windAt(500, 270, 20)).valid());
    EXPECT_TRUE(ColumnCalc::needsLine("sbarb") && !ColumnCalc::needsLine("lapse"));
}

// Omaha (KOAX) at 00 UTC 4 May 1999 as the bundled data file holds it, against the IEM
// sounding of the same station (tests/data): its levels with temperatures and heights give
// each layer's lapse rate and, by Poisson's equation (kappa = R / cp = 287.05 / 1004), its
// N^2 = g / theta dtheta/dz; the saturated equivalent potential temperature at a level is
// Bolton's (1980) eq. 43 with the level's own temperature as TL and the saturation mixing
// ratio of his eq. 10.
TEST(ColumnCalc, StabilityOfARealSoundingsLayers) {
    UpaFile file((std::string(HYX_SOURCE_DIR) + "/data/1999050400_upa.cvt").c_str());
    UpaRawinData raw;
    UpaData snd;
    while (file.read(raw) > 0)
        if (std::string(raw.getId()) == "KOAX") UpaTool::merge(raw, snd);
    ASSERT_GT(snd.getNum(), 50);
    const ColumnCalc col(snd, MISS);

    std::vector<fixtures::IemLevel> lev;
    for (const auto& l : fixtures::iemLevels("KOAX"))
        if (l.t != MISS && l.h != MISS) lev.push_back(l);
    const double kappa = 287.05 / 1004, g = 9.8;
    const auto theta = [&](const fixtures::IemLevel& l) {
        return (l.t + 273.15) * std::pow(1000.0 / l.p, kappa);
    };
    // The file codes temperatures to 0.2 K (even tenths above 0 C, odd below) and
    // significant levels to whole mb, and its heights, integrated from its mandatory
    // levels, differ from IEM's by up to 10 m a layer: up to 0.2 K between a layer's two
    // temperatures, 0.3 K between its potential temperatures, 10 m in its depth.
    int layers = 0;
    for (size_t i = 0; i + 1 < lev.size(); ++i) {
        const auto &a = lev[i], &b = lev[i + 1];
        if (b.p < 100) break;        // the section's top
        if (a.p - b.p < 8) continue; // thinner layers may lose or gain a level in coding
        UpaLevel mid;
        snd.interp(VCoord(VCoord::PRESS, (a.p + b.p) / 2), mid);
        const double dz = b.h - a.h, dth = theta(b) - theta(a), thm = (theta(a) + theta(b)) / 2;
        const double lapse = -(b.t - a.t) / dz * 1000;
        EXPECT_NEAR(col.value("lapse", mid), lapse, (200 + 10 * std::fabs(lapse)) / dz)
            << a.p << "-" << b.p << " mb";
        const double n2 = g / thm * dth / dz, tol = g / thm * (0.3 + 10 * std::fabs(dth) / dz) / dz;
        const float n = col.value("bvf", mid);
        if (n == MISS)
            EXPECT_LT(n2, tol) << a.p << "-" << b.p << " mb: unstable";
        else
            EXPECT_NEAR(n * n, n2, tol) << a.p << "-" << b.p << " mb";
        ++layers;
    }
    EXPECT_GT(layers, 30);

    for (float p : {850.0f, 700.0f, 500.0f, 300.0f, 200.0f}) {
        UpaLevel l;
        snd.interp(VCoord(VCoord::PRESS, p), l);
        const double t = l.t + 273.15, es = 6.112 * std::exp(17.67 * l.t / (l.t + 243.5));
        const double r = 622 * es / (p - es);
        const double bolton = t * std::pow(1000 / p, 0.2854 * (1 - 0.28e-3 * r)) *
                              std::exp((3.376 / t - 0.00254) * r * (1 + 0.81e-3 * r));
        // The library's theta-e, theta exp(2.652 w / T) with its own vapour pressure, keeps
        // within 0.5 K of Bolton's formula over this range.
        EXPECT_NEAR(col.value("thetaes", l), bolton, 0.5) << p;
        EXPECT_GE(col.value("thetaes", l), col.value("thetae", l)) << p;
    }
}

// A name looked up once gives what the name gives, for the section's quantities and those of
// a level alike, whatever the case; an unknown name gives nothing.
TEST(ColumnCalc, QuantityLookedUpOnceMatchesTheName) {
    UpaData snd;
    snd.addLevel(UpaLevel(900, 1000, 12.4f, 3.2f, 250, 35));
    snd.addLevel(UpaLevel(700, 3000, -2.6f, -9.8f, 270, 50));
    snd.addLevel(UpaLevel(500, 5600, -18.2f, -31.0f, 280, 70));
    const ColumnCalc col(snd, 75);
    const UpaLevel l(800, 2000, 5.1f, -1.7f, 262, 42);
    std::vector<std::string> names;
    for (int i = 0; ColumnCalc::getName(i); ++i) names.push_back(ColumnCalc::getName(i));
    for (int i = 0; UpaCalc::getName(i); ++i) names.push_back(UpaCalc::getName(i));
    ASSERT_GT(names.size(), 20u);
    int known = 0;
    for (const std::string& n : names) {
        std::string upper = n;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const float v = col.value(n.c_str(), l);
        EXPECT_EQ(col.value(ColumnCalc::quantity(n.c_str()), l), v) << n;
        EXPECT_EQ(col.value(ColumnCalc::quantity(upper.c_str()), l), v) << upper;
        known += v != MISS ? 1 : 0;
    }
    EXPECT_GT(known, 15) << "most quantities have a value at this level";
    EXPECT_EQ(col.value(ColumnCalc::quantity("vorticity"), l), MISS);
    EXPECT_EQ(UpaCalc::calc(l, UpaCalc::index("theta")), UpaCalc::calc(l, "theta"));
    EXPECT_EQ(UpaCalc::calc(l, 999), MISS);
}
