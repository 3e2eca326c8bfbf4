// Filled contours and lines of a known field written as PostScript and rendered by
// Ghostscript: every sampled point far from a level shows the colour of its band, and the
// lines pass where the field crosses their levels.
#include "HYX/ColorMap.h"
#include "HYX/ContPlot.h"
#include "HYX/Grid.h"
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/Resrc.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace HYX;

namespace {

// A tilted plane with a Gaussian hill on it: 13.5 .. about 57 over the page square.
float field(float x, float y) {
    const float r2 = (x - 0.5f) * (x - 0.5f) + (y - 0.5f) * (y - 0.5f);
    return 20 * x + 10 * y + 30 * std::exp(-r2 / 0.02f) + 10;
}

} // namespace

TEST(ContRender, GhostscriptShowsBandsAndLinesWhereTheFieldPutsThem) {
    testutil::ScratchDir tmp;
    Hyx::getResrcStore().clear();
    Hyx::setDatabasePath(HYX_SHARE);
    const std::string ps = tmp.file("cont.ps");
    // Encapsulated portrait: plot units are points on the page, with y up.
    Hyx::putResrc("device", ("postscript," + ps + ",eps,port,color").c_str());

    // The field lies on the unit square u, v in 0.1..0.9, placed over the window of the
    // panel; page maps the window's corners to page points.
    const int n = 41;
    ContPlot cp("lcf,int=5,lab=0,coco=black");
    Rect page;
    ColorMap cmap;
    {
        Plot plot;
        testutil::captureOut([&] { ASSERT_EQ(plot.open(nullptr), 1); });
        plot.setPanel(Rect(0, 0, 1, 1));
        Rect win;
        plot.getWindow(win);
        Grid g(n, n);
        g.allocLocate();
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                const float u = 0.1f + 0.8f * i / (n - 1), v = 0.1f + 0.8f * j / (n - 1);
                g.setLocate(i, j,
                            Point(win.xmin + u * win.getWidth(), win.ymin + v * win.getHeight()));
                g.setValue(i, j, field(u, v));
            }
        cp.draw(plot, g);
        const GTran& t = plot.getGraph().getGTran(1);
        page.set(t.tranX(win.xmin), t.tranY(win.ymin), t.tranX(win.xmax), t.tranY(win.ymax));
        cmap = plot.getColorMap();
        plot.close();
    }
    ASSERT_EQ(cp.getConLo(), 10.0f);

    // At 72 dpi on a 1000-point square page a pixel is a point; rows count down from the top.
    const std::string ppm = tmp.file("cont.ppm");
    const auto run = testutil::run(
        "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r72 -dDEVICEWIDTHPOINTS=1000 "
        "-dDEVICEHEIGHTPOINTS=1000 -dFIXEDMEDIA -sOutputFile=" +
        testutil::shellQuote(ppm) + " " + testutil::shellQuote(ps));
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    testutil::Ppm img;
    ASSERT_TRUE(img.read(testutil::readFile(ppm)));
    auto pixel = [&](float x, float y) {
        const float px = page.xmin + x * (page.xmax - page.xmin);
        const float py = page.ymin + y * (page.ymax - page.ymin);
        return img.at(static_cast<int>(px), static_cast<int>(img.h - py));
    };

    // Bands: points at least 1 away from every level (the fill follows the field linearly
    // between grid points, within about 0.15 here) show their band's colour.
    int checked = 0;
    for (float y = 0.12f; y < 0.89f; y += 0.013f)
        for (float x = 0.12f; x < 0.89f; x += 0.017f) {
            const float v = field(x, y);
            const float below = std::floor(v / 5) * 5;
            if (v - below < 1 || below + 5 - v < 1) continue;
            float r, gr, b;
            cmap.getRGB(cp.getFill().get(below).getColorInd(), &r, &gr, &b);
            const testutil::Ppm::Pixel got = pixel(x, y);
            EXPECT_NEAR(got.r, r * 255, 2) << x << "," << y << " v=" << v;
            EXPECT_NEAR(got.g, gr * 255, 2) << x << "," << y;
            EXPECT_NEAR(got.b, b * 255, 2) << x << "," << y;
            ++checked;
        }
    EXPECT_GT(checked, 800);

    // Lines: on the middle grid row (y = 0.5) the crossing of level 40 is interpolated
    // between the two grid points around it; a black pixel lies within a pixel of it.
    const float y = 0.5f;
    int lines = 0;
    for (int i = 0; i + 1 < n; ++i) {
        const float x0 = 0.1f + 0.8f * i / (n - 1), x1 = 0.1f + 0.8f * (i + 1) / (n - 1);
        const float v0 = field(x0, y), v1 = field(x1, y);
        for (float lev = 15; lev < 60; lev += 5) {
            if ((v0 - lev) * (v1 - lev) >= 0) continue;
            const float x = x0 + (lev - v0) / (v1 - v0) * (x1 - x0);
            bool dark = false;
            const float step = 1.0f / (page.xmax - page.xmin);
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) {
                    const testutil::Ppm::Pixel p = pixel(x + dx * step, y + dy * step);
                    dark = dark || (p.r >= 0 && p.r < 60 && p.g < 60 && p.b < 60);
                }
            EXPECT_TRUE(dark) << "level " << lev << " at x " << x;
            ++lines;
        }
    }
    // Across the hill the row meets the levels 25..45 twice and the others once.
    EXPECT_GE(lines, 8);
}
