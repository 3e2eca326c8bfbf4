// Resource files: line syntax, sections and tags, key patterns, and bad input.
#include "HYX/Hyx.h"
#include "HYX/Resrc.h"
#include "HYX/ResrcFile.h"
#include "HYX/String.h"

#include "TestUtil.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace HYX;

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

// A reader for program vsect (instance name as given) over files in a scratch directory.
class ResrcFileTest : public ::testing::Test {
protected:
    void SetUp() override { unsetenv("hyxerrtoout"); }

    // All resource lines of one file read with a fresh reader.
    Lines readAll(const std::string& text, const char* inst = "vsect") {
        dir.write("r.cfg", text);
        ResrcFile rf(store);
        rf.set("vsect", inst);
        EXPECT_EQ(rf.open(dir.file("r.cfg").c_str()), 1);
        return drain(rf);
    }
    static Lines drain(ResrcFile& rf) {
        Lines out;
        String key, value;
        while (rf.get(key, value) == 1) out.emplace_back(key.get(), value.get());
        EXPECT_EQ(rf.get(key, value), -1);
        return out;
    }

    testutil::ScratchDir dir;
    Resrc store;
};

} // namespace

TEST_F(ResrcFileTest, ReadsKeyAndValueWords) {
    const Lines got = readAll("# comment line\n"
                              "\n"
                              "   \t \n"
                              "vsect.background: black\n"
                              "*Background  white trailing words ignored\n"
                              "VSECT.City_File:: a.cty\n"
                              "vsect.title: \"My plot\" rest\n"
                              "vsect.label: My plot\n"
                              "vsect.device \"unterminated value  \n"
                              "vsect.format \"\"\n"
                              "lonely_word\n"
                              " # not a comment: first character is blank\n");
    const Lines want = {{"vsect.background", "black"}, {"*background", "white"},
                        {"vsect.city_file:", "a.cty"}, {"vsect.title", "My plot"},
                        {"vsect.label", "My"},         {"vsect.device", "unterminated value  "},
                        {"vsect.format", ""},          {"#", "not"}};
    EXPECT_EQ(got, want);
}

TEST_F(ResrcFileTest, WordsAreCutToTheirFieldWidths) {
    const std::string longKey = "vsect." + std::string(60, 'k');
    const std::string longValue(300, 'v');
    const Lines got = readAll(longKey + " " + longValue + "\n");
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].first, longKey.substr(0, ResrcFile::KEY_SIZE - 1));
    // The line itself is read in pieces of 249 characters, so the value is what is left of
    // the first piece after the key.
    EXPECT_EQ(got[0].second.size(), 249u - longKey.size() - 1);
}

TEST_F(ResrcFileTest, IfElifElseEndSelectLinesByTag) {
    const Lines got = readAll("DEF day\n"
                              "IF day\n a.r 1\nELIF night\n a.r 2\nELSE\n a.r 3\nEND\n"
                              "if NIGHT\n b.r 1\nelif DAY\n b.r 2\nelse\n b.r 3\nend\n"
                              "IF none\n c.r 1\nELIF none2\n c.r 2\nELSE\n c.r 3\nEND\n"
                              "IF v6\n d.r 1\nEND\n"
                              "IF x\n e.r 1\nELIF V6\n e.r 2\nEND\n"
                              "IF day\n IF x\n  f.r 1\n ELSE\n  f.r 2\n END\n f.r 3\nEND\n"
                              "IF x\n DEF late\n IF day\n  g.r 1\n END\nEND\n"
                              "IF late\n h.r 1\nEND\n"
                              "UNDEF DAY\n"
                              "IF day\n i.r 1\nEND\n"
                              "IF day extra\n j.r 1\nEND\n"
                              "IF v6 extra\n k.r 1\nEND\n");
    const Lines want = {{"a.r", "1"}, {"b.r", "2"}, {"c.r", "3"}, {"d.r", "1"},
                        {"f.r", "2"}, {"f.r", "3"}, {"h.r", "1"}, {"k.r", "1"}};
    EXPECT_EQ(got, want);
}

TEST_F(ResrcFileTest, StrayDirectivesWarnWithTheirOwnTextsAndWhereTheyStand) {
    Lines got;
    const std::string err = testutil::captureErr(
        [&] { got = readAll("ELSE\nELIF x\nEND\nvsect.a 1\nDEF\nUNDEF\nIF\nvsect.b 2\n"); });
    const std::string at = "ResrcFile::get: at " + dir.file("r.cfg") + " line ";
    EXPECT_EQ(err, "ResrcFile::get: else without an if\n" + at + "1\n" +
                       "ResrcFile::get: elif without an if\n" + at + "2\n" +
                       "ResrcFile::get: end without an if\n" + at + "3\n");
    EXPECT_EQ(got, (Lines{{"vsect.a", "1"}, {"vsect.b", "2"}}));
}

TEST_F(ResrcFileTest, TagsAreBoundedInCountAndLength) {
    ResrcFile rf(store);
    for (int i = 0; i < ResrcFile::MAX_TAG; ++i)
        EXPECT_EQ(rf.setTag(("t" + std::to_string(i)).c_str()), 1);
    EXPECT_EQ(rf.setTag("eleventh"), 0);
    EXPECT_EQ(rf.getNumTag(), ResrcFile::MAX_TAG);
    EXPECT_FALSE(rf.hasTag("eleventh"));

    ResrcFile cut(store);
    cut.set("vsect", "vsect");
    const std::string tag(30, 'q');
    cut.setTag(tag.c_str());
    EXPECT_TRUE(cut.hasTag(tag.substr(0, 19).c_str()));
    EXPECT_TRUE(cut.hasTag(tag.c_str())); // compared as stored: cut to 19 characters

    // DEF beyond ten tags is ignored.
    std::string text;
    for (int i = 0; i < 12; ++i) text += "DEF d" + std::to_string(i) + "\n";
    text += "IF d9\n vsect.a 1\nEND\nIF d10\n vsect.b 2\nEND\n";
    EXPECT_EQ(readAll(text), (Lines{{"vsect.a", "1"}}));
}

TEST_F(ResrcFileTest, SectionsDeeperThanTenAreSkippedToTheirEnd) {
    std::string ten, eleven, fifty;
    for (int i = 0; i < 10; ++i) ten += "IF V6\n";
    ten += "vsect.a 1\n";
    for (int i = 0; i < 10; ++i) ten += "END\n";
    EXPECT_EQ(readAll(ten), (Lines{{"vsect.a", "1"}}));

    // The eleventh level and everything in it, ELSE branches included, is skipped.
    for (int i = 0; i < 11; ++i) eleven += "IF V6\n";
    eleven += "vsect.a 1\nELSE\nvsect.a 2\nEND\nvsect.b 1\n";
    for (int i = 0; i < 10; ++i) eleven += "END\n";
    eleven += "vsect.c 1\n";
    Lines got;
    std::string err = testutil::captureErr([&] { got = readAll(eleven); });
    EXPECT_EQ(got, (Lines{{"vsect.b", "1"}, {"vsect.c", "1"}}));
    EXPECT_EQ(err, "ResrcFile::get: " + dir.file("r.cfg") +
                       " line 11: IF sections nested deeper than 10 levels are skipped\n");

    for (int i = 0; i < 50; ++i) fifty += "IF V6\nvsect.in" + std::to_string(i) + " x\n";
    for (int i = 0; i < 50; ++i) fifty += "END\n";
    fifty += "vsect.after 1\n";
    err = testutil::captureErr([&] { got = readAll(fifty); });
    ASSERT_EQ(got.size(), 11u);
    EXPECT_EQ(got[9].first, "vsect.in9");
    EXPECT_EQ(got[10].first, "vsect.after");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1); // one warning, not forty
}

TEST_F(ResrcFileTest, KeysArePatternsOverTheQualifiedName) {
    ResrcFile rf(store);
    rf.set("vsect", "vsect");
    // "**background" is "*" then an empty segment.
    for (const char* key :
         {"vsect.background", "*background", "*.background", "*ground", "v*d", "*s*t.b*k*d"})
        EXPECT_EQ(rf.compare("background", key), 1) << key;
    for (const char* key : {"**background", "vsect.backgroun", "vsect.back*", "vsect.*", "*",
                            "other.background", "vsect.background.", "background", "*xyz", ""})
        EXPECT_EQ(rf.compare("background", key), 0) << key;
    // Instance names: "+x" qualifies under the program, another name replaces it.
    rf.set("vsect", "+cfg");
    String q;
    rf.qualify("background", q);
    EXPECT_STREQ(q.get(), "vsect.cfg.background");
    rf.set("vsect", "cfg");
    EXPECT_EQ(rf.compare("background", "cfg.background"), 1);
    EXPECT_EQ(rf.compare("background", "vsect.background"), 0);
    rf.set("vsect", "");
    EXPECT_EQ(rf.compare("background", "vsect.background"), 1);
}

TEST_F(ResrcFileTest, TagsAndOpenSectionsCarryOverToTheNextFile) {
    dir.write("one.cfg", "DEF night\nIF V6\nvsect.a 1\n");
    dir.write("two.cfg", "vsect.b 1\nEND\nIF night\nvsect.c 1\nEND\n");
    ResrcFile rf(store);
    rf.set("vsect", "vsect");
    ASSERT_EQ(rf.open(dir.file("one.cfg").c_str()), 1);
    EXPECT_EQ(drain(rf).size(), 1u);
    EXPECT_EQ(rf.getDepth(), 1);
    ASSERT_EQ(rf.open(dir.file("two.cfg").c_str()), 1);
    EXPECT_EQ(drain(rf), (Lines{{"vsect.b", "1"}, {"vsect.c", "1"}}));
    EXPECT_EQ(rf.getDepth(), 0);
}

TEST_F(ResrcFileTest, DirectoriesGiveTheFirstExistingResourceFile) {
    ResrcFile rf(store);
    ASSERT_EQ(mkdir(dir.file("d").c_str(), 0755), 0);
    EXPECT_EQ(rf.open(dir.file("d").c_str()), 0);
    dir.write("d/Hyx.res", "vsect.a res\n");
    ASSERT_EQ(rf.open(dir.file("d").c_str()), 1);
    dir.write("d/.hyxdef", "vsect.a hyxdef\n");
    ASSERT_EQ(rf.open((dir.file("d") + "/").c_str()), 1);
    EXPECT_EQ(drain(rf), (Lines{{"vsect.a", "hyxdef"}}));
    dir.write("d/hyx.cfg", "vsect.a cfg\n");
    ASSERT_EQ(rf.open(dir.file("d").c_str()), 1);
    EXPECT_EQ(drain(rf), (Lines{{"vsect.a", "cfg"}}));

    // An empty path is hyx.cfg in the working directory.
    char* cwd = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(dir.file("d").c_str()), 0);
    const int opened = rf.open("");
    const Lines got = drain(rf);
    EXPECT_EQ(chdir(cwd), 0);
    std::free(cwd);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(got, (Lines{{"vsect.a", "cfg"}}));
}

TEST_F(ResrcFileTest, UnusableInputIsRefusedOrSurvived) {
    ResrcFile rf(store);
    rf.set("vsect", "vsect");
    String key, value;
    EXPECT_EQ(rf.get(key, value), -1);  // nothing open
    EXPECT_EQ(rf.open("/dev/zero"), 0); // endless device
    EXPECT_EQ(rf.open(dir.file("none").c_str()), 0);
    ASSERT_EQ(mkdir(dir.file("d").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.file("d/hyx.cfg").c_str(), 0755), 0);
    EXPECT_EQ(rf.open(dir.file("d").c_str()), 0); // hyx.cfg exists but is a directory
    if (geteuid() != 0) {
        dir.write("locked.cfg", "vsect.a 1\n");
        chmod(dir.file("locked.cfg").c_str(), 0);
        EXPECT_EQ(rf.open(dir.file("locked.cfg").c_str()), 0);
    }

    // Binary garbage: read to the end without crashing; NUL bytes end a line early.
    std::string bin;
    unsigned x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1103515245u + 12345u;
        bin += static_cast<char>(x >> 16);
    }
    bin += std::string("\nvsect.after ok\n");
    bin.insert(0, std::string("vsect.before x\0y\n", 17));
    const Lines got = readAll(bin);
    ASSERT_GE(got.size(), 2u);
    EXPECT_EQ(got.front(), (Lines::value_type{"vsect.before", "x"}));
    EXPECT_EQ(got.back(), (Lines::value_type{"vsect.after", "ok"}));

    // A line of 10 MB without a line end.
    const Lines big = readAll("vsect.a 1\n" + std::string(10 * 1024 * 1024, 'z'));
    EXPECT_EQ(big, (Lines{{"vsect.a", "1"}}));
}
