// The drawing context: transformations, viewports, attribute mirroring, lines, fills,
// marks and device selection, checked on the recording device.
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

namespace {

constexpr float EPS = 1e-3f; // float round-off on values of order 1000

// Opens g on a recording device of w x h units and returns the device (owned by g).
RecordDevice* openOn(Graph& g, float w, float h, bool up, const char* param = nullptr) {
    Hyx::setDatabasePath(HYX_SHARE);
    auto dev = std::make_unique<RecordDevice>(w, h, up);
    RecordDevice* d = dev.get();
    g.setDevice(std::move(dev), Graph::XWINDOW, param);
    EXPECT_EQ(g.open(), 1);
    d->reset();
    return d;
}

Rect rect(float x1, float y1, float x2, float y2) {
    Rect r;
    r.xmin = x1;
    r.ymin = y1;
    r.xmax = x2;
    r.ymax = y2;
    return r;
}

} // namespace

TEST(GTran, NdcFollowsTheLongerSideAndPlotYIsFlipped) {
    // A 200 x 100 surface with y down: NDC is (0,0)-(1,0.5) and one NDC unit is 200 units.
    GTran t;
    t.set(rect(0, 0, 200, 100));
    EXPECT_FLOAT_EQ(t.ndc.xmax, 1.0f);
    EXPECT_FLOAT_EQ(t.ndc.ymax, 0.5f);
    EXPECT_FLOAT_EQ(t.vp_plt.x, 200.0f);
    EXPECT_FLOAT_EQ(t.vp_plt.y, 200.0f);
    EXPECT_NEAR(t.tranX(0.5f), 100.0f, EPS);
    EXPECT_NEAR(t.tranY(0.25f), 50.0f, EPS); // (0.5 - 0.25) * 200
    EXPECT_NEAR(t.tranY(0.0f), 100.0f, EPS); // NDC bottom is the last row

    // Window (0,0)-(10,5) on viewport (0.1,0.1)-(0.9,0.4): window (5,5) is NDC (0.5,0.4),
    // plot (100, (0.5-0.4)*200 = 20); plot back to window returns (5,5).
    Rect wn(0, 0, 10, 5), vp(0.1f, 0.1f, 0.9f, 0.4f);
    t.setWindow(wn);
    t.setViewport(vp);
    EXPECT_NEAR(t.tranX(5), 100.0f, EPS);
    EXPECT_NEAR(t.tranY(5), 20.0f, EPS);
    float wx, wy;
    t.tranPlotWindow(100, 20, wx, wy);
    EXPECT_NEAR(wx, 5.0f, EPS);
    EXPECT_NEAR(wy, 5.0f, EPS);
    // Clip rectangle: the viewport in plot units, ordered: x 20..180, y (0.5-0.4)*200=20
    // to (0.5-0.1)*200=80.
    Rect c = t.getClipRect();
    EXPECT_NEAR(c.xmin, 20, EPS);
    EXPECT_NEAR(c.xmax, 180, EPS);
    EXPECT_NEAR(c.ymin, 20, EPS);
    EXPECT_NEAR(c.ymax, 80, EPS);
    // Far-away points are clamped.
    EXPECT_FLOAT_EQ(t.tranX(1e7f), 30000.0f);
    EXPECT_FLOAT_EQ(t.tranY(1e7f), -30000.0f);
    // A window without extent is refused and the old one kept.
    Rect flat(1, 1, 1, 2);
    EXPECT_EQ(t.setWindow(flat), 0);
    EXPECT_NEAR(t.tranX(5), 100.0f, EPS);
}

TEST(GTran, PageDeviceWithYUpMapsNdcTopToTheSurfaceHeight) {
    // A 756 x 576 page reported as (0,576)-(756,0): NDC height 576/756.
    GTran t;
    t.set(rect(0, 576, 756, 0));
    EXPECT_FLOAT_EQ(t.ndc.xmax, 1.0f);
    EXPECT_NEAR(t.ndc.ymax, 576.0f / 756.0f, 1e-6);
    EXPECT_NEAR(t.tranX(0), 0, EPS);
    EXPECT_NEAR(t.tranY(0), 0, EPS);
    EXPECT_NEAR(t.tranY(t.ndc.ymax), 576, EPS);
    EXPECT_NEAR(t.tranX(1), 756, EPS);
    Rect c = t.getClipRect();
    EXPECT_NEAR(c.ymin, 0, EPS);
    EXPECT_NEAR(c.ymax, 576, EPS);
    // Points entirely outside the window fail the visibility test; touching edges pass.
    Points in, out;
    in.add(1.0f, 0.2f);
    in.add(2.0f, 0.3f);
    out.add(1.01f, 0.2f);
    out.add(2.0f, 0.3f);
    EXPECT_TRUE(t.isPointsInWindow(in));
    EXPECT_FALSE(t.isPointsInWindow(out));
}

TEST(Graph, TransformationsBetweenWindowsAndRedraw) {
    Graph g;
    RecordDevice* d = openOn(g, 1000, 1000, false);
    EXPECT_EQ(g.setTran(4), 0);
    EXPECT_EQ(g.setTran(-1), 0);
    Rect r(0, 0, 1, 1);
    EXPECT_EQ(g.setWindow(7, r), 0);
    EXPECT_EQ(g.setViewport(-1, r), 0);

    // Transformation 1: window (0,0)-(100,10) on the viewport (0.5,0.5)-(1,1).
    Rect vp(0.5f, 0.5f, 1, 1), wn(0, 0, 100, 10);
    g.setViewport(1, vp);
    g.setWindow(1, wn);
    float x2, y2;
    ASSERT_EQ(g.tranWindow(1, 50, 5, 0, x2, y2), 1);
    EXPECT_NEAR(x2, 0.75f, 1e-5); // middle of the viewport in NDC units of tran 0
    EXPECT_NEAR(y2, 0.75f, 1e-5);
    EXPECT_NEAR(GTran::tranWindowX(g.getGTran(1), g.getGTran(0), 50), 0.75f, 1e-5);
    EXPECT_NEAR(GTran::tranWindowY(g.getGTran(0), g.getGTran(1), 0.75f), 5.0f, 1e-4);

    // Activating passes the viewport to the device as clip: x 500..1000, y 0..500.
    EXPECT_EQ(g.activateTran(1), 1);
    EXPECT_EQ(g.getTran(), 1);
    ASSERT_EQ(d->count("clip "), 1);
    EXPECT_EQ(d->log.back(), "clip 500.00 0.00 1000.00 500.00");

    // A resized surface resets every transformation to the full NDC square.
    d->width = 500;
    d->height = 250;
    g.callback("Redraw", "500:250", nullptr);
    Rect w = g.getWindow();
    EXPECT_FLOAT_EQ(w.xmax, 1.0f);
    EXPECT_FLOAT_EQ(w.ymax, 0.5f);
    EXPECT_EQ(d->log.back(), "clip 0.00 0.00 500.00 250.00");
    g.callback("KeyPress", "x", nullptr); // other events change nothing
    EXPECT_FLOAT_EQ(g.getWindow().ymax, 0.5f);
}

TEST(Graph, AspectKeptViewport) {
    Graph g;
    openOn(g, 800, 800, false);
    // The plot rectangle of a section: width-limited, 0.89 wide and 0.89/1.25 = 0.712 high,
    // centred between 0.05 and 0.95 (spare 0.188 split evenly).
    Rect r(0.06f, 0.05f, 0.95f, 0.95f);
    ASSERT_EQ(g.setViewportAspect(r, 1.25f), 1);
    Rect v = g.getViewport();
    EXPECT_NEAR(v.xmin, 0.06f, 1e-5);
    EXPECT_NEAR(v.xmax, 0.95f, 1e-5);
    EXPECT_NEAR(v.xmax - v.xmin, 0.89f, 1e-5);
    EXPECT_NEAR(v.ymax - v.ymin, 0.712f, 1e-5);
    EXPECT_NEAR(v.ymin, 0.144f, 1e-5);
    EXPECT_NEAR(v.ymax, 0.856f, 1e-5);

    // Height-limited box, kept at the left and the top: (0,0)-(1,0.5) with aspect 1 gives
    // a 0.5 square.
    Rect h(0, 0, 1, 0.5f);
    g.setViewportAspect(h, 1.0f, 1, 3);
    v = g.getViewport();
    EXPECT_NEAR(v.xmin, 0, 1e-6);
    EXPECT_NEAR(v.xmax, 0.5f, 1e-6);
    EXPECT_NEAR(v.ymin, 0, 1e-6);
    EXPECT_NEAR(v.ymax, 0.5f, 1e-6);
    g.setViewportAspect(h, 1.0f, 3, 1);
    EXPECT_NEAR(g.getViewport().xmin, 0.5f, 1e-6);

    // Negative sides count from the NDC edges: xmax -0.1 is 0.1 in from the right; an
    // aspect of 0 keeps the box's own shape.
    Rect n(-0.2f, 0.1f, -0.1f, 0.9f);
    g.setViewportAspect(n, 0);
    v = g.getViewport();
    EXPECT_NEAR(v.xmin, 0.2f, 1e-6);
    EXPECT_NEAR(v.xmax, 0.9f, 1e-6);
    EXPECT_NEAR(v.ymin, 0.1f, 1e-6);
    EXPECT_NEAR(v.ymax, 0.9f, 1e-6);
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
    Points p;
    p.add(0.1f, 0.9f);
    p.add(0.2f, 0.8f);
    ASSERT_EQ(g.drawLine(p), 1);
    // Shadow colour and width, two copies at (+1,+1) and (+2,+2) plot units, then the
    // line's own attributes and the line itself (window (0.1,0.9) is plot (100,100)).
    const std::vector<std::string> want = {
        "color 1 5",
        "width 1 3.00",
        "pline 1 2 101.00,101.00 201.00,201.00",
        "pline 1 2 102.00,102.00 202.00,202.00",
        "width 1 2.00",
        "color 1 7",
        "pline 1 2 100.00,100.00 200.00,200.00",
    };
    EXPECT_EQ(d->log, want);

    // Outside the window, or a single point: no device call at all.
    d->reset();
    Points outside, one;
    outside.add(1.5f, 0.5f);
    outside.add(2.5f, 0.6f);
    one.add(0.5f, 0.5f);
    EXPECT_EQ(g.drawLine(outside), 0);
    EXPECT_EQ(g.drawLine(one), 0);
    EXPECT_EQ(g.drawFill(outside), 0);
    EXPECT_TRUE(d->log.empty());

    // Without shadow: exactly one polyline.
    g.setDropShadow(0);
    EXPECT_EQ(g.drawLine(p), 1);
    EXPECT_EQ(d->log.size(), 1u);
}

TEST(Graph, UnchangedAttributesMakeNoDeviceCall) {
    Graph g;
    RecordDevice* d = openOn(g, 1000, 1000, false);
    EXPECT_EQ(g.setLineColor(9), 1);
    EXPECT_EQ(g.setLineColor(9), 0);
    EXPECT_EQ(g.setLineStyle(2), 1);
    EXPECT_EQ(g.setLineStyle(2), 0);
    EXPECT_EQ(g.setLineWidth(1.5f), 1);
    EXPECT_EQ(g.setLineWidth(1.5f), 0);
    EXPECT_EQ(g.setFillColor(4), 1);
    EXPECT_EQ(g.setFillColor(4), 0);
    EXPECT_EQ(g.setFillStyle(6), 1);
    EXPECT_EQ(g.setFillStyle(6), 0);
    EXPECT_EQ(g.setTextColor(3), 1);
    EXPECT_EQ(g.setTextColor(3), 0);
    EXPECT_EQ(g.setTextWidth(2), 1);
    EXPECT_EQ(g.setTextWidth(2), 0);
    EXPECT_EQ(g.setMarkColor(8), 1);
    EXPECT_EQ(g.setMarkColor(8), 0);
    EXPECT_EQ(g.setMarkWidth(3), 1);
    EXPECT_EQ(g.setMarkWidth(3), 0);
    const std::vector<std::string> want = {"color 1 9", "style 1 2",   "width 1 1.50",
                                           "color 3 4", "fstyle 3 6",  "color 4 3",
                                           "width 4 2.00", "color 2 8", "width 2 3.00"};
    EXPECT_EQ(d->log, want);
    // The initial colour 1 counts as in force.
    EXPECT_EQ(g.setMarkSize(0.01f), 0);
    EXPECT_EQ(g.setMarkSize(0.02f), 1);
    EXPECT_EQ(g.setMarkType(1), 0);
    EXPECT_EQ(g.setMarkType(3), 1);
    EXPECT_EQ(d->log.size(), want.size());
    // A new open restores every default.
    g.open();
    EXPECT_EQ(g.getLineColor(), 1);
    EXPECT_FLOAT_EQ(g.getLineWidth(), -1.0f);
    EXPECT_EQ(g.getMarkType(), 1);
}

TEST(Graph, NoDeviceMeansNothingIsDone) {
    Graph g;
    Points p;
    p.add(0, 0);
    p.add(1, 1);
    EXPECT_FALSE(g.isOpen());
    EXPECT_EQ(g.drawLine(p), 0);
    EXPECT_EQ(g.drawLine(0, 0, 1, 1), 0);
    EXPECT_EQ(g.drawMark(0.5f, 0.5f), 0);
    EXPECT_EQ(g.drawText(0.5f, 0.5f, "x"), 0);
    EXPECT_EQ(g.setLineColor(3), 0);
    EXPECT_EQ(g.setTextAlign(2, 2), 0);
    EXPECT_EQ(g.activateTran(0), 0);
    EXPECT_EQ(g.setFont("helvetica"), 0);
    EXPECT_EQ(g.message("%d", 1), 0);
    Rect dv;
    EXPECT_EQ(g.getDeviceViewport(dv), 0);
    // A device that fails to open leaves the graph closed.
    auto dev = std::make_unique<RecordDevice>();
    dev->fail_open = true;
    g.setDevice(std::move(dev), Graph::XWINDOW);
    EXPECT_EQ(g.open(), 0);
    EXPECT_FALSE(g.isOpen());
    g.close();
    EXPECT_FALSE(g.hasDevice());
}

TEST(Graph, DeviceSelectionByExactName) {
    EXPECT_EQ(Graph::getDeviceKind("postscript"), Graph::POSTSCRIPT);
    EXPECT_EQ(Graph::getDeviceKind("hpgl"), Graph::HPGL);
    EXPECT_EQ(Graph::getDeviceKind("meta"), Graph::META);
    for (const char* other : {"PostScript", "HPGL", "Meta", "display", "", "ps"})
        EXPECT_EQ(Graph::getDeviceKind(other), Graph::XWINDOW) << other;
    EXPECT_EQ(Graph::getDeviceKind(nullptr), Graph::XWINDOW);

    // The named PostScript device gets the whole parameter string; "hfont" is noticed.
    testutil::ScratchDir tmp;
    const std::string file = tmp.file("sel.ps");
    const std::string param = file + ",port,hfont";
    Graph g("postscript", param.c_str());
    EXPECT_EQ(g.getDeviceType(), Graph::POSTSCRIPT);
    EXPECT_TRUE(g.hasDevice());
    EXPECT_TRUE(g.getHfont());
    testutil::captureOut([&] { EXPECT_EQ(g.open(), 1); });
    g.close();
    const std::string ps = testutil::readFile(file);
    EXPECT_NE(ps.find(".25 inch .25 inch translate"), std::string::npos); // portrait
    EXPECT_NE(ps.find("%%EOF"), std::string::npos);
}

TEST(Graph, RectanglesCirclesAndFills) {
    Graph g;
    RecordDevice* d = openOn(g, 1000, 1000, true); // y up: plot = window * 1000
    g.drawRect(0.1f, 0.2f, 0.3f, 0.4f);
    ASSERT_EQ(d->prims.size(), 1u);
    EXPECT_EQ(d->log.back(), "pline 1 5 100.00,200.00 300.00,200.00 300.00,400.00 "
                             "100.00,400.00 100.00,200.00");
    Rect r(0.1f, 0.2f, 0.3f, 0.4f);
    g.drawFill(r);
    EXPECT_EQ(d->log.back(), "fill 3 5 100.00,200.00 100.00,400.00 300.00,400.00 "
                             "300.00,200.00 100.00,200.00");
    g.drawCircle(0.5f, 0.5f, 0.1f);
    const auto& c = d->prims.back();
    ASSERT_EQ(c.pts.size(), 73u); // every 5 degrees, closed
    EXPECT_NEAR(c.pts[0].x, 500, EPS); // angle 0: straight up
    EXPECT_NEAR(c.pts[0].y, 600, EPS);
    EXPECT_NEAR(c.pts[18].x, 600, EPS); // 90 degrees: to the right
    EXPECT_NEAR(c.pts[18].y, 500, 1e-2);
    EXPECT_NEAR(c.pts[72].y, 600, 1e-2);
    // Polygons go to the device unclosed, as kind 3.
    Points tri;
    tri.add(0.1f, 0.1f);
    tri.add(0.2f, 0.1f);
    tri.add(0.15f, 0.2f);
    g.drawFill(tri);
    EXPECT_EQ(d->log.back(), "fill 3 3 100.00,100.00 200.00,100.00 150.00,200.00");
    g.drawLine(0.1f, 0.1f, 0.9f, 0.9f);
    EXPECT_EQ(d->log.back(), "line 1 2 100.00,100.00 900.00,900.00");
}

TEST(Graph, MarksOfEveryKind) {
    Graph g;
    RecordDevice* d = openOn(g, 1000, 1000, true);
    g.setMarkSize(0.02f); // half-size 0.01 = 10 plot units
    struct Case {
        int type;
        int strokes;
        int points; // of the first stroke
    };
    const Case cases[] = {{1, 1, 5}, {2, 2, 2}, {3, 4, 2},  {4, 1, 13}, {5, 2, 2},
                          {6, 1, 5}, {7, 1, 4}, {8, 1, 2},  {9, 1, 4},  {10, 1, 4}};
    for (const Case& c : cases) {
        d->reset();
        g.setMarkType(c.type);
        g.drawMark(0.5f, 0.5f);
        ASSERT_EQ(static_cast<int>(d->prims.size()), c.strokes) << "mark " << c.type;
        EXPECT_EQ(static_cast<int>(d->prims[0].pts.size()), c.points) << "mark " << c.type;
        for (const auto& p : d->prims) EXPECT_EQ(p.kind, 2);
    }
    // Square: corners at half-size 10 around (500,500), starting upper left.
    g.setMarkType(6);
    d->reset();
    g.drawMark(0.5f, 0.5f);
    EXPECT_EQ(d->log.back(), "pline 2 5 490.00,510.00 510.00,510.00 510.00,490.00 "
                             "490.00,490.00 490.00,510.00");
    // Lightning: (x, y+h), (x+h/2, y), (x-h/2, y), (x, y-h).
    g.setMarkType(10);
    d->reset();
    g.drawMark(0.5f, 0.5f);
    EXPECT_EQ(d->log.back(), "pline 2 4 500.00,510.00 505.00,500.00 495.00,500.00 500.00,490.00");
    // Unknown kinds draw nothing.
    g.setMarkType(11);
    d->reset();
    g.drawMark(0.5f, 0.5f);
    EXPECT_TRUE(d->prims.empty());

    // Shadows: the shadow colour, n copies one plot unit apart starting at the mark, the
    // mark colour again, then the mark.
    g.setMarkType(8);
    g.setMarkColor(6);
    g.setDropShadow(2);
    g.setDropColor(9);
    d->reset();
    g.drawMark(0.5f, 0.5f);
    const std::vector<std::string> want = {
        "color 2 9", "pline 2 2 500.00,500.00 501.00,501.00",
        "pline 2 2 501.00,501.00 502.00,502.00", "color 2 6",
        "pline 2 2 500.00,500.00 501.00,501.00"};
    EXPECT_EQ(d->log, want);
}

TEST(Graph, PassThroughsReachTheDevice) {
    Graph g;
    RecordDevice* d = openOn(g, 640, 512, false);
    EXPECT_EQ(g.setTitle("Section"), 1);
    EXPECT_EQ(g.setBackground("white"), 1);
    g.setSize(800, 600);
    g.newFrame();
    g.bell();
    g.message("%d stations", 3);
    const std::vector<std::string> want = {"setTitle Section", "setBackground white",
                                           "setSize 800.00 600.00", "displayFrame -1",
                                           "newFrame -1",        "setFrame -1",
                                           "bell 0",             "message 3 stations"};
    EXPECT_EQ(d->log, want);
    EXPECT_EQ(g.allocColor(1, 0, 0), 0xFF0000);
    Image img;
    img.set(4, 3, 8);
    d->reset();
    g.drawImage(img, 0, 0);
    EXPECT_EQ(d->log.back(), "image 4x3 0.00,512.00");
    // Listeners cannot be added while the event loop runs.
    g.manage();
    EXPECT_FALSE(g.isManaged());
    EXPECT_EQ(g.addCallback("AnyEvent", &g, nullptr), 1);
}
