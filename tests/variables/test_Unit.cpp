// Unit conversion through the unit table and numeric unit factors.
#include "HYX/Const.h"
#include "HYX/Hyx.h"
#include "HYX/String.h"
#include "HYX/Unit.h"

#include "TestUtil.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

using namespace HYX;

namespace {

constexpr float MISS = Const::FMISS;

// A database directory holding only the given unit table.
class UnitTable : public ::testing::Test {
protected:
    void SetUp() override {
        saved = Hyx::getDatabasePath();
        Hyx::setDatabasePath(dir.path().c_str());
    }
    void TearDown() override { Hyx::setDatabasePath(saved.c_str()); }
    void table(const std::string& text) { dir.write("units.lup", text); }

    testutil::ScratchDir dir;
    std::string saved;
};

} // namespace

TEST_F(UnitTable, EqualUnitsAndMissingValuesNeedNoTable) {
    Unit u;
    for (const char* a : {"C", "m s", ""}) EXPECT_FLOAT_EQ(u.convert(25.0f, a, a), 25.0f) << a;
    EXPECT_FLOAT_EQ(u.convert(25.0f, "m s", "M_S"), 25.0f);
    EXPECT_EQ(u.convert(MISS, "C", "F"), MISS);
    EXPECT_EQ(u.getNum(), 0) << "nothing was looked up";
    EXPECT_FALSE(u.valid("", ""));
    EXPECT_FALSE(u.valid(nullptr, nullptr));
    EXPECT_TRUE(u.valid("m/s", "M/S"));
    // No table: an unknown pair is neither valid nor convertible, and says nothing.
    std::string err = testutil::captureErr([&] {
        EXPECT_FALSE(u.valid("C", "F"));
        EXPECT_EQ(u.convert(100.0f, "C", "F"), MISS);
    });
    EXPECT_EQ(err, "");
    EXPECT_EQ(u.convert(3.0f, "", "C"), MISS) << "one empty unit is not a conversion";
}

TEST_F(UnitTable, TableEntriesConvertWithMultiplierAndOffset) {
    table("# temperature\nC F *1.8+32\nK C -273.15\nC K +273.15\n"
          "kt m/s *0.5144444\n  f  c  *0.5555556-17.777778\n");
    Unit u;
    EXPECT_TRUE(u.valid("C", "F"));
    EXPECT_FLOAT_EQ(u.convert(100.0f, "C", "F"), 212.0f);
    EXPECT_FLOAT_EQ(u.convert(-40.0f, "c", "f"), -40.0f) << "names ignore case";
    EXPECT_NEAR(u.convert(300.0f, "K", "C"), 26.85f, 1e-4);
    EXPECT_NEAR(u.convert(0.0f, "C", "K"), 273.15f, 1e-4);
    EXPECT_NEAR(u.convert(10.0f, "kt", "m/s"), 5.144444f, 1e-5);
    // Leading blanks before an entry are allowed; 212 F is 100 C within the table's digits.
    EXPECT_NEAR(u.convert(212.0f, "F", "C"), 100.0f, 1e-4);
    EXPECT_EQ(u.convert(100.0f, "C", "furlong"), MISS);
    EXPECT_FALSE(u.valid("C", "furlong"));
    EXPECT_FALSE(u.valid("F", "K")) << "conversions are not chained";
}

TEST_F(UnitTable, NumericFactorsConvertWithoutTheTable) {
    Unit u;
    EXPECT_FLOAT_EQ(u.convert(1500.0f, "m", "10^3 m"), 1.5f);
    EXPECT_FLOAT_EQ(u.convert(1.5f, "10^3 m", "m"), 1500.0f);
    EXPECT_FLOAT_EQ(u.convert(2.0f, "kg", "10^-3 kg"), 2000.0f);
    EXPECT_FLOAT_EQ(u.convert(250.0f, "m", "100 m"), 2.5f);
    EXPECT_FLOAT_EQ(u.convert(4.0f, "m", "-m"), -4.0f);
    EXPECT_TRUE(u.valid("10^3 m", "m"));
    EXPECT_EQ(u.getNum(), 0);
    // Factors combine with a table entry: 2 km in thousands of feet.
    table("km ft *3280.8399\n");
    EXPECT_NEAR(u.convert(2.0f, "km", "10^3 ft"), 6.5616798f, 1e-5);
    EXPECT_NEAR(u.convert(2.0f, "1000 m", "km"), MISS, 0) << "m to km is not in this table";
    EXPECT_EQ(u.convert(1.0f, "10^999 m", "m"), MISS) << "an overflowing factor is refused";
}

TEST_F(UnitTable, GarbledAndOverlongLinesAreSkipped) {
    std::string text = "# header\n";
    text += std::string(5000, 'x') + " y *2\n";        // overlong line
    text += "C\n";                                     // one word
    text += "C F\n";                                   // two words
    text += std::string("\x01\x02\xff\xfe bin ary\n"); // binary bytes
    text += "averyveryverylongname F *3\n";            // name beyond 14
    text += "C F *abc\n";                              // bad conversion
    text += "C F *1e40\n";                             // not a float
    text += "C\tF\t*1.8+32\r\n";                       // tabs and CR LF
    text += "C F *9\n";                                // later duplicate
    table(text);
    Unit u;
    EXPECT_FLOAT_EQ(u.convert(100.0f, "C", "F"), 212.0f) << "the first sound entry wins";
    EXPECT_FALSE(u.valid("averyveryveryl", "F"));
    EXPECT_FALSE(u.valid("xxxxxxxxxxxxxx", "y"));
    // A table without a final line end and with a NUL byte in it.
    table(std::string("a b *2\n\0c d *3\ne f *4", 21));
    Unit v;
    EXPECT_FLOAT_EQ(v.convert(1.0f, "a", "b"), 2.0f);
    EXPECT_FLOAT_EQ(v.convert(1.0f, "e", "f"), 4.0f);
    // Unit strings longer than the cache fields still convert, uncached.
    table("C F *1.8+32\n");
    Unit w;
    const std::string longname(200, 'C');
    EXPECT_EQ(w.convert(1.0f, longname.c_str(), "F"), MISS);
    EXPECT_EQ(w.getNum(), 0);
    EXPECT_FLOAT_EQ(w.convert(1.0f, ("10^0" + std::string(30, ' ') + "C").c_str(), "F"), 33.8f);
    EXPECT_EQ(w.getNum(), 0);
}

TEST(Unit, ParseSimplifyAndScaleUnitTexts) {
    String name, units;
    Unit::parse(" temp [C] ", name, units);
    EXPECT_EQ(std::string(name.get()) + "|" + units.get(), "temp|C");
    String s("g kg/kg");
    EXPECT_EQ(Unit::simplify(s), 1);
    EXPECT_STREQ(s.get(), "g");
    String r;
    Unit::scale("10^-5 /s", 1.0e5f, "", r);
    EXPECT_STREQ(r.get(), "10^-10 /s");
}

// The installed table: every entry has its reverse, and the round trip is exact.
TEST(UnitDatabase, InstalledTableConvertsBothWays) {
    const std::string saved = Hyx::getDatabasePath();
    Hyx::setDatabasePath(HYX_SHARE);
    std::ifstream f(std::string(HYX_SHARE) + "/units.lup");
    std::string line;
    int entries = 0;
    while (std::getline(f, line)) {
        std::istringstream ws(line);
        std::string in, out, cvt;
        if (!(ws >> in) || in[0] == '#') continue;
        ASSERT_TRUE(ws >> out >> cvt) << line;
        Unit u;
        ASSERT_TRUE(u.valid(in.c_str(), out.c_str())) << line;
        ASSERT_TRUE(u.valid(out.c_str(), in.c_str())) << "no reverse for " << line;
        for (float v : {-40.0f, 0.0f, 12.5f, 1000.0f}) {
            const float there = u.convert(v, in.c_str(), out.c_str());
            const float back = u.convert(there, out.c_str(), in.c_str());
            EXPECT_NEAR(back, v, 1e-4f * (1.0f + std::fabs(v))) << line;
        }
        ++entries;
    }
    EXPECT_GT(entries, 40);
    // Values a forecaster checks by heart (definitions: 1 kt = 1852/3600 m/s,
    // 1 inHg = 33.8639 hPa, 1 ft = 0.3048 m).
    Unit u;
    EXPECT_FLOAT_EQ(u.convert(100.0f, "C", "F"), 212.0f);
    EXPECT_NEAR(u.convert(-40.0f, "F", "C"), -40.0f, 1e-4);
    EXPECT_NEAR(u.convert(273.15f, "K", "C"), 0.0f, 1e-4);
    EXPECT_NEAR(u.convert(50.0f, "knt", "m/s"), 25.7222f, 1e-3);
    EXPECT_NEAR(u.convert(1013.25f, "mb", "inHg"), 29.921f, 1e-3);
    EXPECT_NEAR(u.convert(10000.0f, "ft", "m"), 3048.0f, 1e-2);
    EXPECT_NEAR(u.convert(0.012f, "kg/kg", "g/kg"), 12.0f, 1e-4);
    EXPECT_NEAR(u.convert(5500.0f, "m", "dam"), 550.0f, 1e-3);
    Hyx::setDatabasePath(saved.c_str());
}
