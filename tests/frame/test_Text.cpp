// Text utilities: String, Strings, StrLib and the nearest-name suggestions.
#include "HYX/Const.h"
#include "HYX/SpellTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace HYX;

namespace {

// The elements joined with "|".
std::string items(const Strings& s) {
    std::string out;
    for (int i = 0; i < s.getNum(); ++i) out += (i ? "|" : "") + std::string(s.getString(i));
    return out;
}

} // namespace

TEST(Strings, SplitsAtDelimiterKeepingEmptyElements) {
    EXPECT_EQ(items(Strings("KDEN,KOMA", ',')), "KDEN|KOMA");
    EXPECT_EQ(items(Strings("KDEN", ',')), "KDEN");
    EXPECT_EQ(Strings("", ',').getNum(), 0);
    EXPECT_EQ(Strings(nullptr, ',').getNum(), 0);
    Strings gaps("a,,b,", ',');
    ASSERT_EQ(gaps.getNum(), 4);
    EXPECT_EQ(items(gaps), "a||b|");
    EXPECT_FALSE(gaps.valid(1));
    EXPECT_EQ(gaps.getString(4), nullptr);
    EXPECT_EQ(gaps.getString(-1), nullptr);
}

TEST(Strings, QuotesProtectDelimitersAndMaxKeepsTheRest) {
    EXPECT_EQ(items(Strings("a,\"b,c\",d", ',')), "a|b,c|d"); // the quotes are removed
    EXPECT_EQ(Strings("\"x,y", ',').getNum(), 2);             // an unclosed quote protects nothing
    EXPECT_EQ(items(Strings("a:b:c:d", ':', 2)), "a|b:c:d");
    EXPECT_EQ(Strings("a:b", ':', 5).getNum(), 2);
}

TEST(Strings, SplitsAtWhiteSpaceAndReadsNumbers) {
    Strings s("  12  -3.5\t.25 x7 -x \n");
    ASSERT_EQ(s.getNum(), 5);
    EXPECT_EQ(s.getInt(0), 12);
    EXPECT_FLOAT_EQ(s.getFloat(1), -3.5f);
    EXPECT_FLOAT_EQ(s.getFloat(2), 0.25f);
    EXPECT_EQ(s.getInt(2), Const::MISS); // ".25" is not an integer text
    EXPECT_EQ(s.getInt(3), Const::MISS);
    EXPECT_EQ(s.getInt(3, 1), 7);
    EXPECT_EQ(s.getInt(4), Const::MISS);
    EXPECT_EQ(s.getInt(9), Const::MISS);
    EXPECT_EQ(s.find("x7"), 3);
    EXPECT_TRUE(s.iequal(3, "X7"));
    Strings kv("level=500", ' ');
    EXPECT_EQ(kv.getIntAfter(0, '='), 500);
}

TEST(Strings, SetLeavesEmptyTextsAbsentAndCopiesAreDeep) {
    Strings s(3);
    EXPECT_EQ(s.set(0, ""), 0);
    EXPECT_EQ(s.getString(0), nullptr);
    EXPECT_EQ(s.set(1, "x"), 1);
    Strings c = s;
    s.set(1, "y");
    EXPECT_STREQ(c.getString(1), "x");
}

TEST(String, CopyGrowsButPrintfKeepsTheCapacity) {
    const std::string hundred(100, 'x');
    String a(80);
    a.copy(hundred.c_str());
    EXPECT_EQ(a.length(), 100);
    String b(80);
    b.printf("%s", hundred.c_str());
    EXPECT_EQ(b.length(), 79);
    b.aprintf("more");
    EXPECT_EQ(b.length(), 79);
    String c(10);
    c.printf("%d", 42);
    c.aprintf("-%s", "ab");
    EXPECT_STREQ(c.get(), "42-ab");
    c.append(c.get(2)); // appending a part of itself
    EXPECT_STREQ(c.get(), "42-ab-ab");
    EXPECT_EQ(String(nullptr).length(), 0);
}

TEST(String, EditsAndScans) {
    String s(" a b\tc \n");
    s.trimWS();
    EXPECT_STREQ(s.get(), " a b\tc");
    s.stripWS();
    EXPECT_STREQ(s.get(), "abc");
    s.upCase();
    EXPECT_TRUE(s.equal("ABC"));
    EXPECT_TRUE(s.iequal("abc"));
    String nums("10 20 30");
    int a = 0, b = 0;
    EXPECT_EQ(nums.scanp("%d", &a), 1);
    EXPECT_EQ(nums.scanp("%d", &b), 1);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 20);
    EXPECT_STREQ(nums.getPtr(), " 30");
}

TEST(StrLib, ComparesPrefixesAndSuffixes) {
    EXPECT_TRUE(StrLib::equal("na", "name", 2));
    EXPECT_TRUE(StrLib::iequal("NA", "name", 2));
    EXPECT_FALSE(StrLib::equal("n", "name", 2)); // a shorter text must end at the same place
    EXPECT_TRUE(StrLib::equal("abc", "bc", -2));
    EXPECT_FALSE(StrLib::equal("abc", "ab", -2));
    EXPECT_TRUE(StrLib::equal("abcd", 2, "ab"));
    EXPECT_FALSE(StrLib::equal("abcd", 2, "abc"));
    EXPECT_FALSE(StrLib::equal(nullptr, "a"));
    EXPECT_FALSE(StrLib::iequal("a", nullptr));
    EXPECT_LT(StrLib::icmp("abc", "ABD"), 0);
}

TEST(StrLib, BoundedCopiesAlwaysTerminate) {
    char buf[5];
    StrLib::copy(buf, sizeof buf, "abcdefgh");
    EXPECT_STREQ(buf, "abcd");
    EXPECT_EQ(StrLib::copy(buf, sizeof buf, static_cast<const char*>(nullptr)), 0);
    EXPECT_STREQ(buf, "");
    StrLib::copy(buf, sizeof buf, "abcdefgh", -3);
    EXPECT_STREQ(buf, "fgh");
    StrLib::copy(buf, sizeof buf, "ab");
    StrLib::append(buf, sizeof buf, "cdef");
    EXPECT_STREQ(buf, "abcd");
    StrLib::printf(buf, sizeof buf, "%d", 123456);
    EXPECT_STREQ(buf, "1234");
    EXPECT_STREQ(StrLib::acopy("xyz", 2).get(), "xy");
}

TEST(SpellTool, SuggestsTheNearestNameWithinAFewEdits) {
    EXPECT_EQ(SpellTool::distance("theta", "thetaa"), 1);
    EXPECT_EQ(SpellTool::distance("TEMP", "tmep"), 1); // a swap, case ignored
    EXPECT_EQ(SpellTool::distance("", "abc"), 3);
    const std::vector<std::string> known = {"theta", "thetae", "isentropes", "ln", "-id", "-ip"};
    const std::pair<const char*, const char*> cases[] = {
        {"thetaa", "theta"}, {"isentrope", "isentropes"},
        {"lnn", "ln"},       {"-idd", "-id"},
        {"Theta", ""},       {"pressure", ""},
        {"x", ""},           {"isentorpes", "isentropes"}};
    for (const auto& c : cases) EXPECT_EQ(SpellTool::nearest(c.first, known), c.second) << c.first;
}
