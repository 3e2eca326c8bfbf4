// PostScript output rendered by Ghostscript in every orientation, format and colour mode:
// fills, wide and dashed lines, stroke text, a mark and a raster image where they were drawn.
#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/Points.h"

#include "TestUtil.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

using namespace HYX;

namespace {

constexpr float PAGE_H = 792.0f; // letter page, points; rendered at one pixel per point

// Where a point (x, y) of the drawing surface lands on the page: landscape pages are turned
// (page x = 612 - shift - y, page y = x + shift), portrait ones only shifted by shift points.
struct Mode {
    const char* param;
    bool colour, turned;
    float shift;
    float pageX(float x, float y) const { return turned ? 612 - shift - y : x + shift; }
    float pageY(float x, float y) const { return turned ? x + shift : y + shift; }
};

const Mode MODES[] = {{"land,color", true, true, 18},  {"gray", false, true, 18},
                      {"port,color", true, false, 18}, {"port,gray", false, false, 18},
                      {"eps,color", true, true, 0},    {"eps,port,gray", false, false, 0}};

// A colour, as 8-bit RGB and as the grey level 255 * (0.9 r + g + 0.8 b) / 2.7.
struct Colour {
    float r, g, b;
    int grey() const {
        return static_cast<int>(std::lround(255 * (0.9f * r + g + 0.8f * b) / 2.7f));
    }
};
const Colour RED{1, 0, 0}, GREEN{0, 1, 0}, BLUE{0, 0, 1}, MAGENTA{1, 0, 1}, YELLOW{1, 1, 0},
    CYAN{0, 1, 1}, WHITE{1, 1, 1};

// A 40 x 30 image in four quadrants: cyan, red / blue, green.
Image quadrants() {
    Image img;
    img.set(40, 30, 8);
    img.allocData();
    img.allocColors(4);
    const Colour cols[] = {CYAN, RED, BLUE, GREEN};
    for (int i = 0; i < 4; ++i) img.setColor(i, cols[i].r, cols[i].g, cols[i].b);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) img.setPixel(x, y, (x >= 20 ? 1 : 0) + (y >= 15 ? 2 : 0));
    return img;
}

int alloc(Graph& g, const Colour& c) { return g.allocColor(c.r, c.g, c.b); }

// The drawing, in the NDC window of transformation 0 (plot = NDC * 756 points).
void drawScene(Graph& g) {
    g.setTitle("Render test");
    g.activateTran(0);
    g.setFillColor(alloc(g, RED));
    Rect box(0.05f, 0.05f, 0.15f, 0.15f);
    g.drawFill(box);
    g.setLineColor(alloc(g, GREEN));
    g.setLineWidth(20); // 6.6 points
    g.drawLine(0.2f, 0.1f, 0.4f, 0.1f);
    g.setLineColor(alloc(g, BLUE));
    g.setLineWidth(10);
    g.setLineStyle(2); // 6 on, 6 off
    Points dash;
    dash.add(0.2f, 0.2f);
    dash.add(0.5f, 0.2f);
    g.drawLine(dash);
    g.setLineStyle(1);
    g.setTextColor(alloc(g, {0, 0, 0}));
    g.setTextWidth(3);
    g.setTextHeight(0.05f);
    g.drawText(0.3f, 0.4f, "HYX");
    g.setMarkColor(alloc(g, MAGENTA));
    g.setMarkType(2);
    g.setMarkSize(0.06f);
    g.setMarkWidth(10);
    g.drawMark(0.7f, 0.5f);
    g.setFillColor(alloc(g, YELLOW));
    Points pent;
    for (int k = 0; k < 5; ++k)
        pent.add(0.6f + 0.05f * std::sin(k * 1.2566371f), 0.62f + 0.05f * std::cos(k * 1.2566371f));
    g.drawFill(pent);
    // The image fills the clip of transformation 2 (viewport x 0.45..0.55, y 0.1..0.2,
    // i.e. points 340.2..415.8 by 75.6..151.2), starting at image pixel (0, 0).
    Rect vp(0.45f, 0.1f, 0.55f, 0.2f);
    g.setViewport(2, vp);
    g.activateTran(2);
    g.setTran(0);
    Image img = quadrants();
    g.drawImage(img, 0, 0); // window (0,0) of transformation 0 is plot (0,0)
    g.activateTran(0);
}

void PrintTo(const Mode& m, std::ostream* os) { *os << m.param; }

class Render : public ::testing::TestWithParam<Mode> {};

} // namespace

TEST_P(Render, GhostscriptShowsEveryItemWhereItWasDrawn) {
    const Mode& m = GetParam();
    testutil::ScratchDir tmp;
    Hyx::setDatabasePath(HYX_SHARE);
    const std::string ps = tmp.file("scene.ps");
    Graph g("postscript", (ps + "," + m.param).c_str());
    testutil::captureOut([&] { ASSERT_EQ(g.open(), 1); });
    drawScene(g);
    g.close();

    const std::string ppm = tmp.file("scene.ppm");
    const auto run = testutil::run(
        "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r72 -dDEVICEWIDTHPOINTS=612 "
        "-dDEVICEHEIGHTPOINTS=792 -dFIXEDMEDIA -sOutputFile=" +
        testutil::shellQuote(ppm) + " " + testutil::shellQuote(ps));
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ((run.out + run.err).find("Error"), std::string::npos) << run.out << run.err;
    testutil::Ppm img;
    ASSERT_TRUE(img.read(testutil::readFile(ppm)));
    ASSERT_EQ(img.w, 612);
    ASSERT_EQ(img.h, 792);

    auto pixelAt = [&](float x, float y) {
        return img.at(static_cast<int>(m.pageX(x, y)), static_cast<int>(PAGE_H - m.pageY(x, y)));
    };
    // Colour pixels match to 1; grey levels within 3 of the level written with two decimals.
    auto expectColour = [&](float x, float y, const Colour& c, const char* what) {
        const auto p = pixelAt(x, y);
        auto want = [&](float v) { return m.colour ? static_cast<int>(v * 255) : c.grey(); };
        const int tol = m.colour ? 1 : 3;
        EXPECT_NEAR(p.r, want(c.r), tol) << what;
        EXPECT_NEAR(p.g, want(c.g), tol) << what;
        EXPECT_NEAR(p.b, want(c.b), tol) << what;
    };
    expectColour(75.6f, 75.6f, RED, "filled box");
    expectColour(226.8f, 75.6f, GREEN, "wide line");
    expectColour(226.8f, 78.5f, GREEN, "wide line, 2.9 points off its axis");
    expectColour(226.8f, 81.0f, WHITE, "beside the wide line");
    expectColour(529.2f, 378.0f, MAGENTA, "plus mark");
    expectColour(529.2f + 20, 378.0f, MAGENTA, "plus mark arm");
    expectColour(529.2f + 15, 378.0f + 15, WHITE, "between the arms");
    expectColour(453.6f, 468.7f, YELLOW, "pentagon");
    expectColour(37.8f, 529.2f, WHITE, "empty page");
    // Image samples: pixel (k, r) covers plot (340 + k .. 341 + k, 149 - r .. 150 - r).
    expectColour(350.5f, 142.5f, CYAN, "image upper left");
    expectColour(370.5f, 142.5f, RED, "image upper right");
    expectColour(350.5f, 127.5f, BLUE, "image lower left");
    expectColour(370.5f, 127.5f, GREEN, "image lower right");
    expectColour(400.5f, 99.5f, WHITE, "white padding inside the clip");

    // The dashed line alternates along its length: 6 points on, 6 off.
    int changes = 0, on = 0;
    bool last = false;
    for (float x = 160; x < 370; x += 1) {
        const auto p = pixelAt(x, 151.2f);
        const bool dark = p.r < 200 || p.b < 200 || p.g < 200;
        on += dark;
        if (x > 160 && dark != last) ++changes;
        last = dark;
    }
    EXPECT_GT(changes, 25);
    EXPECT_NEAR(on, 105, 25); // about half of 210 points

    // Text: dark strokes inside the box of the three letters, none just above it.
    int inside = 0, above = 0;
    for (float x = 226.8f; x < 330; x += 1) {
        for (float y = 302.4f; y < 340.2f; y += 1) {
            const auto p = pixelAt(x, y);
            inside += p.r < 100 && p.g < 100 && p.b < 100;
        }
        above += pixelAt(x, 350).r < 250;
    }
    EXPECT_GT(inside, 100);
    EXPECT_EQ(above, 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, Render, ::testing::ValuesIn(MODES),
                         [](const ::testing::TestParamInfo<Mode>& pi) {
                             std::string n = pi.param.param;
                             for (char& c : n)
                                 if (c == ',') c = '_';
                             return n;
                         });
