// PostScript output rendered by Ghostscript: a drawing with fills, wide and dashed lines,
// stroke text, a mark, a polygon and a raster image must render without error in every
// orientation, format and colour mode, and show each item where it was drawn.
#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/Points.h"

#include "TestUtil.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

using namespace HYX;

namespace {

constexpr int RES = 72;          // one pixel per point
constexpr float PAGE_H = 792.0f; // letter page, points

struct Pixel {
    int r = -1, g = -1, b = -1;
};

// A binary PPM image as Ghostscript's ppmraw device writes it: "P6", one comment line,
// "<w> <h>", "255", then the samples.
struct Ppm {
    bool read(const std::string& bytes) {
        size_t pos = bytes.find('\n', bytes.find('#'));
        int n = 0;
        if (pos == std::string::npos ||
            std::sscanf(bytes.c_str() + pos, " %d %d 255%n", &w, &h, &n) != 2 || n == 0)
            return false;
        data = bytes.substr(pos + n + 1);
        return data.size() >= static_cast<size_t>(w) * h * 3;
    }
    Pixel at(int col, int row) const {
        if (col < 0 || row < 0 || col >= w || row >= h) return Pixel();
        const auto* p = reinterpret_cast<const unsigned char*>(data.data()) + (row * w + col) * 3;
        return Pixel{p[0], p[1], p[2]};
    }
    int w = 0, h = 0;
    std::string data;
};

// Where a point of the drawing surface lands on the page, for each page layout.
struct Mode {
    const char* param;
    bool colour;
    float (*pageX)(float x, float y);
    float (*pageY)(float x, float y);
};

const Mode MODES[] = {
    // landscape: rotated, then shifted a quarter inch in
    {"land,color", true, [](float, float y) { return 594 - y; },
     [](float x, float) { return x + 18; }},
    {"gray", false, [](float, float y) { return 594 - y; }, [](float x, float) { return x + 18; }},
    {"port,color", true, [](float x, float) { return x + 18; },
     [](float, float y) { return y + 18; }},
    {"port,gray", false, [](float x, float) { return x + 18; },
     [](float, float y) { return y + 18; }},
    {"eps,color", true, [](float, float y) { return 612 - y; }, [](float x, float) { return x; }},
    {"eps,port,gray", false, [](float x, float) { return x; }, [](float, float y) { return y; }},
};

// Colours and their grey levels 255 * (0.9 r + g + 0.8 b) / 2.7.
struct Colour {
    float r, g, b;
    Pixel rgb() const {
        Pixel p;
        p.r = static_cast<int>(r * 255);
        p.g = static_cast<int>(g * 255);
        p.b = static_cast<int>(b * 255);
        return p;
    }
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
    EXPECT_EQ(run.out.find("Error"), std::string::npos) << run.out;
    EXPECT_EQ(run.err.find("Error"), std::string::npos) << run.err;
    Ppm img;
    ASSERT_TRUE(img.read(testutil::readFile(ppm)));
    ASSERT_EQ(img.w, 612 * RES / 72);
    ASSERT_EQ(img.h, 792 * RES / 72);

    auto pixelAt = [&](float x, float y) {
        const float px = m.pageX(x, y), py = m.pageY(x, y);
        return img.at(static_cast<int>(px * RES / 72), static_cast<int>((PAGE_H - py) * RES / 72));
    };
    // Colour pixels match exactly; grey levels within 3 of the level written with two
    // decimals.
    auto expectColour = [&](float x, float y, const Colour& c, const char* what) {
        const Pixel p = pixelAt(x, y);
        if (m.colour) {
            const Pixel want = c.rgb();
            EXPECT_NEAR(p.r, want.r, 1) << what;
            EXPECT_NEAR(p.g, want.g, 1) << what;
            EXPECT_NEAR(p.b, want.b, 1) << what;
        } else {
            EXPECT_NEAR(p.r, c.grey(), 3) << what;
            EXPECT_NEAR(p.g, c.grey(), 3) << what;
            EXPECT_NEAR(p.b, c.grey(), 3) << what;
        }
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
        const Pixel p = pixelAt(x, 151.2f);
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
            const Pixel p = pixelAt(x, y);
            inside += p.r < 100 && p.g < 100 && p.b < 100;
        }
        const Pixel q = pixelAt(x, 350);
        above += q.r < 250;
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
