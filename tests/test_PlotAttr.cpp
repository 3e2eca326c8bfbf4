// Attribute strings, fill-pattern and mark names.
#include "HYX/Const.h"
#include "HYX/PlotAttr.h"

#include "TestUtil.h"

#include <gtest/gtest.h>
#include <string>

using namespace HYX;

TEST(PlotAttr, ColourFirstThenItemsSplitAtColonsOrCommas) {
    PlotAttr a("red:wi=2:st=dsh");
    EXPECT_STREQ(a.getColor(), "red");
    EXPECT_FLOAT_EQ(a.getWidth(), 2.0f);
    EXPECT_EQ(a.getStyle(), 2);
    EXPECT_TRUE(a.validColor());
    EXPECT_FALSE(a.validHeight());
    EXPECT_FALSE(a.validShadow());
    EXPECT_FALSE(a.validColorInd());

    PlotAttr b("blue,w3"); // no colon: commas
    EXPECT_STREQ(b.getColor(), "blue");
    EXPECT_FLOAT_EQ(b.getWidth(), 3.0f);

    PlotAttr c("co=red:sh=2"); // first item with "=" is an item, not a colour
    EXPECT_STREQ(c.getColor(), "red");
    EXPECT_EQ(c.getShadow(), 2);

    // A colon wins over commas: "a,b" is one colour name here.
    PlotAttr d("white,x:hi=0.02");
    EXPECT_STREQ(d.getColor(), "white,x");
    EXPECT_FLOAT_EQ(d.getHeight(), 0.02f);
}

TEST(PlotAttr, EveryItemKind) {
    PlotAttr a("black:WI=1.5:St=lsdsh:fo=helvetica:fi=hat:sc=0.03:te=1.2:sh=1");
    EXPECT_FLOAT_EQ(a.getWidth(), 1.5f); // keys ignore case
    EXPECT_EQ(a.getStyle(), 3);
    EXPECT_STREQ(a.getFont(), "helvetica");
    EXPECT_EQ(a.getFillPat(), 9);
    EXPECT_FLOAT_EQ(a.getHeight(), 0.03f);
    EXPECT_FLOAT_EQ(a.getExpan(), 1.2f);
    EXPECT_EQ(a.getShadow(), 1);

    PlotAttr b("green:s4:h0.5:e2:f3:tfnmodern.fnt");
    EXPECT_EQ(b.getStyle(), 4);
    EXPECT_FLOAT_EQ(b.getHeight(), 0.5f);
    EXPECT_FLOAT_EQ(b.getExpan(), 2.0f);
    EXPECT_EQ(b.getFillPat(), 3);
    EXPECT_STREQ(b.getFont(), "modern.fnt");

    PlotAttr c("green:f3:fM"); // fM clears the pattern again
    EXPECT_FALSE(c.validFillPat());
    PlotAttr d("x:fp=5%:st=7:hi=0.1");
    EXPECT_EQ(d.getFillPat(), 15);
    EXPECT_EQ(d.getStyle(), 7);
    for (const char* s : {"sol", "dsh", "lsdsh", "llsdsh", "DOT"}) {
        PlotAttr e(("x:st=" + std::string(s)).c_str());
        EXPECT_EQ(e.getStyle(), PlotAttr::parseLineStyle(s));
    }
    EXPECT_EQ(PlotAttr::parseLineStyle("dot"), 5);
    // Items that match nothing, or bad numbers, leave fields unset.
    PlotAttr f("x:wi=thick:sh=:zz=1:w:hfoo:qqq");
    EXPECT_FALSE(f.validWidth());
    EXPECT_FALSE(f.validShadow());
    EXPECT_FALSE(f.validHeight());
    EXPECT_STREQ(f.getColor(), "x");
    // The "t" font item keeps at most 19 characters, "fo=" 119.
    PlotAttr g(("x:tfn" + std::string(40, 'q')).c_str());
    EXPECT_EQ(std::string(g.getFont()), std::string(19, 'q'));
    PlotAttr h(("x:fo=" + std::string(200, 'q')).c_str());
    EXPECT_EQ(std::string(h.getFont()).size(), 119u);
    PlotAttr k(std::string(50, 'c').c_str()); // colour names keep 19 characters
    EXPECT_EQ(std::string(k.getColor()).size(), 19u);
}

TEST(PlotAttr, ValidityDefaultsAndUpdate) {
    PlotAttr a;
    EXPECT_FALSE(a.validColor());
    a.setColor("OFF");
    EXPECT_FALSE(a.validColor());
    a.setColor("red");
    EXPECT_TRUE(a.validColor());
    a.setColorInd(-1);
    EXPECT_FALSE(a.validColor());

    PlotAttr def;
    def.set(nullptr, "white:wi=2");
    EXPECT_STREQ(def.getColor(), "white");
    def.set("", "white:wi=2");
    EXPECT_FLOAT_EQ(def.getWidth(), 2.0f);
    def.set("red", "white:wi=2"); // a given string replaces the default entirely
    EXPECT_STREQ(def.getColor(), "red");
    EXPECT_FALSE(def.validWidth());

    PlotAttr base("white:wi=2:st=2:hi=0.02");
    PlotAttr over("co=red:st=1:fi=3");
    base.update(over);
    EXPECT_STREQ(base.getColor(), "red");
    EXPECT_FLOAT_EQ(base.getWidth(), 2.0f); // not given: kept
    EXPECT_FLOAT_EQ(base.getHeight(), 0.02f);
    EXPECT_EQ(base.getStyle(), 1);
    EXPECT_EQ(base.getFillPat(), 3);
    PlotAttr merged;
    merged.update(PlotAttr("blue:wi=4"), PlotAttr("sh=3"));
    EXPECT_STREQ(merged.getColor(), "blue");
    EXPECT_FLOAT_EQ(merged.getWidth(), 4.0f);
    EXPECT_EQ(merged.getShadow(), 3);

    std::string out = testutil::captureOut([&] { PlotAttr("red:wi=2:st=dsh").print(); });
    EXPECT_EQ(out, "PlotAttr co: red -9999 st: 2 he: -9999.00 wi:  2.00 ex: -9999.00 fi: -9999 "
                   "sh: -9999 fo: \n");
}

TEST(PlotAttr, FillPatternAndMarkNames) {
    const struct {
        const char* name;
        int code;
    } fills[] = {{"sol", 0}, {"ST", 1},  {"ost", 2},  {"rst", 3},  {"lst", 4}, {"vln", 5},
                 {"||", 5},  {"dlr", 6}, {"\\\\", 6}, {"drl", 7},  {"//", 7},  {"hln", 8},
                 {"--", 8},  {"hat", 9}, {"xx", 9},   {"clr", 10}, {"0%", 10}, {"1%", 11},
                 {"5%", 15}, {"9%", 19}, {"7", 7},    {"12", 12}};
    for (const auto& f : fills) EXPECT_EQ(PlotAttr::parseFillStyle(f.name), f.code) << f.name;
    EXPECT_EQ(PlotAttr::parseFillStyle("plaid"), Const::MISS);

    const struct {
        const char* name;
        int code;
    } marks[] = {{"pnt", 1},  {".", 1},      {"plus", 2}, {"+", 2},    {"star", 3}, {"*", 3},
                 {"crcl", 4}, {"Circle", 4}, {"o", 4},    {"x", 5},    {"sqr", 6},  {"square", 6},
                 {"#", 6},    {"tri", 7},    {"^", 7},    {"itri", 9}, {"v", 9},    {"dot", 8},
                 {"z", 10},   {"LIGHT", 10}, {"blob", 2}, {"", 2}};
    for (const auto& m : marks) EXPECT_EQ(PlotAttr::parseMarker(m.name), m.code) << m.name;
    EXPECT_EQ(PlotAttr::parseMarker(nullptr), 2);
}
