// The program end to end: cross sections and time sections of the bundled soundings, what
// it says about stations and mistakes, and the pages it writes. Whole drawings are pinned by
// the goldens; what PostScript draws is checked on Ghostscript's rendering
// (graphics/test_PostscriptRender.cpp).
#include "TestUtil.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

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
    testutil::ScratchDir dir;
};

// The drawing records of a metafile (y down the page): lines and fills with the colour of
// their kind and the clip rectangle in force.
struct MetaPrim {
    char tag;
    long colour;
    std::string clip;
    std::vector<std::pair<double, double>> pts;
};

std::vector<MetaPrim> readMeta(const std::string& text) {
    std::vector<MetaPrim> out;
    long stroke = 0, fill = 0;
    std::string clip;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream f(line);
        std::string tag;
        f >> tag;
        if (tag == "LCLR" || tag == "TCLR") f >> stroke;
        if (tag == "FCLR") f >> fill;
        if (tag == "CL") clip = line;
        if (tag != "L" && tag != "F") continue;
        MetaPrim p{tag[0], tag == "F" ? fill : stroke, clip, {}};
        int n;
        char comma;
        double x, y;
        for (f >> n; f >> x >> comma >> y;) p.pts.emplace_back(x, y);
        out.push_back(p);
    }
    return out;
}

bool exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

size_t countOf(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

} // namespace

TEST_F(Vsect, NoContourOrBarbIsDrawnBelowTheGround) {
    constexpr long RED = 0xFF0000, CYAN = 0x00FFFF;
    const std::string meta = dir.file("xs.meta");
    for (const std::string var : {"theta[K,lcf,int=4,lab=11]", "wbarb"}) {
        const RunResult r =
            run({"-id", PLAINS + ",KILX", "-de", "m," + meta, "-va", var, OUTBREAK});
        ASSERT_EQ(r.status, 0) << r.err;
        const std::vector<MetaPrim> prims = readMeta(testutil::readFile(meta));
        // The ground: the cyan line, drawn with the data, over them.
        std::vector<const MetaPrim*> ground;
        for (const MetaPrim& p : prims)
            if (p.colour == CYAN) ground.push_back(&p);
        ASSERT_EQ(ground.size(), 5u) << var;
        const auto below = [&](double x, double y) {
            for (const MetaPrim* g : ground) {
                const auto [x0, y0] = g->pts[0];
                const auto [x1, y1] = g->pts[1];
                if (x >= x0 && x <= x1 && y > y0 + (y1 - y0) * (x - x0) / (x1 - x0) + 1e-4)
                    return true;
            }
            return false;
        };
        // The data are clipped to the frame, as its red lines are.
        const auto frame = std::find_if(prims.begin(), prims.end(),
                                        [](const MetaPrim& p) { return p.colour == RED; });
        ASSERT_NE(frame, prims.end());
        int checked = 0;
        for (const MetaPrim& p : prims) {
            if (p.clip != frame->clip || p.colour == RED || p.colour == CYAN) continue;
            // A barb counts by its station, where its shaft (0.04 long) starts: its flags may
            // reach over the ground line.
            const double len = std::hypot(p.pts.back().first - p.pts[0].first,
                                          p.pts.back().second - p.pts[0].second);
            if (var == "wbarb" && (p.pts.size() != 2 || std::fabs(len - 0.04) > 1e-4)) continue;
            for (const auto& [x, y] : var == "wbarb" ? decltype(p.pts){p.pts[0]} : p.pts)
                EXPECT_FALSE(below(x, y)) << var << " " << p.tag << " at " << x << "," << y;
            ++checked;
        }
        EXPECT_GT(checked, 50) << var;
    }
}

TEST_F(Vsect, MissingSoundingLeavesAGapInTheTimeSection) {
    const RunResult r =
        run({"-id", "UIL", "-de", device(), "-va", "theta", DATA + "/1980052012_upa.cvt"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("no sounding for UIL in"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("1980051900_upa.cvt"), std::string::npos) << r.err;
}

// Warnings only: each is said, and the section is still drawn.
TEST_F(Vsect, StationListWarningsAreNotFatal) {
    std::string many;
    for (int i = 0; i < 60; ++i) many += (i ? "," : "") + std::string(i % 2 ? "KDNR" : "KOAX");
    const struct {
        std::vector<std::string> args;
        const char *err, *out;
    } cases[] = {
        {{"-id", "KDNR,NOWHERE,KOAX", "-pl", "cf"},
         "NOWHERE is in neither",
         "2 of 3 columns drawn; skipped NOWHERE (not in the file)"},
        {{"-id", "KGJT,CYVN,KDNR"},
         "station CYVN has no known position",
         "2 of 3 columns drawn; skipped CYVN (no position)"},
        {{"-id", "KGJT,KDNR", "-idd", "X"}, "-idd is no option (did you mean -id?)", ""},
        {{"-id", many}, "only the first 50", "50 of 50 columns drawn"},
        {{"-id", "KDNR,KDNR", "-pl", "cf"}, "", ""}, // all stations at one place
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        std::remove(ps().c_str());
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-de", device(), "-va", "temp", OUTBREAK});
        const RunResult r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
        EXPECT_TRUE(exists(ps()));
    }
}

// Mistakes a new user makes: each ends with its exit status and a message that says what
// was wrong, and leaves no page behind.
TEST_F(Vsect, MistakesEndWithTheirExitStatusAndSayWhy) {
    dir.write("empty.cvt", "");
    const std::string cty = std::string(HYX_SHARE) + "/upa.cty";
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"-va", "thetaa"},
         9,
         "unknown variable \"thetaa\" in the variable list \"thetaa\"; "
         "did you mean \"theta\"?"},
        {{"-va", "isentrope"}, 9, "did you mean \"isentropes\"?"},
        {{"-va", "temp[Q]"}, 9, "no conversion of temp (C) into \"Q\""},
        {{"-va", "temp[cf]"}, 9, "options follow the unit, as in temp[C,cf]"},
        {{"-va", "temp[C,int=abc]"}, 9, "option \"int=abc\" of temp in the variable list"},
        {{"-va", "temp[C,lnn]"}, 9, "unknown option \"lnn\" of temp"},
        {{"-va", "temp", "-pl", "lnn"}, 9, "unknown plot type \"lnn\" (-pl); did you mean \"ln\"?"},
        {{"-va", "temp", "-cu", "1980052012"}, 9, "a date needs a leading \"#\": #1980052012"},
        {{"-id", "", "-va", "temp"}, 9, "no station identifier given"},
        {{"-id", "KOAX", "-va", "jet_section"},
         9,
         "nwnd needs a line of stations to take its direction from; with the one station KOAX "
         "(-id) the section runs in time"},
        {{"-va", "temp", "nosuch.cvt"}, 6, "upper air file nosuch.cvt does not exist"},
        {{"-va", "temp", DATA}, 6, "is a directory"},
        {{"-va", "temp", "empty.cvt"}, 6, "upper air file empty.cvt is empty"},
        {{"-va", "temp", cty}, 6, "is not an upper-air file: line 1 is \"JAN MAYEN"},
        {{"-va", "temp", "-ct", "/dev/zero"}, 6, "colour table /dev/zero is not a regular file"},
        {{"-va", "temp", "-id", "CYVN,NOWHERE"}, 10, "none of the stations CYVN,NOWHERE has"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"-id", "KGJT,KDNR", "-de", device()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        if (args.back().find(".cvt") == std::string::npos && args.back() != DATA &&
            args.back() != cty)
            args.push_back(OUTBREAK);
        const RunResult r = run(args);
        EXPECT_EQ(r.status, c.status) << c.args[1] << "\n" << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args[1] << "\n" << r.err;
        EXPECT_FALSE(exists(ps())) << c.args[1] << ": a page was left behind";
    }

    // Output that cannot be written all the way.
    for (const char* dev : {"p,/dev/full", "h,/dev/full"}) {
        const RunResult r = run({"-id", "KGJT,KDNR", "-de", dev, "-va", "temp", OUTBREAK});
        EXPECT_EQ(r.status, 8) << dev;
        EXPECT_NE(r.err.find(": unable to write /dev/full: No space left on device"),
                  std::string::npos)
            << r.err;
    }
}

TEST_F(Vsect, ANamedFileIsReadWhateverItsNameWithTheDateItHolds) {
    // An off-hour sounding of two made-up stations, kept at its own hour by upaconv, under a
    // name of the user's choosing.
    std::string listing = "DATE 2026120419\n";
    for (const char* st : {"STATION AAA 1 40 -100 1000\n", "STATION CCC 3 40 -98 1500\n"})
        listing += std::string(st) + "900 1000 10 5 270 20 S\n400 7300 -30 -40 270 50\n"
                                     "200 11800 -55 -65 270 60\n100 16200 -60 -70 270 40\n";
    dir.write("in.txt", listing);
    ASSERT_EQ(testutil::run(std::string(HYX_UPACONV) + " -ot -o " + dir.file("mine.cvt") + " " +
                            dir.file("in.txt"))
                  .status,
              0);
    const std::vector<std::string> args = {"-id", "AAA,CCC", "-de", device(), "-va", "temp"};
    std::vector<std::string> named = args;
    named.push_back("mine.cvt");
    RunResult r = run(named);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Plotting for: 19Z  4 DEC 2026"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2 of 2 columns drawn"), std::string::npos) << r.out;

    // Asked for interactively, the file is asked for once.
    std::string cmd = "cd " + testutil::shellQuote(dir.path()) +
                      " && printf 'mine.cvt\\n' | env -i PATH=/usr/bin:/bin " +
                      testutil::shellQuote(HYX_VSECT) + " -fp " + HYX_SHARE + " -df . -it";
    for (const std::string& a : args) cmd += " " + testutil::shellQuote(a);
    r = testutil::run(cmd);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(countOf(r.out, "Enter the upper air filename"), 1u) << r.out;
}
