// Stroke-font text, device text and fonts from the font list, symbols, and the readers of
// font and symbol files fed with good, truncated, binary and oversized input.
#include "HYX/GFont.h"
#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/Symbol.h"

#include "RecordDevice.h"
#include "TestUtil.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>

using namespace HYX;
using testutil::RecordDevice;
using Log = std::vector<std::string>;

namespace {

// Two glyphs: A (move 0,35; draw 50,140; draw 100,35: width 100) and B (a 60-wide box).
const char* const TINY_FONT = "1\n"
                              "A 128 35 50 140 100 35 255\n"
                              "B 128 35 0 140 60 140 60 35 0 35 254\n";

// A database with the tiny font, a font list and a symbol file, and a graph on a
// 1000 x 1000 recording device with y up and the window (0,0)-(100,100), so that plot
// coordinates are ten times window coordinates.
class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.write("tiny.fnt", TINY_FONT);
        tmp.write("hyx.fnl", "# fonts\n"
                             "mystroke   tiny.fnt\n"
                             "helv       #-adobe-helvetica-medium-r-normal--{14}-*\n"
                             "fixedfont  #fixed\n"
                             "broken     missing.fnt\n");
        tmp.write("wx.smb", "arrow 0,0 1,1 L $\n"
                            "box 0,0 1,0 1,1 F 0,0 0,1 L $\n");
        Hyx::setDatabasePath(tmp.path().c_str());
        auto dev = std::make_unique<RecordDevice>(1000, 1000, true);
        d = dev.get();
        g.setDevice(std::move(dev), Graph::XWINDOW, param());
        ASSERT_EQ(g.open(), 1);
        Rect w(0, 0, 100, 100);
        g.setWindow(w);
        g.setFont("mystroke");
        g.setTextHeight(10.5f); // glyph scale 0.1 window units per glyph unit
        d->reset();
    }
    virtual const char* param() const { return nullptr; }

    testutil::ScratchDir tmp;
    Graph g;
    RecordDevice* d = nullptr;
};

// Point i of a drawn primitive as "x,y" in plot units to two decimals, as the device logs it.
std::string pt(const RecordDevice::Prim& p, size_t i) {
    if (i >= p.pts.size()) return "none";
    return RecordDevice::num(p.pts[i].x) + "," + RecordDevice::num(p.pts[i].y);
}

// Bytes of a seeded random generator.
std::string junk(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, 0);
    for (char& c : s) c = static_cast<char>(rng() & 0xFF);
    return s;
}

// The number of points of the glyph of c (0 when there is none), stopping at the capacity.
int walk(GFont& f, int c) {
    if (!f.setChar(c)) return 0;
    Point p;
    int n = 0;
    while (n < GFont::MAX_POINTS && f.get(p) != 0) ++n;
    return n;
}

class DeviceTextTest : public TextTest {
protected:
    const char* param() const override { return "out,hfont"; }
};

} // namespace

TEST_F(TextTest, CentredTextStartsAtMinusHalfItsWidth) {
    ASSERT_EQ(g.getFontType(), Graph::STROKE_FONT);
    g.setTextAlign(2, 0);
    ASSERT_EQ(g.drawText(50, 50, "AB"), 1);
    // Width: A 100 + spacing 25 + B 60 = 185 glyph units = 18.5 window units; the text
    // starts 9.25 left of the anchor: plot x 407.5. Baseline alignment puts glyph y 35 on
    // the anchor: plot y 500.
    auto lines = d->drawn("pline");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(pt(lines[0], 0), "407.50,500.00");
    EXPECT_EQ(pt(lines[0], 1), "457.50,605.00"); // glyph (50,140): 10.5 above the baseline
    // B starts after A's width and the spacing: 407.5 + 12.5 * 10.
    EXPECT_EQ(pt(lines[1], 0), "532.50,500.00");
    EXPECT_EQ(lines[1].kind, 4);
    // Right alignment ends the text at the anchor; vertical alignment 5 puts the bottom of
    // the cell (glyph y 0) on the anchor.
    d->reset();
    g.setTextAlign(3, 5);
    g.drawText(50, 50, "AB");
    EXPECT_EQ(pt(d->drawn("pline")[0], 0), "315.00,535.00");
}

TEST_F(TextTest, NewlinesStepAlongTheNegativeUpVector) {
    g.drawText(50, 50, "A\nB");
    auto lines = d->drawn("pline");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(pt(lines[0], 0), "500.00,500.00");
    EXPECT_EQ(pt(lines[1], 0), "500.00,363.50"); // 1.3 * 10.5 = 13.65 window units lower
    // Rotated text (up to the left): lines step to the right, glyphs run upward.
    d->reset();
    g.setTextDirection(-2, 0); // normalised to (-1, 0)
    g.drawText(50, 50, "A\nB");
    lines = d->drawn("pline");
    ASSERT_EQ(lines.size(), 2u);
    // Glyph point (50,140): along the baseline 5 up, 10.5 to the left of it.
    EXPECT_EQ(pt(lines[0], 1), "395.00,550.00");
    EXPECT_EQ(pt(lines[1], 0), "636.50,500.00");
}

TEST_F(TextTest, FixedWidthExpansionAndShadows) {
    g.setTextCharWidth(1.0f);
    g.drawText(50, 50, "AB");
    // A fills its 100-unit cell; B (60 wide) is centred in the next cell, which starts
    // after the cell and the spacing: 125 + 20 = 145 glyph units.
    EXPECT_EQ(pt(d->drawn("pline")[1], 0), "645.00,500.00");
    d->reset();
    g.setTextCharWidth(0);
    g.setTextExpansion(2.0f);
    g.drawText(50, 50, "AB");
    EXPECT_EQ(pt(d->drawn("pline")[0], 2), "700.00,500.00"); // glyph x 100 doubled
    EXPECT_EQ(pt(d->drawn("pline")[1], 0), "750.00,500.00"); // (100 + 25) * 2
    // Shadows: the shadow colour, copies one plot unit apart from the text on, then the
    // text colour and the text.
    g.setTextExpansion(1.0f);
    g.setTextColor(3);
    g.setDropShadow(2);
    g.setDropColor(8);
    d->reset();
    g.drawText(50, 50, "B");
    const std::string b0 =
        "pline 4 5 500.00,500.00 500.00,605.00 560.00,605.00 560.00,500.00 500.00,500.00";
    EXPECT_EQ(d->log, (Log{"color 4 8", b0,
                           "pline 4 5 501.00,501.00 501.00,606.00 "
                           "561.00,606.00 561.00,501.00 501.00,501.00",
                           "color 4 3", b0}));
}

TEST_F(TextTest, FontsFromTheFontList) {
    // A scalable device font: size = text height / window height * 36 * 14 = 52.92.
    EXPECT_EQ(g.setFont("helv"), 1);
    EXPECT_EQ(g.getFontType(), Graph::SCALED_FONT);
    g.setTextHeight(21);
    EXPECT_EQ(g.setFont("helv"), 0); // unchanged
    // Device text: alignment first, then each line at the plot position of its start.
    g.setTextAlign(2, 3);
    g.drawText(50, 50, "AB");
    EXPECT_EQ(d->log, (Log{"font -adobe-helvetica-medium-r-normal--53-*",
                           "font -adobe-helvetica-medium-r-normal--106-*", "talign 2 2",
                           "text 4 1 500.00,500.00 AB"}));

    EXPECT_EQ(g.setFont("fixedfont"), 1);
    EXPECT_EQ(g.getFontType(), Graph::DEVICE_FONT);
    EXPECT_EQ(d->log.back(), "font fixed");
    EXPECT_EQ(g.setFont("#-misc-fixed-*"), 1); // a device font name given directly
    EXPECT_EQ(d->log.back(), "font -misc-fixed-*");

    // Unknown names and unreadable stroke fonts keep the font in force.
    std::string err = testutil::captureErr([&] { EXPECT_EQ(g.setFont("nosuch"), 0); });
    EXPECT_NE(err.find("nosuch"), std::string::npos);
    testutil::captureErr([&] { EXPECT_EQ(g.setFont("broken"), 0); });
    EXPECT_STREQ(g.getFontName(), "#-misc-fixed-*");
    EXPECT_EQ(g.getFontType(), Graph::DEVICE_FONT);

    // Back to strokes through the list; a stroke file not in the list is read directly.
    EXPECT_EQ(g.setFont("mystroke"), 1);
    EXPECT_EQ(g.setFont("tiny.fnt"), 1);
    EXPECT_EQ(g.getFontType(), Graph::STROKE_FONT);
}

TEST_F(DeviceTextTest, HfontMakesAllTextDeviceText) {
    ASSERT_TRUE(g.getHfont());
    EXPECT_EQ(g.getFontType(), Graph::STROKE_FONT);
    g.setTextAlign(0, 1);
    g.drawText(50, 50, "AB\nC");
    g.drawFormText(10, 20, "%03d mb", 850);
    EXPECT_EQ(d->log,
              (Log{"talign 1 1", "text 4 1 500.00,500.00 AB", "text 4 1 500.00,363.50 C",
                   "talign 1 1", "text 4 1 100.00,200.00 850 mb"})); // alignment at each call
}

TEST_F(TextTest, SymbolsByPrefixWithStrokesAndFills) {
    // The database symbol file was loaded by open.
    ASSERT_EQ(g.getSymbol().getNum(), 2);
    EXPECT_STREQ(g.getSymbol().getName(0), "arrow");
    EXPECT_EQ(g.drawSymbol(10, 20, "arrows", 5), 1); // stored name is a prefix
    EXPECT_EQ(d->log.back(), "pline 1 2 100.00,200.00 150.00,250.00");
    d->reset();
    g.setTextAlign(2, 1); // anchor at the top centre
    g.drawSymbol(10, 20, "box", 4);
    EXPECT_EQ(d->log, (Log{"fill 3 3 80.00,160.00 120.00,160.00 120.00,200.00",
                           "pline 1 2 80.00,160.00 80.00,200.00"}));
    EXPECT_EQ(g.drawSymbol(10, 20, "arr", 5), 0); // shorter than the stored name
}

TEST(GFont, ReadsGlyphsAndSurvivesTruncatedBinaryAndOversizedFiles) {
    testutil::ScratchDir tmp;
    tmp.write("t.fnt", TINY_FONT);
    GFont f(tmp.file("t.fnt").c_str());
    EXPECT_EQ(f.getType(), GFont::STROKE);
    EXPECT_EQ(f.getWidth('B'), 60);
    EXPECT_EQ(f.getWidth(' '), 40); // forced
    EXPECT_FALSE(f.setChar('C'));
    ASSERT_TRUE(f.setChar('B'));
    Point p;
    EXPECT_EQ(f.get(p), 2); // move to (0,35), then four draws
    EXPECT_FLOAT_EQ(p.y, 35);
    EXPECT_EQ(walk(f, 'B'), 5);
    GFont dev("#Helvetica_Bold:14");
    EXPECT_EQ(dev.getType(), GFont::DEVICE);
    EXPECT_STREQ(dev.getName(), "Helvetica Bold");
    EXPECT_EQ(dev.getHeight(), 14);

    // Truncated inside B: A is whole, B keeps what was read.
    tmp.write("cut.fnt", std::string(TINY_FONT).substr(0, 40));
    GFont cut(tmp.file("cut.fnt").c_str());
    EXPECT_EQ(cut.getWidth('A'), 100);
    EXPECT_EQ(walk(cut, 'A'), 3);
    // Random bytes: every glyph walk ends inside the table.
    tmp.write("junk.fnt", "0 " + junk(200000, 7));
    GFont bad(tmp.file("junk.fnt").c_str());
    for (int c = 0; c < 256; ++c) EXPECT_LT(walk(bad, c), GFont::MAX_POINTS);
    // More points than the table holds: cut at the capacity, still terminated.
    std::string big = "1\nA";
    for (int i = 0; i < 10000; ++i) big += " 5 " + std::to_string(i % 200);
    tmp.write("big.fnt", big + " 255 B 1 1 254\n");
    GFont large(tmp.file("big.fnt").c_str());
    EXPECT_EQ(walk(large, 'A'), GFont::MAX_POINTS - 1);
    EXPECT_FALSE(large.setChar('B'));
    tmp.write("empty.fnt", "");
    std::string err =
        testutil::captureErr([&] { EXPECT_FALSE(GFont(tmp.file("empty.fnt").c_str()).isOpen()); });
    EXPECT_FALSE(err.empty());
}

TEST(Symbol, ReadsNamesCodesAndSurvivesBadFiles) {
    testutil::ScratchDir tmp;
    tmp.write("a.smb", "arrow 0,0 1,1 L $ verylongsymbolname 0.5,0.5 F $ open 1,1");
    Symbol s(tmp.file("a.smb").c_str());
    EXPECT_EQ(s.getNum(), 2);                     // the unclosed last symbol does not count
    EXPECT_STREQ(s.getName(1), "verylongsymbol"); // 14 characters kept
    EXPECT_EQ(s.setSymb("open"), 0);
    // Too many symbols, binary bytes: bounded, no crash.
    std::string many;
    for (int i = 0; i < 150; ++i) many += "s" + std::to_string(i) + " 0,0 1,1 L $\n";
    tmp.write("many.smb", many);
    Symbol m(tmp.file("many.smb").c_str());
    EXPECT_EQ(m.getNum(), Symbol::MAX_SYMBOLS);
    EXPECT_EQ(m.setSymb("s100"), 1); // "s1" is a stored prefix of it
    tmp.write("junk.smb", junk(100000, 3));
    Symbol bj(tmp.file("junk.smb").c_str());
    Point p;
    for (int i = 0; i < bj.getNum(); ++i) {
        ASSERT_EQ(bj.setSymb(bj.getName(i)), 1);
        int k = 0;
        while (bj.get(p) != 0 && k <= Symbol::MAX_POINTS) ++k;
        EXPECT_LE(k, Symbol::MAX_POINTS);
    }
    std::string err =
        testutil::captureErr([&] { EXPECT_EQ(Symbol().read("/nonexistent/x.smb"), 0); });
    EXPECT_EQ(err, "Symbol_read: unable to load symbol file: /nonexistent/x.smb\n");
}

TEST(GFont, InstalledFontIsComplete) {
    GFont f(HYX_SHARE "/modern.fnt");
    ASSERT_TRUE(f.isOpen());
    for (int c = 33; c < 127; ++c) {
        EXPECT_TRUE(f.hasChar(c)) << static_cast<char>(c);
        EXPECT_GT(f.getWidth(c), 0) << static_cast<char>(c);
        EXPECT_LT(f.getWidth(c), GFont::MOVE) << static_cast<char>(c);
    }
    // Capitals stand on the baseline (35) and reach the cap line (35 + 105).
    auto yRange = [&](int c, int& lo, int& hi) {
        Point p;
        lo = 1000;
        hi = -1000;
        f.setChar(c);
        while (f.get(p) != 0) {
            lo = std::min(lo, static_cast<int>(p.y));
            hi = std::max(hi, static_cast<int>(p.y));
        }
    };
    int lo, hi;
    yRange('A', lo, hi);
    EXPECT_EQ(lo, 35);
    EXPECT_EQ(hi, 140);
}
