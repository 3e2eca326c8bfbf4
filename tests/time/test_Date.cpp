// Dates with missing parts, their seconds, stepping, zones, text forms and labels.
// Expected seconds come from the C library's timegm (Gregorian UTC calendar), an
// implementation independent of ours, except past 2099 where our four-year rule differs.
#include "HYX/Date.h"
#include "HYX/DateTool.h"
#include "HYX/String.h"
#include "HYX/Timezone.h"

#include "TestUtil.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>

using namespace HYX;

namespace {

constexpr int M = Const::MISS;

long utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    return static_cast<long>(timegm(&t));
}

// The parts through their getters as "y/mo/d h:mi:s", a missing part as "M".
std::string parts(const Date& d) {
    const auto p = [](int v) { return v == M ? std::string("M") : std::to_string(v); };
    char s[32] = "M";
    if (d.getSecond() != Const::FMISS) std::snprintf(s, sizeof s, "%g", d.getSecond());
    return p(d.getYear()) + "/" + p(d.getMonth()) + "/" + p(d.getDay()) + " " + p(d.getHour()) +
           ":" + p(d.getMinute()) + ":" + s;
}

std::string text(const Date& d, const char* fmt = nullptr) {
    String out;
    fmt ? d.toText(fmt, out) : d.toText(out);
    return out.get();
}

std::string label(const Date& d, const Timezone& tz, int type = 0, const char* prefix = "") {
    String out;
    DateTool::createLabel(prefix, d, tz, type, out);
    return out.get();
}

} // namespace

TEST(Date, SecondsOfPartsMatchTheUtcCalendar) {
    Date d(2026, 12, 4, 12, M, M);
    EXPECT_EQ(d.getJulian(), 338);  // 334 days before December + 4
    EXPECT_EQ(d.getDayOfWeek(), 5); // a Friday
    EXPECT_EQ(d.getDays(), utc(2026, 12, 4) / 86400 + 1);

    // Years before 1970 and the ends of the range (every part in between, leap days
    // included, is checked against gmtime below). 2100 is not a leap year in the Gregorian
    // calendar, but the four-year rule counts it: 1 March 2100 comes out one day late.
    // Missing parts count as their start: a month without a day is its first day.
    const std::pair<Date, long> cases[] = {{Date(1969, 12, 31, 23, 59, 59), -1L},
                                           {Date(1901, 1, 1, 0, 0, 0), utc(1901, 1, 1)},
                                           {Date(2099, 12, 31, 0, 0, 0), utc(2099, 12, 31)},
                                           {Date(2100, 3, 1, 0, 0, 0), utc(2100, 3, 1) + 86400},
                                           {Date(2026, 12, M, M, M, M), utc(2026, 12, 1)},
                                           {Date(2026, M, M, M, M, M), utc(2026, 1, 1)},
                                           {Date(M, M, M, 6, 30, M), 6 * 3600 + 30 * 60}};
    for (const auto& c : cases) EXPECT_EQ(c.first.getSeconds(), c.second) << parts(c.first);
    EXPECT_FALSE(Date(M, M, M, M, M, M).isSet());
}

TEST(Date, PartsFromSecondsAgreeWithGmtime) {
    std::mt19937 gen(20261204);
    std::uniform_int_distribution<long> dist(utc(1901, 1, 1), utc(2099, 12, 31, 23, 59, 59));
    for (int i = 0; i < 2000; ++i) {
        const long s = i == 0 ? 0 : dist(gen);
        const time_t t = static_cast<time_t>(s);
        std::tm g{};
        gmtime_r(&t, &g);
        char want[64];
        std::snprintf(want, sizeof want, "%d/%d/%d %d:%d:%d", g.tm_year + 1900, g.tm_mon + 1,
                      g.tm_mday, g.tm_hour, g.tm_min, g.tm_sec);
        Date d(s);
        ASSERT_EQ(parts(d), want) << s;
        ASSERT_EQ(d.getDayOfWeek(), g.tm_wday) << s;
        ASSERT_EQ(d.getJulian(), g.tm_yday + 1) << s;
        ASSERT_EQ(Date(d.get()).getSeconds(), s); // and back again through the parts
    }
}

TEST(Date, ValidationOfYearsAndOutOfRangeParts) {
    const std::pair<int, int> years[] = {{99, 1999}, {20, 2020}, {150, 2050}, {-5, 1980}};
    for (const auto& y : years) EXPECT_EQ(Date(y.first, 1, 1, 0, 0, 0).getYear(), y.second);
    Date d(2026, 12, 4, 12, M, M);
    EXPECT_EQ(d.setYear(150), 1); // the same rule as above
    EXPECT_EQ(d.setYear(-1), 0);  // refused, unchanged
    EXPECT_EQ(d.getSeconds(), utc(2050, 12, 4, 12));
    d.setYear(M);
    EXPECT_EQ(d.getYear(), M);
    EXPECT_TRUE(d.isSet());

    EXPECT_EQ(parts(Date(2026, 13, 32, 24, 61, 61.0f)), "2026/1/1 0:0:0");
    EXPECT_EQ(Date(2026, 1, 1, 0, 60, 60.0f).getMinute(), 60); // 60 is kept
}

TEST(Date, SteppingKeepsMissingPartsMissing) {
    Date d(2026, 12, 4, 12, M, M);
    d.addHours(-36);
    EXPECT_EQ(parts(d), "2026/12/3 0:M:M");
    EXPECT_EQ(d.getSeconds(), utc(2026, 12, 3, 0));
    EXPECT_EQ(text(d), "00Z  3 DEC 2026");

    // A day without a time stays a day without a time, a month without a day stays so.
    Date day(2026, 12, 31, M, M, M);
    day.addDays(1);
    EXPECT_EQ(parts(day), "2027/1/1 M:M:M");
    EXPECT_EQ(text(day), " 1 JAN 2027");
    Date month(2026, 12, M, M, M, M);
    month.addDays(40); // from 1 December
    EXPECT_EQ(parts(month), "2027/1/M M:M:M");

    Date t(2026, 12, 4, 23, 59, 30.25f);
    t.addSeconds(45.5f);
    EXPECT_EQ(parts(t), "2026/12/5 0:0:15.75"); // 30.25 + 45.5 - 60
    t.addMinutes(-1);
    EXPECT_EQ(parts(t), "2026/12/4 23:59:15.75");

    // The day is not clamped: 31 January + 1 month is "31 February", that is 3 March.
    Date jan(2026, 1, 31, 0, 0, 0);
    jan.addMonths(1);
    EXPECT_EQ(parts(jan), "2026/2/31 0:0:0");
    EXPECT_EQ(jan.getSeconds(), utc(2026, 3, 3));
}

TEST(Date, TextToDate) {
    const std::pair<const char*, const char*> cases[] = {
        {"#202612041230", "2026/12/4 12:30:M"},
        {"2026120406", "2026/12/4 6:M:M"},
        {"20261204123045.5", "2026/12/4 12:30:45.5"},
        {"abc", "M/M/M M:M:M"}};
    for (const auto& c : cases) EXPECT_EQ(parts(Date(c.first)), c.second) << c.first;
    Date now("current");
    EXPECT_TRUE(now.isSet());
    EXPECT_EQ(now.getSecond(), static_cast<float>(now.getSeconds() % 60));
    // The day of a year without a month is a day of the year.
    EXPECT_EQ(parts(Date(DateVal(2024, M, 60, 0, M, M))), "2024/2/29 0:M:M");
}

TEST(Date, JulianDaysAndFixing) {
    int m = 0, d = 0;
    EXPECT_EQ(Date::setJulian(2024, 365, m, d), 1); // days counted from 0
    EXPECT_EQ(std::make_pair(m, d), std::make_pair(12, 31));
    EXPECT_EQ(Date::setJulian(2026, 365, m, d), 0);
    EXPECT_EQ(Date::setJulian(2026, -1, m, d), 0);
    EXPECT_EQ(Date::getJulian(2024, 3, 1), 61);
    EXPECT_FALSE(Date::isYearLeap(2100));

    Date f(M, M, M, 12, M, M);
    f.fix();
    EXPECT_EQ(parts(f), "1970/1/1 12:0:0");
    Date a(2026, 12, 4, 14, 47, 38.0f);
    a.adjustHour(3);
    a.adjustMinute(15);
    EXPECT_EQ(a.getSeconds(), utc(2026, 12, 4, 12, 45, 38));
}

TEST(Date, FormatCodes) {
    const Date d(2026, 12, 4, 12, M, M);
    EXPECT_EQ(text(d), "12Z  4 DEC 2026");
    EXPECT_EQ(text(d, "%HZ %d %b %y"), "12Z 04 DEC 26");
    EXPECT_EQ(text(d, "%d/%H"), "04/12");
    EXPECT_EQ(text(d, "%a %j %u %M:%S %s %%"), "FRI 338 5 XX:XX XX.XXXX %");
    EXPECT_EQ(text(d, "%q%"), "q%");

    const Date full(2026, 12, 4, 0, 5, 7.25f);
    EXPECT_EQ(text(full), "00:05:07Z  4 DEC 2026");
    EXPECT_EQ(text(full, "%l %p %s"), "12 AM 07.2500");
    EXPECT_EQ(text(full, "ISO8601"), "2026-12-04T00:05:07Z");
    String s;
    full.toString(s);
    EXPECT_STREQ(s.get(), "20261204000507.2500");
    EXPECT_EQ(text(Date(2026, 12, 4, 13, 30, 12.5f), "%l%p %s"), "01PM 12.5000");
    EXPECT_EQ(text(Date(2026, 12, 4, 13, 30, M)), "13:30Z  4 DEC 2026");
    EXPECT_EQ(text(Date(2026, M, M, M, M, M), "%Y %m %b %d %e"), "2026 XX XXX XX XX");
    EXPECT_EQ(text(Date(), "%Y%y%H"), "XXXXXXXX");
}

TEST(Timezone, ParsesNameOffsetAndClockStyle) {
    struct Case {
        const char* text;
        const char* name;
        int offset, pm;
    };
    for (const Case& c : {Case{"CST:-6", "CST", -6 * 3600, 0}, Case{"-CST:-6", "CST", -21600, -1},
                          Case{"+IST:5.5", "IST", 19800, 1}, Case{"EDT", "EDT", -4 * 3600, 0}}) {
        const Timezone tz(c.text);
        EXPECT_TRUE(tz.isSet()) << c.text;
        EXPECT_STREQ(tz.getName(), c.name) << c.text;
        EXPECT_EQ(tz.getOffset(), c.offset) << c.text;
        EXPECT_EQ(tz.getPM(), c.pm) << c.text;
    }
    Timezone empty;
    EXPECT_EQ(empty.set(""), 0);
    EXPECT_EQ(empty.set("XYZ"), 0);  // unknown name without hours
    EXPECT_EQ(empty.set("A:zz"), 0); // hours not a number
    EXPECT_FALSE(empty.isSet());
}

TEST(DateTool, DateLabels) {
    const Date d(2026, 12, 4, 12, M, M);
    const Timezone utc0;
    EXPECT_EQ(label(d, utc0), "12Z  4 DEC 26");
    EXPECT_EQ(label(d, utc0, 1, "Valid"), "Valid 12Z FRI  4 DEC 26");
    EXPECT_EQ(label(d, Timezone("CST:-6")), "06CST  4 DEC 26");
    EXPECT_EQ(label(d, Timezone("-CST:-6")), "6 AM CST [12Z]  4 DEC 26");
    EXPECT_EQ(label(d, Timezone("+CST:-6")), "6 AM CST  4 DEC 26");
    EXPECT_EQ(label(Date(2026, 12, 4, 2, M, M), Timezone("-CST:-6")), "8 PM CST [02Z]  3 DEC 26");
    EXPECT_EQ(label(Date(2026, 12, 4, 18, M, M), Timezone("+CST:-6")), "12 PM CST  4 DEC 26");
    EXPECT_EQ(label(Date(2026, 12, 4, 6, M, M), Timezone("+CST:-6")), "12 AM CST  4 DEC 26");
    EXPECT_EQ(label(Date(2026, 12, 4, 12, 30, M), utc0), "1230Z  4 DEC 26");
    EXPECT_EQ(label(Date(2026, 12, 4, 12, 30, M), Timezone("-CST:-6")),
              "6:30 AM CST [1230Z]  4 DEC 26");
    EXPECT_EQ(label(Date(2026, 12, 4, 12, 30, M), Timezone("EST")), "0730 EST  4 DEC 26");
    EXPECT_EQ(label(Date(2026, 12, 4, 12, 30, 9.6f), utc0), "12:30:10Z  4 DEC 26");
    EXPECT_EQ(label(Date(2026, 12, 4, M, M, M), utc0), " 4 DEC 26");
    EXPECT_EQ(label(Date(2026, 12, M, M, M, M), utc0), "DEC 26");
    EXPECT_EQ(label(Date(2026, M, M, M, M, M), utc0), "26");
    String out("stale");
    EXPECT_EQ(DateTool::createLabel(Date(), utc0, out), 0);
    EXPECT_STREQ(out.get(), "");
    EXPECT_EQ(DateTool::createLabel(d, utc0, 36.0f, out), 1);
    EXPECT_STREQ(out.get(), "00Z  6 DEC 26");
}

TEST(DateTool, DecodesEveryDateForm) {
    // Each form with four- and two-digit years, a blank leading digit and the default text.
    const std::pair<const char*, const char*> cases[] = {
        {"12Z 04 DEC 2026", "2026/12/4 12:M:M"},
        {"Obs 1230Z 04 DEC 2026", "2026/12/4 12:30:M"},
        {"at  930Z  4 Dec 2026", "2026/12/4 9:30:M"},
        {"time 1230Z 04 DEC 26", "2026/12/4 12:30:M"},
        {"t 12:30:45Z 04 DEC 99", "1999/12/4 12:30:45"},
        {"date 12Z FRI 04 DEC 2026", "2026/12/4 12:M:M"},
        {"date 12Z FRI 04 DEC 26", "2026/12/4 12:M:M"},
        {"Valid: 06Z 04 jul 2026", "2026/7/4 6:M:M"},
        {"Valid: 06Z 04 SEP 26", "2026/9/4 6:M:M"},
        {"12041226", "2026/12/4 12:M:M"},
        {"04DEC26", "2026/12/4 M:M:M"},
        {"4 aug 99\n", "1999/8/4 M:M:M"},
    };
    for (const auto& c : cases) {
        Date d;
        ASSERT_EQ(DateTool::decode(c.first, d), 1) << c.first;
        EXPECT_EQ(parts(d), c.second) << c.first;
    }
    // Default texts and labels read back to the same time.
    for (const Date& d : {Date(2026, 12, 4, 12, M, M), Date(2026, 2, 28, 0, 5, M),
                          Date(2026, 12, 4, 12, 30, 45.0f)}) {
        for (const std::string& t : {text(d), label(d, Timezone())}) {
            Date back;
            ASSERT_EQ(DateTool::decode(t.c_str(), back), 1) << t;
            EXPECT_EQ(back.getSeconds(), d.getSeconds()) << t;
        }
    }
}

TEST(DateTool, RejectsGarbageDateTexts) {
    Date d(2026, 12, 4, 12, M, M);
    EXPECT_EQ(DateTool::decode("", d), 0);
    EXPECT_FALSE(d.isSet());
    EXPECT_EQ(DateTool::decode(nullptr, d), 0);
    EXPECT_EQ(DateTool::decode("12Z 04 XYZ 2026", d), 0);
    EXPECT_EQ(DateTool::decode("hello world", d), 0);
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int i = 0; i < 3000; ++i) {
        std::string junk(i % 40, ' ');
        for (char& c : junk) c = static_cast<char>(byte(gen));
        Date r;
        if (DateTool::decode(junk.c_str(), r)) {
            // Whatever was read must be a valid date.
            EXPECT_TRUE(r.isSet());
            EXPECT_GE(r.getMonth(), 1);
            EXPECT_LE(r.getMonth(), 12);
        }
        Date t(junk.c_str());
        EXPECT_TRUE(!t.isSet() || t.getYear() >= 0) << junk;
    }
}

TEST(DateTool, NamesAndSmallConversions) {
    const char* names[] = {"JAN", "feb", "March", "apr", "MAY", "june",
                           "JUL", "aug", "sep",   "oct", "NOV", "dec"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(DateTool::decodeMonth(names[m - 1]), m) << names[m - 1];
        EXPECT_EQ(DateTool::decodeMonth(DateTool::getMonth(m)), m);
        EXPECT_EQ(DateTool::decodeMonth(DateTool::getMonthLong(m)), m);
    }
    for (const char* bad : {"JXX", "M", ""}) EXPECT_EQ(DateTool::decodeMonth(bad), 0) << bad;

    EXPECT_EQ(DateTool::getSeconds("#202612041200"), utc(2026, 12, 4, 12));
    EXPECT_EQ(DateTool::getSeconds("3600"), 3600);
    EXPECT_EQ(DateTool::getMinutes("-3:15"), -195);

    String out;
    const std::pair<float, const char*> days[] = {
        {36, "1.5 day"}, {84, "3.5 day"}, {90, "90 hour"}, {0, ""}};
    for (const auto& c : days) {
        DateTool::createHourLabel(c.first, 1, out);
        EXPECT_STREQ(out.get(), c.second) << c.first;
    }
    DateTool::createHourLabel(36, 0, out);
    EXPECT_STREQ(out.get(), "36 hour");
}
