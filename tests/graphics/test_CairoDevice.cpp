// The cairo devices' primitives read back from the raster picture: fills, widths, dashes,
// clipping, images with a transparent index, grey pages, and the items a device refuses.
#include "HYX/CairoRaster.h"
#include "HYX/CairoVector.h"
#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/Points.h"
#include "HYX/RGB.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace HYX;

namespace {

// The colour of picture pixel (x, y), counted from the top left, as 0xRRGGBB.
int pixel(const Image& img, int x, int y) {
    RGB c;
    img.getRGB(x, y, c);
    return RGB::toByte(c.red) << 16 | RGB::toByte(c.grn) << 8 | RGB::toByte(c.blu);
}

// Draws on a 400 x 300 offscreen picture in plot coordinates (points scaled to pixels, y up).
struct Canvas {
    explicit Canvas(const char* param = "") {
        Hyx::setDatabasePath(HYX_SHARE);
        g.setDevice(CairoRaster::offscreen(CairoDevice::GIF, 400, 300), Graph::GIF, param);
        EXPECT_EQ(g.open(), 1);
        g.setTran(0);
        Rect r(0, 0, 400, 300);
        g.setWindow(r);
        g.setViewport(r = Rect(0, 0, 1, 0.75f));
        g.activateTran();
    }
    Image picture() {
        Image img;
        EXPECT_EQ(g.getImage(img), 1);
        return img;
    }
    Graph g;
};

} // namespace

TEST(CairoDevice, PrimitivesLandWhereTheyWereDrawn) {
    Canvas c;
    Graph& g = c.g;
    g.setFillColor(g.allocColor(1, 0, 0));
    Rect box(10, 10, 60, 60);
    g.drawFill(box);
    // Width 20 is 20 * 0.33 points, at 400 / 756 pixels a point: 3.5 pixels.
    g.setLineColor(g.allocColor(0, 0, 1));
    g.setLineWidth(20);
    g.drawLine(100, 50, 300, 50);
    g.setLineWidth(1);
    g.setLineStyle(2); // 6 points on, 6 off: 3.2 pixels each
    g.drawLine(100, 100.5f, 300, 100.5f);
    g.setLineStyle(1);
    // An image with its palette index 1 left out, its upper left corner at (200, 250).
    Image img;
    img.set(20, 10, 8);
    img.allocData();
    img.allocColors(2);
    img.setColor(0, 0, 1, 0);
    img.setColor(1, 0, 0, 0);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y) img.setPixel(x, y, x < 10 ? 0 : 1);
    g.drawImage(img, 1, 200, 250);
    // Nothing outside the clip rectangle.
    Rect vp(0, 0, 0.25f, 0.75f), wn(0, 0, 100, 300);
    g.setViewport(vp);
    g.setWindow(wn);
    g.activateTran();
    g.drawLine(50, 150.5f, 350, 150.5f);

    const Image p = c.picture();
    ASSERT_EQ(p.getWidth(), 400);
    ASSERT_EQ(p.getHeight(), 300);
    struct Probe {
        int x, y, rgb;
        const char* what;
    };
    const Probe probes[] = {{35, 265, 0xFF0000, "box"},
                            {5, 265, 0xFFFFFF, "left of the box"},
                            {200, 249, 0x0000FF, "wide line, its middle row"},
                            {200, 248, 0x0000FF, "wide line, a row above"},
                            {200, 246, 0xFFFFFF, "above the wide line"},
                            {205, 55, 0x00FF00, "image"},
                            {215, 55, 0xFFFFFF, "transparent part of the image"},
                            {195, 55, 0xFFFFFF, "left of the image"},
                            {80, 149, 0x0000FF, "clipped line inside"},
                            {120, 149, 0xFFFFFF, "clipped line outside"}};
    for (const Probe& pr : probes) EXPECT_EQ(pixel(p, pr.x, pr.y), pr.rgb) << pr.what;
    int changes = 0;
    for (int x = 101; x < 300; ++x) changes += (pixel(p, x, 199) != pixel(p, x - 1, 199));
    EXPECT_NEAR(changes, 62, 4); // 200 pixels in dashes of 3.2
}

TEST(CairoDevice, GreyPagesUseThePostscriptLevels) {
    Canvas c(",gray");
    c.g.setFillColor(c.g.allocColor(1, 0, 0));
    Rect box(10, 10, 60, 60);
    c.g.drawFill(box);
    // 255 * 0.9 / 2.7 = 85.
    EXPECT_EQ(pixel(c.picture(), 35, 265), 0x555555);
    EXPECT_TRUE(c.g.getInverse());
}

TEST(CairoDevice, RefusedItemsNameTheFile) {
    struct Case {
        int format;
        const char* param;
        const char* message;
    };
    const Case cases[] = {
        {CairoDevice::PNG, "a.png,size=640x", "a.png: \"size=640x\" is not a size"},
        {CairoDevice::GIF, "b.gif,size=8193x10", "b.gif: \"size=8193x10\" is not a size"},
        {CairoDevice::PNG, "c.png,a4", "c.png: unknown option \"a4\""},
        {CairoDevice::PDF, "d.pdf,size=100x100", "d.pdf: unknown option \"size=100x100\""},
        {CairoDevice::SVG, "e.svg,sz=3:0", "e.svg: \"sz=3:0\" is not a page size"},
        {CairoDevice::EPS, "f.eps,300x2", "f.eps: \"300x2\" is not a page size"},
        {CairoDevice::PDF, "g.pdf,lwidth=0", "g.pdf: the line width in \"lwidth=0\""}};
    for (const Case& c : cases) {
        std::unique_ptr<CairoDevice> d;
        if (c.format == CairoDevice::PNG || c.format == CairoDevice::GIF)
            d = std::make_unique<CairoRaster>(static_cast<CairoDevice::Format>(c.format));
        else
            d = std::make_unique<CairoVector>(static_cast<CairoDevice::Format>(c.format));
        const std::string err = testutil::captureErr([&] { EXPECT_EQ(d->setParam(c.param), 0); });
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_EQ(d->open(), 0) << c.param;
    }
}
