// The plot: device choice, parameters, drawing switches, panels, broken and cut lines,
// missing colours, window commands, image saving, the output resource and the label queue.
#include "HYX/Domain.h"
#include "HYX/FileTool.h"
#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/ImageFile.h"
#include "HYX/Plot.h"
#include "HYX/PlotAttr.h"
#include "HYX/PlotDevice.h"
#include "HYX/Points.h"
#include "HYX/String.h"

#include "ImageTestUtil.h"
#include "PlotTestUtil.h"
#include "RecordDevice.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

using namespace HYX;
using namespace testutil;

namespace {

constexpr float EPS = 1e-3f; // float round-off on NDC and plot values of order 1 to 1000

// A recording device whose picture is a small direct-colour image and which may claim
// animation frames.
class PictureDevice : public RecordDevice {
public:
    PictureDevice() : RecordDevice(400, 400) {}
    int frames = 0;
    bool looping = false;
    int current = 0;
    int getImage(Image& img) override {
        img = directPicture(4, 3, 32, [](int x, int y) { return x ? 0xFF0000u + y * 40u : 0u; });
        log.push_back("getImage " + std::to_string(current));
        return 1;
    }
    int getNumFrames() override { return frames; }
    bool isLooping() override { return looping; }
    int getFrame() override { return current; }
    int setFrame(int f) override {
        log.push_back("setFrame " + std::to_string(f));
        current = f;
        return 1;
    }
};

class PlotTest : public ::testing::Test {
protected:
    void SetUp() override { resetPlotState(); }
    void TearDown() override { resetPlotState(); }

    // Opens plot on a recording device (owned by the plot) and returns the device.
    template <class D = RecordDevice> D* openOn(Plot& plot, const char* param = nullptr) {
        auto dev = std::make_unique<D>();
        D* d = dev.get();
        plot.setDevice(std::move(dev), Graph::XWINDOW);
        EXPECT_EQ(plot.open(param), 1);
        d->reset();
        return d;
    }

    ScratchDir dir;
};

std::vector<int> switches(Plot& p) {
    std::vector<int> on;
    for (int i = 0; i < 12; ++i)
        if (p.isDrawing(i)) on.push_back(i);
    return on;
}

// Reads an answer for the device prompt from a file standing in for standard input.
int selectWithAnswer(const std::string& file, String& name, String& param, std::string& out) {
    int kind = -1;
    EXPECT_NE(std::freopen(file.c_str(), "r", stdin), nullptr);
    out = captureOut([&] { kind = PlotDevice::select(nullptr, name, param); });
    EXPECT_NE(std::freopen("/dev/null", "r", stdin), nullptr);
    return kind;
}

} // namespace

TEST_F(PlotTest, DeviceStringsSelectByFullNameThenFirstLetter) {
    String name, param(256);
    struct Case {
        const char *device, *plot_param;
        int kind;
        const char *name, *dev_param;
    };
    const Case cases[] = {{"p,out.ps,land", "ti=x", Graph::POSTSCRIPT, "postscript", "out.ps,land"},
                          {"PS", "ti=x", Graph::POSTSCRIPT, "postscript", "ti=x"},
                          {"display,co=:1", "", Graph::XWINDOW, "display", "co=:1"},
                          {"hpgl,f.hpgl", "", Graph::HPGL, "hpgl", "f.hpgl"},
                          {"Meta", "", Graph::META, "meta", ""},
                          // Full names win over the letters; they never take plot items.
                          {"png,x.png", "", Graph::PNG, "png", "x.png"},
                          {"PDF", "ti=x", Graph::PDF, "pdf", ""},
                          {"gif", "", Graph::GIF, "gif", ""},
                          {"svg,a.svg", "", Graph::SVG, "svg", "a.svg"},
                          {"eps,b.eps,port", "", Graph::EPS, "eps", "b.eps,port"},
                          {"p,x.png,eps", "", Graph::POSTSCRIPT, "postscript", "x.png,eps"},
                          // A word that names nothing is refused.
                          {"pgn,x.png", "", Graph::NO_DEVICE, "", ""},
                          {"jpeg", "", Graph::NO_DEVICE, "", ""}};
    for (const Case& c : cases) {
        Hyx::putResrc("device", c.device);
        const std::string err = captureErr(
            [&] { EXPECT_EQ(PlotDevice::select(c.plot_param, name, param), c.kind) << c.device; });
        EXPECT_EQ(err.empty(), c.kind != Graph::NO_DEVICE) << err;
        EXPECT_STREQ(name.get(), c.name) << c.device;
        EXPECT_STREQ(param.get(), c.dev_param) << c.device;
    }
    // A "de=" item of the plot parameters wins over the resource.
    EXPECT_EQ(PlotDevice::select("ti=a,de=meta", name, param), Graph::META);
    EXPECT_STREQ(param.get(), "ti=a,de=meta");
    // No device string: the window, or the answer to the prompt when "inter" is set.
    Hyx::getResrcStore().clear();
    EXPECT_EQ(PlotDevice::select("", name, param), Graph::XWINDOW);
    Hyx::putResrc("inter", "");
    dir.write("answer", "Postscript\n");
    std::string out;
    EXPECT_EQ(selectWithAnswer(dir.file("answer"), name, param, out), Graph::POSTSCRIPT);
    EXPECT_EQ(out, "Display (D) or Postscript (P): ");
    EXPECT_STREQ(param.get(), "");
    dir.write("answer", "d\n");
    EXPECT_EQ(selectWithAnswer(dir.file("answer"), name, param, out), Graph::XWINDOW);
}

TEST_F(PlotTest, ResourcesAndParametersAtOpen) {
    const std::pair<const char*, const char*> resources[] = {{"geometry", "640x480-10+20"},
                                                             {"background", "navy"},
                                                             {"icon", "1"},
                                                             {"name", "+vsect"},
                                                             {"parameter", "tz=CST:-6"}};
    for (const auto& r : resources) Hyx::putResrc(r.first, r.second);
    Plot plot;
    auto dev = std::make_unique<RecordDevice>();
    RecordDevice* d = dev.get();
    plot.setDevice(std::move(dev), Graph::XWINDOW);
    ASSERT_EQ(plot.open("cola=yellow:hi=2,bar=lo=ll,full_lab,inv,ct=hyx.clr"), 1);
    for (const char* call :
         {"setSize 640.00 480.00", "setOffset -10.00 20.00", "setBackground navy", "setIcon 1",
          "setTitle vsect", "setInverse 1", "addCallback AnyEvent"})
        EXPECT_GT(d->count(call), 0) << call;
    EXPECT_STREQ(plot.getTimezone().getName(), "CST");
    EXPECT_STREQ(plot.getColorLabel().get(), "yellow:hi=2");
    EXPECT_STREQ(plot.getBarParam().get(), "lo=ll");
    EXPECT_EQ(plot.getFull(), 2);

    // Later parameters; a title item reaches the device.
    plot.setParam("ti=Theta-e,full");
    EXPECT_STREQ(plot.getTitle(), "Theta-e");
    EXPECT_EQ(plot.getFull(), 1);
    EXPECT_EQ(d->count("setTitle Theta-e"), 1);
}

TEST_F(PlotTest, DrawingSwitchLists) {
    Plot plot;
    using V = std::vector<int>;
    const std::pair<const char*, V> lists[] = {
        {"-grid", {0, 1, 3, 4, 5, 6, 7, 8, 9}},
        {"text_ul,bord", {3, 9}},
        {"text", {3, 4, 5, 6, 7, 8, 9}},
        {"map,+sum,-map,data", {0, 1}},
        {"all,-text_lr,unknown", {0, 1, 2, 3, 4, 5, 6, 7, 9}},
        {"none", {}},
        {"", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}};
    for (const auto& l : lists) {
        plot.setDrawing(l.first);
        EXPECT_EQ(switches(plot), l.second) << l.first; // 10 to 12 are not asked for
    }
    EXPECT_FALSE(plot.isDrawing(-1));
    // The "draw" resource applies at init.
    Hyx::putResrc("draw", "data");
    Plot other;
    EXPECT_EQ(switches(other), V{1});
}

TEST_F(PlotTest, LinesBreakAtMissingPointsAndUnknownColoursDrawNothing) {
    Plot plot;
    RecordDevice* d = openOn(plot);
    Domain xy;
    ASSERT_EQ(xy.set("xy,50,50,11,11,10,10"), 1);
    plot.setPanel(Rect(0, 0, 1, 1), xy);
    d->reset();
    plot.setLine("red");
    EXPECT_EQ(d->count("color 1 16711680"), 1); // the table's red, allocated at open
    Points pts;
    for (float x : {10.f, 20.f, 30.f}) pts.add(x, x);
    pts.add(Const::FMISS, Const::FMISS);
    for (float x : {50.f, 60.f}) pts.add(x, 10);
    pts.add(Const::FMISS, 5);
    pts.add(70, 70); // a piece of one point draws nothing
    pts.add(Const::FMISS, Const::FMISS);
    ASSERT_EQ(plot.drawLine(pts), 1);
    const auto lines = d->drawn("pline");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].pts.size(), 3u);
    EXPECT_EQ(lines[1].pts.size(), 2u);
    for (const auto& l : lines)
        for (const Point& p : l.pts) EXPECT_LT(std::fabs(p.x), 30000.0f); // no missing point
    EXPECT_EQ(plot.drawLine(Point(1, 1), Point(Const::FMISS, 2)), 0);

    // A colour name the table lacks, and the words for no colour, draw nothing of that
    // kind until another colour is set.
    for (const char* c : {"chartreuse", "none", "off", "back"}) {
        d->reset();
        plot.setLine(c);
        plot.setFill(c);
        plot.setText(c);
        plot.setMark(c);
        EXPECT_EQ(plot.getLineColor(), -1) << c;
        EXPECT_EQ(plot.drawLine(pts) + plot.drawLine(0, 0, 10, 10) +
                      plot.drawRect(Rect(0, 0, 5, 5)) + plot.drawFill(pts) +
                      plot.drawText(Point(5, 5), "T") + plot.drawMark(5, 5),
                  0);
        EXPECT_TRUE(d->prims.empty()) << c;
    }
    // A hexadecimal colour is added and drawn in; an attribute without colour keeps it.
    d->reset();
    plot.setLine("#00FF80:wi=2:st=dsh");
    EXPECT_EQ(d->count("color 1 65408"), 1);
    EXPECT_EQ(d->count("style 1 2"), 1);
    PlotAttr width_only("wi=3");
    plot.setLine(width_only);
    EXPECT_EQ(plot.drawLine(0, 0, 10, 10), 1);
    EXPECT_EQ(plot.getColorMap().getInd("#00FF80"), plot.getLineColor());
    PlotAttr text("yellow:hi=2");
    plot.setText(text, 0.5f); // heights scale
    EXPECT_NEAR(plot.getGraph().getTextHeight(), 1.0f, EPS);
    plot.setMarkType("star");
    EXPECT_EQ(plot.getGraph().getMarkType(), Graph::MARK_STAR);
    // Resets.
    plot.setLine();
    plot.setText();
    EXPECT_EQ(plot.getLineColor(), plot.getColorMap().getInd("white"));
    EXPECT_NEAR(plot.getGraph().getTextHeight(), 0.01f, EPS);
}

TEST_F(PlotTest, LatitudeLongitudeLinesAreCutAtTheDateLine) {
    Plot plot;
    RecordDevice* d = openOn(plot);
    Domain ll;
    ASSERT_EQ(ll.set("ll:0:0,40,150,61,41,1,1"), 1); // x = longitude, 120 to 180 E
    plot.setPanel(Rect(0, 0, 1, 1), ll);
    Points pts;
    const float lonlat[] = {170, 30, 190, 40, 200, 50, 170, 56};
    for (int i = 0; i < 8; i += 2) pts.add(lonlat[i], lonlat[i + 1]);
    // Drawn: the parts inside the map, leaving at (180, 35) and re-entering at (180, 54);
    // the copy shifted by the map width for the other side of the date line falls outside.
    plot.setLine("white");
    plot.drawLine(pts);
    const auto lines = d->drawn("pline");
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[0].pts.size() + lines[1].pts.size(), 4u);
    // Back in degrees, to 0.01 (float round-off of plot units near 1000).
    float lon, lat;
    plot.tranPlotWindow(lines[0].pts[1].x, lines[0].pts[1].y, lon, lat);
    EXPECT_NEAR(lon, 180, 0.01f);
    EXPECT_NEAR(lat, 35, 0.01f);
    plot.tranPlotWindow(lines[1].pts[0].x, lines[1].pts[0].y, lon, lat);
    EXPECT_NEAR(lon, 180, 0.01f);
    EXPECT_NEAR(lat, 50 + 6 * (20.0f / 30.0f), 0.01f);
}

// Alt+v is answered by the program in its window (programs/test_vsectWindow.cpp).
TEST_F(PlotTest, SaveKeysWriteTheFramesShownAndOtherKeysAreIgnored) {
    Hyx::putResrc("image_path", dir.path().c_str());
    Hyx::putResrc("title", "Cross section");
    Plot plot;
    PictureDevice* d = openOn<PictureDevice>(plot);
    auto key = [&](const char* k) {
        return captureOut([&] { plot.callback("KeyPress", k, nullptr); });
    };

    // Alt+s: "Cross.gif" (the title's first word) under the image path.
    EXPECT_EQ(key("s-Alt:1:1"), "Created GIF file: " + dir.file("Cross.gif") + "\n");

    // Several frames: the frame shown; while looping every frame, then back.
    d->frames = 3;
    d->current = 2;
    key("s-Alt:1:1");
    EXPECT_TRUE(FileTool::exist(dir.file("Cross-02.gif").c_str()));
    EXPECT_FALSE(FileTool::exist(dir.file("Cross-00.gif").c_str()));
    d->looping = true;
    d->current = 1;
    d->reset();
    key("s-Alt:1:1");
    for (const char* f : {"Cross-00.gif", "Cross-01.gif", "Cross-02.gif"})
        EXPECT_TRUE(FileTool::exist(dir.file(f).c_str())) << f;
    ASSERT_GE(d->log.size(), 2u);
    EXPECT_EQ(d->log.back(), "setFrame 1");
    EXPECT_EQ(d->count("getImage"), 3);
    d->reset();
    key("S-Alt-Shft:1:1"); // not with several frames
    EXPECT_EQ(d->count("getImage"), 0);

    // Other keys and other events are ignored.
    plot.callback("KeyPress", "q:1:1", nullptr);
    plot.callback("Redraw", "Ret", nullptr);
    EXPECT_TRUE(d->log.empty());
}

TEST_F(PlotTest, SaveNamesWithoutTitleAndWithBlanks) {
    Hyx::putResrc("image_path", dir.path().c_str());
    Plot plot;
    openOn<PictureDevice>(plot, "ti=");
    captureOut([&] { plot.callback("KeyPress", "s-Alt:0:0", nullptr); });
    EXPECT_TRUE(FileTool::exist(dir.file("output.gif").c_str()));
    plot.setParam("ti=A B Cdef");
    captureOut([&] { plot.callback("KeyPress", "S-Alt:0:0", nullptr); });
    EXPECT_TRUE(FileTool::exist(dir.file("A_B_C.png").c_str()));
    EXPECT_EQ(plot.saveImage(dir.file("x.jpg").c_str()), 0);
}

TEST_F(PlotTest, OutputResourceSavesAtTheEndInsteadOfManaging) {
    Hyx::putResrc("image_path", dir.path().c_str());
    Hyx::putResrc("output", "gif:pic.gif");
    {
        Plot plot;
        PictureDevice* d = openOn<PictureDevice>(plot, "trans_col=black,full");
        Domain xy;
        xy.set("xy,50,25,11,6,10,10");
        plot.setPanel(Rect(0, 0, 1, 1), xy);
        EXPECT_EQ(plot.update(), 0); // nothing is shown while making an image
        captureOut([&] { EXPECT_EQ(plot.manage(), 1); });
        EXPECT_EQ(d->count("manage"), 0);
    }
    const std::string gif = dir.file("pic.gif");
    // Black (column 0) is transparent; the domain is scaled to the picture.
    EXPECT_EQ(pilInfo(gif, "im.getpixel((0,0)) == im.info.get('transparency')"), "True\n");
    Image back;
    ASSERT_EQ(ImageFile().read(gif.c_str(), back), 1);
    ASSERT_TRUE(back.hasDomain());
    EXPECT_EQ(back.getDomain().nx, 4);
    EXPECT_EQ(back.getDomain().ny, 3);

    // A device without a picture (PostScript) cannot give an image: said, not crashed.
    Hyx::putResrc("output", "gif:ps.gif");
    Hyx::putResrc("device", ("p," + dir.file("o.ps")).c_str());
    Plot plot;
    ASSERT_EQ(plot.open(), 1);
    std::string err = captureErr([&] { EXPECT_EQ(plot.manage(), 0); });
    EXPECT_NE(err.find("ps.gif"), std::string::npos);
    EXPECT_FALSE(FileTool::exist(dir.file("ps.gif").c_str()));
}

TEST_F(PlotTest, ImagesAreAnchoredAtTheWindowCornerOrByPositionCode) {
    Plot plot;
    RecordDevice* d = openOn(plot);
    Domain ll;
    ASSERT_EQ(ll.set("ll,40,-100,21,11,1,1"), 1);
    plot.setPanel(Rect(0, 0, 1, 1), ll);
    Rect clip = d->getClip();
    // A picture without a domain: drawn as it is at the window's upper-left corner.
    Image img = mappedPicture(6, 4, 5);
    d->reset();
    ASSERT_EQ(plot.drawImage(img, 2), 1);
    ASSERT_EQ(d->log.size(), 1u);
    EXPECT_EQ(d->log[0], "image 6 4 " + RecordDevice::num(clip.xmin) + " " +
                             RecordDevice::num(clip.ymin) + " 2");
    // From a file, aligned by a position code; a missing file draws nothing.
    const std::string gif = dir.file("logo.gif");
    ASSERT_EQ(ImageFile().write(gif.c_str(), img), 1);
    d->reset();
    EXPECT_EQ(plot.drawImage(gif.c_str(), 0.5f, 0.5f, "cc"), 1);
    EXPECT_EQ(d->count("imageAlign 2 2"), 1);
    EXPECT_EQ(d->count("image 6 4"), 1);
    captureErr([&] { EXPECT_EQ(plot.drawImage(dir.file("none.gif").c_str(), 0, 0), 0); });
}
