// The PostScript device: exact header, trailer and primitive text, parameters, append and
// pipe output, bad output paths and raster images.
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

TEST(Postscript, PrimitivesAndAttributesPerKind) {
    testutil::ScratchDir tmp;
    const std::string file = tmp.file("prim.ps");
    auto all = produce(file, ",lwidth=2", [](Postscript& ps) {
        ps.setColor(1, ps.allocColor(1, 1, 1));
        ps.setLineWidth(1, 0); // 0 is taken as 1
        ps.setLineStyle(1, 3);
        ps.drawLine(1, 10, 20, 30.5f, 40.25f);
        ps.setLineStyle(1, 9); // no dash line for unknown styles
        ps.setColor(2, ps.allocColor(1, 0, 0));
        ps.setLineWidth(2, 3);
        Points p;
        p.add(1, 2);
        p.add(3, 4);
        p.add(5, 6);
        ps.drawLine(2, p);
        ps.message("line again");
        ps.drawLine(1, p);
        ps.setColor(4, 0);
        ps.message("text");
        ps.drawLine(4, 0, 0, 1, 1);
        ps.message("fill kind");
        ps.drawLine(3, 0, 0, 1, 1); // fills have no line attributes
        ps.setColor(3, ps.allocColor(0, 0, 1));
        Points five;
        for (int i = 0; i < 5; ++i) five.add(100.0f + i, 200.0f + i * i);
        ps.drawFill(3, five);
        ps.message("frame 1");
    });
    EXPECT_EQ(block(all, "%%PL:2", "stroke"),
              (Lines{"%%PL:2", "1.00 setgray", "2.0 dot lw", "[3 6] 0 setdash", "np",
                     "10.00 20.00 mv", "30.50 40.25 ln", "stroke"}));
    EXPECT_EQ(block(all, "%%PL:3", "stroke"),
              (Lines{"%%PL:3", "0.33 setgray", "[] 0 setdash", "6.0 dot lw", "np", "1.00 2.00 mv",
                     "3.00 4.00 ln", "5.00 6.00 ln", "stroke"}));
    EXPECT_EQ(block(all, "%% line again", "stroke"),
              (Lines{"%% line again", "%%PL:3", "1.00 setgray", "2.0 dot lw", "np", "1.00 2.00 mv",
                     "3.00 4.00 ln", "5.00 6.00 ln", "stroke"}));
    // Text kind: black, solid, its own width.
    auto text = block(all, "%% text", "stroke");
    ASSERT_GE(text.size(), 5u);
    EXPECT_EQ(Lines(text.begin() + 1, text.begin() + 5),
              (Lines{"%%PL:2", "0.00 setgray", "[] 0 setdash", "2.0 dot lw"}));
    EXPECT_EQ(block(all, "%% fill kind", "stroke"),
              (Lines{"%% fill kind", "%%PL:2", "np", "0.00 0.00 mv", "1.00 1.00 ln", "stroke"}));
    // The five-point polygon in blue: grey 0.8 / 2.7.
    EXPECT_EQ(block(all, "%%FA:5", "fill"),
              (Lines{"%%FA:5", "0.30 setgray", "np", "100.00 200.00 mv", "101.00 201.00 ln",
                     "102.00 204.00 ln", "103.00 209.00 ln", "104.00 216.00 ln", "cp", "fill"}));
    EXPECT_NE(std::find(all.begin(), all.end(), "%% frame 1"), all.end());
}

TEST(Postscript, ColourOutputAndClipping) {
    testutil::ScratchDir tmp;
    const std::string file = tmp.file("c.ps");
    Rect clip;
    auto all = produce(file, ",color", [&](Postscript& ps) {
        ps.setColor(1, ps.allocColor(1, 0, 0.5f));
        ps.drawLine(1, 0, 0, 1, 1);
        ps.setClip(10, 20, 110, 220);
        clip = ps.getClip();
    });
    EXPECT_EQ(block(all, "%%PL:2", "stroke").at(1), "1.00 0.00 0.50 setrgbcolor");
    EXPECT_EQ(block(all, "initclip", "clip"),
              (Lines{"initclip", "np", "9.90 19.90 mv", "9.90 220.10 ln", "110.10 220.10 ln",
                     "110.10 19.90 ln", "cp", "clip"}));
    char kept[80]; // the clip kept is the one written, to 0.005
    std::snprintf(kept, sizeof kept, "%.2f %.2f %.2f %.2f", clip.xmin, clip.ymin, clip.xmax,
                  clip.ymax);
    EXPECT_STREQ(kept, "9.90 19.90 110.10 220.10");
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
