// The picture devices end to end: the README's outbreak section as PDF, SVG and EPS pages
// checked with Ghostscript, poppler and librsvg, PNG and GIF output images without a display
// read back with netpbm, and the runs that must fail cleanly. Where the raster devices put
// each primitive is checked in graphics/test_CairoDevice.cpp.
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using testutil::Ppm;
using testutil::RunResult;
using testutil::shellQuote;

namespace {

const std::string OUTBREAK = std::string(HYX_SOURCE_DIR) + "/data/1999050400_upa.cvt";
const std::string LINE = "KGJT,KDNR,KLBF,KOAX,KDVN,KILX";
constexpr int STATIONS = 6;

Ppm decode(const std::string& command) {
    Ppm p;
    EXPECT_TRUE(p.read(testutil::run(command).out)) << command;
    return p;
}

bool ink(const Ppm& p, int x, int y) {
    const Ppm::Pixel c = p.at(x, y);
    return c.r < 200 || c.g < 200 || c.b < 200;
}

// Where the drawing lies on a picture: the box of everything drawn, and the number of marks
// along its lowest text line (the station names),
// counted as runs of inked columns split by gaps wider than 2 % of the picture.
struct Layout {
    int left = -1, top = -1, right = -1, bottom = -1;
    int labels = 0;
};

Layout layoutOf(const Ppm& p) {
    Layout l;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            if (ink(p, x, y)) {
                if (l.left < 0 || x < l.left) l.left = x;
                if (x > l.right) l.right = x;
                if (l.top < 0) l.top = y;
                l.bottom = y;
            }
    // The text line: up to 1.5 % of the picture height above the lowest ink.
    const int band = p.h * 15 / 1000, gap = p.w / 50;
    int last = -gap - 1;
    for (int x = 0; x < p.w; ++x) {
        bool col = false;
        for (int y = l.bottom - band; y <= l.bottom && !col; ++y) col = ink(p, x, y);
        if (!col) continue;
        if (x - last > gap) ++l.labels;
        last = x;
    }
    return l;
}

class VsectPictures : public ::testing::Test {
protected:
    RunResult run(std::vector<std::string> args, const std::vector<std::string>& env = {}) {
        args.insert(args.begin(),
                    {"-fp", HYX_SHARE, "-df", dir.path(), "-id", LINE, "-va", "isentropes"});
        args.push_back(OUTBREAK);
        return testutil::runVsect(args, dir.path(), env);
    }
    std::string file(const std::string& name) const { return dir.file(name); }
    testutil::ScratchDir dir;
};

} // namespace

// PDF, SVG and EPS pages are upright and cut to the drawing: Ghostscript's bounding box of
// what is drawn lies within 2 points of the page, and the station names lie inside it.
TEST_F(VsectPictures, PublicationPagesAreUprightAndCutToTheDrawing) {
    for (const std::string params : {"", ",port", ",a4,gray"}) {
        SCOPED_TRACE(params);
        for (const char* kind : {"pdf", "svg", "eps"}) {
            SCOPED_TRACE(kind);
            const std::string out = file(std::string("xs.") + kind);
            const RunResult r = run({"-de", kind + ("," + out) + params});
            ASSERT_EQ(r.status, 0) << r.err;
            Ppm page;
            // The page: its lower left corner (EPS only) and upper right one, points.
            double x = 0, y = 0, w = 0, h = 0;
            if (kind[0] == 'p') {
                const std::string info = testutil::run("pdfinfo " + shellQuote(out)).out;
                EXPECT_NE(info.find("Page rot:        0"), std::string::npos) << info;
                std::sscanf(info.substr(info.find("Page size:")).c_str(), "Page size: %lf x %lf",
                            &w, &h);
                page = decode("pdftoppm -r 72 -singlefile " + shellQuote(out));
                // Vectors only: no image on the page (the list is its two heading lines).
                const std::string images = testutil::run("pdfimages -list " + shellQuote(out)).out;
                EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;
            } else if (kind[0] == 's') {
                const std::string svg = testutil::readFile(out);
                EXPECT_EQ(svg.find("<image"), std::string::npos);
                std::sscanf(svg.substr(svg.find("width=")).c_str(),
                            "width=\"%lfpt\" height=\"%lfpt\"", &w, &h);
                page =
                    decode("rsvg-convert --dpi-x 72 --dpi-y 72 " + shellQuote(out) + " | pngtopnm");
            } else {
                const std::string eps = testutil::readFile(out);
                std::sscanf(eps.substr(eps.find("%%BoundingBox:")).c_str(),
                            "%%%%BoundingBox: %lf %lf %lf %lf", &x, &y, &w, &h);
                page = decode("gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=ppmraw -r72 "
                              "-sOutputFile=- " +
                              shellQuote(out));
            }
            // Landscape or portrait, the section is wider than high.
            EXPECT_GT(w - x, h - y);
            EXPECT_GT(h - y, params == ",port" ? 400 : 500);
            if (kind[0] != 's') {
                const RunResult b = testutil::run("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox " +
                                                  shellQuote(out) + " 2>&1");
                double x0 = -1, y0 = -1, x1 = -1, y1 = -1;
                std::sscanf(b.out.substr(b.out.find("%%HiResBoundingBox:")).c_str(),
                            "%%%%HiResBoundingBox: %lf %lf %lf %lf", &x0, &y0, &x1, &y1);
                EXPECT_NEAR(x0, x, 2) << b.out;
                EXPECT_NEAR(y0, y, 2) << b.out;
                EXPECT_NEAR(x1, w, 2) << b.out;
                EXPECT_NEAR(y1, h, 2) << b.out;
            }
            const Layout l = layoutOf(page);
            // On the portrait page the close KDVN and KILX run into one word.
            EXPECT_EQ(l.labels, params == ",port" ? STATIONS - 1 : STATIONS);
            // Thin strokes are faint at 72 dots per inch: the dark ones within 5 pixels.
            EXPECT_LE(l.left, 5);
            EXPECT_LE(l.top, 5);
            EXPECT_GE(l.right, page.w - 6);
            EXPECT_GE(l.bottom, page.h - 6);
            EXPECT_LT(l.bottom, page.h);
        }
    }
}

// Without a display an output image is drawn offscreen at the window's size (or the
// geometry's): the same pictures as the picture devices make at that size.
TEST_F(VsectPictures, OutputImagesWithoutADisplay) {
    struct Case {
        std::string output, device, geometry;
        int w, h;
    };
    const Case cases[] = {{"png:off.png", "png", "", 640, 512},
                          {"gif:off.gif", "gif", "", 640, 512},
                          {"off.png", "png", "800x600", 800, 600}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output);
        std::vector<std::string> args = {"-output", c.output};
        if (!c.geometry.empty()) args.insert(args.end(), {"-ge", c.geometry});
        const RunResult r = run(args, {"DISPLAY=:59999"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const std::string off = file(c.output.substr(c.output.find(':') + 1));
        const std::string dev = file("dev." + c.device);
        ASSERT_EQ(run({"-de", c.device + "," + dev + ",size=" + std::to_string(c.w) + "x" +
                                  std::to_string(c.h)})
                      .status,
                  0);
        const std::string decoder = c.device == "gif" ? "giftopnm " : "pngtopnm ";
        const Ppm a = decode(decoder + shellQuote(off)), b = decode(decoder + shellQuote(dev));
        EXPECT_EQ(a.w, c.w);
        EXPECT_EQ(a.h, c.h);
        EXPECT_TRUE(a.data == b.data);
    }
}

// Runs that cannot do what was asked: one message naming the file or the device, the exit
// status, and nothing written (an existing file keeps its content).
TEST_F(VsectPictures, BadOutputEndsWithAMessageAndNoFile) {
    testutil::ScratchDir other;
    other.write("plain", "x");
    dir.write("keep.png", "old");
    const std::string blocked = other.file("plain") + "/xs.png";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message, target;
    };
    const Case cases[] = {
        {{"-de", "png," + blocked}, 8, "cannot write " + blocked + ": Not a directory", blocked},
        {{"-de", "pdf," + other.path()},
         8,
         "cannot write " + other.path() + ": Is a directory",
         ""},
        {{"-de", "png," + file("keep.png") + ",size=0x0"},
         9,
         "\"size=0x0\" is not a size",
         file("keep.png")},
        {{"-de", "png," + file("keep.png") + ",size=100000x100000"},
         9,
         "\"size=100000x100000\" is not a size",
         file("keep.png")},
        {{"-de", "svg," + file("xs.svg") + ",colr"},
         9,
         "xs.svg: unknown option \"colr\"",
         file("xs.svg")},
        {{"-de", "pgn," + file("xs.png")}, 9, "unknown device \"pgn\"", file("xs.png")},
        {{"-output", "png:" + blocked}, 8, blocked, blocked}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const RunResult r = run(c.args, {"DISPLAY=:59999"});
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        if (c.target == file("keep.png")) {
            EXPECT_EQ(testutil::readFile(c.target), "old");
        } else if (!c.target.empty()) {
            EXPECT_FALSE(std::ifstream(c.target).good());
        }
    }
    // No temporary file was left behind either.
    EXPECT_EQ(testutil::run("ls -A " + shellQuote(dir.path()) + " " + shellQuote(other.path()))
                  .out.find(".xs"),
              std::string::npos);
}
