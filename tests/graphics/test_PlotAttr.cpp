// Attribute strings, fill-pattern and mark names.
#include "HYX/Const.h"
#include "HYX/PlotAttr.h"

#include "TestUtil.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

using namespace HYX;

namespace {

// The fields an attribute holds, as "co=red st=2 wi=2" (unset fields left out).
std::string fields(const PlotAttr& a) {
    std::ostringstream s;
    s << "co=" << a.getColor();
    if (a.validColorInd()) s << " ci=" << a.getColorInd();
    if (a.validStyle()) s << " st=" << a.getStyle();
    if (a.validWidth()) s << " wi=" << a.getWidth();
    if (a.validHeight()) s << " hi=" << a.getHeight();
    if (a.validExpan()) s << " te=" << a.getExpan();
    if (a.validFillPat()) s << " fi=" << a.getFillPat();
    if (a.validShadow()) s << " sh=" << a.getShadow();
    if (a.validFont()) s << " fo=" << a.getFont();
    return s.str();
}

} // namespace

TEST(PlotAttr, ColourFirstThenItemsOfEveryKind) {
    const std::pair<const char*, const char*> cases[] = {
        {"red:wi=2:st=dsh", "co=red st=2 wi=2"},
        {"blue,w3", "co=blue wi=3"},               // no colon: commas
        {"co=red:sh=2", "co=red sh=2"},            // the first item with "=" is not a colour
        {"white,x:hi=0.02", "co=white,x hi=0.02"}, // a colon wins over commas
        {"black:WI=1.5:St=lsdsh:fo=helvetica:fi=hat:sc=0.03:te=1.2:sh=1", // keys ignore case
         "co=black st=3 wi=1.5 hi=0.03 te=1.2 fi=9 sh=1 fo=helvetica"},
        {"green:s4:h0.5:e2:f3:tfnmodern.fnt", "co=green st=4 hi=0.5 te=2 fi=3 fo=modern.fnt"},
        {"green:f3:fM", "co=green"}, // fM clears the pattern again
        {"x:fp=5%:st=7:hi=0.1", "co=x st=7 hi=0.1 fi=15"},
        {"x:st=sol", "co=x st=1"},
        {"x:st=llsdsh", "co=x st=4"},
        {"x:st=DOT", "co=x st=5"},
        // Items that match nothing, or bad numbers, leave fields unset.
        {"x:wi=thick:sh=:zz=1:w:hfoo:qqq", "co=x"}};
    for (const auto& c : cases) EXPECT_EQ(fields(PlotAttr(c.first)), c.second) << c.first;
    EXPECT_EQ(PlotAttr::parseLineStyle("dot"), 5);
    // The "t" font item keeps at most 19 characters, "fo=" 119, a colour name 19.
    PlotAttr g(("x:tfn" + std::string(40, 'q')).c_str());
    EXPECT_EQ(std::string(g.getFont()), std::string(19, 'q'));
    PlotAttr h(("x:fo=" + std::string(200, 'q')).c_str());
    EXPECT_EQ(std::string(h.getFont()).size(), 119u);
    PlotAttr k(std::string(50, 'c').c_str());
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
    EXPECT_EQ(fields(def), "co=white wi=2");
    def.set("", "white:wi=3");
    EXPECT_EQ(fields(def), "co=white wi=3");
    def.set("red", "white:wi=2"); // a given string replaces the default entirely
    EXPECT_EQ(fields(def), "co=red");

    PlotAttr base("white:wi=2:st=2:hi=0.02");
    base.update(PlotAttr("co=red:st=1:fi=3")); // fields not given are kept
    EXPECT_EQ(fields(base), "co=red st=1 wi=2 hi=0.02 fi=3");
    PlotAttr merged;
    merged.update(PlotAttr("blue:wi=4"), PlotAttr("sh=3"));
    EXPECT_EQ(fields(merged), "co=blue wi=4 sh=3");
}

TEST(PlotAttr, FillPatternAndMarkNames) {
    const std::pair<const char*, int> fills[] = {
        {"sol", 0}, {"ST", 1},  {"ost", 2},  {"rst", 3},  {"lst", 4}, {"vln", 5},
        {"||", 5},  {"dlr", 6}, {"\\\\", 6}, {"drl", 7},  {"//", 7},  {"hln", 8},
        {"--", 8},  {"hat", 9}, {"xx", 9},   {"clr", 10}, {"0%", 10}, {"1%", 11},
        {"5%", 15}, {"9%", 19}, {"7", 7},    {"12", 12}};
    for (const auto& f : fills) EXPECT_EQ(PlotAttr::parseFillStyle(f.first), f.second) << f.first;
    EXPECT_EQ(PlotAttr::parseFillStyle("plaid"), Const::MISS);
    const std::pair<const char*, int> marks[] = {
        {"pnt", 1},  {".", 1},      {"plus", 2}, {"+", 2},    {"star", 3}, {"*", 3},
        {"crcl", 4}, {"Circle", 4}, {"o", 4},    {"x", 5},    {"sqr", 6},  {"square", 6},
        {"#", 6},    {"tri", 7},    {"^", 7},    {"itri", 9}, {"v", 9},    {"dot", 8},
        {"z", 10},   {"LIGHT", 10}, {"blob", 2}, {"", 2}};
    for (const auto& m : marks) EXPECT_EQ(PlotAttr::parseMarker(m.first), m.second) << m.first;
    EXPECT_EQ(PlotAttr::parseMarker(nullptr), 2);
}
