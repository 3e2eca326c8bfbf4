// The program end to end: cross sections and time sections of the bundled soundings,
// drawn to PostScript and rendered with Ghostscript.
#include "TestUtil.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using testutil::Ppm;
using testutil::RunResult;

namespace {

const std::string DATA = std::string(HYX_SOURCE_DIR) + "/data";
const std::string OUTBREAK = DATA + "/1999050400_upa.cvt";
const std::string PLAINS = "KGJT,KDNR,KLBF,KOAX,KDVN";

class Vsect : public ::testing::Test {
protected:
    RunResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"-fp", HYX_SHARE, "-df", dir.path()});
        return testutil::runVsect(args, dir.path());
    }
    std::string ps() const { return dir.file("xs.ps"); }
    std::string device(const std::string& extra = "") const {
        return "p," + ps() + ",color" + extra;
    }
    Ppm render() {
        Ppm img;
        std::string err;
        EXPECT_TRUE(testutil::renderPostscript(ps(), 50, img, err)) << err;
        return img;
    }
    testutil::ScratchDir dir;
};

size_t countOf(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

} // namespace

TEST_F(Vsect, SpaceSectionToPostscriptWithDiagnostics) {
    const RunResult r = run({"-id", PLAINS, "-de", device(), "-va", "temp", "-pl", "ln", OUTBREAK});
    ASSERT_EQ(r.status, 0) << r.err;
    // Diagnostics in order: file date, plot type, variable list, contour marker, grid dump.
    const size_t date = r.out.find("MAY 1999");
    const size_t cont = r.out.find("CONT: ln 2");
    const size_t marker = r.out.find("CONT\n", cont + 1);
    ASSERT_NE(date, std::string::npos) << r.out;
    ASSERT_NE(cont, std::string::npos) << r.out;
    ASSERT_NE(marker, std::string::npos) << r.out;
    EXPECT_LT(date, cont);
    EXPECT_LT(cont, marker);
    EXPECT_EQ(r.err, "");

    const Ppm img = render();
    ASSERT_GT(img.w, 0);
    EXPECT_GT(img.count(255, 0, 0, 60), 200);  // red frame lines
    EXPECT_GT(img.count(0, 255, 255, 60), 20); // cyan surface line
    EXPECT_GT(img.count(0, 0, 0, 60), 500);    // black contours and labels on paper
}

TEST_F(Vsect, DefaultGreyPageDrawsLabelsContoursAndBarbsInBlack) {
    const RunResult r = run({"-id", PLAINS, "-de", "p," + ps(), "-va", "isentropes", OUTBREAK});
    ASSERT_EQ(r.status, 0) << r.err;
    const Ppm img = render();
    // The red grid lines come out at grey level 0.33 (84) and span the frame. The page is
    // landscape: titles lie left of the frame, station names right of it.
    std::vector<int> cols(img.w), rows(img.h);
    for (int row = 0; row < img.h; ++row)
        for (int col = 0; col < img.w; ++col)
            if (std::abs(img.at(col, row).g - 84) < 10) ++cols[col], ++rows[row];
    auto span = [](const std::vector<int>& n, int least, int& lo, int& hi) {
        lo = static_cast<int>(n.size()), hi = -1;
        for (int i = 0; i < static_cast<int>(n.size()); ++i)
            if (n[i] > least) lo = std::min(lo, i), hi = std::max(hi, i);
    };
    int x0, x1, y0, y1;
    span(cols, img.h / 4, x0, x1);
    span(rows, img.w / 4, y0, y1);
    ASSERT_LT(x0, x1);
    ASSERT_LT(y0, y1);
    int titles = 0, stations = 0, inside = 0;
    for (int row = y0; row <= y1; ++row)
        for (int col = 0; col < img.w; ++col) {
            if (img.at(col, row).g > 40) continue;
            if (col < x0 - 2)
                ++titles;
            else if (col > x1 + 2)
                ++stations;
            else if (col > x0 + 2 && col < x1 - 2)
                ++inside;
        }
    EXPECT_GT(titles, 100);
    EXPECT_GT(stations, 50);
    EXPECT_GT(inside, 2000); // isentropes, their labels and the barbs
}

TEST_F(Vsect, FilledSectionCoversTheAtmosphereAboveTheGround) {
    const RunResult r = run({"-id", PLAINS, "-de", device(), "-va", "rhum", "-pl", "cf", OUTBREAK});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("CONT: cf 3"), std::string::npos);
    const Ppm img = render();
    // Most of the frame is coloured by the bands of the fill sequence.
    const int white = img.count(255, 255, 255, 10);
    EXPECT_LT(white, img.w * img.h * 7 / 10);
}

TEST_F(Vsect, SurfaceLineFollowsTheTerrain) {
    // Without any variable the frame and the surface line alone are drawn.
    const RunResult r = run({"-id", PLAINS, "-de", device(), "-va", "none", OUTBREAK});
    ASSERT_EQ(r.status, 0) << r.err;
    const Ppm img = render();
    // Grand Junction and Denver stand a kilometre and a half up, Davenport near 1000 mb:
    // the cyan line descends from left to right.
    // On the landscape page the section's distance axis runs down the picture.
    int top = -1, bottom = -1, first_col = -1, last_col = -1;
    for (int row = 0; row < img.h; ++row) {
        for (int col = 0; col < img.w; ++col) {
            const Ppm::Pixel p = img.at(col, row);
            if (!(p.r < 60 && p.g > 200 && p.b > 200)) continue;
            if (top < 0) top = row, first_col = col;
            bottom = row, last_col = col;
        }
    }
    ASSERT_GE(top, 0);
    EXPECT_GT(bottom - top, img.h / 3);
    // The first rows hold the east end, where the ground (higher pressure) lies further right.
    EXPECT_GT(first_col, last_col);
}

TEST_F(Vsect, TimeSectionOverSeventyTwoHours) {
    const RunResult r = run(
        {"-id", "GJT", "-de", device(), "-va", "theta", "-pl", "ln", DATA + "/1980052012_upa.cvt"});
    ASSERT_EQ(r.status, 0) << r.err;
    // Seven 12-hourly files, oldest first, ending with the one named.
    size_t at = 0;
    for (const char* stamp : {"1980051712", "1980051800", "1980051812", "1980051900", "1980051912",
                              "1980052000", "1980052012"}) {
        at = r.out.find(std::string("File: ") + DATA + "/" + stamp + "_upa.cvt", at);
        ASSERT_NE(at, std::string::npos) << stamp << "\n" << r.out;
    }
    EXPECT_EQ(countOf(r.out, "File: "), 7u);
    const Ppm img = render();
    EXPECT_GT(img.count(0, 0, 0, 60), 500); // isentropes
}

TEST_F(Vsect, MissingSoundingLeavesAGapInTheTimeSection) {
    const RunResult r =
        run({"-id", "UIL", "-de", device(), "-va", "theta", DATA + "/1980052012_upa.cvt"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("no sounding for UIL in"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("1980051900_upa.cvt"), std::string::npos) << r.err;
    render();
}

TEST_F(Vsect, BadStationListsAreReportedNotFatal) {
    RunResult r = run({"-de", device(), "-va", "temp", OUTBREAK});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("no station identifier"), std::string::npos) << r.err;

    r = run({"-id", "KDNR,NOWHERE,KOAX", "-de", device(), "-va", "temp", "-pl", "cf", OUTBREAK});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("NOWHERE is in neither"), std::string::npos) << r.err;
    render();

    // All stations at one place: the section is still drawn.
    r = run({"-id", "KDNR,KDNR", "-de", device(), "-va", "temp", "-pl", "cf", OUTBREAK});
    EXPECT_EQ(r.status, 0) << r.err;
    render();

    std::string many;
    for (int i = 0; i < 60; ++i) many += (i ? "," : "") + std::string(i % 2 ? "KDNR" : "KOAX");
    r = run({"-id", many, "-de", device(), "-va", "temp", OUTBREAK});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("only the first 50"), std::string::npos) << r.err;
}
