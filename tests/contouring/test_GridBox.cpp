// Grid boxes: crossings of a level, the degenerate-value rules, line segments and the band
// polygons of filled contours. That the bands of all levels tile a field exactly is checked
// on the drawn fill (test_ContDraw.cpp).
#include "HYX/Domain.h"
#include "HYX/Grid.h"
#include "HYX/GridBox.h"
#include "HYX/GridBoxFill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

using namespace HYX;

namespace {

// A box over a 2 x 2 grid whose corner k sits at its grid index: corner 0 (0,0), 1 (1,0),
// 2 (0,1), 3 (1,1). Side points are then easy to write down: side 0 at (f, 0), side 1 at
// (1, 1-f), side 2 at (f, 1), side 3 at (0, 1-f).
GridBox makeBox(float k0, float k1, float k2, float k3, float tweak = 0.001f) {
    Grid g(2, 2);
    g.allocLocate();
    const float v[4] = {k0, k1, k2, k3};
    for (int k = 0; k < 4; ++k) {
        g.setValue(k % 2, k / 2, v[k]);
        g.setLocate(k % 2, k / 2, Point(static_cast<float>(k % 2), static_cast<float>(k / 2)));
    }
    Domain d;
    d.set(2, 2);
    GridBox b;
    b.set(g, d, 0, 0);
    b.setTweak(tweak);
    return b;
}

bool near(const Point& a, const Point& b) {
    return std::fabs(a.x - b.x) < 1e-5 && std::fabs(a.y - b.y) < 1e-5;
}

// The polygon (closed by repeating its first point) has exactly these vertices in boundary
// order, starting anywhere and walking either way.
bool samePolygon(const Points& p, const std::vector<Point>& want) {
    const int n = p.getNum() - 1;
    if (n != static_cast<int>(want.size()) || !near(p.get(0), p.get(n))) return false;
    for (int dir = -1; dir <= 1; dir += 2)
        for (int s = 0; s < n; ++s) {
            bool ok = true;
            for (int i = 0; i < n && ok; ++i)
                ok = near(p.get(((s + dir * i) % n + n) % n), want[i]);
            if (ok) return true;
        }
    return false;
}

// Builds the band between two levels of one box and compares with the expected polygons.
::testing::AssertionResult band(float k0, float k1, float k2, float k3, float lo, float up,
                                const std::vector<std::vector<Point>>& want) {
    GridBox lower = makeBox(k0, k1, k2, k3);
    lower.setLevel(lo);
    GridBox upper = lower;
    upper.setLevel(up);
    GridBoxFill f;
    const int n = f.build(lower, upper);
    if (n != static_cast<int>(want.size()))
        return ::testing::AssertionFailure() << n << " polygons, expected " << want.size();
    std::vector<bool> used(want.size());
    for (int i = 0; i < n; ++i) {
        bool found = false;
        for (size_t w = 0; w < want.size() && !found; ++w)
            if (!used[w] && samePolygon(f.get(i), want[w])) used[w] = found = true;
        if (!found) return ::testing::AssertionFailure() << "unexpected polygon " << i;
    }
    return ::testing::AssertionSuccess();
}

// The first two crossed sides (-1: none) and the crossing fractions of the four sides.
std::vector<int> crosses(const GridBox& b) { return {b.getCross(0), b.getCross(1)}; }
std::vector<float> sides(const GridBox& b) {
    return {b.getSide(0), b.getSide(1), b.getSide(2), b.getSide(3)};
}

const Point K0(0, 0), K1(1, 0), K2(0, 1), K3(1, 1);
Point s0(float f) { return Point(f, 0); }
Point s1(float f) { return Point(1, 1 - f); }
Point s2(float f) { return Point(f, 1); }
Point s3(float f) { return Point(0, 1 - f); }

} // namespace

TEST(GridBox, LevelOutsideTheBoxOrMissingCornerGivesNoCrossing) {
    GridBox b = makeBox(1, 2, 3, 4);
    EXPECT_EQ(std::make_pair(b.getMin(), b.getMax()), std::make_pair(1.0f, 4.0f));
    const std::tuple<float, int, int> levels[] = {
        {0.5f, 0, GridBox::BELOW}, {4.5f, 0, GridBox::ABOVE}, {2.5f, 2, GridBox::INSIDE}};
    for (const auto& [lev, n, where] : levels) {
        EXPECT_EQ(b.setLevel(lev), n) << lev;
        EXPECT_EQ(b.getEqual(), where) << lev;
    }
    // A missing corner: the range of the valid corners, no crossing.
    GridBox m = makeBox(1, Const::FMISS, 3, 4);
    EXPECT_FALSE(m.isDataValid());
    EXPECT_EQ(std::make_pair(m.getMin(), m.getMax()), std::make_pair(1.0f, 4.0f));
    EXPECT_EQ(m.setLevel(2.0f), 0);
    EXPECT_EQ(m.getEqual(), GridBox::INSIDE);
    EXPECT_EQ(m.getCross(0), -1);
}

TEST(GridBox, CrossingsAndSaddleMeasure) {
    // Values rise left to right: the level 2.5 runs from side 0 to side 2.
    GridBox b = makeBox(1, 4, 1, 4);
    ASSERT_EQ(b.setLevel(2.5f), 2);
    EXPECT_EQ(crosses(b), (std::vector<int>{0, 2}));
    EXPECT_EQ(b.getCross(2), -1);
    // -5: equal corners, off the level. Fractions exact in binary.
    EXPECT_EQ(sides(b), (std::vector<float>{0.5f, -5, 0.5f, -5}));
    EXPECT_TRUE(near(b.getCrossPoint(0), s0(0.5f)));
    EXPECT_TRUE(near(b.getCrossPoint(1), s2(0.5f)));
    EXPECT_EQ(b.getSide(7), -1.0f);
    EXPECT_EQ(b.setCross(4, 1), 0);

    // The saddle example: corners 0 and 3 at 1, corners 1 and 2 at 0, level 0.5.
    GridBox s = makeBox(1, 0, 0, 1);
    ASSERT_EQ(s.setLevel(0.5f), 4);
    EXPECT_EQ(sides(s), std::vector<float>(4, 0.5f));
    EXPECT_FLOAT_EQ(s.getTotalDsides(), 2.0f);
    Point a[6], e[6];
    ASSERT_EQ(s.getLineSegments(a, e), 2);
    // tsides of exactly 2 takes the pairing of sides 0-1 and 2-3.
    EXPECT_TRUE(near(a[0], s0(0.5f)) && near(e[0], s1(0.5f)));
    EXPECT_TRUE(near(a[1], s2(0.5f)) && near(e[1], s3(0.5f)));
    // Below 2 the lines pair sides 0-3 and 1-2: at level 0.3 every crossing lies 0.3 from
    // its low corner (1 or 2), so the distances sum to 4 * 0.3.
    ASSERT_EQ(s.setLevel(0.3f), 4);
    EXPECT_NEAR(s.getTotalDsides(), 1.2f, 1e-6);
    ASSERT_EQ(s.getLineSegments(a, e), 2);
    EXPECT_TRUE(near(a[0], s0(0.7f)) && near(e[0], s3(0.3f)));
    EXPECT_TRUE(near(a[1], s1(0.7f)) && near(e[1], s2(0.3f)));
}

TEST(GridBox, CornerOnTheLevelIsLoweredByTheTweak) {
    GridBox b = makeBox(5, 10, 0, 10, 0.001f);
    ASSERT_EQ(b.setLevel(5.0f), 2);
    EXPECT_FLOAT_EQ(b.getVal(0), 4.999f);
    EXPECT_EQ(crosses(b), (std::vector<int>{0, 2}));
    // The line now starts a hair away from corner 0, where the neighbour's segment meets it.
    EXPECT_NEAR(b.getSide(0), 0.001f / 5.001f, 1e-6);
    // The lowered value stays for the next levels of the box.
    b.setLevel(7.0f);
    EXPECT_FLOAT_EQ(b.getVal(0), 4.999f);

    // Without a tweak the first corner on the level sets it to 5e-5 of its value.
    GridBox u = makeBox(200, 300, 100, 300, Const::FMISS);
    u.setLevel(200.0f);
    EXPECT_FLOAT_EQ(u.getTweak(), 0.01f);
    EXPECT_FLOAT_EQ(u.getVal(0), 199.99f);
}

TEST(GridBox, DegenerateValuesOnTheLevel) {
    // A constant field with a zero tweak: every side has both corners on the level.
    GridBox c = makeBox(3, 3, 3, 3, 0.0f);
    EXPECT_EQ(c.setLevel(3.0f), 0);
    EXPECT_EQ(sides(c), std::vector<float>(4, -4.0f));
    Point a[6], e[6];
    EXPECT_EQ(c.getLineSegments(a, e), 4); // the edges on the level, were they drawn

    // One crossing plus a reference corner on the level: the corner becomes the second
    // crossing (side 0 at fraction 0, i.e. corner 0).
    GridBox one = makeBox(5, 10, 10, 10, 0.0f);
    ASSERT_EQ(one.setLevel(5.0f), 2);
    EXPECT_EQ(crosses(one), (std::vector<int>{0, 3}));
    EXPECT_EQ(std::make_pair(one.getSide(0), one.getSide(3)), std::make_pair(0.0f, 1.0f));

    // Three crossings, one of them exactly at a corner of side 0: side 0 is dropped.
    GridBox three = makeBox(0, 5, 10, 0, 0.0f);
    ASSERT_EQ(three.setLevel(5.0f), 2);
    EXPECT_EQ(three.getSide(0), -1.0f);
    EXPECT_EQ(crosses(three), (std::vector<int>{2, 3}));

    // Two sides lying on the level: no crossing at all.
    GridBox two = makeBox(5, 5, 0, 5, 0.0f);
    EXPECT_EQ(two.setLevel(5.0f), 0);
    EXPECT_EQ(two.getCross(0), -1);
}

TEST(GridBox, PositionsComeFromArraysOrDomains) {
    Grid g(3, 3);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) g.setValue(i, j, static_cast<float>(i + j));
    Domain same = g.getDomain();
    GridBox b;
    b.set(g, same, 1, 1);
    Point p;
    g.tran(GridPoint(2, 2), p);
    EXPECT_TRUE(near(b.getPoint(3), p));
    EXPECT_TRUE(b.isLocateValid());
    EXPECT_EQ(b.getVal(3), 4.0f);

    // Missing positions make the box unusable for drawing.
    Grid h(2, 2);
    h.allocLocate();
    for (int k = 0; k < 4; ++k) h.setLocate(k % 2, k / 2, Point(Const::FMISS, 0));
    GridBox m;
    m.set(h, same, 0, 0);
    EXPECT_FALSE(m.isLocateValid());
}

TEST(GridBoxFill, PolygonsOfTheBandTable) {
    // All four values strictly between the levels: the whole box in one quadrilateral.
    EXPECT_TRUE(band(1, 2, 3, 4, 0, 5, {{K1, K3, K2, K0}}));
    // Upper level cuts corner 1 (sides 0 and 1), corner 0 below it: pentagon.
    EXPECT_TRUE(band(0, 10, 0, 0, -1, 5, {{s0(0.5f), s1(0.5f), K3, K2, K0}}));
    // Upper level from side 0 to side 2, left corners below: left half.
    EXPECT_TRUE(band(0, 10, 0, 10, -1, 5, {{s0(0.5f), s2(0.5f), K2, K0}}));
    // Both levels from side 1 to side 3: a strip.
    EXPECT_TRUE(band(0, 0, 10, 10, 2, 6, {{s1(0.8f), s1(0.4f), s3(0.4f), s3(0.8f)}}));
    // Upper cuts corner 1, lower is a saddle paired 0-1 / 2-3: a quadrilateral at corner 1
    // and the triangle at corner 2.
    EXPECT_TRUE(band(0, 10, 4, 0, 3, 6,
                     {{s0(0.6f), s1(0.6f), s1(0.3f), s0(0.3f)}, {s2(0.25f), s3(0.25f), K2}}));
    // ... lower saddle paired 1-2 / 3-0 (lower level 2): one heptagon.
    EXPECT_TRUE(band(0, 10, 4, 0, 2, 6,
                     {{s0(0.6f), s1(0.6f), s1(0.2f), s2(0.5f), K2, s3(0.5f), s0(0.2f)}}));
    // Upper saddle paired 0-1 / 2-3 with corner 0 above it: triangles at corners 1 and 2.
    EXPECT_TRUE(band(10, 0, 0, 10, -1, 3, {{s0(0.7f), s1(0.7f), K1}, {s2(0.3f), s3(0.3f), K2}}));
    // ... corner 0 below it: one hexagon through corners 3 and 0.
    EXPECT_TRUE(band(0, 10, 10, 0, -1, 7, {{s0(0.7f), s1(0.7f), K3, s2(0.3f), s3(0.3f), K0}}));
    // Lower saddle alone, corner 0 below it: the two corner triangles above it.
    EXPECT_TRUE(band(0, 10, 10, 0, 7, 20, {{s0(0.7f), K1, s1(0.7f)}, {s2(0.3f), K2, s3(0.3f)}}));
    // A band wholly below or above the box is empty.
    EXPECT_TRUE(band(5, 6, 7, 8, 10, 11, {}));
}

TEST(GridBoxFill, UpperLevelAlongOppositeSidesWithoutLowerCornerIsCleared) {
    // Values exactly on the upper level (zero tweak) on the left, above it on the right:
    // sides 0 and 2 are listed as crossed at fraction 0, but no corner lies below.
    GridBox lower = makeBox(5, 9, 5, 9, 0.0f);
    lower.setLevel(1.0f);
    GridBox upper = lower;
    ASSERT_EQ(upper.setLevel(5.0f), 2);
    ASSERT_EQ(crosses(upper), (std::vector<int>{0, 2}));
    GridBoxFill f;
    EXPECT_EQ(f.build(lower, upper), 0);
    EXPECT_EQ(upper.getNumSide(), 0);
    EXPECT_EQ(upper.getCross(0), -1);
}
