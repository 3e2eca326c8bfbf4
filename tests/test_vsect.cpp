// The program end to end: cross sections and time sections of the bundled soundings,
// drawn to PostScript and rendered with Ghostscript.
#include "TestUtil.h"

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
    const RunResult r = run({"-id", PLAINS, "-de", device(), "-va", "temp", "-pl", "cf", OUTBREAK});
    ASSERT_EQ(r.status, 0) << r.err;
    // Diagnostics in order: file date, plot type, variable list, contour marker, grid dump.
    const size_t date = r.out.find("MAY 1999");
    const size_t cont = r.out.find("CONT: cf 3");
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
}

TEST_F(Vsect, SurfaceLineFollowsTheTerrain) {
    // Without any variable the frame and the surface line alone are drawn.
    const RunResult r = run({"-id", PLAINS, "-de", device(), "-va", "none", OUTBREAK});
    ASSERT_EQ(r.status, 0) << r.err;
    const Ppm img = render();
    // Grand Junction and Denver stand a kilometre and a half up, Davenport near 1000 mb:
    // the cyan line descends from left to right.
    int left = -1, right = -1;
    for (int row = 0; row < img.h; ++row) {
        for (int col = 0; col < img.w; ++col) {
            const Ppm::Pixel p = img.at(col, row);
            if (!(p.r < 60 && p.g > 200 && p.b > 200)) continue;
            if (left < 0 || col < left) left = col;
            if (col > right) right = col;
        }
    }
    ASSERT_GE(left, 0);
    EXPECT_GT(right - left, img.w / 3);
}

TEST_F(Vsect, TimeSectionOverSeventyTwoHours) {
    const RunResult r = run({"-id", "GJT", "-de", device(",hfont"), "-va", "theta", "-pl", "ln",
                             DATA + "/1980052012_upa.cvt"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string out = testutil::readFile(ps());
    for (const char* label : {"17/12", "18/00", "18/12", "19/00", "19/12", "20/00", "20/12"})
        EXPECT_NE(out.find(label), std::string::npos) << label;
    EXPECT_NE(out.find("ID: GJT starting 12Z 17 MAY 80"), std::string::npos);
    EXPECT_EQ(countOf(r.out, "File: "), 7u);
    render();
}

TEST_F(Vsect, MissingSoundingLeavesAGapInTheTimeSection) {
    const RunResult r =
        run({"-id", "UIL", "-de", device(), "-va", "theta", DATA + "/1980052012_upa.cvt"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("no sounding for UIL in"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("1980051900_upa.cvt"), std::string::npos) << r.err;
    render();
}

TEST_F(Vsect, WindBarbsAtStandardLevels) {
    const RunResult r =
        run({"-id", PLAINS, "-de", device(), "-va", "wbarb", "-cola", "black", OUTBREAK});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("PLOT\n"), std::string::npos);
    const std::string out = testutil::readFile(ps());
    // Pennants of the jet over the Plains are filled polygons.
    EXPECT_GT(countOf(out, "fill"), 5u);
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
