// Rectangles, ranges and point lists: growth, their capacity, and polygons.
#include "HYX/Points.h"
#include "HYX/Range.h"
#include "HYX/Rect.h"

#include <gtest/gtest.h>
#include <vector>

using namespace HYX;

TEST(Rect, SetOrdersEachPair) {
    const Rect r(3, 4, 1, 2);
    EXPECT_EQ(std::vector<float>({r.xmin, r.ymin, r.xmax, r.ymax}),
              std::vector<float>({1, 2, 3, 4}));
    Range g;
    g.set(Const::FMISS, 4);
    EXPECT_EQ(g.getRange(), Const::FMISS);
    g.set(1, 4);
    EXPECT_FLOAT_EQ(g.getRange(), 3);
}

TEST(Points, AddGrowsAndAdd1StaysWithinTheCapacity) {
    Points p;
    for (int i = 0; i < 38; ++i) p.add(i, i);
    EXPECT_EQ(p.getNum(), 38);
    EXPECT_FLOAT_EQ(p.getX(37), 37);
    Points small(2);
    EXPECT_EQ(small.add1(Point(0, 0)), 1);
    EXPECT_EQ(small.add1(0), 1);
    EXPECT_EQ(small.add1(0), 0);
}

TEST(Points, PointInClosedPolygon) {
    Points sq;
    for (const Point& p : {Point(0, 0), Point(4, 0), Point(4, 4), Point(0, 4)}) sq.add(p);
    sq.add1(0); // closed
    EXPECT_TRUE(sq.within(Point(2, 2)));
    EXPECT_FALSE(sq.within(Point(5, 2)));
    EXPECT_FALSE(sq.within(Point(-1, 2)));
    const Point c = sq.getCentroid(); // the centre of the square, to float rounding
    EXPECT_NEAR(c.x, 2, 1e-5);
    EXPECT_NEAR(c.y, 2, 1e-5);
    sq.remove(0);
    EXPECT_FLOAT_EQ(sq.getX(0), 4);
    sq.insert(0, 9, 9);
    EXPECT_FLOAT_EQ(sq.getY(0), 9);
}
