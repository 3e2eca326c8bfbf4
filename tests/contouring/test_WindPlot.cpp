// Wind barbs drawn through a plot onto a recording device.
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/Point.h"
#include "HYX/Rect.h"
#include "HYX/Resrc.h"
#include "HYX/Wind.h"
#include "HYX/WindPlot.h"

#include "RecordDevice.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

using namespace HYX;
using testutil::RecordDevice;

namespace {

class WindPlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        Hyx::getResrcStore().clear();
        Hyx::setDatabasePath(HYX_SHARE);
        auto d = std::make_unique<RecordDevice>(1000, 1000, true);
        dev = d.get();
        plot.setDevice(std::move(d), Graph::XWINDOW);
        ASSERT_EQ(plot.open(), 1);
        plot.setLineColor("white");
        plot.setFillColor("white");
        dev->reset();
    }
    void TearDown() override { Hyx::getResrcStore().clear(); }

    // Window point of the current transformation as a device point.
    Point dev_pt(float x, float y) {
        Point p;
        plot.getGraph().tranWindowPlot(x, y, p.x, p.y);
        return p;
    }
    int barb(float dir, float spd) {
        dev->reset();
        return WindPlot::drawBarb(plot, Point(0.5f, 0.5f), Wind(dir, spd), size, 0);
    }
    int lines() const { return static_cast<int>(dev->drawn("pline").size()); }
    int fills() const { return static_cast<int>(dev->drawn("fill").size()); }

    Plot plot;
    RecordDevice* dev = nullptr;
    const float size = 0.1f;
};

void expectNear(const Point& a, const Point& b) {
    EXPECT_NEAR(a.x, b.x, 0.05f);
    EXPECT_NEAR(a.y, b.y, 0.05f);
}

} // namespace

TEST_F(WindPlotTest, CountsPennantsBarbsAndHalves) {
    EXPECT_EQ(barb(90, 0), 0); // calm: nothing, not even a circle
    EXPECT_EQ(dev->prims.size(), 0u);
    EXPECT_EQ(barb(Const::FMISS, 20), 0);
    EXPECT_EQ(barb(90, Const::FMISS), 0);
    EXPECT_EQ(dev->prims.size(), 0u);

    EXPECT_EQ(barb(90, 2.9f), 1);
    EXPECT_EQ(lines(), 1); // shaft only
    barb(90, 5);
    EXPECT_EQ(lines(), 2); // shaft and a lone half barb
    barb(90, 15);
    EXPECT_EQ(lines(), 3);
    barb(90, 65);
    EXPECT_EQ(fills(), 1);
    EXPECT_EQ(lines(), 3); // a full barb, a half barb and the shaft
    barb(90, 48);
    EXPECT_EQ(fills(), 1);
    EXPECT_EQ(lines(), 1);
    barb(90, 47.9f);
    EXPECT_EQ(fills(), 0);
    EXPECT_EQ(lines(), 6); // four full barbs, a half barb, the shaft
    barb(90, 400);
    EXPECT_EQ(fills(), 6); // drawn as 300
    EXPECT_EQ(lines(), 1);
}

TEST_F(WindPlotTest, NortherlyShaftPointsUpWithBarbsOnTheRight) {
    barb(0, 15);
    const auto pl = dev->drawn("pline");
    ASSERT_EQ(pl.size(), 3u);
    // Full barb at the tip, leaning towards it, 0.5 size to the +x side.
    expectNear(pl[0].pts[0], dev_pt(0.5f, 0.6f));
    expectNear(pl[0].pts[1], dev_pt(0.55f, 0.612f));
    // Half barb 0.12 size further in, 0.25 size long sideways.
    expectNear(pl[1].pts[0], dev_pt(0.5f, 0.588f));
    expectNear(pl[1].pts[1], dev_pt(0.525f, 0.594f));
    // Shaft from the station to the tip.
    expectNear(pl[2].pts[0], dev_pt(0.5f, 0.5f));
    expectNear(pl[2].pts[1], dev_pt(0.5f, 0.6f));
}

TEST_F(WindPlotTest, PennantIsAClosedTriangleAtTheTipOfAWesterly) {
    barb(270, 65); // from the west: shaft points to -x, barb side is +y
    const auto fl = dev->drawn("fill");
    ASSERT_EQ(fl.size(), 1u);
    ASSERT_EQ(fl[0].pts.size(), 4u);
    expectNear(fl[0].pts[0], dev_pt(0.4f, 0.5f));
    expectNear(fl[0].pts[1], dev_pt(0.4f, 0.55f));
    expectNear(fl[0].pts[2], dev_pt(0.412f, 0.5f));
    expectNear(fl[0].pts[3], fl[0].pts[0]);
    const auto pl = dev->drawn("pline");
    ASSERT_EQ(pl.size(), 3u);
    expectNear(pl[0].pts[0], dev_pt(0.424f, 0.5f)); // full barb below the pennant
    expectNear(pl[0].pts[1], dev_pt(0.412f, 0.55f));
}

TEST_F(WindPlotTest, OffsetShortensTheShaftAndShadowDrawsTwice) {
    dev->reset();
    WindPlot::drawBarb(plot, Point(0.5f, 0.5f), Wind(180, 2.9f), size, 0.02f);
    auto pl = dev->drawn("pline");
    ASSERT_EQ(pl.size(), 1u);
    expectNear(pl[0].pts[0], dev_pt(0.5f, 0.48f));
    expectNear(pl[0].pts[1], dev_pt(0.5f, 0.4f));

    plot.setDropShadow(1);
    dev->reset();
    WindPlot::drawBarb(plot, Point(0.5f, 0.5f), Wind(180, 2.9f), size, 0);
    // Shadowed shaft (shadow and line) then the shaft alone on top.
    EXPECT_EQ(lines(), 3);
    EXPECT_EQ(plot.getDropShadow(), 1);
}

TEST_F(WindPlotTest, BoxHoldsEveryPointOfTheBarbAndTouchesItsExtremes) {
    for (const auto& [dir, spd] :
         {std::pair<float, float>{0, 5}, {75, 65}, {200, 135}, {310, 20}}) {
        ASSERT_EQ(barb(dir, spd), 1);
        const Rect box = WindPlot::getBarbBox(Point(0.5f, 0.5f), Wind(dir, spd), size);
        const Point lo = dev_pt(box.xmin, box.ymin), hi = dev_pt(box.xmax, box.ymax);
        float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
        for (const auto& p : dev->prims)
            for (const Point& q : p.pts)
                x0 = std::fmin(x0, q.x), y0 = std::fmin(y0, q.y), x1 = std::fmax(x1, q.x),
                y1 = std::fmax(y1, q.y);
        // The device runs y up like the window: the boxes agree to a hundredth of a unit.
        for (const auto& [a, b] :
             {std::pair<float, float>{lo.x, x0}, {lo.y, y0}, {hi.x, x1}, {hi.y, y1}})
            EXPECT_NEAR(a, b, 0.01f) << dir << " " << spd;
    }
    EXPECT_FALSE(WindPlot::getBarbBox(Point(0.5f, 0.5f), Wind(90, 0), size).valid()); // calm
}
