// Vertical coordinates and level texts, labels and GRIB codes.
#include "HYX/Level.h"
#include "HYX/String.h"
#include "HYX/VCoord.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace HYX;

namespace {

std::string text(const Level& l) {
    String s;
    l.toString(s);
    return s.get();
}

std::string label(const Level& l) {
    String s;
    l.toLabel(s);
    return s.get();
}

} // namespace

TEST(VCoord, DefaultsToPressureAndPrintsItsKind) {
    VCoord c;
    EXPECT_EQ(c.getType(), VCoord::PRESS);
    EXPECT_EQ(c.getVal(), Const::FMISS);
    EXPECT_TRUE(VCoord::equal(VCoord(5, 850), VCoord(5, 850)));
    EXPECT_FALSE(VCoord::equal(VCoord(5, 850), VCoord(6, 850)));
}

TEST(Level, DecodesPressureLevelsAndLayersInEveryForm) {
    for (const char* s : {"500mb", "500", "p500", "P500", "500MB", " 500mb "}) {
        Level l(s);
        EXPECT_EQ(l.getType(), Level::PR) << s;
        EXPECT_FLOAT_EQ(l.getLev1(), 500) << s;
        EXPECT_FALSE(l.isLayer()) << s;
        EXPECT_EQ(text(l), "500mb") << s;
        EXPECT_EQ(label(l), "500 mb") << s;
    }
    for (const char* s : {"p850-500", "500-850mb", "850-500", "p500-850"}) {
        Level l(s);
        EXPECT_TRUE(l.isLayer()) << s;
        EXPECT_EQ(l.getType1(), Level::PR) << s;
        EXPECT_EQ(l.getType2(), Level::PR) << s;
        EXPECT_FLOAT_EQ(l.getLev1(), 850) << s;
        EXPECT_FLOAT_EQ(l.getLev2(), 500) << s;
        EXPECT_EQ(text(l), "850-500mb") << s;
        EXPECT_EQ(label(l), "850-500 mb") << s;
    }
}

TEST(Level, DecodesHeightsWithUnitConversionAndOrder) {
    Level ft("3000ft");
    EXPECT_EQ(ft.getType(), Level::HT);
    EXPECT_NEAR(ft.getLev1(), 914.4, 1e-3); // 3000 x 0.3048
    EXPECT_EQ(text(ft), "914m");
    Level h("h3000-1000");
    EXPECT_EQ(h.getType(), Level::HT);
    EXPECT_FLOAT_EQ(h.getLev1(), 1000);
    EXPECT_FLOAT_EQ(h.getLev2(), 3000);
    EXPECT_EQ(text(h), "1000-3000m");
    // A bare first number takes the unit of the second, conversion included.
    Level l("1000-2000ft");
    EXPECT_EQ(l.getType1(), Level::HT);
    EXPECT_NEAR(l.getLev1(), 304.8, 1e-3);
    EXPECT_NEAR(l.getLev2(), 609.6, 1e-3);
    EXPECT_EQ(label(Level("10m_ag")), "10 m AG");
    EXPECT_EQ(Level("30mb_ag").getType(), Level::PAG);
}

TEST(Level, DecodesThetaSigmaAndOtherUnits) {
    Level k("k300-320");
    EXPECT_EQ(k.getType(), Level::POT);
    EXPECT_FLOAT_EQ(k.getLev1(), 320); // potential temperature layers: larger first
    Level k1("300K");
    EXPECT_EQ(k1.getType(), Level::POT);
    EXPECT_EQ(text(k1), "300K");
    EXPECT_EQ(label(k1), "300 K");
    // Sigma layers given with a unit: larger first.
    EXPECT_EQ(text(Level("0.5-0.9sig")), "0.900-0.50sig");
    EXPECT_EQ(label(Level("s0.85")), "0.850 sigma");
    EXPECT_EQ(text(Level("20hyb")), "20hyb");
}

TEST(Level, KeywordsAndPseudoValues) {
    Level sfc("sfc[30]");
    EXPECT_EQ(sfc.getType(), Level::SFC);
    EXPECT_FLOAT_EQ(sfc.getLev1(), 30);
    EXPECT_EQ(text(sfc), "sfc[30]");
    EXPECT_EQ(label(sfc), "Surface[30]");
    Level up("SFC");
    EXPECT_EQ(up.getType(), Level::SFC);
    EXPECT_FLOAT_EQ(up.getLev1(), 0);
    EXPECT_EQ(label(up), "Surface");
    EXPECT_EQ(Level("sea").getType(), Level::SFC);
    EXPECT_EQ(Level("Trop").getType(), Level::TROP);
    EXPECT_EQ(text(Level("pbl")), "pbl");   // a keyword beginning with a prefix letter
    EXPECT_FALSE(Level("cld_bot").isSet()); // written, never read

    EXPECT_EQ(text(Level(Level::PR, 1950)), "trop");
    EXPECT_EQ(label(Level(Level::PR, 1950)), "Trop");
    EXPECT_EQ(text(Level(Level::PR, 2000)), "sfc");
    EXPECT_EQ(label(Level(Level::PR, 2030)), "Sfc[30]");
    EXPECT_EQ(text(Level(Level::HT, 1000, Level::HT, 99500)), "1000m-trop");

    EXPECT_EQ(text(Level("-")), "-");
    EXPECT_EQ(label(Level(77, 1)), "Unknown lvl: 77");
    EXPECT_EQ(text(Level("snd")), "");
}

TEST(Level, UnsetAndUnreadableTextsLeaveItUnset) {
    for (const char* s :
         {"", "none", "NONE", "level", "miss", "xyz", "p", "foo-bar", "500-xyz", "nanmb"}) {
        Level l;
        l.set(Level::PR, 500);
        EXPECT_EQ(l.decode(s), 0) << s;
        EXPECT_FALSE(l.isSet()) << s;
        EXPECT_EQ(text(l), "") << s;
    }
    Level l;
    EXPECT_EQ(l.decode(nullptr), 0);
    std::string longText(200, '5');
    longText += "mb-" + std::string(200, 'x');
    EXPECT_EQ(l.decode(longText.c_str()), 0);
}

TEST(Level, SetOrdersLayersByKind) {
    Level l(Level::PR, 500, Level::PR, 850);
    EXPECT_FLOAT_EQ(l.getLev1(), 850);
    l.set(Level::HT, 3000, Level::HT, 1000);
    EXPECT_FLOAT_EQ(l.getLev1(), 1000);
    l.set(Level::PR, 500, Level::NONE, 850);
    EXPECT_FALSE(l.isLayer());
    l.set(Level::PR, 500, 850);
    EXPECT_FLOAT_EQ(l.getLev1(), 500); // the three-argument form always puts the smaller first
    l.set(Level::HT, 3000, Const::FMISS);
    EXPECT_FALSE(l.isLayer());
}

TEST(Level, MapsToSoundingCoordinates) {
    VCoord c;
    ASSERT_EQ(Level("p850-500").getUpper(c), 1);
    EXPECT_TRUE(VCoord::equal(c, VCoord(VCoord::PRESS, 500)));
    ASSERT_EQ(Level("k300-320").getUpper(c), 1);
    EXPECT_TRUE(VCoord::equal(c, VCoord(VCoord::THETA, 300)));
    EXPECT_EQ(Level("10m_ag").getLower(c), 0);
    EXPECT_EQ(Level("500mb").getUpper(c), 0);
}

TEST(Level, GribTypeAndLevelCodes) {
    // Layers code their bounds in kPa, hectometres or hundredths of sigma, top first.
    const std::tuple<const char*, int, int> rows[] = {
        {"500mb", 100, 500}, {"p850-500", 101, 50085}, {"h1000-3000", 104, 30010}};
    for (const auto& [t, type, code] : rows) {
        EXPECT_EQ(Level(t).toTypeCode(), type) << t;
        EXPECT_EQ(Level(t).toLevelCode(), code) << t;
    }
    EXPECT_EQ(Level().toLevelCode(), Const::MISS);
}
