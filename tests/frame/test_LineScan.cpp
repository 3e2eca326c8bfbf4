// The line scanner under the parsers of name conventions, option items and device parameters.
#include "HYX/LineScan.h"

#include <gtest/gtest.h>

#include <string>

using HYX::LineScan;

// Option lists split as the program's other lists do: empty items kept, quotes protect commas.
TEST(LineScan, SplitsOptionLists) {
    const std::pair<const char*, const char*> cases[] = {{"p,out.ps,port", "p|out.ps|port"},
                                                         {"a,,b,", "a||b|"},
                                                         {",", "|"},
                                                         {"\"a,b\",c", "a,b|c"},
                                                         {"\"open,c", "\"open|c"},
                                                         {"s,\"q\"x,y", "s|\"q\"x|y"},
                                                         {"", ""}};
    for (const auto& [text, expect] : cases) {
        std::string got;
        const auto items = LineScan::items(text);
        for (size_t i = 0; i < items.size(); ++i) got += (i ? "|" : "") + std::string(items[i]);
        EXPECT_EQ(got, expect) << text;
    }
}

// A read that fails consumes nothing, so that the parser can try the next form.
TEST(LineScan, ReadsPiecesAndLeavesWhatDoesNotFit) {
    LineScan s("2026120412_eta.grb [K,fm=%4.1f] SZ=8.5:11x");
    int y = 0, h = 0;
    EXPECT_FALSE(s.digits(11, y));
    EXPECT_TRUE(s.digits(4, y) && s.digits(6, h));
    EXPECT_EQ(std::make_pair(y, h), std::make_pair(2026, 120412));
    EXPECT_FALSE(s.digits(1, y) || s.take('.'));
    EXPECT_TRUE(s.take('_'));
    EXPECT_EQ(s.upTo('.'), "eta");
    EXPECT_EQ(s.chars(4), ".grb");
    std::string_view in;
    EXPECT_FALSE(s.group('(', ')', in));
    EXPECT_TRUE(s.group('[', ']', in));
    EXPECT_EQ(in, "K,fm=%4.1f");
    EXPECT_TRUE(s.keyword("sz="));
    float w = 0, ht = 0;
    EXPECT_TRUE(s.pair(':', w, ht));
    EXPECT_EQ(std::make_pair(w, ht), std::make_pair(8.5f, 11.0f));
    EXPECT_FALSE(s.real(w));
    EXPECT_EQ(s.rest(), "x");
    EXPECT_EQ(s.chars(9), "x");
    EXPECT_TRUE(s.atEnd());

    LineScan open("{a,b");
    EXPECT_FALSE(open.group('{', '}', in)); // unclosed: the rest, and false
    EXPECT_EQ(in, "a,b");
    int v[4] = {0, 0, 0, 0};
    EXPECT_EQ(LineScan("3:-1:2:").integers(':', v, 4), 3);
    EXPECT_EQ(v[1], -1);
    EXPECT_EQ(LineScan("1.5").integers(':', v, 4), 1);
}
