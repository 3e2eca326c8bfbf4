// The drawing context: transformations, viewports, drop shadows, lines, fills and marks,
// checked on the recording device.
#include "HYX/GTran.h"
#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/Points.h"

#include "RecordDevice.h"
#include "TestUtil.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace HYX;
using testutil::RecordDevice;
using Log = std::vector<std::string>;

namespace {

constexpr float EPS = 1e-3f; // float round-off on values of order 1000

// Opens g on a recording device of w x h units and returns the device (owned by g).
RecordDevice* openOn(Graph& g, float w, float h, bool up) {
    Hyx::setDatabasePath(HYX_SHARE);
    auto dev = std::make_unique<RecordDevice>(w, h, up);
    RecordDevice* d = dev.get();
    g.setDevice(std::move(dev), Graph::XWINDOW);
    EXPECT_EQ(g.open(), 1);
    d->reset();
    return d;
}

Rect raw(float x1, float y1, float x2, float y2) { // a rectangle kept as given
    Rect r;
    r.xmin = x1, r.ymin = y1, r.xmax = x2, r.ymax = y2;
    return r;
}

// A rectangle's corners to four decimals (values here are exact to better than 1e-4).
std::string corners(const Rect& r) {
    char b[100];
    std::snprintf(b, sizeof b, "%.4f %.4f %.4f %.4f", r.xmin, r.ymin, r.xmax, r.ymax);
    return b;
}

Points line(std::initializer_list<float> xy) {
    Points p;
    for (auto it = xy.begin(); it != xy.end(); it += 2) p.add(*it, *(it + 1));
    return p;
}

} // namespace

TEST(GTran, WindowViewportAndPlotMappings) {
    // A 200 x 100 surface with y down: NDC (0,0)-(1,0.5), one NDC unit = 200 units.
    GTran t;
    t.set(raw(0, 0, 200, 100));
    EXPECT_FLOAT_EQ(t.ndc.ymax, 0.5f);
    EXPECT_NEAR(t.tranY(0.25f), 50.0f, EPS); // (0.5 - 0.25) * 200
    EXPECT_NEAR(t.tranY(0.0f), 100.0f, EPS);
    // Window (0,0)-(10,5) on viewport (0.1,0.1)-(0.9,0.4): window (5,5) is NDC (0.5,0.4),
    // plot (100, (0.5-0.4)*200 = 20), and back.
    t.setWindow(Rect(0, 0, 10, 5));
    t.setViewport(Rect(0.1f, 0.1f, 0.9f, 0.4f));
    EXPECT_NEAR(t.tranX(5), 100.0f, EPS);
    EXPECT_NEAR(t.tranY(5), 20.0f, EPS);
    float wx, wy;
    t.tranPlotWindow(100, 20, wx, wy);
    EXPECT_NEAR(wx, 5.0f, 1e-5);
    EXPECT_NEAR(wy, 5.0f, 1e-5);
    // Clip: the viewport in plot units, ordered.
    EXPECT_EQ(corners(t.getClipRect()), "20.0000 20.0000 180.0000 80.0000");
    EXPECT_FLOAT_EQ(t.tranX(1e7f), 30000.0f); // clamped
    EXPECT_FLOAT_EQ(t.tranY(1e7f), -30000.0f);
    EXPECT_EQ(t.setWindow(Rect(1, 1, 1, 2)), 0); // no extent: refused, old window kept
    EXPECT_NEAR(t.tranX(5), 100.0f, EPS);

    // A page reported as (0,576)-(756,0), y up: NDC top is the surface height.
    t.set(raw(0, 576, 756, 0));
    EXPECT_NEAR(t.tranY(t.ndc.ymax), 576, EPS);
    // Visibility: the bounding box must touch the window.
    EXPECT_TRUE(t.isPointsInWindow(line({1.0f, 0.2f, 2.0f, 0.3f})));
    EXPECT_FALSE(t.isPointsInWindow(line({1.01f, 0.2f, 2.0f, 0.3f})));
    const Point arr[] = {Point(-1, -1), Point(-0.5f, 2)};
    EXPECT_FALSE(t.isPointsInWindow(2, arr));
}

TEST(Graph, TransformationsBetweenWindowsAndRedraw) {
    Graph g;
    RecordDevice* d = openOn(g, 1000, 1000, false);
    Rect r(0, 0, 1, 1);
    EXPECT_EQ(g.setTran(4) + g.setWindow(7, r) + g.setViewport(-1, r), 0); // no such numbers
    // Transformation 1: window (0,0)-(100,10) on the viewport (0.5,0.5)-(1,1).
    Rect vp(0.5f, 0.5f, 1, 1), wn(0, 0, 100, 10);
    g.setViewport(1, vp);
    g.setWindow(1, wn);
    float x2, y2;
    ASSERT_EQ(g.tranWindow(1, 50, 5, 0, x2, y2), 1);
    EXPECT_NEAR(x2, 0.75f, 1e-5); // middle of the viewport, in NDC units of tran 0
    EXPECT_NEAR(y2, 0.75f, 1e-5);
    EXPECT_NEAR(GTran::tranWindowY(g.getGTran(0), g.getGTran(1), 0.75f), 5.0f, 1e-4);
    // Activating passes the viewport to the device as clip: x 500..1000, y 0..500.
    EXPECT_EQ(g.activateTran(1), 1);
    EXPECT_EQ(g.getTran(), 1);
    EXPECT_EQ(d->log, Log{"clip 500.00 0.00 1000.00 500.00"});
    // A resized surface resets every transformation to the full NDC rectangle.
    d->width = 500, d->height = 250;
    g.callback("Redraw", "500:250", nullptr);
    EXPECT_FLOAT_EQ(g.getWindow().ymax, 0.5f);
    EXPECT_FLOAT_EQ(g.getGTran(1).getViewport().xmin, 0.0f);
    EXPECT_EQ(d->log.back(), "clip 0.00 0.00 500.00 250.00");
}

TEST(Graph, PolylinesWithDropShadowsAndVisibility) {
    Graph g;
    RecordDevice* d = openOn(g, 1000, 1000, false);
    g.setLineColor(7);
    g.setLineWidth(2);
    g.setDropShadow(2);
    g.setDropColor(5);
    g.setDropWidth(3);
    d->reset();
    Points p = line({0.1f, 0.9f, 0.2f, 0.8f});
    ASSERT_EQ(g.drawLine(p), 1);
    // Shadow colour and width, copies at (+1,+1) and (+2,+2) plot units, then the line's
    // own attributes and the line (window (0.1,0.9) is plot (100,100)).
    EXPECT_EQ(d->log, (Log{"color 1 5", "width 1 3.00", "pline 1 2 101.00,101.00 201.00,201.00",
                           "pline 1 2 102.00,102.00 202.00,202.00", "width 1 2.00", "color 1 7",
                           "pline 1 2 100.00,100.00 200.00,200.00"}));
    // Outside the window, or a single point: no device call at all.
    d->reset();
    Points outside = line({1.5f, 0.5f, 2.5f, 0.6f}), one = line({0.5f, 0.5f});
    EXPECT_EQ(g.drawLine(outside) + g.drawLine(one) + g.drawFill(outside), 0);
    EXPECT_TRUE(d->log.empty());
}

TEST(Graph, RectanglesCirclesFillsAndImages) {
    Graph g;
    RecordDevice* d = openOn(g, 1000, 1000, true); // y up: plot = window * 1000
    g.drawRect(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_EQ(d->log.back(),
              "pline 1 5 100.00,200.00 300.00,200.00 300.00,400.00 100.00,400.00 100.00,200.00");
    Rect r(0.1f, 0.2f, 0.3f, 0.4f);
    g.drawFill(r);
    EXPECT_EQ(d->log.back(),
              "fill 3 5 100.00,200.00 100.00,400.00 300.00,400.00 300.00,200.00 100.00,200.00");
    g.drawCircle(0.5f, 0.5f, 0.1f);
    const auto& c = d->prims.back().pts;
    ASSERT_EQ(c.size(), 73u); // every 5 degrees, closed; angle 0 straight up
    EXPECT_NEAR(c[0].y, 600, EPS);
    EXPECT_NEAR(c[18].x, 600, EPS);
    EXPECT_NEAR(c[72].y, 600, 1e-2);
    Points tri = line({0.1f, 0.1f, 0.2f, 0.1f, 0.15f, 0.2f});
    g.drawFill(tri); // unclosed, kind 3
    EXPECT_EQ(d->log.back(), "fill 3 3 100.00,100.00 200.00,100.00 150.00,200.00");
    Image img;
    img.set(4, 3, 8);
    g.drawImage(img, 0, 0.5f);
    EXPECT_EQ(d->log.back(), "image 4 3 0.00 500.00");
}

TEST(Graph, MarksOfEveryKind) {
    Graph g;
    RecordDevice* d = openOn(g, 1000, 1000, true);
    g.setMarkSize(0.02f); // half-size 10 plot units
    // Strokes per mark, points of the first stroke, and for two the whole last stroke;
    // 11 draws nothing.
    const std::string square = "pline 2 5 490.00,510.00 510.00,510.00 510.00,490.00 "
                               "490.00,490.00 490.00,510.00",
                      light = "pline 2 4 500.00,510.00 505.00,500.00 495.00,500.00 500.00,490.00";
    const struct {
        int strokes, points;
        std::string last;
    } marks[11] = {{1, 5, ""}, {2, 2, ""}, {4, 2, ""}, {1, 13, ""},   {2, 2, ""}, {1, 5, square},
                   {1, 4, ""}, {1, 2, ""}, {1, 4, ""}, {1, 4, light}, {0, 0, ""}};
    for (int type = 1; type <= 11; ++type) {
        const auto& m = marks[type - 1];
        d->reset();
        g.setMarkType(type);
        g.drawMark(0.5f, 0.5f);
        ASSERT_EQ(static_cast<int>(d->prims.size()), m.strokes) << "mark " << type;
        for (const auto& p : d->prims) EXPECT_EQ(p.kind, 2);
        if (m.strokes) {
            EXPECT_EQ(static_cast<int>(d->prims[0].pts.size()), m.points);
            EXPECT_TRUE(m.last.empty() || d->log.back() == m.last) << d->log.back();
        }
    }
}
