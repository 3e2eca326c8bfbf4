// Vertical coordinates and level texts, labels and GRIB codes.
#include "HYX/Level.h"
#include "HYX/String.h"
#include "HYX/VCoord.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
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

TEST(Level, DecodesHeightsThetaSigmaAndKeywords) {
    // Text, kind of the (lower) bound, bounds, text form and label; ANY and nullptr where the
    // row does not check.
    const float ANY = NAN;
    const struct {
        const char* in;
        int type;
        float lev1, lev2;
        const char* text;
        const char* label;
    } rows[] = {{"3000ft", Level::HT, 914.4f, ANY, "914m", nullptr}, // 3000 x 0.3048
                {"h3000-1000", Level::HT, 1000, 3000, "1000-3000m", nullptr},
                // A bare first number takes the unit of the second, conversion included.
                {"1000-2000ft", Level::HT, 304.8f, 609.6f, nullptr, nullptr},
                {"10m_ag", -1, ANY, ANY, nullptr, "10 m AG"},
                {"30mb_ag", Level::PAG, ANY, ANY, nullptr, nullptr},
                // Potential temperature and sigma layers given with a unit: larger first.
                {"k300-320", Level::POT, 320, ANY, nullptr, nullptr},
                {"300K", Level::POT, ANY, ANY, "300K", "300 K"},
                {"0.5-0.9sig", -1, ANY, ANY, "0.900-0.50sig", nullptr},
                {"s0.85", -1, ANY, ANY, nullptr, "0.850 sigma"},
                {"20hyb", -1, ANY, ANY, "20hyb", nullptr},
                {"sfc[30]", Level::SFC, 30, ANY, "sfc[30]", "Surface[30]"},
                {"SFC", Level::SFC, 0, ANY, nullptr, "Surface"},
                {"sea", Level::SFC, ANY, ANY, nullptr, nullptr},
                {"Trop", Level::TROP, ANY, ANY, nullptr, nullptr},
                {"pbl", -1, ANY, ANY, "pbl", nullptr}}; // a keyword beginning with a prefix letter
    for (const auto& r : rows) {
        SCOPED_TRACE(r.in);
        const Level l(r.in);
        EXPECT_TRUE(r.type < 0 || l.getType1() == r.type) << l.getType1();
        EXPECT_TRUE(std::isnan(r.lev1) || std::fabs(l.getLev1() - r.lev1) < 1e-3) << l.getLev1();
        EXPECT_TRUE(std::isnan(r.lev2) || std::fabs(l.getLev2() - r.lev2) < 1e-3) << l.getLev2();
        EXPECT_TRUE(!r.text || text(l) == r.text) << text(l);
        EXPECT_TRUE(!r.label || label(l) == r.label) << label(l);
    }
    EXPECT_FALSE(Level("cld_bot").isSet()); // written, never read
}

TEST(Level, PseudoValuesAndUnknownKinds) {
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
