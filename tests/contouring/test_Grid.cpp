// The grid: storage, interpolation, positions, statistics and diagnostics.
#include "HYX/Grid.h"
#include "HYX/GridRefine.h"
#include "HYX/Grids.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace HYX;
using testutil::captureOut;

namespace {
constexpr float MISS = Const::FMISS;

// 3 columns by 2 rows: v(i, j) = 10 j + i.
Grid ramp() {
    Grid g(3, 2);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i) g.setValue(i, j, 10.0f * j + i);
    return g;
}
} // namespace

TEST(Grid, AllocationFollowsTheSize) {
    Grid empty;
    EXPECT_EQ(empty.getNx(), Const::MISS);
    EXPECT_EQ(empty.getValue(0, 0), MISS);
    EXPECT_EQ(empty.allocData(), 0); // size never set
    EXPECT_FALSE(empty.isData());
    // A size too large to hold is refused rather than overflowing.
    Grid huge;
    huge.setSize(100000, 100000);
    EXPECT_EQ(huge.allocData(), 0);
    EXPECT_EQ(huge.getValue(5, 5), MISS);

    Grid g(4, 3);
    EXPECT_FALSE(g.isLocate());
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 4; ++i) EXPECT_EQ(g.getValue(i, j), MISS);
    // Indexes outside the grid are refused; storage is row-major, column index fastest.
    EXPECT_EQ(std::make_pair(g.setValue(4, 0, 1), g.setValue(0, -1, 1)), std::make_pair(0, 0));
    EXPECT_EQ(g.getValue(-1, 0), MISS);
    EXPECT_EQ(g.getValue(0, 3), MISS);
    g.setValue(2, 1, 7.5f);
    EXPECT_EQ(g.getData()[1 * 4 + 2], 7.5f);

    // Positions need two points in each direction.
    EXPECT_EQ(Grid(5, 1).allocLocate(), 0);
    EXPECT_EQ(Grid(1, 5).allocLocate(), 0);
    EXPECT_EQ(g.allocLocate(), 1);
    EXPECT_EQ(g.setLocate(1, 2, Point(0.5f, 0.25f)), 1);
    EXPECT_EQ(g.setLocate(4, 2, Point(0.5f, 0.25f)), 0);
    Point p;
    EXPECT_EQ(g.getLocate(1, 2, p), 1);
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(0.5f, 0.25f));
    EXPECT_EQ(g.getLocate(9, 9).x, MISS);
}

TEST(Grid, InterpolatesBilinearlyWithoutExtrapolation) {
    Grid g = ramp();
    // v = 10 gy + gx is bilinear, so interpolation reproduces it exactly (tolerance 1e-6);
    // the last column uses the edge rule; just past it, or at no number, the value is missing.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float cases[][3] = {
        {1.25f, 0.75f, 8.75f}, {2, 0.5f, 7}, {2.0001f, 0.5f, MISS}, {nan, 0.5f, MISS}};
    for (const auto& c : cases)
        EXPECT_NEAR(g.getValue(GridPoint(c[0], c[1])), c[2], 1e-6) << c[0] << "," << c[1];

    // One missing corner blanks its whole box, even right next to a valid corner.
    g.setValue(2, 1, MISS);
    EXPECT_EQ(g.getValue(GridPoint(1.01f, 0.01f)), MISS);

    // Plot and grid positions meet through the grid's own domain.
    Grid r = ramp();
    Point p;
    ASSERT_EQ(r.tran(GridPoint(1.5f, 0.5f), p), 1);
    EXPECT_NEAR(r.getValue(p), 6.5f, 1e-5);
}

TEST(Grid, CopiesAreDeep) {
    Grid g = ramp();
    g.setInfo("Temperature [C]");
    g.setGenName("RAOB");
    g.allocLocate();
    g.setLocate(1, 1, Point(3, 4));
    Grid c(g);
    EXPECT_STREQ(c.getInfo(), "Temperature [C]");
    EXPECT_STREQ(c.getGenName(), "RAOB");
    c.setValue(0, 0, -1.0f);
    c.setLocate(1, 1, Point(9, 9));
    EXPECT_EQ(g.getValue(0, 0), 0.0f);
    EXPECT_EQ(g.getLocate(1, 1).x, 3.0f);
    EXPECT_EQ(c.getLocate(1, 1).x, 9.0f);

    Grid a;
    a = ramp(); // no position arrays in the source: none in the copy
    EXPECT_FALSE(a.isLocate());
    a = a; // self-assignment keeps the data
    EXPECT_EQ(a.getValue(2, 1), 12.0f);

    // Bounded text fields keep width minus one characters.
    const std::string longText(200, 'x');
    g.setInfo(longText.c_str());
    g.setGenName(longText.c_str());
    EXPECT_EQ(std::string(g.getInfo()).size(), 89u);
    EXPECT_EQ(std::string(g.getGenName()).size(), 19u);
}

TEST(Grid, StatisticsSkipMissingValues) {
    Grid g = ramp();
    g.setValue(1, 0, MISS);
    float mn, mx;
    EXPECT_EQ(g.getRange(mn, mx), 1);
    EXPECT_EQ(std::make_pair(mn, mx), std::make_pair(0.0f, 12.0f));
    EXPECT_NEAR(g.getAverage(), 7.0f, 1e-6); // (0 + 2 + 10 + 11 + 12) / 5
    EXPECT_EQ(g.scale(2.0f), 1);
    EXPECT_EQ(g.offset(1.0f), 1);
    EXPECT_EQ(g.getValue(2, 1), 25.0f);
    EXPECT_EQ(g.getValue(1, 0), MISS);

    Grid none;
    EXPECT_EQ(std::make_pair(none.getRange(mn, mx), none.scale(2)), std::make_pair(0, 0));
    EXPECT_EQ(none.getAverage(), MISS);

    Grid blank(4, 2);
    Range r;
    EXPECT_EQ(blank.getRange(r), 1);
    EXPECT_EQ(std::make_pair(r.min, r.max), std::make_pair(MISS, MISS));
    EXPECT_EQ(blank.getAverage(), MISS);
    EXPECT_NE(captureOut([&] { blank.printStats(); }).find("Miss: 8\n"), std::string::npos);
    EXPECT_EQ(captureOut([] { ramp().printStats(); }),
              "Size: 3 2\nMax: 12.000000 Min: 0.000000 Ave: 6.000000\n");
}

TEST(Grids, SlotsGrowAndHoldTheirOwnCopies) {
    Grids gs(2);
    // A description goes into the next free slot; the grid added next fills it.
    EXPECT_EQ(gs.addSpec("1:2:0:100:500:11"), 0);
    EXPECT_EQ(gs.getSpec(0).getLevelCode(), 500);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(gs.addGrid(ramp()), 1);
    // Full at the third grid: ten more slots.
    EXPECT_EQ(std::make_pair(gs.getMax(), gs.getNumSet()), std::make_pair(12, 3));
    EXPECT_EQ(gs.setValue(1, 2, 1, 5.0f), 1);
    EXPECT_EQ(gs.getValue(0, 2, 1), 12.0f);
}

TEST(Grid, VariableLevelTimeAndUnits) {
    Grid g = ramp();
    g.setVar("temp"); // a new variable comes without units
    g.setInfo("Speed (m/s)");
    EXPECT_EQ(g.setUnits("kt"), 1);
    EXPECT_STREQ(g.getInfo(), "Speed [kt]");
    g.setUnits("m/s"); // replaces the bracketed units
    EXPECT_STREQ(g.getInfo(), "Speed [m/s]");
    for (const char* blank : {"", "  "}) EXPECT_EQ(g.setUnits(blank), 0);
    EXPECT_STREQ(g.getUnits(), "m/s");

    g.setLevel("500mb");
    g.setForeTime("12");
    EXPECT_EQ(g.getLevel().getLev1(), 500.0f);
    // The valid date is the reference date plus the forecast time.
    g.setDate(Date(2024, 3, 3, 12, 0, 0));
    const Date v = g.getValidDate();
    EXPECT_EQ(std::make_pair(v.getDay(), v.getHour()), std::make_pair(4, 0));
}

TEST(GridRefine, FinerColumnsOnStraightLinesWithMonotoneValues) {
    // Columns at x 0, 0.2 and 1; row 1 peaks at the middle column; row 0 rises; the last
    // column of row 2 is missing.
    Grid g(3, 3);
    g.allocData();
    g.allocLocate();
    const float xs[3] = {0, 0.2f, 1}, rows[3][3] = {{0, 10, 12}, {5, 9, 1}, {1, 2, MISS}};
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
            g.setLocate(i, j, Point(xs[i], 0.1f * j + 0.2f * xs[i]));
            g.setValue(i, j, rows[j][i]);
        }
    Grid f;
    ASSERT_EQ(GridRefine::columns(g, 0.02f, f), 1);
    ASSERT_EQ(f.getNx(), 51); // gaps of 0.2 and 0.8 in steps of at most 0.02
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 51; ++i) {
            const float x = 0.02f * i;
            EXPECT_NEAR(f.getLocate(i, j).x, x, 1e-5);
            EXPECT_NEAR(f.getLocate(i, j).y, 0.1f * j + 0.2f * x, 1e-5);
        }
    // The stations keep their values; between them nothing overshoots them.
    for (int j = 0; j < 2; ++j)
        for (int k = 0; k < 3; ++k)
            EXPECT_FLOAT_EQ(f.getValue((int[]){0, 10, 50}[k], j), rows[j][k]);
    for (int i = 1; i < 51; ++i) {
        EXPECT_GT(f.getValue(i, 0), f.getValue(i - 1, 0));
        EXPECT_LE(f.getValue(i, 1), 9.0f);
        EXPECT_GE(f.getValue(i, 1), 1.0f);
    }
    // No corner at the middle column: linear values rise 50 per unit before it and 2.5
    // after it; the cubic's rises on either side come within a step's curvature.
    const float left = (f.getValue(10, 0) - f.getValue(9, 0)) / 0.02f;
    const float right = (f.getValue(11, 0) - f.getValue(10, 0)) / 0.02f;
    EXPECT_LT(std::fabs(left - right), 10.0f);
    // Beside a missing value the gap stays missing.
    EXPECT_FLOAT_EQ(f.getValue(5, 2), 1.5f); // one known neighbour each side: linear
    for (int i = 11; i < 51; ++i) EXPECT_EQ(f.getValue(i, 2), MISS);
}
