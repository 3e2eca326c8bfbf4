// The X window device on a private Xvfb server: opening and closing, parameters, drawing
// through Graph into the off-screen picture and onto the screen, images, read-back, and
// drawing into another program's window.
#include "HYX/Point.h"
#include "XServer.h"

#include <gtest/gtest.h>

using namespace HYX;
using testutil::captureErr;
using testutil::Shot;

namespace {

constexpr long BLACK = 0x000000;
constexpr long RED = 0xFF0000;
constexpr long GREEN = 0x00FF00;
constexpr long BLUE = 0x0000FF;
constexpr long WHITE = 0xFFFFFF;

using Win = testutil::WindowGraph;
using testutil::rgbAt;
using XWindowTest = testutil::XFixture;

std::string str(const Rect& r) {
    char b[64];
    std::snprintf(b, sizeof b, "%g %g %g %g", r.xmin, r.ymin, r.xmax, r.ymax);
    return b;
}

TEST_F(XWindowTest, OpensOwnWindowsInTheTableAndFreesEverythingAtClose) {
    Win a, b;
    ASSERT_TRUE(a.open());
    ASSERT_TRUE(b.open());
    EXPECT_EQ(XWindow::getNumWindows(), 2);
    EXPECT_NE(a.id(), 0ul);
    EXPECT_NE(a.id(), b.id());
    EXPECT_EQ(str(a.dev->getCoords()), "0 0 639 511") << "pixels, y downward";
    EXPECT_EQ(a.dev->open(), 0) << "a second open of an open window";
    a.g.close();
    EXPECT_EQ(XWindow::getNumWindows(), 1);
    EXPECT_TRUE(XWindow::isConnected());
    b.g.close();
    EXPECT_FALSE(XWindow::isConnected()) << "the last window closes the display";
}

TEST_F(XWindowTest, ParametersSelectDisplayAndForeignWindow) {
    // The display name goes into the device string; an empty one is the default display,
    // and plot keywords or device-font requests are no display names.
    const char* displays[][2] = {{"", "d,,"}, {":3,,show_num", "d,:3,"}, {"inv,hfont", "d,,"}};
    for (const auto& [param, prefix] : displays) {
        XWindow w;
        w.setParam(param);
        String s;
        w.getDevice(s);
        EXPECT_EQ(std::string(s.get()).rfind(prefix, 0), 0u) << param << ": " << s.get();
        EXPECT_EQ(w.getType(), 1) << param;
    }
    // The three forms of a foreign window (with window id, hexadecimal drawable, plain);
    // unreadable window parameters are ignored.
    const struct {
        const char* param;
        int type, width, height;
    } windows[] = {{"co=:9,wp=+1234:5678:300x200:0", 2, 300, 200},
                   {",777:50x40", 2, 50, 40},
                   {"wp=garbage,,x:yz", 1, 640, 512}};
    for (const auto& c : windows) {
        XWindow w;
        w.setParam(c.param);
        EXPECT_EQ(w.getType(), c.type) << c.param;
        EXPECT_EQ(w.getWidth(), c.width) << c.param;
        EXPECT_EQ(w.getHeight(), c.height) << c.param;
    }
}

TEST_F(XWindowTest, DrawsIntoThePictureWithWidthsAndDashesAndShowsItOnUpdate) {
    Win w;
    ASSERT_TRUE(w.open());
    const int red = w.g.allocColor(1, 0, 0);
    const int blue = w.g.allocColor(0, 0, 1);
    EXPECT_EQ(red, RED) << "depth-24 true colour: the pixel is the colour";
    EXPECT_EQ(w.dev->allocColor(-1, 0, 0), BLACK) << "no colour: the background";
    w.g.setLineColor(red);
    w.line(20, 30, 200, 30);
    w.g.setFillColor(blue);
    w.box(300, 100, 400, 200);
    // Nothing reaches the screen before update.
    Shot before = w.shot();
    ASSERT_EQ(before.width, 640);
    EXPECT_EQ(before.at(100, 30), BLACK);
    w.g.update();
    Shot s = w.shot();
    // A thin line is one pixel; the outline belongs to the fill.
    const struct {
        int x, y;
        long c;
    } expect[] = {{20, 30, RED},    {200, 30, RED},   {19, 30, BLACK},   {100, 31, BLACK},
                  {300, 100, BLUE}, {400, 200, BLUE}, {299, 150, BLACK}, {401, 150, BLACK}};
    for (const auto& e : expect) EXPECT_EQ(s.at(e.x, e.y), e.c) << e.x << "," << e.y;
    // The read-back picture is in direct colour.
    Image img = w.picture();
    ASSERT_EQ(std::make_pair(img.getWidth(), img.getHeight()), std::make_pair(640, 512));
    EXPECT_EQ(img.getColorType(), Image::DIRECT);
    EXPECT_EQ(img.getDepth(), 24);
    EXPECT_EQ(img.getPixel(100, 30), red);

    // Line widths and dashes, below the red line.
    w.g.setLineColor(w.g.allocColor(1, 1, 1));
    w.g.setLineWidth(5);
    w.line(20, 90, 200, 90);
    w.g.setLineWidth(1);
    w.g.setLineStyle(2); // 6 on, 6 off
    w.line(20, 60, 200, 60);
    w.g.setLineStyle(4); // 6 on, 6 off, 3 on, 6 off
    w.line(20, 120, 200, 120);
    w.g.setLineStyle(1);
    w.line(20, 150, 200, 150);
    img = w.picture();
    // Width 5 centred on the line: rows 88 to 92.
    for (int y = 86; y <= 94; ++y)
        EXPECT_EQ(rgbAt(img, 100, y), y >= 88 && y <= 92 ? WHITE : BLACK) << y;
    auto on = [&](int x, int y) { return rgbAt(img, x, y) == WHITE; };
    for (int k = 0; k < 36; ++k) EXPECT_EQ(on(20 + k, 60), k % 12 < 6) << k;
    const bool style4[21] = {1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k < 42; ++k) EXPECT_EQ(on(20 + k, 120), style4[k % 21]) << k;
    for (int k = 0; k < 36; ++k) EXPECT_TRUE(on(20 + k, 150)) << "solid again " << k;
}

TEST_F(XWindowTest, DeviceTextIsAlignedOnItsPoint) {
    Win w;
    ASSERT_TRUE(w.open());
    w.g.setTextColor(w.g.allocColor(1, 1, 1));
    // The bounding box of the text's pixels for each alignment.
    struct Box {
        int xmin = 9999, ymin = 9999, xmax = -1, ymax = -1;
    };
    auto box = [&](int h, int v) {
        w.g.clear();
        w.dev->setTextAlign(h, v);
        Point p(320, 200);
        w.dev->drawText(p, "HHHH");
        Image img = w.picture();
        Box b;
        for (int y = 150; y < 250; ++y)
            for (int x = 250; x < 400; ++x)
                if (rgbAt(img, x, y) == WHITE) {
                    b.xmin = std::min(b.xmin, x), b.xmax = std::max(b.xmax, x);
                    b.ymin = std::min(b.ymin, y), b.ymax = std::max(b.ymax, y);
                }
        return b;
    };
    const Box tl = box(1, 1);
    const Box tr = box(3, 1);
    ASSERT_LT(tl.xmin, tl.xmax) << "text was drawn";
    EXPECT_GE(tl.xmin, 320);
    EXPECT_LE(tl.xmin, 322) << "left: starts at the point";
    EXPECT_GE(tl.ymin, 200) << "top: below the point";
    EXPECT_LE(tl.ymin, 203);
    const int advance = tl.xmin - tr.xmin; // the text width
    EXPECT_GT(advance, 16);
    EXPECT_LE(tr.xmax, 320) << "right: ends at the point";
    // Without a font there is no offset; the warning names the font.
    const std::string err = captureErr([&] { EXPECT_EQ(w.dev->setFont("no-such-font-xyz"), -1); });
    EXPECT_EQ(err, "read_font: unable to load font: no-such-font-xyz\n");
    EXPECT_EQ(w.dev->setFont("fixed"), 1);
}

TEST_F(XWindowTest, FramesAreKeptAsPixmapsUpToTheLimit) {
    Win w("show_num", 60, 40);
    ASSERT_TRUE(w.open());
    const float colours[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (const auto& c : colours) {
        w.g.newFrame(); // shows the frame finished last, draws into a new one
        w.g.setFillColor(w.g.allocColor(c[0], c[1], c[2]));
        w.box(0, 0, 59, 39);
    }
    XWindow& d = *w.dev;
    EXPECT_EQ(d.getNumFrames(), 3);
    EXPECT_EQ(d.getFrame(), 1);
    auto shown = [&] { return w.shot().at(30, 20); };
    EXPECT_EQ(shown(), GREEN);
    ASSERT_EQ(d.displayFrame(XWindow::LAST_FRAME), 1);
    EXPECT_EQ(shown(), BLUE);
    const auto r = testutil::run("xprop -id " + w.idText() + " WM_NAME");
    EXPECT_NE(r.out.find("\"HYX [2]\""), std::string::npos) << "frame number in the title";
    EXPECT_EQ(d.setFrame(7) + d.deleteFrame(7), 0);
    EXPECT_EQ(d.deleteFrame(0), 1);
    EXPECT_EQ(shown(), BLUE) << "deleting another frame leaves the picture";
    // Deleting the last frames clears the window.
    ASSERT_EQ(d.deleteFrame(0) + d.deleteFrame(0), 2);
    EXPECT_EQ(shown(), BLACK);
    EXPECT_EQ(d.incFrame(1), -1);
    EXPECT_EQ(d.setFrame(0), 0);
    // At most 128 frames.
    for (int i = 0; i < XWindow::MAX_FRAME; ++i) ASSERT_EQ(d.newFrame(-1), 1) << i;
    const std::string err = captureErr([&] { EXPECT_EQ(d.newFrame(), -1); });
    EXPECT_EQ(err, "XWindow::newFrame: no room for more than 128 frames\n");
    EXPECT_EQ(d.deleteFrame(), 1);
    EXPECT_EQ(d.getNumFrames(), 0);
}

// A 4 by 3 colour-mapped image: red, green and a palette entry without colour.
Image mappedImage() {
    Image img;
    img.set(4, 3, 8);
    img.allocData();
    img.allocColors(3);
    img.setColor(0, 1, 0, 0);
    img.setColor(1, 0, 1, 0);
    img.setColor(2, -1, -1, -1);
    const int px[3][4] = {{0, 0, 1, 1}, {0, 2, 2, 1}, {1, 1, 0, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) img.setPixel(x, y, px[y][x]);
    return img;
}

TEST_F(XWindowTest, ImagesAreAnchoredByAlignmentAndKeepTransparentPixels) {
    Win w;
    ASSERT_TRUE(w.open());
    w.g.setFillColor(w.g.allocColor(0, 0, 1));
    w.box(0, 0, 639, 511);
    Image img = mappedImage();
    auto drawAt = [&](int h, int v, float px, float py) {
        w.dev->setImageAlign(h, v);
        return w.image(img, px, py);
    };
    ASSERT_EQ(drawAt(1, 3, 100, 100), 1); // top left at the point
    ASSERT_EQ(drawAt(3, 1, 200, 100), 1); // bottom right at the point
    ASSERT_EQ(drawAt(2, 2, 300, 100), 1); // centred
    const Image pic = w.picture();
    const long expect[3][4] = {
        {RED, RED, GREEN, GREEN}, {RED, BLUE, BLUE, GREEN}, {GREEN, GREEN, RED, RED}};
    auto check = [&](int x0, int y0, const char* what) {
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(rgbAt(pic, x0 + x, y0 + y), expect[y][x]) << what << " " << x << "," << y;
        EXPECT_EQ(rgbAt(pic, x0 - 1, y0), BLUE) << what;
        EXPECT_EQ(rgbAt(pic, x0 + 4, y0), BLUE) << what;
    };
    check(100, 100, "top left");
    check(200 - 4, 100 - 3, "bottom right"); // the image ends just above and left of the point
    check(300 - 2, 100 - 1, "centre");
    EXPECT_EQ(img.getColorVal(0), RED) << "palette entries carry their device value";
    EXPECT_EQ(w.g.drawImage(*std::make_unique<Image>(), 1, 1), 0) << "empty image";
}

TEST_F(XWindowTest, DrawsIntoAnotherProgramsWindowAndReportsXErrors) {
    Win owner;
    ASSERT_TRUE(owner.open());
    owner.g.setTitle("Owner_plot");
    String dev;
    owner.g.getDevice(dev);
    const std::string s = dev.get();
    ASSERT_EQ(s.substr(0, 3), "d,,");
    ASSERT_EQ(s.back(), '\n');

    // What another program does with that string: the text after the device letter.
    auto guest = std::make_unique<XWindow>();
    XWindow* g = guest.get();
    Graph gg;
    gg.setDevice(std::move(guest), Graph::XWINDOW, s.substr(2).c_str());
    EXPECT_EQ(g->getType(), 2);
    ASSERT_EQ(gg.open(), 1);
    EXPECT_STREQ(g->getTitle(), "Owner plot") << "title fetched from the window";
    gg.setLineColor(gg.allocColor(1, 0, 0));
    Rect r(0, 0, 639, 511);
    gg.setWindow(r);
    gg.activateTran();
    gg.drawLine(10, 511 - 40, 100, 511 - 40);
    gg.update();
    EXPECT_EQ(owner.shot().at(50, 40), RED) << "drawn into the owner's picture and shown";
    XWindow bogus; // a window that does not exist is refused
    bogus.setParam("wp=0x1ffff0:10x10");
    const std::string refused = captureErr([&] { EXPECT_EQ(bogus.open(), 0); });
    EXPECT_EQ(refused, "Window open: unable to open window\n");

    // The owner goes away: drawing now meets X errors, which are reported, not fatal.
    owner.g.close();
    const std::string err = captureErr([&] {
        gg.drawLine(10, 10, 100, 10);
        gg.update();
    });
    EXPECT_NE(err.find("X11 error: BadDrawable"), std::string::npos) << err;
    EXPECT_NE(err.find(" in X_"), std::string::npos) << "the request is named: " << err;
    EXPECT_EQ(gg.close(), 1);
}

} // namespace
