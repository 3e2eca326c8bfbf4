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
    const struct {
        float dir, spd;
        int drawn, pennants, lines; // lines: the shaft with its full and half barbs
    } cases[] = {
        {90, 0, 0, 0, 0}, // calm: nothing, not even a circle
        {Const::FMISS, 20, 0, 0, 0},
        {90, Const::FMISS, 0, 0, 0},
        {90, 2.9f, 1, 0, 1}, // shaft only
        {90, 5, 1, 0, 2},    // a lone half barb
        {90, 15, 1, 0, 3},
        {90, 65, 1, 1, 3}, // a full barb, a half barb and the shaft
        {90, 48, 1, 1, 1},
        {90, 47.9f, 1, 0, 6}, // four full barbs, a half barb, the shaft
        {90, 400, 1, 6, 1},   // drawn as 300
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spd);
        EXPECT_EQ(barb(c.dir, c.spd), c.drawn);
        EXPECT_EQ(fills(), c.pennants);
        EXPECT_EQ(lines(), c.lines);
        EXPECT_EQ(dev->prims.size(), static_cast<size_t>(c.pennants + c.lines));
    }
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
