// Colour tables: lookup by name and by colour codes, capacity, fill sequence and the colour
// table file format, including the installed table.
#include "HYX/ColorFile.h"
#include "HYX/ColorMap.h"
#include "HYX/Hyx.h"
#include "HYX/RGB.h"

#include "TestUtil.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using namespace HYX;
using testutil::ScratchDir;

namespace {

constexpr float EPS = 1e-4f; // components are k/255 or typed fractions

std::string colours(int first, int n) {
    std::string s;
    for (int i = first; i < first + n; ++i) s += "c" + std::to_string(i) + " 0.1 0.2 0.3\n";
    return s;
}

// Colour i of m as "r g b" to four decimals.
std::string rgb(const ColorMap& m, int i) {
    RGB c;
    m.get(i, c);
    char b[64];
    std::snprintf(b, sizeof b, "%.4f %.4f %.4f", c.red, c.grn, c.blu);
    return b;
}

} // namespace

TEST(ColorMap, HexAndDecimalCodesAreAddedOnFirstUseAndFoundAgain) {
    ColorMap m(8);
    m.add("white", 1, 1, 1);
    const int red = m.getInd("#FF0000");
    ASSERT_EQ(red, 1);
    EXPECT_EQ(m.getNum(), 2);
    EXPECT_EQ(m.getInd("#FF0000"), red);
    EXPECT_EQ(m.getInd("#ff0000"), red); // names compare without case
    EXPECT_EQ(m.getNum(), 2);
    EXPECT_EQ(rgb(m, red), "1.0000 0.0000 0.0000");
    EXPECT_STREQ(m.getName(red), "#FF0000");

    // Decimal form: three groups of three digits, 0..255 each.
    const int d = m.getInd("#000128255");
    ASSERT_EQ(d, 2);
    EXPECT_EQ(rgb(m, d), "0.0000 0.5020 1.0000"); // 128 / 255

    // Malformed codes are no colours and are not added.
    for (const char* bad : {"#FF00", "#GG0000", "#12345678"}) EXPECT_EQ(m.getInd(bad), -1) << bad;
    EXPECT_EQ(m.getNum(), 3);
}

TEST(ColorMap, NoColourWordsPatternsAndIndexes) {
    ColorMap m(4);
    m.add("white", 1, 1, 1);
    m.add("Blue", 0, 0, 1);
    // A leading digit is an index; "p..." names are fill patterns.
    const std::pair<const char*, int> names[] = {
        {"back", -1},  {"NONE", -1},   {"off", -1}, {"END", -2}, {"", -1},
        {"pblk", 500}, {"PTGRY", 508}, {"blue", 1}, {"3", 3},    {"chartreuse", -1}};
    for (const auto& n : names) EXPECT_EQ(m.getInd(n.first), n.second) << n.first;
    EXPECT_EQ(m.getInd(nullptr), -1);
    EXPECT_TRUE(m.isColor(0));
    EXPECT_FALSE(m.isColor(-1));
}

TEST(ColorMap, CapacityOverwriteAndClampedAccess) {
    ColorMap m(2);
    EXPECT_EQ(m.add("red", 1, 0, 0), 0);
    EXPECT_EQ(m.add("green", 0, 1, 0), 1);
    std::string err = testutil::captureErr([&] { EXPECT_EQ(m.add("blue", 0, 0, 1), -1); });
    EXPECT_EQ(err, "Color map size exceeded 3 > 2\n");
    // A name already present keeps its index, even in a full table.
    EXPECT_EQ(m.add("red", 0.5f, 0, 0), 0);
    float r, g, b;
    m.getRGB(0, &r, &g, &b);
    EXPECT_NEAR(r, 0.5f, EPS);

    m.setValue(0, 111);
    m.setValue(1, 222);
    EXPECT_EQ(m.setValue(2, 333), 0);
    EXPECT_EQ(m.getValue(1), 222);
    EXPECT_EQ(m.getValue(7), 222);  // beyond the table: the last entry
    EXPECT_EQ(m.getValue(-1), 111); // negative: the first
    EXPECT_EQ(m.getValue("green"), 222);
    EXPECT_STREQ(m.getName(9), "green");
    int ir, ig, ib;
    m.getIRGB(1, &ir, &ig, &ib);
    EXPECT_EQ(ig, 255);
    EXPECT_TRUE(m.isColorNear(1, RGB(0.003f, 0.998f, 0.002f)));
    EXPECT_FALSE(m.isColorNear(1, RGB(0.02f, 1.0f, 0.0f)));
    EXPECT_FALSE(m.isColorNear(-1, RGB(0, 1, 0)));

    // Copies are independent; init() empties but keeps the capacity.
    ColorMap copy(m);
    m.init();
    EXPECT_EQ(m.getNum(), 0);
    EXPECT_EQ(m.getMax(), 2);
    EXPECT_EQ(copy.getValue(0), 111);
    EXPECT_EQ(m.setNumFill(1), 0);
    EXPECT_EQ(copy.setNumFill(2), 1);
}

TEST(ColorFile, FillSequenceEndsAtEndAndLaterColoursAreExtra) {
    ScratchDir dir;
    dir.write("t.clr", "# test table\n" + colours(0, 20) + "  end  \n" + colours(20, 5));
    ColorMap m;
    ASSERT_EQ(ColorFile::readFile(dir.file("t.clr").c_str(), m), 1);
    EXPECT_EQ(m.getMax(), 256);
    EXPECT_EQ(m.getNum(), 25);
    EXPECT_EQ(m.getNumFill(), 20);
    EXPECT_STREQ(m.getName(24), "c24");

    // Without END every colour is in the fill sequence.
    dir.write("u.clr", colours(0, 3));
    ColorMap n;
    ColorFile::readFile(dir.file("u.clr").c_str(), n);
    EXPECT_EQ(n.getNumFill(), 3);
}

TEST(ColorFile, LineFormsIndexesHexAndRepeatedNames) {
    ScratchDir dir;
    dir.write("t.clr", "0 red 1 0 0\n"
                       "  1   sky   #87CEEB  \n"
                       "navy #000080\n"
                       "olive 0.5 0.5 0\n"
                       "red 0.8 0 0\n"
                       "-3 neg 0 0 0\n"
                       "bad line\n"
                       "aVeryLongColourNameThatIsCut 0 0 1\n"
                       "#comment 1 1 1\n");
    ColorMap m;
    ColorFile::readFile(dir.file("t.clr").c_str(), m);
    ASSERT_EQ(m.getNum(), 5); // a name longer than 19 characters spoils its line
    EXPECT_EQ(rgb(m, m.getInd("sky")), "0.5294 0.8078 0.9216"); // 0x87, 0xCE, 0xEB / 255
    EXPECT_EQ(rgb(m, m.getInd("navy")), "0.0000 0.0000 0.5020");
    EXPECT_EQ(m.getInd("red"), 0); // the repeat overwrote entry 0
    EXPECT_EQ(rgb(m, 0), "0.8000 0.0000 0.0000");
    EXPECT_EQ(m.getInd("neg"), 4);
    EXPECT_EQ(m.getInd("aVeryLongColourName"), -1);
}

TEST(ColorFile, ListReadsThroughTheDatabasePathAndSkipsMissingFiles) {
    ScratchDir dir;
    dir.write("a.clr", colours(0, 4) + "END\n" + colours(4, 2));
    dir.write("b.clr", colours(10, 3));
    const std::string saved = Hyx::getDatabasePath();
    Hyx::setDatabasePath(dir.path().c_str());
    ColorMap m;
    EXPECT_EQ(ColorFile::read("a.clr, missing.clr,b.clr", m), 1);
    EXPECT_EQ(m.getNum(), 9);
    EXPECT_EQ(m.getNumFill(), 4);
    ColorMap none;
    EXPECT_EQ(ColorFile::read("missing.clr", none), 0);
    EXPECT_EQ(none.getNum(), 0);
    Hyx::setDatabasePath(saved.c_str());
}

TEST(ColorFile, GarbledAndOverlongInputIsSkipped) {
    ScratchDir dir;
    std::string junk(5000, 'x');
    junk += " 1 1 1\n";
    const char raw[] = "\x00\xff\x01 red\n\x80\x81 1 2\n";
    std::string bin(raw, sizeof raw - 1);
    dir.write("g.clr", junk + bin + "ok 0 1 0\n" + std::string(300, '9') + " z 1 1 1\n");
    ColorMap m;
    EXPECT_EQ(ColorFile::readFile(dir.file("g.clr").c_str(), m), 1);
    EXPECT_GE(m.getInd("ok"), 0);
    EXPECT_EQ(m.getNum(), 1); // the over-long index line is cut before its colour
    EXPECT_EQ(ColorFile::readFile(dir.file("none.clr").c_str(), m), 0);
}

TEST(ColorFile, InstalledTableHasTheStandardNamesAndALongFillSequence) {
    ColorMap m;
    ASSERT_EQ(ColorFile::readFile(HYX_SHARE "/hyx.clr", m), 1);
    EXPECT_GE(m.getNumFill(), 16);
    for (const char* name : {"white", "black", "red", "green", "blue", "cyan", "magenta", "yellow",
                             "orange", "gray", "grey", "gray50", "ltgray", "dkgray"})
        EXPECT_GE(m.getInd(name), m.getNumFill()) << name;
    EXPECT_EQ(rgb(m, m.getInd("white")), "1.0000 1.0000 1.0000");
    EXPECT_EQ(rgb(m, m.getInd("black")), "0.0000 0.0000 0.0000");
    // The fill sequence runs from cold (blue dominant) to warm (red dominant) and no two
    // neighbours are indistinguishable.
    RGB first, last, prev, c;
    m.get(0, first);
    m.get(m.getNumFill() - 1, last);
    EXPECT_GT(first.blu, first.red);
    EXPECT_GT(last.red, last.grn);
    for (int i = 1; i < m.getNumFill(); ++i) {
        m.get(i - 1, prev);
        m.get(i, c);
        EXPECT_GT(std::abs(c.red - prev.red) + std::abs(c.grn - prev.grn) +
                      std::abs(c.blu - prev.blu),
                  0.08f)
            << i;
    }
}
