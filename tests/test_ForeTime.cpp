// Forecast times: parsing, text forms that read back, labels and integer codes.
#include "HYX/Date.h"
#include "HYX/DateTool.h"
#include "HYX/ForeTime.h"
#include "HYX/String.h"
#include "HYX/Timezone.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace HYX;

namespace {

constexpr float MF = Const::FMISS;

std::string str(const ForeTime& f) {
    String s;
    f.toString(s);
    return s.get();
}

std::string timeLabel(float h) {
    String s;
    ForeTime::toTimeLabel(h, s);
    return s.get();
}

} // namespace

TEST(ForeTime, ParsesTheTextForms) {
    struct Case {
        const char* text;
        int ret, type, unit;
        float t1, t2, off;
        const char* back; // the text form
    };
    const Case cases[] = {
        {"12", 1, ForeTime::ANY, 1, 12, MF, 0, "12"},
        {"1e", 1, ForeTime::ANY, 1, 36, MF, 0, "36"},
        {"12hr", 1, ForeTime::FORE, 1, 12, MF, 0, "12hr"},
        {"h12", 1, ForeTime::FORE, 1, 12, MF, 0, "12hr"},
        {"2day", 1, ForeTime::FORE, 1, 48, MF, 0, "48hr"},
        {"2d", 1, ForeTime::FORE, 1, 48, MF, 0, "48hr"},
        {"d2", 1, ForeTime::FORE, 1, 48, MF, 0, "48hr"},
        {"e1", 1, ForeTime::FORE, 1, 36, MF, 0, "36hr"},
        {"ANAL", 1, ForeTime::ANAL, 1, 0, MF, 0, "anal"},
        {"obs", 1, ForeTime::ANAL, 1, 0, MF, 0, "anal"},
        {"init", 1, ForeTime::ANAL, 1, 0, MF, 0, "anal"},
        {"in", 1, ForeTime::ANAL, 1, 0, MF, 0, "anal"},
        {"12-6acc", 1, ForeTime::ACC, 1, 6, 12, 0, "12hr-6acc"},
        {"12hr-6acc", 1, ForeTime::ACC, 1, 6, 12, 0, "12hr-6acc"},
        {"h24-12max", 1, ForeTime::MAX, 1, 12, 24, 0, "24hr-12max"},
        {"48-24min", 1, ForeTime::MIN, 1, 24, 48, 0, "48hr-24min"},
        {"12-6", 1, ForeTime::RNG, 1, 6, 12, 0, "12hr-6rng"},
        {"anal-6acc", 1, ForeTime::ACC, 1, -6, 0, 0, "anal-6acc"},
        {"anal-6max", 1, ForeTime::RNG, 1, -6, 0, 0, "anal-6rng"}, // short suffix list
        {"time-6acc", 0, ForeTime::ACC, 1, MF, 6, 0, "hr-6acc"},
        {"time-3-6avg", 0, ForeTime::AVG, 1, MF, 6, 3, "hr-3-6avg"},
        {"hr-3-6avg", 0, ForeTime::AVG, 1, MF, 6, 3, "hr-3-6avg"},
        {"time-6max", 0, ForeTime::RNG, 1, MF, 6, 0, "hr-6rng"},
        {"time-6", 0, Const::MISS, 1, MF, MF, 6, ""},
        {"miss", 0, Const::MISS, 1, MF, MF, 0, ""},
        {"", 0, Const::MISS, 1, MF, MF, 0, ""},
        {"bogus", 1, Const::MISS, 1, MF, MF, 0, ""},
        {"12xyz", 1, Const::MISS, 1, MF, MF, 0, ""},
        {"h", 1, Const::MISS, 1, MF, MF, 0, ""},
        {"12-6-3acc", 1, Const::MISS, 1, MF, MF, 0, ""},
    };
    for (const Case& c : cases) {
        ForeTime f;
        EXPECT_EQ(f.decode(c.text), c.ret) << c.text;
        EXPECT_EQ(f.getType(), c.type) << c.text;
        EXPECT_EQ(f.getUnit(), c.unit) << c.text;
        EXPECT_EQ(f.getTime1(), c.t1) << c.text;
        EXPECT_EQ(f.getTime2(), c.t2) << c.text;
        EXPECT_EQ(f.getOffset(), c.off) << c.text;
        EXPECT_EQ(str(f), c.back) << c.text;
        // The text form reads back to the same time.
        if (*c.back) {
            ForeTime g(c.back);
            EXPECT_EQ(g.getType(), f.getType()) << c.back;
            EXPECT_EQ(g.getTime1(), f.getTime1()) << c.back;
            EXPECT_EQ(g.getTime2(), f.getTime2()) << c.back;
            EXPECT_EQ(g.getOffset(), f.getOffset()) << c.back;
        }
    }
}

TEST(ForeTime, HoursAndSecondsFollowTheUnit) {
    ForeTime acc("12-6acc");
    EXPECT_EQ(acc.getFore(), 12.0f);
    EXPECT_EQ(acc.getHours(), 12.0f);
    EXPECT_EQ(acc.getSeconds(), 43200);
    EXPECT_TRUE(acc.isTypeComplex());
    ForeTime maxp("24-12max");
    EXPECT_EQ(maxp.getFore(), 12.0f); // maximum and minimum report their start
    ForeTime days(ForeTime::FORE, 2.0f, MF);
    EXPECT_EQ(days.getHours(), 2.0f);
    days.set(ForeTime::FORE, ForeTime::DAYS, 2.0f, MF);
    EXPECT_EQ(days.getHours(), 48.0f);
    EXPECT_EQ(days.getSeconds(), 172800);
    days.set(ForeTime::FORE, ForeTime::MONTHS, 1.0f, MF);
    EXPECT_EQ(days.getHours(), 720.0f);
    EXPECT_EQ(days.getSeconds(), 2592000);
    days.set(ForeTime::FORE, ForeTime::MINUTES, 90.0f, MF);
    EXPECT_EQ(days.getHours(), 1.5f);
    EXPECT_EQ(days.getSeconds(), 5400);
    ForeTime none;
    EXPECT_FALSE(none.isSet());
    EXPECT_EQ(none.getHours(), MF);
    EXPECT_EQ(none.getSeconds(), Const::MISS);
}

TEST(ForeTime, Labels) {
    EXPECT_EQ(timeLabel(72), "3 day");
    EXPECT_EQ(timeLabel(84), "3.5 day");
    EXPECT_EQ(timeLabel(36), "36 hour");
    EXPECT_EQ(timeLabel(60), "60 hour");
    EXPECT_EQ(timeLabel(0), "analysis");
    EXPECT_EQ(timeLabel(MF), "");

    String s;
    ForeTime("anal").toTimeLabel(s);
    EXPECT_STREQ(s.get(), "analysis");
    ForeTime("d3").toTimeLabel(s);
    EXPECT_STREQ(s.get(), "3 day");
    ForeTime m(ForeTime::FORE, ForeTime::MINUTES, 45.0f, MF);
    m.toTimeLabel(s);
    EXPECT_STREQ(s.get(), "45 min");
    m.set(ForeTime::FORE, ForeTime::MINUTES, 90.0f, MF);
    m.toTimeLabel(s);
    EXPECT_STREQ(s.get(), "1.50 hour");
    m.set(ForeTime::FORE, ForeTime::DAYS, 5.0f, MF);
    m.toTimeLabel(s);
    EXPECT_STREQ(s.get(), "5 day");

    const std::pair<const char*, const char*> day_labels[] = {
        {"anal", "0 day"}, {"48hr", "2 day"}, {"12hr", "0.5 day"}, {"7hr", "7 hour"}};
    for (const auto& c : day_labels) {
        ForeTime(c.first).toTimeLabelDay(s);
        EXPECT_STREQ(s.get(), c.second) << c.first;
    }
    ForeTime().toTimeLabelDay(s);
    EXPECT_STREQ(s.get(), "");

    ForeTime("12-6acc").toVarLabel(s);
    EXPECT_STREQ(s.get(), "6 hour acc");
    ForeTime(ForeTime::AVG, 0.0f, 802.0f).toVarLabel(s);
    EXPECT_STREQ(s.get(), "2 day avg");
    EXPECT_EQ(ForeTime("12hr").toVarLabel(s), 0);
    EXPECT_STREQ(s.get(), "");
}

TEST(ForeTime, IntegerCodes) {
    EXPECT_EQ(ForeTime("12-6acc").toCode(), 4006012);
    EXPECT_EQ(ForeTime("12").toCode(), 9000012);
    EXPECT_EQ(ForeTime("12hr").toCode(), 12);
    EXPECT_EQ(ForeTime("anal-6acc").toCode(), 4006000); // length 6 ending at 0
    EXPECT_EQ(ForeTime("time-6acc").toCode(), 4799006);
    EXPECT_EQ(ForeTime("time-3-6avg").toCode(), 33799006);
    ForeTime d(ForeTime::FORE, ForeTime::DAYS, 2.0f, MF);
    EXPECT_EQ(d.toCode(), 802);
    EXPECT_EQ(ForeTime().toCode(), Const::MISS);

    for (const char* t :
         {"12-6acc", "12", "12hr", "anal-6acc", "time-6acc", "time-3-6avg", "48-24max"}) {
        const ForeTime f(t);
        const ForeTime g(f.toCode());
        EXPECT_EQ(g.getType(), f.getType()) << t;
        EXPECT_EQ(g.getTime1(), f.getTime1()) << t;
        EXPECT_EQ(g.getTime2(), f.getTime2()) << t;
        EXPECT_EQ(g.getOffset(), f.getOffset()) << t;
        EXPECT_EQ(g.toCode(), f.toCode()) << t;
    }
    const ForeTime back(802);
    EXPECT_EQ(back.getUnit(), ForeTime::DAYS);
    EXPECT_EQ(back.getHours(), 48.0f);
}

TEST(ForeTime, SurvivesGarbage) {
    std::mt19937 gen(11);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int i = 0; i < 3000; ++i) {
        std::string junk(i % 30, ' ');
        for (char& c : junk) c = static_cast<char>(byte(gen));
        ForeTime f(junk.c_str());
        String s;
        f.toString(s);
        f.toTimeLabel(s);
        f.toVarLabel(s);
        f.toCode();
        // A set time always has a text form.
        if (f.isSet()) {
            EXPECT_GT(f.toString(s), 0) << junk;
        }
    }
    ForeTime huge("99999999999999999999hr");
    EXPECT_FALSE(huge.isSet());
}

TEST(ForeTime, DateLabelWithForecastTime) {
    const Date init(2026, 12, 4, 12, Const::MISS, Const::MISS);
    String out;
    DateTool::createLabel(init, Timezone(), "GFS", ForeTime("36hr"), out);
    EXPECT_STREQ(out.get(), "GFS 36 hour for 00Z  6 DEC 26");
    DateTool::createLabel(init, Timezone(), "GFS", ForeTime("anal"), out);
    EXPECT_STREQ(out.get(), "GFS analysis for 12Z  4 DEC 26");
    DateTool::createLabel(init, Timezone(), "", ForeTime("84hr"), out);
    EXPECT_STREQ(out.get(), "3.5 day for 00Z  8 DEC 26");
}
