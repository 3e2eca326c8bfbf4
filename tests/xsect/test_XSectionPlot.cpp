// The cross-section frame: log-pressure mapping and the drawn frame.
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/Resrc.h"
#include "HYX/XSectionPlot.h"

#include "RecordDevice.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace HYX;
using testutil::RecordDevice;

namespace {

XSectionPlot frame(float x0, float y0, float x1, float y1) {
    XSectionPlot xs;
    xs.setView(Rect(x0, y0, x1, y1));
    xs.setVertAxis(100, 1050, 50);
    return xs;
}

} // namespace

TEST(XSectionPlot, MapsPressureLogarithmicallyAndDistanceLinearly) {
    XSectionPlot xs = frame(0.1f, 0.1f, 0.9f, 0.9f);
    xs.setHorAxis(-10, 110);
    EXPECT_NEAR(xs.getY(1050), 0.1f, 1e-6);
    EXPECT_NEAR(xs.getY(100), 0.9f, 1e-6);
    // 0.1 + 0.8 (ln 1050 - ln 500) / (ln 1050 - ln 100), worked by hand: 0.35243
    EXPECT_NEAR(xs.getY(500), 0.35243f, 1e-4);
    EXPECT_NEAR(xs.getY(0), xs.getY(1), 1e-6); // p <= 0 maps like -ln p = 0
    EXPECT_FLOAT_EQ(XSectionPlot::pcoord(-5), 0);
    EXPECT_NEAR(xs.getX(0.0f), 0.1f + 0.8f * 10 / 120, 1e-6);
    xs.setHorDist(2, 110);
    EXPECT_NEAR(xs.getX(2), 0.9f, 1e-6);
    EXPECT_EQ(xs.setHorDist(50, 1), 0);
    EXPECT_EQ(xs.setHorDist(-1, 1), 0);
    EXPECT_EQ(xs.getX(60), Const::FMISS);

    // Degenerate axes are centred instead of dividing by zero.
    xs.setHorAxis(5, 5);
    EXPECT_FLOAT_EQ(xs.getX(5.0f), 0.5f);
    xs.setVertAxis(500, 500, 50);
    EXPECT_FLOAT_EQ(xs.getY(700), 0.5f);
}

class XSectionDraw : public ::testing::Test {
protected:
    void SetUp() override {
        Hyx::getResrcStore().clear();
        Hyx::setDatabasePath(HYX_SHARE);
        Hyx::putResrc("device", "x,hfont"); // device text, so labels arrive as texts
        auto d = std::make_unique<RecordDevice>(1000, 1000, true);
        dev = d.get();
        plot.setDevice(std::move(d), Graph::XWINDOW);
        ASSERT_EQ(plot.open(), 1);
        dev->reset();
    }
    void TearDown() override { Hyx::getResrcStore().clear(); }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& p : dev->drawn("text")) out.push_back(p.text);
        return out;
    }

    Plot plot;
    RecordDevice* dev = nullptr;
};

TEST_F(XSectionDraw, GridAndTextColoursComeFromResources) {
    Hyx::putResrc("color_grid", "blue");
    Hyx::putResrc("color_text", "none"); // labels and outline not drawn
    XSectionPlot xs = frame(0.1f, 0.1f, 0.9f, 0.9f);
    xs.setHorAxis(0, 10);
    xs.setLabels(Strings("A", ','));
    xs.draw(plot);
    const std::vector<std::string> t = texts();
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.back(), "mb");
    EXPECT_EQ(dev->drawn("line").size(), 21u); // one column, 20 pressure lines
    EXPECT_TRUE(dev->drawn("pline").empty());  // no outline
    EXPECT_EQ(dev->count("color 1 255"), 1);   // blue lines
}
