// Contour settings: plot types, the parameter string, resources and contour levels.
#include "HYX/ColorMap.h"
#include "HYX/ContPlot.h"
#include "HYX/Grid.h"
#include "HYX/Hyx.h"
#include "HYX/Resrc.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace HYX;
using testutil::captureErr;

namespace {

// A grid holding the two values lo and hi (and a third in between).
Grid range(float lo, float hi) {
    Grid g(3, 1);
    g.setValue(0, 0, lo);
    g.setValue(1, 0, (lo + hi) / 2);
    g.setValue(2, 0, hi);
    return g;
}

class ContPlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        Hyx::getResrcStore().clear();
        // 20 fill colours f0 .. f19, then black and white.
        for (int i = 0; i < 20; ++i)
            map.add(("f" + std::to_string(i)).c_str(), 0.05f * i, 0.5f, 0.5f);
        map.setNumFill(20);
        map.add("black", 0, 0, 0);
        map.add("white", 1, 1, 1);
    }
    void TearDown() override { Hyx::getResrcStore().clear(); }
    ColorMap map{64};

    // Levels of cp for the grid, with the colour map above.
    std::string levels(ContPlot& cp, const Grid& g) {
        cp.setFill(map);
        cp.calcLevels(g);
        std::string out;
        char buf[32];
        for (int i = 0; i < cp.getNumCont(); ++i) {
            std::snprintf(buf, sizeof buf, "%s%g", i ? " " : "", cp.getLevel(i));
            out += buf;
        }
        return out;
    }
};

} // namespace

TEST_F(ContPlotTest, PlotTypesAreExactKeywords) {
    const std::pair<const char*, int> types[] = {{"value", 1}, {"gvalue", 1}, {"dln", 2},
                                                 {"cf", 3},    {"lcf", 4},    {"LN", 0},
                                                 {"", 0},      {nullptr, 0}};
    for (const auto& [kw, type] : types) EXPECT_EQ(ContPlot::decodeType(kw), type) << kw;

    ContPlot cp;
    EXPECT_EQ(cp.getType(), ContPlot::LINE);
    EXPECT_EQ(cp.getDash(), 0);
    cp.setType("dln");
    EXPECT_EQ(cp.getDash(), 1);
    cp.setType("cf");
    EXPECT_EQ(cp.getDash(), 1); // other keywords leave the dash mode
}

TEST_F(ContPlotTest, ParameterStringItems) {
    ContPlot cp("lcf,ci=2.5,cb=1,wi=3,sc=1.5,fill=hat,ct=my.clr,coco=red,cof=blue,"
                "cola=green,fm=%.2f,BAR,lab=35,junk");
    EXPECT_EQ(cp.getType(), ContPlot::LINE_FILL);
    EXPECT_EQ(cp.getInterval(), 2.5f);
    EXPECT_EQ(cp.getBase(), 1.0f);
    EXPECT_EQ(cp.getLineWidth(), 3.0f);
    EXPECT_EQ(cp.getScaleFactor(), 1.5f);
    EXPECT_EQ(cp.getFillStyle(), 9);
    EXPECT_STREQ(cp.getColorTable(), "my.clr");
    EXPECT_STREQ(cp.getColorFill(), "blue");
    EXPECT_STREQ(cp.getColorLabel(), "green");
    EXPECT_STREQ(cp.getTextFormat(), "%.2f");
    EXPECT_TRUE(cp.getBar());
    // lab=35: every third level labelled, extrema searched 5 points around.
    EXPECT_EQ(cp.getSkipVal(), 3);
    EXPECT_EQ(cp.getExtRad(), 5);

    // lab=a:b:c[:d] and lab=a.b.c.d: skip, extrema radius, label columns and rows.
    cp.setParam("pl=ndln,co=yellow,int=4,base=2,lab=2:3:4");
    EXPECT_EQ(cp.getDash(), -1);
    EXPECT_STREQ(cp.getColorLine(), "yellow");
    EXPECT_EQ(cp.getInterval(), 4.0f);
    auto labs = [&] {
        return std::vector<int>{cp.getSkipVal(), cp.getExtRad(), cp.getSkipX(), cp.getSkipY()};
    };
    EXPECT_EQ(labs(), (std::vector<int>{2, 3, 4, 4}));
    cp.setParam("lab=1.0.5.6,ty=value,coln=blue");
    EXPECT_EQ(labs(), (std::vector<int>{1, 0, 5, 6}));
    EXPECT_STREQ(cp.getColorLine(), "blue");

    // Formats must hold one number conversion: anything else is refused with a warning.
    const std::string err = captureErr([&] { EXPECT_EQ(cp.setTextFormat("%s%n"), 0); });
    EXPECT_NE(err.find("%s%n"), std::string::npos);
    EXPECT_STREQ(cp.getTextFormat(), "%.2f");
    for (const char* bad : {"%d", "%5.1f%5.1f"}) EXPECT_EQ(cp.setTextFormat(bad), 0) << bad;
    EXPECT_EQ(cp.setTextFormat("%.1f%%"), 1);
}

TEST_F(ContPlotTest, ResourcesComeBeforeTheParameterString) {
    const char* res[][2] = {{"plot_type", "cf"},        {"con_interval", "5"},
                            {"con_base", "2.5"},        {"color_cont", "red"},
                            {"color_fill", "temp.fil"}, {"parameter", "lab=0,sync,int=10"}};
    for (const auto& r : res) Hyx::putResrc(r[0], r[1]);
    ContPlot cp;
    EXPECT_EQ(cp.getType(), ContPlot::FILL);
    EXPECT_EQ(cp.getInterval(), 10.0f);
    EXPECT_EQ(cp.getBase(), 2.5f);
    EXPECT_STREQ(cp.getColorLine(), "red");
    EXPECT_STREQ(cp.getColorFill(), "temp.fil");
    EXPECT_EQ(cp.getSkipVal(), 0);
}

TEST_F(ContPlotTest, LevelsFromIntervalAndBase) {
    ContPlot cp;
    cp.setInterval(2);
    // The maximum lies on a level: one more level above it.
    EXPECT_EQ(levels(cp, range(0, 10)), "0 2 4 6 8 10 12");
    EXPECT_EQ(levels(cp, range(0.3f, 9.7f)), "0 2 4 6 8 10");
    EXPECT_EQ(cp.getConLo(), 0.0f);
    EXPECT_EQ(cp.getConHi(), 10.0f);
    // The band colours count from the lowest level when there is no base.
    EXPECT_EQ(cp.getFill().getBase(), 0.0f);
    EXPECT_EQ(cp.getFill().getInterval(), 2.0f);

    cp.setInterval(5);
    cp.setBase(1);
    EXPECT_EQ(levels(cp, range(3, 17)), "1 6 11 16 21");
    EXPECT_EQ(cp.getFill().getBase(), 1.0f);
    // With a base the extra level is added when the top equals max - base, so a maximum
    // lying exactly on a based level gets no level above it.
    EXPECT_EQ(levels(cp, range(0, 16)), "-4 1 6 11 16");
    ContPlot nb;
    nb.setInterval(5);
    EXPECT_EQ(levels(nb, range(0, 15)), "0 5 10 15 20");

    // User range override; a reversed range counts down from the smaller bound.
    ContPlot r;
    r.setInterval(1);
    r.setGridRange(0, 3);
    EXPECT_EQ(levels(r, range(-50, 50)), "0 1 2 3 4");
    r.setGridRange(3, 0);
    EXPECT_EQ(levels(r, range(-50, 50)), "0 1 2 3");
}

TEST_F(ContPlotTest, AutomaticIntervalAndTheLevelLimit) {
    // 20 fill colours: about 19 steps over the range, rounded up within its decade.
    ContPlot cp;
    EXPECT_EQ(levels(cp, range(0, 100)), "0 6 12 18 24 30 36 42 48 54 60 66 72 78 84 90 96 102");
    EXPECT_EQ(cp.getInterval(), 6.0f); // 100 / 19 = 5.26 -> 6
    // The interval found for one grid stays for the next.
    levels(cp, range(0, 1));
    EXPECT_EQ(cp.getInterval(), 6.0f);

    // Interval 0.001 over 0..1 gives 1002 levels: warning, then 1 / 19 rounded up to 0.06.
    ContPlot fine;
    fine.setInterval(0.001f);
    const std::string err = captureErr([&] { levels(fine, range(0, 1)); });
    EXPECT_EQ(err, "Contour interval too small, recomputing...\n");
    EXPECT_NEAR(fine.getInterval(), 0.06f, 1e-7);
    EXPECT_EQ(fine.getNumCont(), 18);
    EXPECT_NEAR(fine.getLevel(17), 1.02f, 1e-5);

    // A constant field: interval 1, the value itself and one level above it.
    ContPlot c;
    EXPECT_EQ(levels(c, range(5, 5)), "5 6");
    EXPECT_EQ(c.getInterval(), 1.0f);
    // No valid value: no level at all.
    ContPlot none;
    EXPECT_EQ(levels(none, Grid(4, 4)), "");
}

TEST_F(ContPlotTest, ExplicitValuesAreTheLevels) {
    // Commas split the parameter string, so the value list comes through setColorFill.
    ContPlot cp;
    cp.setColorFill("0:f1,10:f2,20:f3");
    cp.setInterval(7);
    EXPECT_EQ(levels(cp, range(-5, 35)), "0 10 20");
    EXPECT_EQ(cp.getInterval(), Const::FMISS);
    EXPECT_EQ(cp.getLevel(3), 36.0f); // past the list: max + 1
}

TEST_F(ContPlotTest, HugeValuesGiveFiniteLevels) {
    for (float big : {1.0e30f, 3.0e38f}) {
        ContPlot cp;
        levels(cp, range(-big, big));
        EXPECT_GT(cp.getNumCont(), 0);
        EXPECT_LE(cp.getNumCont(), ContPlot::MAX_LEVELS);
        for (int i = 0; i < cp.getNumCont(); ++i) EXPECT_TRUE(std::isfinite(cp.getLevel(i)));
    }
    // A tiny interval over a huge range is recomputed instead of counting billions of levels.
    ContPlot cp;
    cp.setInterval(1e-30f);
    captureErr([&] { levels(cp, range(0, 1e30f)); });
    EXPECT_LE(cp.getNumCont(), ContPlot::MAX_LEVELS);
}
