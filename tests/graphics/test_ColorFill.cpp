// Colour-fill lists: table colours, ranges, values, fill files and band lookup.
#include "HYX/ColorFill.h"
#include "HYX/ColorMap.h"
#include "HYX/Hyx.h"
#include "HYX/Resrc.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <string>

using namespace HYX;

namespace {

class ColorFillTest : public ::testing::Test {
protected:
    void SetUp() override {
        old_path = Hyx::getDatabasePath() ? Hyx::getDatabasePath() : "";
        Hyx::setDatabasePath(dir.path().c_str());
        Hyx::getResrcStore().clear();
        // blue 0, green 1, red 2, then c3 .. c9; the first four form the fill sequence.
        map.add("blue", 0, 0, 1);
        map.add("green", 0, 1, 0);
        map.add("red", 1, 0, 0);
        for (int i = 3; i < 10; ++i) map.add(("c" + std::to_string(i)).c_str(), 0.1f * i, 0, 0);
        map.setNumFill(4);
    }
    void TearDown() override {
        Hyx::setDatabasePath(old_path.c_str());
        Hyx::getResrcStore().clear();
    }
    testutil::ScratchDir dir;
    std::string old_path;
    ColorMap map{64};
};

} // namespace

TEST_F(ColorFillTest, WithoutAListTakesTheTableFillColours) {
    ColorFill f(map, nullptr);
    ASSERT_EQ(f.getNum(), 4);
    EXPECT_FALSE(f.areValuesSet());
    EXPECT_STREQ(f.getColorName(1), "green");
    EXPECT_EQ(f.getColor(3), 3);
    EXPECT_EQ(f.getColor(4), -1);
    EXPECT_STREQ(f.getColorName(9), "");
}

TEST_F(ColorFillTest, IntervalModeRepeatsTheEntries) {
    ColorFill f(map, "c3,c4,c5,c6,c7,c8,c9,blue");
    ASSERT_EQ(f.getNum(), 8);
    f.setBase(0);
    f.setInterval(1);
    // The ninth band (8..9) reuses the first colour; bands below the base count backwards;
    // the 0.01 allowance puts a value a hair below a level into the band above it.
    const std::pair<float, int> bands[] = {{8.5f, 0},  {7.2f, 7},   {-0.5f, 7},
                                           {-8.5f, 7}, {2.995f, 3}, {Const::FMISS, Const::MISS}};
    for (const auto& [v, ind] : bands) EXPECT_EQ(f.getInd(v), ind) << v;
    EXPECT_STREQ(f.get(8.5f).getColor(), "c3");
    EXPECT_FALSE(f.get(Const::FMISS).validColor());
    // Huge values stay in range.
    const int k = f.getInd(3.0e38f);
    EXPECT_TRUE(k >= 0 && k < 8);
    // Without an interval every value takes the first entry.
    f.setInterval(0);
    EXPECT_EQ(f.getColor(5.0f), 3);
}

TEST_F(ColorFillTest, ValueItemsColourBandsFromTheirValueUp) {
    ColorFill f(map, "0:blue,10:green,20:red");
    ASSERT_TRUE(f.areValuesSet());
    ASSERT_EQ(f.getNum(), 3);
    EXPECT_EQ(f.getValue(1), 10.0f);
    EXPECT_FALSE(f.get(-0.1f).validColor()); // below the first value: not filled
    EXPECT_EQ(f.getInd(-0.1f), -1);
    const std::pair<float, const char*> bands[] = {
        {0, "blue"}, {9.99f, "blue"}, {10, "green"}, {20, "red"}, {1.0e6f, "red"}};
    for (const auto& [v, name] : bands) EXPECT_STREQ(f.get(v).getColor(), name) << v;
    EXPECT_EQ(f.getColor(15.0f), 1);
    // Negative and fractional numbers start value items; attributes keep their extras.
    ColorFill g(map, "-.5:blue:wi=2,-3:red");
    EXPECT_EQ(std::make_pair(g.getValue(0), g.getValue(1)), std::make_pair(-0.5f, -3.0f));
    EXPECT_EQ(g.get(0).getWidth(), 2.0f);
}

TEST_F(ColorFillTest, RangesCountColourIndexesEitherWay) {
    ColorFill up(map, "red-c5");
    ASSERT_EQ(up.getNum(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(up.getColor(i), 2 + i);
    EXPECT_STREQ(up.getColorName(0), "2");
    EXPECT_EQ(up.getValue(0), Const::FMISS);
    ColorFill down(map, "c5-red");
    ASSERT_EQ(down.getNum(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(down.getColor(i), 5 - i);
    // By number, and capped at 256 entries.
    ColorFill many(map, "0-100000");
    EXPECT_EQ(many.getNum(), ColorFill::MAX_ENTRY);
    EXPECT_EQ(many.decode(map, "red"), 0);
}

TEST_F(ColorFillTest, SingleColourNameIsAFillFile) {
    // No file called red: nothing at all is filled.
    ColorFill f(map, "red");
    EXPECT_EQ(f.getNum(), 0);
    EXPECT_FALSE(f.get(1.0f).validColor());

    dir.write("temp.fil", "@label Temperature\n# a comment\n  -10:blue  \n0:red\n");
    ColorFill t(map, "temp.fil");
    EXPECT_STREQ(t.getLabel(), "Temperature");
    ASSERT_EQ(t.getNum(), 2);
    EXPECT_EQ(t.getValue(0), -10.0f);
    EXPECT_STREQ(t.get(-5.0f).getColor(), "blue");
    EXPECT_EQ(t.get(-5.0f).getColorInd(), 0);

    // "@name" also names the fill; values between given ones are interpolated.
    dir.write("gaps.fil", "@name Dew point\n@other ignored\n0:blue\ngreen\nc3\n30:red\nc4\n");
    ColorFill g(map, "gaps.fil");
    EXPECT_STREQ(g.getLabel(), "Dew point");
    ASSERT_EQ(g.getNum(), 5);
    EXPECT_FLOAT_EQ(g.getValue(1), 10.0f);
    EXPECT_FLOAT_EQ(g.getValue(2), 20.0f);
    EXPECT_EQ(g.getValue(4), Const::FMISS);
}

TEST_F(ColorFillTest, GarbledFillFilesAreSurvived) {
    std::string junk = "@label " + std::string(300, 'L') + "\n";
    junk += std::string(500, 'x') + "\n";              // overlong line
    junk += "5:" + std::string(200, 'r') + "-" + "\n"; // overlong range
    junk += std::string("\x01\x02\xff:::--,,\n", 11);
    junk += "12:green\n";
    junk.append("\0\0\0", 3);
    junk += "nonl:blue"; // no final newline
    dir.write("junk.fil", junk);
    ColorFill f(map, "junk.fil");
    EXPECT_EQ(std::string(f.getLabel()).size(), 19u);
    EXPECT_LE(f.getNum(), ColorFill::MAX_ENTRY);
    bool green = false;
    for (int i = 0; i < f.getNum(); ++i) green = green || std::string(f.getColorName(i)) == "green";
    EXPECT_TRUE(green);

    std::string many;
    for (int i = 0; i < 400; ++i) many += std::to_string(i) + ":red\n";
    dir.write("many.fil", many);
    ColorFill m(map, "many.fil");
    EXPECT_EQ(m.getNum(), ColorFill::MAX_ENTRY);
    EXPECT_EQ(m.getValue(255), 255.0f);
}

TEST_F(ColorFillTest, ResourceOverridesTheGivenList) {
    ColorFill f;
    EXPECT_EQ(f.setFill(map, "blue,green"), 1);
    EXPECT_EQ(f.getNum(), 2);
    Hyx::putResrc("color_fill", "DEF");
    EXPECT_EQ(f.setFill(map, "blue,green"), 1);
    Hyx::putResrc("color_fill", "0:red,5:blue,9:green");
    EXPECT_EQ(f.setFill(map, "blue,green"), 2);
    EXPECT_EQ(f.getNum(), 3);

    // Copies are deep.
    ColorFill c(f);
    f.init();
    EXPECT_EQ(c.getNum(), 3);
    EXPECT_STREQ(c.get(6.0f).getColor(), "blue");
    const float v[2] = {1, 2};
    c.setValues(v, 2);
    EXPECT_EQ(std::make_pair(c.getValue(1), c.getValue(2)), std::make_pair(2.0f, Const::FMISS));
    EXPECT_EQ(c.getBaseVal(), 1.0f);
}
