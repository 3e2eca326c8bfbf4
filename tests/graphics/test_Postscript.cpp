// The PostScript device: exact header and trailer, append and pipe output, bad output paths
// and raster images; the parameters of every page device. What the primitives draw is checked on
// Ghostscript's rendering (test_PostscriptRender.cpp).
#include "HYX/CairoVector.h"
#include "HYX/Graph.h"
#include "HYX/Hpgl.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/MetaFile.h"
#include "HYX/Points.h"
#include "HYX/Postscript.h"
#include "HYX/String.h"

#include "TestUtil.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using namespace HYX;

namespace {

using Lines = std::vector<std::string>;

Lines lines(const std::string& text) {
    Lines out;
    std::istringstream in(text);
    std::string l;
    while (std::getline(in, l)) out.push_back(l);
    return out;
}

// Runs f on a freshly opened device writing to file (with extra parameters), closes it
// and returns the file's lines.
template <class F> Lines produce(const std::string& file, const std::string& extra, F f) {
    Postscript ps;
    ps.setParam((file + extra).c_str());
    testutil::captureOut([&] { EXPECT_EQ(ps.open(), 1); });
    f(ps);
    ps.close();
    return lines(testutil::readFile(file));
}

// The lines between the first line equal to from and the next line equal to to.
Lines block(const Lines& all, const std::string& from, const std::string& to) {
    Lines out;
    bool in = false;
    for (const auto& l : all) {
        if (!in && l == from) in = true;
        if (in) out.push_back(l);
        if (in && l == to && out.size() > 1) break;
    }
    return out;
}

const Lines PROLOG = {"/inch {72 mul} def", "/dot {.33 mul} def",     "/mv {moveto} def",
                      "/ln {lineto} def",   "/lw {setlinewidth} def", "/np {newpath} def",
                      "/cp {closepath} def"};

// A 2 x 2 colour-mapped image: red, green / blue, white.
Image smallImage() {
    Image img;
    img.set(2, 2, 8);
    img.allocData();
    img.allocColors(4);
    const float rgb[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
    for (int i = 0; i < 4; ++i) {
        img.setColor(i, rgb[i][0], rgb[i][1], rgb[i][2]);
        img.setPixel(i % 2, i / 2, i);
    }
    return img;
}

} // namespace

TEST(Postscript, DefaultHeaderAndTrailer) {
    testutil::ScratchDir tmp;
    const std::string file = tmp.file("plot.ps");
    auto all = produce(file, "", [](Postscript&) {});
    Lines want = {"%!PS-Adobe-1.0", "%%Title: HYX Graphics Display: HYX Plot",
                  "%%Creator: HYX Postscript Processor-5.5"};
    ASSERT_GT(all.size(), 5u);
    EXPECT_EQ(Lines(all.begin(), all.begin() + 3), want);
    EXPECT_TRUE(std::regex_match(all[3], std::regex("%%CreationDate: \\d\\d [A-Z]{3} "
                                                    "\\d\\d  \\d\\d:\\d\\d:\\d\\dZ")))
        << all[3];
    want = {"%%EndComments", "%%Postscript initialization", "30 dict begin", "/saveobj save def"};
    want.insert(want.end(), PROLOG.begin(), PROLOG.end());
    want.insert(want.end(),
                {"90 rotate", ".25 inch -8.25 inch translate", "0 setgray", "2 setlinejoin",
                 "1 dot lw", "[] 0 setdash", "%%Begin plot", "%%HYX Plot: HYX Plot",
                 "%%End of plot", "saveobj restore", "showpage", "end", "%%EOF"});
    EXPECT_EQ(Lines(all.begin() + 4, all.end()), want);
}

TEST(Postscript, PortraitEpsColourAndScaleHeaders) {
    testutil::ScratchDir tmp;
    const std::string file = tmp.file("p.eps");
    auto all = produce(file, ",port,eps,color,scale=1.5",
                       [](Postscript& ps) { ps.setTitle("Cross section"); });
    EXPECT_EQ(all[0], "%!PS-Adobe-3.0 EPSF-3.0");
    EXPECT_EQ(all[1], "%%BoundingBox: 0 0 756 576");
    // A title given after open comes too late for the header.
    EXPECT_EQ(all[2], "%%Title: HYX Graphics Display: HYX Plot");
    Lines want = {"%%EndComments", "%%Postscript initialization"};
    want.insert(want.end(), PROLOG.begin(), PROLOG.end());
    want.insert(want.end(), {"0 0 0 setrgbcolor", "2 setlinejoin", "1 dot lw", "[] 0 setdash",
                             "1.50 1.50 scale", "%%Begin plot", "%%HYX Plot: HYX Plot",
                             "%%End of plot", "showpage", "%%EOF"});
    EXPECT_EQ(Lines(all.begin() + 5, all.end()), want);

    // Landscape EPS.
    auto land = produce(file, ",eps", [](Postscript&) {});
    EXPECT_EQ(land[1], "%%BoundingBox: 0 0 576 756");
    EXPECT_EQ(block(land, "90 rotate", "0 setgray"),
              (Lines{"90 rotate", "0. inch -8.5 inch translate", "0 setgray"}));
}

// The page devices' parameter strings, given in turn to one device: the file name (an empty
// first item keeps the default; the metafile's name may follow a first word, as in
// "-de m,NAME", or come as "file="; names keep 59 characters), and the page size in points
// (HP-GL/2: plotter units, 1015 to the inch; the metafile: its own units), an unreadable
// size leaving the last one.
TEST(PageDevice, ParametersNameTheFileAndSizeThePage) {
    struct Case {
        char device;
        std::vector<std::string> params;
        std::string file;
        float w, h;
    };
    const std::string longName(80, 'n');
    const Case cases[] = {
        {'p', {",port", ",sz=8:6,LWIDTH=2,COLOR"}, "hyx.ps", 8 * 72, 6 * 72},
        {'p', {"out.ps,a4", ",sz=bad"}, "out.ps", 11.2f * 72, 7.8f * 72},
        {'h', {",LETTER,Color,scale=1.5,port"}, "hyx.hpgl", 10.5f * 1015, 8 * 1015},
        {'h', {"x.hpgl,gray,land,lj,roll=36", ",sz=bad"}, "x.hpgl", 36 * 1015, 23 * 1015},
        {'h', {longName + ",a4"}, std::string(59, 'n'), 11.2f * 1015, 7.8f * 1015},
        {'m', {"first.meta,second.meta,sz=640x480"}, "second.meta", 640, 480},
        {'m', {"alone.meta,sz=2x3"}, "alone.meta", 2, 3},
        {'m', {",x,FILE=third.meta,SZ=300x200,sz=bad"}, "third.meta", 300, 200},
        {'m', {",file.meta,sz=2x3", "," + longName}, std::string(59, 'n'), 2, 3},
        {'c', {"x.pdf,8.5x11,port"}, "x.pdf", 8.5f * 72, 11 * 72},
        {'c', {"x.pdf,a4,color"}, "x.pdf", 11.2f * 72, 7.8f * 72}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.params[0]);
        std::unique_ptr<PageDevice> d;
        if (c.device == 'p') d = std::make_unique<Postscript>();
        if (c.device == 'h') d = std::make_unique<Hpgl>();
        if (c.device == 'm') d = std::make_unique<MetaFile>();
        if (c.device == 'c') d = std::make_unique<CairoVector>(CairoDevice::PDF);
        for (const std::string& p : c.params) d->setParam(p.c_str());
        EXPECT_EQ(std::string(d->getFilename()), c.file);
        EXPECT_NEAR(d->getWidth(), c.w, 0.5f);
        EXPECT_NEAR(d->getHeight(), c.h, 0.5f);
    }

    // Flags; a window geometry's size in hundredths of an inch becomes points, y up the page.
    Postscript ps;
    ps.setParam(",port,LWIDTH=2,COLOR");
    EXPECT_TRUE(ps.isPortrait() && ps.isColor() && ps.getInverse());
    EXPECT_FLOAT_EQ(ps.getBaseWidth(), 2);
    ps.setSize(1000, 500);
    const Rect c = ps.getCoords();
    EXPECT_EQ(std::vector<float>({c.xmin, c.ymin, c.xmax, c.ymax}),
              std::vector<float>({0, 360, 720, 0}));
    EXPECT_EQ(ps.allocColor(1, 0.5f, 0), (255 << 16) + (127 << 8));
    Hpgl hp;
    hp.setParam(",LETTER,Color,scale=1.5,port");
    EXPECT_TRUE(hp.isColor() && hp.getInverse() && hp.getRotate() == 90);
    EXPECT_FLOAT_EQ(hp.getScale(), 1.5f);
    hp.setParam("x.hpgl,gray,land,lj");
    EXPECT_TRUE(!hp.isColor() && hp.getRotate() == 0 && hp.getPcl() == Hpgl::LASERJET);
    // The metafile keeps a size in its own units, y down, and never inverts.
    MetaFile m;
    m.setSize(800, 600);
    const Rect r = m.getCoords();
    EXPECT_EQ(std::vector<float>({r.xmin, r.ymin, r.xmax, r.ymax}),
              std::vector<float>({0, 0, 800, 600}));
    m.setInverse(true);
    EXPECT_FALSE(m.getInverse());
}

TEST(Postscript, RasterImagesFillTheClipRectangle) {
    testutil::ScratchDir tmp;
    const std::string file = tmp.file("img.ps");
    Image img = smallImage();
    // Clip 9..12.2 x 19..21.2 points: a 3 x 2 sample area at (9, 19).
    auto col = produce(file, ",color", [&](Postscript& ps) {
        ps.setClip(10, 20, 13, 22);
        EXPECT_EQ(ps.drawImage(img, 0, 0), 1);
        Image empty;
        EXPECT_EQ(ps.drawImage(empty, 0, 0), 0);
    });
    auto first = block(col, "gsave", "grestore");
    EXPECT_EQ(first, (Lines{"gsave", "9 19 translate", "3 2 scale", "/picstr 3 string def",
                            "3 2 8 [ 3 0 0 -2 0 2 ]", "{ currentfile picstr readhexstring pop }",
                            "false 3 colorimage", "FF000000FF00FFFFFF", "0000FFFFFFFFFFFFFF",
                            "grestore"}));

    // Grey: 255 * (0.9 r + g + 0.8 b) / 2.7 truncated: red 85, green 94, blue 75.
    auto grey = produce(file, "", [&](Postscript& ps) {
        ps.setClip(10, 20, 13, 22);
        ps.drawImage(img, 0, 0);
    });
    auto g = block(grey, "gsave", "grestore");
    ASSERT_EQ(g.size(), 10u);
    EXPECT_EQ(Lines(g.begin() + 6, g.end()), (Lines{"image", "555EFF", "4BFFFF", "grestore"}));

    // Rows longer than 80 samples break after every 80th (100 samples here).
    auto wide = produce(file, "", [&](Postscript& ps) {
        ps.setClip(0, 0, 100, 1);
        ps.drawImage(img, 0, 0);
    });
    EXPECT_EQ(block(wide, "image", "grestore")[2].size(), 40u);
}

TEST(Postscript, AppendPipeAndUnwritableOutput) {
    testutil::ScratchDir tmp;
    const std::string file = tmp.file("app.ps");
    tmp.write("app.ps", "%!PS-Adobe-1.0\n%% earlier plot\n");
    Postscript ps;
    ps.setParam(("+" + file).c_str());
    std::string out = testutil::captureOut([&] { EXPECT_EQ(ps.open(), 1); });
    EXPECT_EQ(out, "Appending to: " + file + "\n");
    ps.drawLine(1, 0, 0, 1, 1);
    ps.close();
    auto all = lines(testutil::readFile(file));
    EXPECT_EQ(all[1], "%% earlier plot");
    EXPECT_EQ(all[2], "%!PS-Adobe-1.0");    // the header again
    EXPECT_EQ(all.back(), "%%End of plot"); // no trailer

    const std::string piped = tmp.file("piped.ps");
    Postscript pipe;
    pipe.setParam(("|cat > " + piped).c_str());
    out = testutil::captureOut([&] { EXPECT_EQ(pipe.open(), 1); });
    EXPECT_EQ(out, "Spooling to: cat > " + piped + "\n");
    pipe.close();
    all = lines(testutil::readFile(piped));
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front(), "%!PS-Adobe-1.0");
    EXPECT_EQ(all.back(), "%%EOF");

    // A directory cannot be written: the message on standard error, open fails.
    Postscript bad;
    bad.setParam(tmp.path().c_str());
    std::string err;
    out = testutil::captureOut(
        [&] { err = testutil::captureErr([&] { EXPECT_EQ(bad.open(), 0); }); });
    EXPECT_EQ(err, "Postscript: unable to output to file\n");
    EXPECT_EQ(out, "Creating: " + tmp.path() + "\n");
    EXPECT_FALSE(bad.isOpen());
    EXPECT_EQ(bad.close(), 0);
}

TEST(Postscript, OutputIsCompletedWhenTheProgramExits) {
    testutil::ScratchDir tmp;
    Hyx::setDatabasePath(HYX_SHARE);
    const std::string file = tmp.file("exit.ps");
    EXPECT_EXIT(
        {
            Graph g("postscript", file.c_str()); // still open when the program ends
            g.open();
            g.drawLine(0, 0, 1, 1);
            Hyx::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    auto all = lines(testutil::readFile(file));
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.back(), "%%EOF");
}
