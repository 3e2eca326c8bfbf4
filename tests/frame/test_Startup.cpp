// Start-up of the real vsect binary: help listing, title line and the precedence of
// program values, resource files, environment and command line, seen through the store
// listing that the message level debug6 prints.
#include "TestUtil.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using testutil::RunResult;
using testutil::ScratchDir;

namespace {

const std::string TITLE = "      VERTICAL CROSS SECTION PLOTTING (Ver 6.65-LINUX-X11)\n\n";

const std::string HELP = "vsect: This program plots upper air cross sections\n"
                         "vsect syntax (version:6.65-LINUX-X11)\n"
                         "   vsect [options...]\n"
                         "Keyed options...\n"
                         " -df file...  Resource/defaults file name\n"
                         " -na name     Program name\n"
                         " -h           Print help\n"
                         " -it          Run in interactive mode\n"
                         " -me level    Message level\n"
                         " -fp path     File path\n"
                         " -dp path     Data path\n"
                         " -cp path     Converted data path\n"
                         " -gp path     Gridpath\n"
                         " -rp path     Raw path\n"
                         " -ip path     Image path\n"
                         " -wp path     Watch path\n"
                         " -tp path     Text path\n"
                         " -mp path     Model path\n"
                         " -sp path     Satellite path\n"
                         " -cf file     City database file\n"
                         " -mf files    Map files\n"
                         " -nc file     Name convention file\n"
                         " -if files    Input file type\n"
                         " -of files    Output file type\n"
                         " -tz zone     Time zone\n"
                         " -cu [hour]   Currency of input data\n"
                         " -ho [hour]   Use specific hour\n"
                         " -nh [hour]   Number of hours to use\n"
                         " -pd domain   Plot domain\n"
                         " -gd domain   Grid domain\n"
                         " -pr prior    Station priority\n"
                         " -id ident    Specify the station ID\n"
                         " -pl type     Plot type\n"
                         " -sc scale    Plot scale factor\n"
                         " -fm format   Formats\n"
                         " -pa param... Program parameters\n"
                         " -dr types... Draw these types\n"
                         " -la label... Plot these labels\n"
                         " -fl list     List of usable fonts\n"
                         " -ct files... Color table file\n"
                         " -cot color   Text color and attribs\n"
                         " -cod color   Data color and attribs\n"
                         " -cof clr...  Fill colors and attribs\n"
                         " -com color   Map color and attribs\n"
                         " -cog color  Grid color\n"
                         " -cola color  Label color\n"
                         " -coln color  Lat-lon line color\n"
                         " -de device   Device type and params\n"
                         " -ti title    Window title\n"
                         " -ic          Specify window icon mode\n"
                         " -bg color    Background color\n"
                         " -ge geometry Window geometry\n"
                         " -lo logo     Logo overlay\n"
                         " -va var...   Type of data to plot\n"
                         "Positional options...\n"
                         " filenames... Filenames\n";

// vsect run in a scratch working directory with resource files looked for only where a
// test puts them: the directories a and b (path "a:b" unless the test gives -df itself).
// What the start-up printed: the program run that follows the title (here mostly without
// stations, which it refuses with status 9, or without a display) adds its own lines, which
// these tests leave aside.
std::string startupOut(const std::string& out) {
    const size_t title = out.find(TITLE);
    if (title != std::string::npos) return out.substr(0, title + TITLE.size());
    return out.substr(0, out.find("Plotting for:"));
}

std::string startupErr(const std::string& err) {
    return err.substr(
        0, std::min(err.find("XWindow: unable to connect to display"), err.find("UpaXSectPlot")));
}

// Whether the text holds every piece of want; either way the message shows the text.
::testing::AssertionResult has(const std::string& text, std::initializer_list<std::string> want) {
    for (const std::string& w : want)
        if (text.find(w) == std::string::npos)
            return ::testing::AssertionFailure() << "no \"" << w << "\" in:\n" << text;
    return ::testing::AssertionSuccess() << "found in:\n" << text;
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        mkdir(cwd.file("a").c_str(), 0755);
        mkdir(cwd.file("b").c_str(), 0755);
    }

    RunResult vsect(std::vector<std::string> args, const std::vector<std::string>& env = {},
                    bool withPath = true) {
        if (withPath) args.insert(args.begin(), {"-df", cwd.file("a") + ":" + cwd.file("b")});
        return testutil::runVsect(args, cwd.path(), env);
    }

    // The store listing printed at debug6, i.e. the output before the title line.
    std::string listing(std::vector<std::string> args, const std::vector<std::string>& env = {},
                        bool withPath = true) {
        args.insert(args.end(), {"-me", "debug6"});
        const RunResult r = vsect(args, env, withPath);
        EXPECT_LT(r.status, 128) << "the run did not end by itself";
        EXPECT_EQ(startupErr(r.err), "");
        const size_t at = r.out.find(TITLE);
        EXPECT_NE(at, std::string::npos) << r.out;
        return at == std::string::npos ? r.out : r.out.substr(0, at);
    }

    ScratchDir cwd;
};

} // namespace

TEST_F(Startup, HelpListsTheOptionsAndExitsBeforeTheTitle) {
    // Asked for on the command line (help wins over the rest, the program name stays the file
    // name whatever -na says, the resource name may be abbreviated) or in the environment.
    using Args = std::vector<std::string>;
    const std::pair<Args, Args> asks[] = {
        {{"-h"}, {}},
        {{"-na", "other", "-de", "p", "-id", "KDEN", "f1", "-h"}, {}},
        {{"-hel"}, {}},
        {{}, {"hyxhelp="}},
        {{}, {"hyx_vsect_help=1"}}};
    for (const auto& a : asks) {
        const RunResult r = vsect(a.first, a.second);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, HELP);
        EXPECT_EQ(r.err, "");
    }
    // At message level none nothing is printed, but the request is still answered.
    const RunResult none = vsect({"-h", "-me", "none"});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out + none.err, "");
    // In a resource file, where a line without a value is no resource line.
    cwd.write("b/hyx.cfg", "vsect.help: yes\n");
    EXPECT_EQ(vsect({}).out, HELP);
    cwd.write("b/hyx.cfg", "vsect.help:\n");
    EXPECT_EQ(startupOut(vsect({}).out), TITLE);
}

TEST_F(Startup, VersionIsAnsweredOnlyWhenAskedOnTheCommandLine) {
    for (const char* ask : {"--version", "-version"}) {
        const RunResult r = vsect({ask});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "vsect 6.65-LINUX-X11\n");
        EXPECT_EQ(r.err, "");
    }
    // Help still wins, and a resource file that happens to set a resource named version does
    // not stop the program.
    EXPECT_EQ(vsect({"--version", "-h"}).out, HELP);
    cwd.write("a/hyx.cfg", "vsect.version: 2\n");
    EXPECT_EQ(startupOut(vsect({}).out), TITLE);
}

TEST_F(Startup, TitleLineFollowsTheMessageLevel) {
    RunResult r = vsect({});
    EXPECT_EQ(r.status, 9); // no stations
    EXPECT_EQ(startupOut(r.out), TITLE);
    r = vsect({"-me", "error"});
    EXPECT_EQ(r.status, 9);
    EXPECT_EQ(r.out, "");
    cwd.write("a/hyx.cfg", "*message: error\n");
    EXPECT_EQ(vsect({}).out, "");
    EXPECT_EQ(startupOut(vsect({"-me", "mess"}).out), TITLE);
}

TEST_F(Startup, EmptyStartHoldsOnlyTheProgramValues) {
    const std::string path = cwd.file("a");
    EXPECT_EQ(listing({"-df", path}, {}, false),
              "prog: vsect\nname: vsect\ndefault (cmd): " + path + "\nmessage (cmd): debug6\n");
}

TEST_F(Startup, LaterPathElementsThenEnvironmentThenCommandLineWin) {
    cwd.write("a/hyx.cfg", "vsect.city_file: b.cty\nvsect.title: first\n");
    cwd.write("b/hyx.cfg", "vsect.city_file: a.cty\n");
    EXPECT_TRUE(has(listing({}), {"city_file (file): a.cty\n", "title (file): first\n"}));
    EXPECT_TRUE(has(listing({}, {"hyxcity=env.cty"}), {"city_file (env): env.cty\n"}));
    std::string l = listing({"-cf", "c.cty"}, {"hyxcity=env.cty"});
    EXPECT_TRUE(has(l, {"city_file (cmd): c.cty\n"}));
    // Insertion order stays the order in which a resource first appeared.
    EXPECT_LT(l.find("city_file"), l.find("title"));

    // The path may also come from the environment; the command line replaces it.
    l = listing({}, {"hyxdefault=" + cwd.file("a")}, false);
    EXPECT_TRUE(has(l, {"default (env): " + cwd.file("a") + "\n", "city_file (file): b.cty\n"}));
    l = listing({"-df", cwd.file("b")}, {"hyxdefault=" + cwd.file("a")}, false);
    EXPECT_TRUE(has(l, {"city_file (file): a.cty\n"}));
    EXPECT_FALSE(has(l, {"title"}));
}

TEST_F(Startup, EnvironmentVariablesInOrderOfPrecedence) {
    EXPECT_TRUE(has(listing({}, {"hyxcity_file=3"}), {"city_file (env): 3\n"}));
    EXPECT_TRUE(has(listing({}, {"hyxcity_file=3", "hyxcity=2"}), {"city_file (env): 2\n"}));
    EXPECT_TRUE(has(listing({}, {"hyxcity_file=3", "hyxcity=2", "hyx_vsect_city_file=1"}),
                    {"city_file (env): 1\n"}));
    // Only listed options are looked up in the environment.
    EXPECT_FALSE(has(listing({}, {"hyxcolor_cont=red", "hyxclrcont=red"}), {"color_cont"}));
}

TEST_F(Startup, KeyedArgumentsByShortOptionPrefixOrFullName) {
    // "-co" takes the first row in list order whose name begins with it: con_path, not color_*.
    // A key that names nothing is kept, with a warning.
    const RunResult r = vsect({"-id=KDEN,KOMA", "-back", "red", "-xyz", "5", "-co", "x", "-cod",
                               "d", "-color_cont", "blue", "--ti", "T", "-ti=U", "-me", "debug6"});
    EXPECT_TRUE(has(r.out, {"identifier (cmd): KDEN,KOMA\n", "background (cmd): red\n",
                            "xyz (cmd): 5\n", "con_path (cmd): x\n", "color_data (cmd): d\n",
                            "color_cont (cmd): blue\n", "title (cmd): U\n"}));
    EXPECT_EQ(startupErr(r.err), "vsect: -xyz is no option; it is kept as the resource xyz\n");
    EXPECT_TRUE(has(listing({"-id", "KDEN", "-it"}), {"identifier (cmd): KDEN\ninter (cmd): \n"}));
    const std::string m = listing({"-bg", "red", "-it", "file.dat"});
    EXPECT_TRUE(has(m, {"background (cmd): red\n", "inter (cmd): file.dat\n"}));
    EXPECT_FALSE(has(m, {"filename"}));
}

TEST_F(Startup, PositionalArgumentsCollectInFilename) {
    cwd.write("a/hyx.cfg", "vsect.filename: fromfile\n");
    std::string l = listing({"f1", "-id", "X", "f2", "--", "f3"});
    // "--" is a resource with an empty name and value.
    EXPECT_TRUE(has(l, {"filename (cmd): f1\nf2\nf3\n", "\n (cmd): \n"}));
    EXPECT_FALSE(has(l, {"fromfile"}));
    EXPECT_TRUE(has(listing({}, {"hyxfilenm=env.dat"}), {"filename (env): env.dat\n"}));
}

TEST_F(Startup, NameAndDefaultComeFromTheFirstPass) {
    cwd.write("a/hyx.cfg", "vsect.background: plain\nvsect.cfg.background: inst\n"
                           "vsect.cfg.title: \"My plot\"\n");
    std::string l = listing({"-na", "+cfg"}, {"hyx_vsect_cfg_logo=on", "hyx_vsect_logo=off"});
    EXPECT_TRUE(has(l, {"name (cmd): +cfg\n", "background (file): inst\n",
                        "title (file): My plot\n", "logo (env): on\n"}));
    EXPECT_FALSE(has(l, {"plain"}));
    // Any abbreviation of "name" sets the instance name and nothing else.
    l = listing({"-nam", "cfg"});
    EXPECT_TRUE(has(l, {"name (cmd): cfg\n"}));
    EXPECT_FALSE(has(l, {"background"}));
    EXPECT_FALSE(has(l, {"nam (cmd)"}));
    // -nc is the name convention, not the instance name.
    EXPECT_TRUE(has(listing({"-nc", "my.cnv"}), {"name: vsect\n", "name_conv (cmd): my.cnv\n"}));
}

TEST_F(Startup, TaggedPathElementsSelectSections) {
    cwd.write("b/hyx.cfg", "IF night\nvsect.background: black\nELSE\nvsect.background: white\n"
                           "END\nIF nothing\nDEF late\nEND\nIF late\nvsect.logo: yes\nEND\n");
    const std::string l = listing({"-df", "+night:" + cwd.file("b")}, {}, false);
    EXPECT_TRUE(has(l, {"background (file): black\n", "logo (file): yes\n"}));
    EXPECT_TRUE(has(listing({}), {"background (file): white\n"}));
}

TEST_F(Startup, HugeArgumentListsAndOddPathElementsAreSurvived) {
    // Garbled and oversized resource files are read by the reader's own tests; here the path
    // names a missing directory, an empty element and a file, and the command line is long.
    cwd.write("b/hyx.cfg", "vsect.title: after\n");
    std::vector<std::string> args = {"-df", cwd.file("a") + ":" + cwd.file("b") + ":" +
                                                cwd.file("none") + "::" + cwd.file("b/hyx.cfg")};
    for (int i = 0; i < 3000; ++i) args.push_back("f" + std::to_string(i));
    for (int i = 0; i < 1000; ++i) args.push_back(i % 2 ? "-bg" : "-id=" + std::to_string(i));
    args.insert(args.end(), {"-me", "debug6"});
    const RunResult r = testutil::runVsect(args, cwd.path());
    EXPECT_EQ(r.status, 6); // no data file f0
    EXPECT_TRUE(has(r.out, {"title (file): after\n", "filename (cmd): f0\nf1\n", "\nf2999\n",
                            "identifier (cmd): 998\n", TITLE}));
}
