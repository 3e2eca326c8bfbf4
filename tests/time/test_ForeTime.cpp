// Forecast times: parsing, text forms that read back, labels and integer codes.
#include "HYX/Date.h"
#include "HYX/DateTool.h"
#include "HYX/ForeTime.h"
#include "HYX/String.h"
#include "HYX/Timezone.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace HYX;

namespace {

constexpr float MF = Const::FMISS;

// One of the text forms of f, chosen by the member function given.
std::string form(const ForeTime& f, int (ForeTime::*fn)(String&) const) {
    String s;
    (f.*fn)(s);
    return s.get();
}

std::string str(const ForeTime& f) { return form(f, &ForeTime::toString); }

// Type, time1, time2 and offset: what must survive a round trip.
std::string fields(int type, float t1, float t2, float off) {
    char b[96];
    std::snprintf(b, sizeof b, "%d %g %g %g", type, t1, t2, off);
    return b;
}

std::string fields(const ForeTime& f) {
    return fields(f.getType(), f.getTime1(), f.getTime2(), f.getOffset());
}

} // namespace

TEST(ForeTime, ParsesTheTextForms) {
    struct Case {
        const char* text;
        int ret, type;
        float t1, t2, off;
        const char* back; // the text form
    };
    const Case cases[] = {{"12", 1, ForeTime::ANY, 12, MF, 0, "12"},
                          {"1e", 1, ForeTime::ANY, 36, MF, 0, "36"},
                          {"12hr", 1, ForeTime::FORE, 12, MF, 0, "12hr"},
                          {"2day", 1, ForeTime::FORE, 48, MF, 0, "48hr"},
                          {"d2", 1, ForeTime::FORE, 48, MF, 0, "48hr"},
                          {"e1", 1, ForeTime::FORE, 36, MF, 0, "36hr"},
                          {"ANAL", 1, ForeTime::ANAL, 0, MF, 0, "anal"},
                          {"12-6acc", 1, ForeTime::ACC, 6, 12, 0, "12hr-6acc"},
                          {"12-6", 1, ForeTime::RNG, 6, 12, 0, "12hr-6rng"},
                          {"time-3-6avg", 0, ForeTime::AVG, MF, 6, 3, "hr-3-6avg"},
                          {"", 0, Const::MISS, MF, MF, 0, ""},
                          {"bogus", 1, Const::MISS, MF, MF, 0, ""},
                          {"12-6-3acc", 1, Const::MISS, MF, MF, 0, ""}};
    for (const Case& c : cases) {
        ForeTime f;
        EXPECT_EQ(f.decode(c.text), c.ret) << c.text;
        EXPECT_EQ(f.getUnit(), ForeTime::HOURS) << c.text;
        EXPECT_EQ(fields(f), fields(c.type, c.t1, c.t2, c.off)) << c.text;
        EXPECT_EQ(str(f), c.back) << c.text;
        // The text form reads back to the same time.
        if (*c.back) {
            EXPECT_EQ(fields(ForeTime(c.back)), fields(f)) << c.back;
        }
    }
}

TEST(ForeTime, HoursAndSecondsFollowTheUnit) {
    ForeTime acc("12-6acc");
    EXPECT_EQ(acc.getFore(), 12.0f);
    EXPECT_EQ(acc.getHours(), 12.0f);
    EXPECT_EQ(acc.getSeconds(), 43200);
    EXPECT_EQ(ForeTime("24-12max").getFore(), 12.0f); // maximum and minimum report their start
    const ForeTime days(ForeTime::FORE, ForeTime::DAYS, 2.0f, MF);
    EXPECT_EQ(days.getHours(), 48.0f);
    EXPECT_EQ(days.getSeconds(), 172800);
    ForeTime none;
    EXPECT_FALSE(none.isSet());
    EXPECT_EQ(none.getHours(), MF);
    EXPECT_EQ(none.getSeconds(), Const::MISS);
}

TEST(ForeTime, Labels) {
    const std::pair<float, const char*> hours[] = {
        {72, "3 day"}, {84, "3.5 day"}, {36, "36 hour"}, {0, "analysis"}, {MF, ""}};
    for (const auto& c : hours) {
        String s;
        ForeTime::toTimeLabel(c.first, s);
        EXPECT_STREQ(s.get(), c.second) << c.first;
    }
    const auto label = [](const ForeTime& f) { return form(f, &ForeTime::toTimeLabel); };
    EXPECT_EQ(label(ForeTime(ForeTime::FORE, ForeTime::MINUTES, 90.0f, MF)), "1.50 hour");
    EXPECT_EQ(form(ForeTime("anal"), &ForeTime::toTimeLabelDay), "0 day");
    EXPECT_EQ(form(ForeTime("12hr"), &ForeTime::toTimeLabelDay), "0.5 day");
    EXPECT_EQ(form(ForeTime("12-6acc"), &ForeTime::toVarLabel), "6 hour acc");
    String s("stale");
    EXPECT_EQ(ForeTime("12hr").toVarLabel(s), 0);
    EXPECT_STREQ(s.get(), "");
}

TEST(ForeTime, IntegerCodes) {
    const std::pair<const char*, int> codes[] = {
        {"12-6acc", 4006012}, {"12", 9000012}, {"12hr", 12}, {"time-3-6avg", 33799006}};
    for (const auto& c : codes) {
        const ForeTime f(c.first);
        EXPECT_EQ(f.toCode(), c.second) << c.first;
        const ForeTime g(f.toCode());
        EXPECT_EQ(fields(g), fields(f)) << c.first;
        EXPECT_EQ(g.toCode(), f.toCode()) << c.first;
    }
    EXPECT_EQ(ForeTime().toCode(), Const::MISS);
    const ForeTime days(802); // 2 days
    EXPECT_EQ(days.getUnit(), ForeTime::DAYS);
    EXPECT_EQ(days.getHours(), 48.0f);
}

TEST(ForeTime, SurvivesGarbage) {
    std::mt19937 gen(11);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int i = 0; i < 3000; ++i) {
        std::string junk(i % 30, ' ');
        for (char& c : junk) c = static_cast<char>(byte(gen));
        ForeTime f(junk.c_str());
        String s;
        f.toTimeLabel(s);
        f.toVarLabel(s);
        f.toCode();
        EXPECT_TRUE(f.toString(s) > 0 || !f.isSet()) << junk; // a set time has a text form
    }
    EXPECT_FALSE(ForeTime("99999999999999999999hr").isSet());
}

TEST(ForeTime, DateLabelWithForecastTime) {
    const Date init(2026, 12, 4, 12, Const::MISS, Const::MISS);
    const auto label = [&](const char* model, const char* fore) {
        String out;
        DateTool::createLabel(init, Timezone(), model, ForeTime(fore), out);
        return std::string(out.get());
    };
    EXPECT_EQ(label("GFS", "36hr"), "GFS 36 hour for 00Z  6 DEC 26");
    EXPECT_EQ(label("GFS", "anal"), "GFS analysis for 12Z  4 DEC 26");
}
