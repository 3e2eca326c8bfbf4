// Geometric and wind value types.
#include "HYX/EarthPoints.h"
#include "HYX/Points.h"
#include "HYX/Range.h"
#include "HYX/Rect.h"
#include "HYX/Wind.h"

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

TEST(Wind, ComponentsAndDirection) {
    Wind w;
    EXPECT_EQ(w.setVect(0, 0), 1);
    EXPECT_FLOAT_EQ(w.getDir(), 0);
    EXPECT_FLOAT_EQ(w.getSpd(), 0);
    w.setVect(-10, 0); // blowing towards -x comes from the east
    EXPECT_NEAR(w.getDir(), 90, 1e-4);
    EXPECT_NEAR(w.getSpd(), 10, 1e-5);
    EXPECT_EQ(w.setVect(Const::FMISS, 1), 0);
    EXPECT_EQ(w.getDir(), Const::FMISS);

    Vect v = Wind(270, 20).toVect(); // westerly: towards +x
    EXPECT_NEAR(v.x, 20, 1e-4);
    EXPECT_NEAR(v.y, 0, 1e-4);
    Vect z = Wind::toVect(Const::FMISS, 5);
    EXPECT_EQ(z.x, 0);
}

TEST(Wind, InterpolatesInLogPressureThroughNorth) {
    const Wind w1(350, 20), w2(10, 20);
    const Wind mid = Wind::interp(w1, w2, 1000, 500, 707.1068f); // halfway in ln p
    EXPECT_TRUE(mid.getDir() < 1 || mid.getDir() > 359);
    EXPECT_NEAR(mid.getSpd(), 20, 1e-3);
    EXPECT_EQ(Wind::interp(w1, w2, 0, 500, 700).getDir(), Const::FMISS);
    EXPECT_FLOAT_EQ(Wind::interp(Wind(), w2, 1000, 500, 700).getDir(), 10);
    EXPECT_EQ(Wind::interp(Wind(), Wind(), 1000, 500, 700).getDir(), Const::FMISS);
}

TEST(EarthPoints, RangeOfLatitudesAndLongitudes) {
    EarthPoints e;
    e.add(39.77f, -104.87f);
    e.add(41.32f, -96.37f);
    Rect r;
    ASSERT_EQ(e.getRange(r), 1);
    EXPECT_FLOAT_EQ(r.xmin, -104.87f);
    EXPECT_FLOAT_EQ(r.ymax, 41.32f);
    EXPECT_FLOAT_EQ(e.get(1).getLat(), 41.32f);
}
