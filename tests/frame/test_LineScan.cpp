// The line scanner under the parsers of name conventions, variable lists and device options.
#include "HYX/LineScan.h"
#include "HYX/Strings.h"

#include <gtest/gtest.h>

#include <string>

using HYX::LineScan;

namespace {

std::string joined(const std::vector<std::string_view>& v) {
    std::string s;
    for (size_t i = 0; i < v.size(); ++i) s += (i ? "|" : "") + std::string(v[i]);
    return s;
}

} // namespace

// Option lists split as the program's other lists do: empty items kept, quotes protect commas.
TEST(LineScan, SplitsOptionListsLikeStrings) {
    for (const char* text :
         {"p,out.ps,port", "a,,b,", ",", "x", "\"a,b\",c", "\"open,c", "s,\"q\"x,y"}) {
        const HYX::Strings ref(text, ',');
        std::string expect;
        for (int i = 0; i < ref.getNum(); ++i)
            expect += (i ? "|" : "") + std::string(ref.getString(i) ? ref.getString(i) : "");
        EXPECT_EQ(joined(LineScan::items(text)), expect) << text;
    }
    EXPECT_TRUE(LineScan::items("").empty());
}

// One cursor walks a line piece by piece; every read leaves the cursor after what it took.
TEST(LineScan, ReadsPiecesInOrder) {
    LineScan s("2026120412_eta.grb T[K,fm=%4.1f] lab=3:1:2 sz=8.5:11x");
    int y = 0, mdh = 0;
    EXPECT_TRUE(s.digits(4, y));
    EXPECT_EQ(y, 2026);
    EXPECT_TRUE(s.digits(6, mdh));
    EXPECT_EQ(mdh, 120412);
    EXPECT_FALSE(s.digits(1, y)); // "_" is no digit, and nothing was consumed
    EXPECT_TRUE(s.take('_'));
    EXPECT_EQ(s.upTo('.'), "eta");
    EXPECT_EQ(s.chars(4), ".grb");
    EXPECT_EQ(s.word(), "T[K,fm=%4.1f]");
    std::string_view key;
    EXPECT_TRUE(LineScan::value("lab=3:1:2", key));
    LineScan lab(key);
    int v[4] = {0, 0, 0, 0};
    EXPECT_EQ(lab.integers(':', v, 4), 3);
    EXPECT_EQ(v[2], 2);
    s.word();
    EXPECT_TRUE(s.keyword("SZ="));
    float w = 0, h = 0;
    EXPECT_TRUE(s.real(w) && s.take(':') && s.real(h));
    EXPECT_FLOAT_EQ(w, 8.5f);
    EXPECT_FLOAT_EQ(h, 11.0f);
    EXPECT_EQ(s.rest(), "x");
    EXPECT_FALSE(s.real(w));
    EXPECT_EQ(s.chars(9), "x");
    EXPECT_TRUE(s.atEnd());
}

TEST(LineScan, ReadsBracketedGroups) {
    std::string_view in;
    LineScan s("  [K,fm=%4.1f] rest");
    EXPECT_TRUE(s.group('[', ']', in));
    EXPECT_EQ(in, "K,fm=%4.1f");
    EXPECT_EQ(s.rest(), " rest");
    LineScan open("{a,b");
    EXPECT_FALSE(open.group('{', '}', in));
    EXPECT_EQ(in, "a,b");
    LineScan none("x[1]");
    EXPECT_FALSE(none.group('[', ']', in));
    EXPECT_EQ(none.rest(), "x[1]");
}

TEST(LineScan, ComparesAndCutsItems) {
    std::string_view v = "unchanged";
    EXPECT_FALSE(LineScan::value("nobar", v));
    EXPECT_EQ(v, "unchanged");
    EXPECT_TRUE(LineScan::value("fm=a=b", v));
    EXPECT_EQ(v, "a=b");
    EXPECT_EQ(LineScan::from("coco=red", 5), "red");
    EXPECT_EQ(LineScan::from("co", 5), "");
    EXPECT_TRUE(LineScan::istartsWith("PNG:out", "png"));
    EXPECT_FALSE(LineScan::istartsWith("pn", "png"));
    EXPECT_TRUE(LineScan::iendsWith("x.GIF", "gif"));
    EXPECT_FALSE(LineScan::iendsWith("if", "gif"));
    // Numbers of the whole text only, finite and within range.
    float f = -1;
    for (const char* bad : {"", "1.5x", "nan", "inf", "0x10", "1e99"})
        EXPECT_FALSE(LineScan::toNumber(bad, f)) << bad;
    EXPECT_FLOAT_EQ(f, -1);
    EXPECT_TRUE(LineScan::toNumber(" -12.5 ", f));
    EXPECT_FLOAT_EQ(f, -12.5f);
}
