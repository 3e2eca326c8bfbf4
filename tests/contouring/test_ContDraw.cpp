// Contour drawing on a plot: lines with styles and colours, labels sharing their room,
// extrema, filled bands and the labels of the grid, checked on the primitives a recording
// device receives. Line labels and values of whole sections are pinned by the goldens.
#include "HYX/ColorMap.h"
#include "HYX/ContPlot.h"
#include "HYX/Grid.h"
#include "HYX/LabelSpace.h"
#include "HYX/Plot.h"

#include "PlotTestUtil.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>

using namespace HYX;
using testutil::RecordDevice;

namespace {

constexpr float MISS = Const::FMISS;

// One primitive of the log with the attributes in force for its kind.
struct Drawn {
    std::vector<Point> pts; // window coordinates
    std::string text;
    int color = -1;
    int style = 1;
};

// Every test draws on `plot`, opened on a recording device whose transformation 1 maps
// the page (0..1) one to one.
class ContDraw : public ::testing::Test {
protected:
    void TearDown() override { testutil::resetPlotState(); }
    static RecordDevice* open(Plot& p) {
        RecordDevice* dev = testutil::openRecording(p, 1000, 1000);
        p.setPanel(Rect(0, 0, 1, 1));
        dev->reset();
        return dev;
    }
    const bool clean = (testutil::resetPlotState(), true); // before the plot reads resources
    Plot plot;
    RecordDevice* d = open(plot);

    // The primitives of kind (1 line, 3 fill, 4 text) with their colour and line style.
    std::vector<Drawn> drawn(int kind) {
        std::vector<Drawn> out;
        int color[5] = {-1, -1, -1, -1, -1}, style = 1;
        size_t prim = 0;
        for (const std::string& l : d->log) {
            std::istringstream in(l);
            std::string op;
            int k = 0;
            in >> op >> k;
            if (op == "color" && k >= 1 && k <= 4) in >> color[k];
            if (op == "style" && k == 1) in >> style;
            if (op != "line" && op != "pline" && op != "fill" && op != "text") continue;
            const RecordDevice::Prim& p = d->prims[prim++];
            if (p.kind != kind) continue;
            Drawn w{{}, p.text, color[kind], style};
            for (const Point& q : p.pts) {
                float wx, wy;
                plot.tranPlotWindow(q.x, q.y, wx, wy);
                w.pts.push_back(Point(wx, wy));
            }
            out.push_back(w);
        }
        return out;
    }

    void draw(ContPlot& cp, Grid g) { cp.draw(plot, g); }
    void draw(const char* param, Grid g) {
        ContPlot cp(param);
        cp.draw(plot, g);
    }

    // The device colour value of the fill entry of level v.
    int levelColor(const ContPlot& cp, float v) {
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
    // v = 100 x - 50 on x from 0.1 to 0.9: -40..40, levels every 20 from -40 to 60.
    Grid g = located(9, 5, [](float x, float) { return 100 * x - 50; });
    ContPlot cp("ndln,int=20,lab=0");
    cp.draw(plot, g);
    ASSERT_EQ(cp.getNumCont(), 6);
    std::map<int, int> per_level;
    for (const Drawn& l : drawn(1)) {
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
    for (int k : {-1, 0, 1}) EXPECT_EQ(per_level[k], 4) << k;
    EXPECT_EQ(per_level.count(3), 0u) << "no line at 60";

    // "miss" as line colour: each level in the colour of its band.
    d->reset();
    ContPlot lev("ln,int=20,lab=0,coco=miss");
    lev.draw(plot, g);
    const std::vector<Drawn> lines = drawn(1);
    EXPECT_GT(lines.size(), 10u);
    for (const Drawn& l : lines) {
        const float v = 100 * l.pts[0].x - 50;
        EXPECT_EQ(l.color, levelColor(lev, 20.0f * std::lround(v / 20))) << v;
    }
}

TEST_F(ContDraw, SharedLabelSpaceKeepsLabelsApartAndAboveItsFloor) {
    Grid g = located(20, 10, [](float, float y) { return 100 * y; });
    LabelSpace room;
    room.setFloor({Point(0.1f, 0.3f), Point(0.9f, 0.6f)});
    ContPlot first("ln,int=10,lab=20"), second("ln,int=10,lab=20");
    first.setLabelSpace(&room);
    second.setLabelSpace(&room);
    draw(first, g);
    const std::vector<Drawn> t = drawn(4);
    EXPECT_GE(t.size(), 5u);
    for (const Drawn& l : t) // lines are 0.1 apart; labels 0.015 high, centred on them
        EXPECT_GT(l.pts[0].y - 0.0075f, 0.3f + 0.3f * (l.pts[0].x - 0.1f) / 0.8f) << l.text;
    // A second field with labels in the same places gets none of them.
    d->reset();
    draw(second, g);
    EXPECT_TRUE(drawn(4).empty());
}

TEST_F(ContDraw, SpreadFillGivesEveryBandAColourOfItsOwn) {
    // 0..100 every 2: 50 bands, more than the 20 colours of the fill sequence.
    Grid g = located(11, 3, [](float x, float) { return 124.9f * (x - 0.1f); });
    ContPlot plain("cf,int=2"), spread("cf,int=2");
    spread.setSpreadFill(true);
    draw(plain, g);
    draw(spread, g);
    ASSERT_EQ(spread.getNumCont(), 51);
    std::set<int> colours;
    for (int k = 0; k < 50; ++k) colours.insert(levelColor(spread, 2.0f * k));
    EXPECT_EQ(colours.size(), 50u);
    // The ends of the sequence at the ends of the range; the plain fill repeats after 20.
    const ColorMap table = plot.getColorMap();
    EXPECT_EQ(levelColor(spread, 0), table.getValue(0));
    EXPECT_EQ(levelColor(spread, 98), table.getValue(table.getNumFill() - 1));
    EXPECT_EQ(levelColor(plain, 0), levelColor(plain, 40));
}

TEST_F(ContDraw, HighsAndLowsAtStrictExtrema) {
    // A hill at (0.3, 0.5) and a hollow at (0.7, 0.5) on a 21 x 21 grid, both flat zero
    // beyond a radius of 0.16, so that the edges hold no extrema.
    auto bump = [](float x, float y, float cx) {
        const float r2 = (x - cx) * (x - cx) + (y - 0.5f) * (y - 0.5f);
        return r2 < 0.0256f ? 10 * (1 - r2 / 0.0256f) : 0.0f;
    };
    Grid g = located(21, 21, [&](float x, float y) { return bump(x, y, 0.3f) - bump(x, y, 0.7f); });
    // One plateau point equal to its neighbour is neither; a lone peak with one missing
    // neighbour still counts, one with two missing neighbours does not.
    const float set[][3] = {{2, 2, 30}, {3, 2, 30},    {17, 17, 5},  {18, 17, MISS},
                            {2, 17, 5}, {3, 17, MISS}, {1, 17, MISS}};
    for (const auto& s : set) g.setValue(int(s[0]), int(s[1]), s[2]);
    ContPlot cp("ln,int=2,lab=2");
    cp.draw(plot, g);
    std::vector<Drawn> marks;
    bool ten = false;
    for (const Drawn& t : drawn(4)) {
        if (t.text == "H" || t.text == "L") marks.push_back(t);
        ten = ten || t.text == "10" || t.text == "10.0"; // the value, three digits
    }
    EXPECT_TRUE(ten);
    // Rows first: the hill and the hollow on row 10, then the lone peak on row 17.
    ASSERT_EQ(marks.size(), 3u);
    const std::pair<const char*, float> want[] = {{"H", 0.3f}, {"L", 0.7f}, {"H", 0.78f}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(marks[k].text, want[k].first) << k;
        EXPECT_NEAR(marks[k].pts[0].x, want[k].second, 1e-3f) << k; // 0.78: column 17 of 20
    }
    EXPECT_NEAR(marks[0].pts[0].y, 0.5f, 1e-3f);
}

TEST_F(ContDraw, FilledBandsTileTheValidBoxesInTheirLowerLevelColour) {
    // Two fields: continuous values, and values on the half steps 0.5 .. 10.5, so that many
    // corners lie exactly on a level (the lowest value stays off the lowest level 0, whose
    // corners the tweak would lower out of every band).
    for (const bool halves : {false, true}) {
        SCOPED_TRACE(halves ? "half steps" : "continuous");
        d->reset();
        std::mt19937 rng(7);
        std::uniform_real_distribution<float> val(0.0f, 10.0f), jit(-0.004f, 0.004f);
        const int nx = 25, ny = 20;
        Grid g = located(nx, ny, [&](float, float) {
            const float v = val(rng);
            return halves ? std::round(v * 2) / 2 + 0.5f : v;
        });
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i) {
                const Point p = g.getLocate(i, j);
                g.setLocate(i, j, Point(p.x + jit(rng), p.y + jit(rng)));
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
        for (const Drawn& f : drawn(3)) {
            // Every band runs the same way round, so no negative piece hides an overlap.
            const double a = area(f.pts);
            EXPECT_GE(a, -1e-9);
            got += a;
            // A vertex on a grid point off the levels: the band holds that point's value.
            for (const Point& p : f.pts)
                for (int j = 0; j < ny; ++j)
                    for (int i = 0; i < nx; ++i) {
                        const Point q = g.getLocate(i, j);
                        const float v = g.getValue(i, j);
                        if (std::fabs(p.x - q.x) > 1e-5f || std::fabs(p.y - q.y) > 1e-5f) continue;
                        EXPECT_NE(v, MISS);
                        if (v == std::floor(v)) continue;
                        // The band's lower level: the value rounded down to the interval (1).
                        EXPECT_EQ(f.color, levelColor(cp, std::floor(v)));
                        ++checked;
                    }
        }
        // Window areas from device coordinates rounded to 0.01 of 1000 units.
        EXPECT_NEAR(got, want, 1e-3 * want);
        EXPECT_GT(checked, 200);
    }
}

TEST_F(ContDraw, ValueListFillsFromTheFirstValueUp) {
    // Values -5..35 across the page; bands 0 blue, 10 green, 20 red and up.
    ContPlot cp("cf,lab=0");
    cp.setColorFill("0:blue,10:green,20:red");
    draw(cp, located(9, 3, [](float x, float) { return 50 * x - 10; }));
    std::map<int, double> by_colour;
    for (const Drawn& f : drawn(3)) by_colour[f.color] += std::fabs(area(f.pts));
    // x from 0.1 to 0.9, v = 50 x - 10: v < 0 below x = 0.2 stays empty; each band of 10
    // is 0.2 wide, and everything above 20 (x >= 0.6) is red; the strip is 0.8 high.
    const ColorMap m = plot.getColorMap();
    const std::pair<const char*, double> want[] = {{"blue", 0.2}, {"green", 0.2}, {"red", 0.3}};
    for (const auto& [name, width] : want)
        EXPECT_NEAR(by_colour[m.getValue(plot.getColorInd(name))], width * 0.8, 1e-3) << name;
    EXPECT_EQ(by_colour.size(), 3u) << "no other colour";
}

TEST_F(ContDraw, ConstantAllMissingAndHugeValuesDrawSafely) {
    draw("ln,lab=0", located(4, 4, [](float, float) { return 5.0f; }));
    EXPECT_TRUE(drawn(1).empty()) << "a constant field has no lines";
    draw("lcf,bar", located(6, 6, [](float, float) { return MISS; }));
    EXPECT_TRUE(drawn(3).empty());
    EXPECT_TRUE(drawn(1).empty());

    draw("lcf", located(6, 6, [](float x, float y) { return (x - y) * 3.0e38f; }));
    const std::vector<Drawn> fills = drawn(3);
    EXPECT_FALSE(fills.empty());
    for (const Drawn& f : fills)
        for (const Point& p : f.pts) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

TEST_F(ContDraw, GridLabelsAndPlotDate) {
    Grid g = located(5, 5, [](float x, float y) { return 100 * x + 10 * y; });
    g.setInfo("Temperature [C]");
    g.setDatim("12Z 07 MAR 24");
    g.setGenName("RAOB");
    g.setDate(Date(2024, 3, 7, 12, 0, 0));
    g.setForeTime("6");
    ContPlot cp("ln,int=20,lab=0");
    cp.draw(plot, g);
    cp.drawLabels(plot, g);
    auto labels = [](Plot& p) {
        std::string out;
        for (int i = 0; i < p.getNumLabel(); ++i)
            out += std::string(p.getLabel(i).locate) + " " + p.getLabel(i).string + "\n";
        return out;
    };
    // The range of the data (11..99) with three significant digits.
    EXPECT_EQ(labels(plot), "ul Temperature [C]\nur 12Z 07 MAR 24\nlr Int: 20 Lo: 11 Hi: 99\n");
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
    EXPECT_EQ(labels(dated), "ul Temperature [C]\nur 12Z 07 MAR 24\nlr Lo: 11 Hi: 99\n");
}

TEST_F(ContDraw, OwnColourTableGivesTheBandColours) {
    testutil::ScratchDir dir;
    dir.write("two.clr", "warm 1 0.5 0\ncool 0 0.5 1\nEND\n");
    Hyx::setDatabasePath(dir.path().c_str());
    ContPlot cp("cf,ct=two.clr,int=20,lab=0");
    draw(cp, located(5, 3, [](float x, float) { return 100 * x; })); // 10..90
    ASSERT_GE(plot.getColorInd("warm"), 0);
    const ColorMap m = plot.getColorMap();
    const int warm = m.getValue(plot.getColorInd("warm"));
    const int cool = m.getValue(plot.getColorInd("cool"));
    // Bands from 0 every 20, the two table colours taking turns.
    const std::vector<Drawn> fills = drawn(3);
    EXPECT_GT(fills.size(), 8u);
    for (const Drawn& f : fills) {
        float cx = 0;
        for (size_t k = 0; k + 1 < f.pts.size(); ++k) cx += f.pts[k].x;
        cx /= static_cast<float>(f.pts.size() - 1);
        EXPECT_EQ(f.color, static_cast<int>(std::floor(cx * 5)) % 2 == 0 ? warm : cool) << cx;
    }
}
