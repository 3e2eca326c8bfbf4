// The PostScript device: exact header and trailer, parameters, append and pipe output, bad
// output paths and raster images. What the primitives draw is checked on Ghostscript's
// rendering (test_PostscriptRender.cpp).
#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/Points.h"
#include "HYX/Postscript.h"
#include "HYX/String.h"

#include "TestUtil.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
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

TEST(Postscript, ParametersAndSizes) {
    Postscript ps;
    ps.setParam(",port"); // an empty first item keeps the name
    EXPECT_STREQ(ps.getFilename(), "hyx.ps");
    EXPECT_TRUE(ps.isPortrait());
    ps.setParam("out.ps,sz=8:6,LWIDTH=2,COLOR");
    EXPECT_STREQ(ps.getFilename(), "out.ps");
    EXPECT_FLOAT_EQ(ps.getWidth(), 576); // 8 x 72
    EXPECT_FLOAT_EQ(ps.getHeight(), 432);
    EXPECT_FLOAT_EQ(ps.getBaseWidth(), 2);
    EXPECT_TRUE(ps.isColor());
    EXPECT_TRUE(ps.getInverse());
    ps.setParam(",a4");
    EXPECT_NEAR(ps.getWidth(), 806.4f, 0.01); // 11.2 by 7.8 inches
    EXPECT_NEAR(ps.getHeight(), 561.6f, 0.01);
    ps.setParam(",sz=bad");
    EXPECT_NEAR(ps.getWidth(), 806.4f, 0.01); // nothing readable: unchanged
    // Sizes from a window geometry are in hundredths of an inch; y runs up.
    ps.setSize(1000, 500);
    Rect c = ps.getCoords();
    EXPECT_FLOAT_EQ(c.xmax, 720);
    EXPECT_FLOAT_EQ(c.ymin, 360);
    EXPECT_FLOAT_EQ(c.ymax, 0);
    EXPECT_EQ(ps.allocColor(1, 0.5f, 0), (255 << 16) + (127 << 8));
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
