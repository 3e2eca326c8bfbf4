// Contour drawing on a plot: lines with styles and colours, line labels, extrema, values
// and filled bands, checked on the primitives a recording device receives.
#include "HYX/ColorMap.h"
#include "HYX/ContPlot.h"
#include "HYX/Grid.h"
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/Resrc.h"

#include "PlotTestUtil.h"
#include "RecordDevice.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace HYX;
using testutil::RecordDevice;

namespace {

constexpr float MISS = Const::FMISS;

// One primitive of the log with the attributes in force for its kind.
struct Drawn {
    std::string op;
    std::vector<Point> pts; // window coordinates
    std::string text;
    int color = -1;
    int style = 1;
};

class ContDraw : public ::testing::Test {
protected:
    void SetUp() override { testutil::resetPlotState(); }
    void TearDown() override { testutil::resetPlotState(); }

    // A plot on a recording device whose transformation 1 maps the page (0..1) one to one.
    RecordDevice* open(Plot& plot) {
        RecordDevice* d = testutil::openRecording(plot, 1000, 1000);
        plot.setPanel(Rect(0, 0, 1, 1));
        d->reset();
        return d;
    }

    // The primitives of kind (1 line, 3 fill, 4 text) with their colour and line style.
    static std::vector<Drawn> drawn(Plot& plot, const RecordDevice& d, int kind) {
        std::vector<Drawn> out;
        int color[5] = {-1, -1, -1, -1, -1}, style = 1;
        size_t prim = 0;
        for (const std::string& l : d.log) {
            std::istringstream in(l);
            std::string op;
            int k = 0;
            in >> op >> k;
            if (op == "color" && k >= 1 && k <= 4) in >> color[k];
            if (op == "style" && k == 1) in >> style;
            if (op != "line" && op != "pline" && op != "fill" && op != "text") continue;
            const RecordDevice::Prim& p = d.prims[prim++];
            if (p.kind != kind) continue;
            Drawn w{p.op, {}, p.text, color[kind], style};
            for (const Point& q : p.pts) {
                float wx, wy;
                plot.tranPlotWindow(q.x, q.y, wx, wy);
                w.pts.push_back(Point(wx, wy));
            }
            out.push_back(w);
        }
        return out;
    }

    // The device colour value of the fill entry of level v.
    static int levelColor(Plot& plot, const ContPlot& cp, float v) {
        return plot.getColorMap().getValue(cp.getFill().get(v).getColorInd());
    }
};

// nx by ny points spread over 0.1..0.9 of the page with positions stored in the grid.
Grid located(int nx, int ny, const std::function<float(float, float)>& f) {
    Grid g(nx, ny);
    g.allocLocate();
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            const float x = 0.1f + 0.8f * i / (nx - 1), y = 0.1f + 0.8f * j / (ny - 1);
            g.setLocate(i, j, Point(x, y));
            g.setValue(i, j, f(x, y));
        }
    return g;
}

double area(const std::vector<Point>& p) {
    double a = 0;
    for (size_t i = 0; i + 1 < p.size(); ++i)
        a += static_cast<double>(p[i].x) * p[i + 1].y - static_cast<double>(p[i + 1].x) * p[i].y;
    return a / 2;
}

} // namespace

TEST_F(ContDraw, LinesFollowTheLevelsWithDashesAndColours) {
    Plot plot;
    RecordDevice* d = open(plot);
    // v = 100 x - 50 on x from 0.1 to 0.9: -40..40, levels every 20 from -40 to 60.
    Grid g = located(9, 5, [](float x, float) { return 100 * x - 50; });
    ContPlot cp("ndln,int=20,lab=0");
    cp.draw(plot, g);
    ASSERT_EQ(cp.getNumCont(), 6);
    std::map<int, int> per_level;
    for (const Drawn& l : drawn(plot, *d, 1)) {
        ASSERT_EQ(l.pts.size(), 2u);
        // Both ends lie on the level line, which is vertical in this field.
        const float lev = 100 * l.pts[0].x - 50;
        EXPECT_NEAR(100 * l.pts[1].x - 50, lev, 0.05f);
        const int k = static_cast<int>(std::lround(lev / 20));
        EXPECT_NEAR(lev, 20.0f * k, 0.05f);
        ++per_level[k];
        // Negative levels dashed, the others solid; white lines by default.
        EXPECT_EQ(l.style, k < 0 ? 2 : 1) << lev;
        EXPECT_EQ(l.color, plot.getColorMap().getValue("white"));
    }
    // Levels -20, 0 and 20 cross each of the 4 box rows; -40 and 40 lie on the edge
    // columns, whose corners are lowered by the tweak, so they run just inside them.
    EXPECT_EQ(per_level[-1], 4);
    EXPECT_EQ(per_level[0], 4);
    EXPECT_EQ(per_level[1], 4);
    EXPECT_EQ(per_level[3], 0);

    // "miss" as line colour: each level in the colour of its band.
    d->reset();
    ContPlot lev("ln,int=20,lab=0,coco=miss");
    lev.draw(plot, g);
    int n = 0;
    for (const Drawn& l : drawn(plot, *d, 1)) {
        const float v = 100 * l.pts[0].x - 50;
        EXPECT_EQ(l.color, levelColor(plot, lev, 20.0f * std::lround(v / 20))) << v;
        ++n;
    }
    EXPECT_GT(n, 10);
}

TEST_F(ContDraw, ConstantFieldAndSaddleBox) {
    Plot plot;
    RecordDevice* d = open(plot);
    Grid flat = located(4, 4, [](float, float) { return 5.0f; });
    ContPlot cp("ln,lab=0");
    cp.draw(plot, flat);
    EXPECT_TRUE(drawn(plot, *d, 1).empty());

    // Corners 0 and 3 at 1, corners 1 and 2 at 0: at level 0.5 the lines cut off corners
    // 1 and 2 (sides 0-1 and 2-3).
    Grid s(2, 2);
    s.allocLocate();
    const float v[4] = {1, 0, 0, 1};
    for (int k = 0; k < 4; ++k) {
        s.setValue(k % 2, k / 2, v[k]);
        s.setLocate(k % 2, k / 2, Point(0.2f + 0.6f * (k % 2), 0.2f + 0.6f * (k / 2)));
    }
    ContPlot sp("ln,int=0.5,lab=0");
    d->reset();
    sp.draw(plot, s);
    bool c1 = false, c2 = false;
    for (const Drawn& l : drawn(plot, *d, 1)) {
        auto at = [&](float x, float y) {
            return (std::fabs(l.pts[0].x - x) < 1e-3f && std::fabs(l.pts[0].y - y) < 1e-3f) ||
                   (std::fabs(l.pts[1].x - x) < 1e-3f && std::fabs(l.pts[1].y - y) < 1e-3f);
        };
        c1 = c1 || (at(0.5f, 0.2f) && at(0.8f, 0.5f)); // side 0 to side 1
        c2 = c2 || (at(0.5f, 0.8f) && at(0.2f, 0.5f)); // side 2 to side 3
    }
    EXPECT_TRUE(c1);
    EXPECT_TRUE(c2);
}

TEST_F(ContDraw, LineLabelsOnEveryOtherLevelAtSpacedColumnsAndRows) {
    Plot plot;
    RecordDevice* d = open(plot);
    // 20 x 10 points; v rises with the row: lines run across the boxes from side 3 to
    // side 1 and are labelled in columns 0, 4, 8, 12 and 16.
    Grid g = located(20, 10, [](float, float y) { return 100 * y; });
    ContPlot cp("ln,int=10,lab=20");
    cp.draw(plot, g);
    EXPECT_EQ(cp.getSkipX(), 4);
    EXPECT_EQ(cp.getSkipY(), 2);
    std::map<std::string, int> texts;
    for (const Drawn& t : drawn(plot, *d, 4)) {
        const float col = (t.pts[0].x - 0.1f) / 0.8f * 19 - 0.5f; // box column
        EXPECT_NEAR(std::fmod(col + 0.01f, 4.0f), 0.01f, 0.02f) << t.text;
        ++texts[t.text];
    }
    // Levels 10..90; every other one from the lowest is labelled. Level 90 equals the top
    // row, whose values the tweak lowers under it, so it crosses no box.
    EXPECT_EQ(texts.size(), 4u);
    for (const char* lv : {"10", "30", "50", "70"}) EXPECT_EQ(texts[lv], 5) << lv;

    // Rising with the column: labelled on rows 0, 2, 4, 6 and 8.
    d->reset();
    Grid h = located(20, 10, [](float x, float) { return 100 * x; });
    ContPlot hp("ln,int=10,lab=20");
    hp.draw(plot, h);
    int n = 0;
    for (const Drawn& t : drawn(plot, *d, 4)) {
        const float row = (t.pts[0].y - 0.1f) / 0.8f * 9 - 0.5f;
        EXPECT_NEAR(std::fmod(row + 0.01f, 2.0f), 0.01f, 0.02f) << t.text;
        ++n;
    }
    EXPECT_EQ(n, 4 * 5);
}

TEST_F(ContDraw, HighsAndLowsAtStrictExtrema) {
    Plot plot;
    RecordDevice* d = open(plot);
    // A hill at (0.3, 0.5) and a hollow at (0.7, 0.5) on a 21 x 21 grid, both flat zero
    // beyond a radius of 0.16, so that the edges hold no extrema.
    auto bump = [](float x, float y, float cx) {
        const float r2 = (x - cx) * (x - cx) + (y - 0.5f) * (y - 0.5f);
        return r2 < 0.0256f ? 10 * (1 - r2 / 0.0256f) : 0.0f;
    };
    Grid g = located(21, 21, [&](float x, float y) { return bump(x, y, 0.3f) - bump(x, y, 0.7f); });
    // One plateau point equal to its neighbour is neither.
    g.setValue(2, 2, 30);
    g.setValue(3, 2, 30);
    g.setValue(17, 17, 5); // a lone peak with one missing neighbour still counts
    g.setValue(18, 17, MISS);
    g.setValue(2, 17, 5); // two missing neighbours: no mark
    g.setValue(3, 17, MISS);
    g.setValue(1, 17, MISS);
    ContPlot cp("ln,int=2,lab=2");
    cp.draw(plot, g);
    std::vector<Drawn> marks;
    for (const Drawn& t : drawn(plot, *d, 4))
        if (t.text == "H" || t.text == "L") marks.push_back(t);
    // Rows first: the hill and the hollow on row 10, then the lone peak on row 17.
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].text, "H");
    EXPECT_NEAR(marks[0].pts[0].x, 0.3f, 1e-3f);
    EXPECT_NEAR(marks[0].pts[0].y, 0.5f, 1e-3f);
    EXPECT_EQ(marks[1].text, "L");
    EXPECT_NEAR(marks[1].pts[0].x, 0.7f, 1e-3f);
    EXPECT_EQ(marks[2].text, "H");
    EXPECT_NEAR(marks[2].pts[0].x, 0.1f + 0.8f * 17 / 20, 1e-3f);
    // The value goes below the letter with three significant digits.
    bool ten = false;
    for (const Drawn& t : drawn(plot, *d, 4)) ten = ten || t.text == "10" || t.text == "10.0";
    EXPECT_TRUE(ten);
}

TEST_F(ContDraw, GridValuesInTheirBandColours) {
    Plot plot;
    RecordDevice* d = open(plot);
    Grid g = located(3, 2, [](float x, float y) { return 10 * x + y; });
    g.setValue(1, 1, MISS);
    ContPlot cp("value,int=1,fm=%.2f");
    cp.draw(plot, g);
    const std::vector<Drawn> t = drawn(plot, *d, 4);
    ASSERT_EQ(t.size(), 5u); // the missing value is skipped
    EXPECT_EQ(t[0].text, "1.10");
    EXPECT_EQ(t[0].color, levelColor(plot, cp, 1.1f));

    // Without a format: three significant digits.
    d->reset();
    ContPlot plain("value,int=1");
    plain.draw(plot, g);
    EXPECT_EQ(drawn(plot, *d, 4)[0].text, "1.1");
}

TEST_F(ContDraw, FilledBandsTileTheValidBoxesInTheirLowerLevelColour) {
    Plot plot;
    RecordDevice* d = open(plot);
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> val(0.0f, 10.0f), jit(-0.004f, 0.004f);
    const int nx = 25, ny = 20;
    Grid g(nx, ny);
    g.allocLocate();
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            g.setLocate(i, j,
                        Point(0.1f + 0.8f * i / (nx - 1) + jit(rng),
                              0.1f + 0.8f * j / (ny - 1) + jit(rng)));
            g.setValue(i, j, val(rng));
        }
    g.setValue(5, 5, MISS);
    g.setValue(12, 0, MISS);
    ContPlot cp("cf,int=1,lab=0");
    cp.draw(plot, g);

    // Expected: the area of every box whose four corners are valid.
    double want = 0;
    for (int j = 0; j + 1 < ny; ++j)
        for (int i = 0; i + 1 < nx; ++i) {
            if (g.getValue(i, j) == MISS || g.getValue(i + 1, j) == MISS ||
                g.getValue(i, j + 1) == MISS || g.getValue(i + 1, j + 1) == MISS)
                continue;
            want += area({g.getLocate(i, j), g.getLocate(i + 1, j), g.getLocate(i + 1, j + 1),
                          g.getLocate(i, j + 1), g.getLocate(i, j)});
        }
    double got = 0;
    int checked = 0;
    for (const Drawn& f : drawn(plot, *d, 3)) {
        got += std::fabs(area(f.pts));
        // A vertex on a grid point: the band holds that point's value.
        for (const Point& p : f.pts)
            for (int j = 0; j < ny; ++j)
                for (int i = 0; i < nx; ++i) {
                    const Point q = g.getLocate(i, j);
                    if (std::fabs(p.x - q.x) > 1e-5f || std::fabs(p.y - q.y) > 1e-5f) continue;
                    // The band's lower level: the value rounded down to the interval (1).
                    EXPECT_EQ(f.color, levelColor(plot, cp, std::floor(g.getValue(i, j))));
                    EXPECT_NE(g.getValue(i, j), MISS);
                    ++checked;
                }
    }
    // Window areas from device coordinates rounded to 0.01 of 1000 units.
    EXPECT_NEAR(got, want, 1e-3 * want);
    EXPECT_GT(checked, 500);
}

TEST_F(ContDraw, ValueListFillsFromTheFirstValueUp) {
    Plot plot;
    RecordDevice* d = open(plot);
    // Values -5..35 across the page; bands 0 blue, 10 green, 20 red and up.
    Grid g = located(9, 3, [](float x, float) { return 50 * x - 10; });
    ContPlot cp("cf,lab=0");
    cp.setColorFill("0:blue,10:green,20:red");
    cp.draw(plot, g);
    double blue = 0, green = 0, red = 0, other = 0;
    const ColorMap m = plot.getColorMap();
    for (const Drawn& f : drawn(plot, *d, 3)) {
        const double a = std::fabs(area(f.pts));
        if (f.color == m.getValue(plot.getColorInd("blue")))
            blue += a;
        else if (f.color == m.getValue(plot.getColorInd("green")))
            green += a;
        else if (f.color == m.getValue(plot.getColorInd("red")))
            red += a;
        else
            other += a;
    }
    // x from 0.1 to 0.9, v = 50 x - 10: v < 0 below x = 0.2 stays empty; each band of 10
    // is 0.2 wide, and everything above 20 (x >= 0.6) is red; the strip is 0.8 high.
    EXPECT_NEAR(blue, 0.2 * 0.8, 1e-3);
    EXPECT_NEAR(green, 0.2 * 0.8, 1e-3);
    EXPECT_NEAR(red, 0.3 * 0.8, 1e-3);
    EXPECT_EQ(other, 0.0);
}

TEST_F(ContDraw, AllMissingAndHugeValuesDrawSafely) {
    Plot plot;
    RecordDevice* d = open(plot);
    Grid blank = located(6, 6, [](float, float) { return MISS; });
    ContPlot cp("lcf,bar");
    cp.draw(plot, blank);
    EXPECT_TRUE(drawn(plot, *d, 3).empty());
    EXPECT_TRUE(drawn(plot, *d, 1).empty());

    Grid big = located(6, 6, [](float x, float y) { return (x - y) * 3.0e38f; });
    ContPlot hp("lcf");
    hp.draw(plot, big);
    for (const Drawn& f : drawn(plot, *d, 3))
        for (const Point& p : f.pts) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    EXPECT_FALSE(drawn(plot, *d, 3).empty());
}

TEST_F(ContDraw, GridLabelsAndPlotDate) {
    Plot plot;
    open(plot);
    Grid g = located(5, 5, [](float x, float y) { return 100 * x + 10 * y; });
    g.setInfo("Temperature [C]");
    g.setDatim("12Z 07 MAR 24");
    g.setGenName("RAOB");
    g.setDate(Date(2024, 3, 7, 12, 0, 0));
    g.setForeTime("6");
    ContPlot cp("ln,int=20,lab=0");
    cp.draw(plot, g);
    cp.drawLabels(plot, g);
    ASSERT_EQ(plot.getNumLabel(), 3);
    EXPECT_STREQ(plot.getLabel(0).string, "Temperature [C]");
    EXPECT_STREQ(plot.getLabel(0).locate, "ul");
    EXPECT_STREQ(plot.getLabel(1).string, "12Z 07 MAR 24");
    // Range of the data (11..99) with three significant digits.
    EXPECT_STREQ(plot.getLabel(2).string, "Int: 20 Lo: 11 Hi: 99");
    EXPECT_STREQ(plot.getLabel(2).locate, "lr");
    // The undated plot takes the grid's date, forecast hour and source.
    EXPECT_EQ(plot.getDate().getHour(), 12);
    EXPECT_EQ(plot.getForeHour(), 6.0f);
    EXPECT_STREQ(plot.getDataSource(), "RAOB");

    // A dated plot keeps its date; value lists have no interval.
    Plot dated;
    open(dated);
    dated.setDate(Date(2020, 1, 1, 0, 0, 0));
    ContPlot vl("cf,lab=0");
    vl.setColorFill("0:blue,50:red");
    vl.draw(dated, g);
    vl.drawLabels(dated, g);
    EXPECT_EQ(dated.getDate().getYear(), 2020);
    EXPECT_STREQ(dated.getLabel(2).string, "Lo: 11 Hi: 99");
}

TEST_F(ContDraw, OwnColourTableGivesTheBandColours) {
    Plot plot;
    RecordDevice* d = open(plot);
    testutil::ScratchDir dir;
    dir.write("two.clr", "warm 1 0.5 0\ncool 0 0.5 1\nEND\n");
    Hyx::setDatabasePath(dir.path().c_str());
    Grid g = located(5, 3, [](float x, float) { return 100 * x; }); // 10..90
    ContPlot cp("cf,ct=two.clr,int=20,lab=0");
    cp.draw(plot, g);
    const ColorMap m = plot.getColorMap();
    const int warm = m.getValue(plot.getColorInd("warm")),
              cool = m.getValue(plot.getColorInd("cool"));
    ASSERT_GE(plot.getColorInd("warm"), 0);
    // Bands from 0 every 20, the two table colours taking turns.
    int seen = 0;
    for (const Drawn& f : drawn(plot, *d, 3)) {
        float cx = 0;
        for (size_t k = 0; k + 1 < f.pts.size(); ++k) cx += f.pts[k].x;
        cx /= static_cast<float>(f.pts.size() - 1);
        const int band = static_cast<int>(std::floor(100 * cx / 20));
        EXPECT_EQ(f.color, band % 2 == 0 ? warm : cool) << cx;
        ++seen;
    }
    EXPECT_GT(seen, 8);
}
