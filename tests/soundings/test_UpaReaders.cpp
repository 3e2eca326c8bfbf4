// The readers of other systems' sounding files: their levels against the numbers of the
// sources, recognising a file's format from its contents, and bad input.
#include "HYX/BufrUnpacker.h"
#include "HYX/Hyx.h"
#include "HYX/String.h"
#include "HYX/UpaBufrFile.h"
#include "HYX/UpaCsvFile.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFormat.h"
#include "HYX/UpaIgraFile.h"
#include "HYX/UpaReader.h"
#include "HYX/UpaSpcFile.h"
#include "HYX/UpaWyoFile.h"
#include "HYX/ZipFile.h"

#include "SoundingFixtures.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace HYX;

// ecCodes keeps some of what it allocates for damaged messages until the process ends; the
// leak checker of the sanitizer build is not to count that against this program.
extern "C" const char* __lsan_default_suppressions() { return "leak:libeccodes.so\n"; }

namespace {

constexpr float MISS = Const::FMISS;

std::vector<UpaData> readAll(UpaReader& r, const std::string& file) {
    std::vector<UpaData> out;
    if (!r.open(fixtures::dataPath(file).c_str())) return out;
    UpaData d;
    while (r.read(d) == 1) out.push_back(d);
    return out;
}

// A level as the source prints it: p, h, t, td, dir, speed in knots.
struct Level {
    float p, h, t, td, dir, spd;
};

// The sounding holds each level at its index with the source's values (speeds within
// spdTol knots: the sources that give m/s print them rounded).
void expectLevels(const UpaData& d, const std::vector<std::pair<int, Level>>& levels,
                  float spdTol = 0.01f) {
    for (const auto& [i, l] : levels) {
        SCOPED_TRACE("level " + std::to_string(i));
        const UpaLevel o = d.getLevel(i);
        EXPECT_FLOAT_EQ(o.p, l.p);
        EXPECT_FLOAT_EQ(o.h, l.h);
        EXPECT_NEAR(o.t, l.t, 0.001f);
        EXPECT_NEAR(o.td, l.td, 0.001f);
        EXPECT_FLOAT_EQ(o.dir, l.dir);
        if (l.spd == MISS)
            EXPECT_EQ(o.spd, MISS);
        else
            EXPECT_NEAR(o.spd, l.spd, spdTol);
    }
}

std::string dateOf(const UpaData& d) {
    String s;
    d.getDate().toText("%Y%m%d%H%M", s);
    return s.get();
}

} // namespace

TEST(UpaReaders, WyomingPagesGiveTheirTablesAndStationBlocks) {
    UpaWyoFile r;
    auto s = readAll(r, "wyoming_BOI_1980051800.html");
    ASSERT_EQ(s.size(), 1u);
    const UpaData& boi = s[0];
    EXPECT_STREQ(boi.getId(), "BOI");
    EXPECT_EQ(boi.getWmo(), 72681);
    EXPECT_EQ(dateOf(boi), "198005180000");
    EXPECT_FLOAT_EQ(boi.getLat(), 43.56f);
    EXPECT_FLOAT_EQ(boi.getLon(), -116.20f);
    EXPECT_FLOAT_EQ(boi.getElev(), 874);
    EXPECT_EQ(boi.getNum(), 48);
    EXPECT_EQ(boi.getSfc(), 1); // 1000 hPa is under ground: the first row with a temperature
    expectLevels(boi, {{0, {1000, 138, MISS, MISS, MISS, MISS}},
                       {1, {917, 874, 19.4f, 7.4f, 300, 8}},
                       {24, {310.1f, 9144, -41.8f, MISS, 5, 15}},
                       {47, {10, 31560, -33.5f, MISS, MISS, MISS}}});
    EXPECT_EQ(r.getErrors(), 0);

    // Several soundings in one page, and a page that says its sounding is missing.
    const std::string two = testutil::readFile(fixtures::dataPath("wyoming_BOI_1980051800.html")) +
                            testutil::readFile(fixtures::dataPath("wyoming_SLC_1980051800.html"));
    r.setText(two.data(), two.size(), "two");
    UpaData d;
    std::vector<std::string> ids;
    while (r.read(d) == 1) ids.push_back(d.getId());
    EXPECT_EQ(ids, (std::vector<std::string>{"BOI", "SLC"}));
    EXPECT_TRUE(readAll(r, "wyoming_UIL_1980051900_missing.html").empty());
    ASSERT_EQ(r.getSkipped().size(), 1u);
    EXPECT_NE(r.getSkipped()[0].find("Can't get 72797 UIL"), std::string::npos);
}

TEST(UpaReaders, CsvTablesOfWyomingAndTheMesonet) {
    // Wyoming's CSV: a position per row, the launch time, speeds in m/s.
    UpaCsvFile r;
    auto w = readAll(r, "wyoming_OUN_1999050400.csv");
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(dateOf(w[0]), "199905032302");
    EXPECT_FLOAT_EQ(w[0].getLat(), 35.18f);
    EXPECT_FLOAT_EQ(w[0].getLon(), -97.44f);
    EXPECT_STREQ(w[0].getId(), "");
    expectLevels(w[0], {{0, {959, 345, 22.2f, 19.0f, 160, 9.3f * 1.944f}},
                        {2, {925, 671, 19.8f, 17.1f, 165, 19.6f * 1.944f}}});
    EXPECT_EQ(w[0].getSfc(), 0);

    // The Mesonet's table: one sounding per station, knots, under-ground rows first.
    auto m = readAll(r, "iem_line_1999050400.csv");
    std::vector<std::string> ids;
    for (const UpaData& d : m) ids.push_back(d.getId());
    EXPECT_EQ(ids, (std::vector<std::string>{"KGJT", "KDNR", "KLBF", "KOAX", "KDVN", "KILX"}));
    const auto gjt = fixtures::iemLevels("KGJT");
    ASSERT_EQ(m[0].getNum(), static_cast<int>(gjt.size()));
    for (size_t i = 0; i < gjt.size(); i += 7) {
        const auto& g = gjt[i];
        expectLevels(m[0], {{static_cast<int>(i), {g.p, g.h, g.t, g.td, g.dir, g.spd}}});
    }
    EXPECT_FLOAT_EQ(m[0].getPres(m[0].getSfc()), 836.6f); // the first row with a temperature
}

TEST(UpaReaders, SharppyTextGivesTheSpecialSounding) {
    UpaSpcFile r;
    auto s = readAll(r, "spc_OAX_2014061619.txt");
    ASSERT_EQ(s.size(), 1u);
    EXPECT_STREQ(s[0].getId(), "OAX");
    EXPECT_EQ(dateOf(s[0]), "201406161900");
    EXPECT_EQ(s[0].getSfc(), 1);
    expectLevels(s[0], {{0, {1000, 34, MISS, MISS, MISS, MISS}},
                        {1, {965, 350, 27.8f, 23.8f, 150, 23}},
                        {2, {962, 377.51f, 27.4f, 22.8f, MISS, MISS}}});
    EXPECT_FLOAT_EQ(s[0].getPres(-1), 7.8f);
    const std::string bna = "%TITLE%\n BNA 140728/0000 36.25,-86.56\n\n LEVEL HGHT\n%RAW%\n"
                            "   1000.00,     82.00,  -9999.00,  -9999.00,  -9999.00,  -9999.00\n"
                            "    989.00,    210.00,     32.60,     23.60,    265.00,     10.00\n"
                            "%END%\n";
    r.setText(bna.data(), bna.size());
    UpaData d;
    ASSERT_EQ(r.read(d), 1);
    EXPECT_FLOAT_EQ(d.getLat(), 36.25f);
    EXPECT_FLOAT_EQ(d.getLon(), -86.56f);
    EXPECT_EQ(r.read(d), -1);
}

TEST(UpaReaders, IgraFilesPlainOrZippedHonourTheArchivesCodes) {
    // A file built from the documented columns around the Boise pages of 18 May 1980: speeds
    // are in tenths of m/s there, so the page's knots come back within 0.1 knot.
    for (const char* file :
         {"igra_USM00072681_1980051800.txt", "igra_USM00072681_1980051800.zip"}) {
        SCOPED_TRACE(file);
        UpaIgraFile r;
        auto s = readAll(r, file);
        ASSERT_EQ(s.size(), 2u);
        EXPECT_EQ(r.getErrors(), 0);
        const UpaData& a = s[0];
        EXPECT_EQ(a.getWmo(), 72681);
        EXPECT_EQ(dateOf(a), "198005180000");
        EXPECT_FLOAT_EQ(a.getLat(), 43.56f);
        EXPECT_FLOAT_EQ(a.getLon(), -116.2f);
        EXPECT_EQ(a.getSfc(), 1);
        EXPECT_FLOAT_EQ(a.getElev(), 874);
        expectLevels(a,
                     {{0, {1000, 138, MISS, MISS, MISS, MISS}},
                      {1, {917, 874, 19.4f, 7.4f, 300, 8}},
                      {7, {MISS, 9144, MISS, MISS, 5, 15}},   // a level without pressure
                      {8, {300, 9370, MISS, MISS, 350, 14}}}, // temperature removed (-8888)
                     0.1f);
        EXPECT_EQ(dateOf(s[1]), "198005181200");
        EXPECT_EQ(s[1].getNum(), 5);
    }
}

TEST(UpaReaders, BufrReportsThroughEccodes) {
    // Values as bufr_dump prints them: temperatures in K, geopotential in m2/s2, speeds in m/s.
    UpaBufrFile r;
    auto s = readAll(r, "bufr_temp_101.bufr");
    ASSERT_EQ(s.size(), 1u);
    const UpaData& d = s[0];
    EXPECT_EQ(d.getWmo(), 70219);
    EXPECT_EQ(dateOf(d), "201210300000");
    EXPECT_FLOAT_EQ(d.getLat(), 60.77f);
    EXPECT_FLOAT_EQ(d.getLon(), -161.83f);
    EXPECT_FLOAT_EQ(d.getElev(), 44);
    EXPECT_EQ(d.getSfc(), 0); // significance 68: surface and significant temperature
    EXPECT_EQ(d.getNum(), 75);
    expectLevels(
        d, {{0, {1020, 430 / 9.80665f, 272.1f - 273.15f, 270.4f - 273.15f, 355, 5 * 1.944f}},
            {2, {1000, 1870 / 9.80665f, 270.5f - 273.15f, 268.4f - 273.15f, 355, 10 * 1.944f}},
            {3, {985, 3150 / 9.80665f, 269.5f - 273.15f, 268.3f - 273.15f, MISS, MISS}}});
    // A mobile station names itself; a pilot report by heights has no pressures.
    s = readAll(r, "bufr_temp_106.bufr");
    ASSERT_EQ(s.size(), 1u);
    EXPECT_STREQ(s[0].getId(), "HYME2");
    EXPECT_EQ(s[0].getWmo(), 99999);
    expectLevels(s[0], {{0, {1005, 0, 287.4f - 273.15f, 281.4f - 273.15f, 115, 3 * 1.944f}}});
    s = readAll(r, "bufr_pilo_91.bufr");
    ASSERT_EQ(s.size(), 1u);
    expectLevels(s[0], {{1, {MISS, 2940 / 9.80665f, MISS, MISS, s[0].getDir(1), 10 * 1.944f}}});
    // The high-resolution template: a report encoded by ecCodes from the Boise page (see
    // tests/data/README.md) gives the page's numbers back (speeds were sent in 0.1 m/s).
    s = readAll(r, "bufr_temp_hires_BOI_1980051800.bufr");
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].getWmo(), 72681);
    EXPECT_EQ(dateOf(s[0]), "198005172315");
    EXPECT_EQ(s[0].getNum(), 6);
    EXPECT_EQ(s[0].getSfc(), 0);
    expectLevels(s[0],
                 {{0, {917, 874, 19.4f, 7.4f, 300, 8}},
                  {2, {810, 1921, 8.0f, 4.9f, 346, 7}},
                  {5, {250, 10570, -51.7f, MISS, 330, 7}}},
                 0.1f);
}

TEST(UpaReaders, BufrElementsSplitIntoSubsetsAndLevels) {
    // The elements as the helper sends them back: a repeated level element starts the next
    // level, a repeated station block the next subset, and a level with no place in the
    // vertical is dropped.
    using namespace BufrKey;
    static BufrUnpacker::Unpacked given;
    given = {};
    given.decoded = given.unpacked = true;
    given.cat = 2;
    auto subset = [](double block, double station) {
        for (auto [k, v] : {std::pair<int, double>{BLOCK, block},
                            {STATION, station},
                            {YEAR, 2012},
                            {MONTH, 10},
                            {DAY, 30},
                            {HOUR, 0},
                            {MINUTE, 0}})
            given.items.push_back({k, v, {}});
    };
    auto level = [](double pa, double k, double sig) {
        for (auto [key, v] : {std::pair<int, double>{SIG, sig}, {PRES, pa}, {TEMP, k}})
            given.items.push_back({key, v, {}});
    };
    subset(70, 219);
    level(102000, 272.15, 64);
    level(100000, 270.15, 0);
    given.items.push_back({TEMP, 250, {}}); // no pressure or height: not a level
    subset(72, 681);
    level(85000, 263.15, 16);

    // The reply survives its own form, and nothing short of it is taken.
    const std::string reply = given.bytes();
    BufrUnpacker::Unpacked back;
    ASSERT_TRUE(back.setBytes(reply.data(), reply.size()));
    EXPECT_EQ(back.bytes(), reply);
    for (size_t cut : {size_t(0), size_t(39), reply.size() - 1})
        EXPECT_FALSE(back.setBytes(reply.data(), cut)) << cut;
    EXPECT_EQ(back.items.size(), given.items.size());

    BufrUnpacker::setUnpacking([](const char*, size_t, BufrUnpacker::Unpacked& u) {
        u = given;
        return BufrUnpacker::DONE;
    });
    const std::string message = std::string("BUFR\0\0\x0e\4xx7777", 14);
    UpaBufrFile r;
    r.setText(message.data(), message.size(), "elements");
    std::vector<UpaData> s;
    for (UpaData d; r.read(d) == 1;) s.push_back(d);
    BufrUnpacker::setUnpacking(nullptr);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].getWmo(), 70219);
    EXPECT_EQ(s[0].getNum(), 2);
    EXPECT_EQ(s[0].getSfc(), 0);
    expectLevels(
        s[0], {{0, {1020, MISS, -1, MISS, MISS, MISS}}, {1, {1000, MISS, -3, MISS, MISS, MISS}}});
    EXPECT_EQ(s[1].getWmo(), 72681);
    EXPECT_EQ(s[1].getNum(), 1);
    EXPECT_TRUE(s[1].getLevel(0).type & UpaLevel::TROP);
}

TEST(UpaReaders, FormatsAreRecognisedFromContents) {
    // upaconv's tests recognise the real files of the other formats (coded reports it is
    // told of); here bulletins and bare reports, a table of stations that is no sounding,
    // a plain table and the names of the formats.
    const struct {
        const char* file;
        UpaFormat::Kind kind;
    } FILES[] = {{"kwbc_2022071300_bulletins.wmo", UpaFormat::CODED},
                 {"fmi_02963_2006041012_reports.txt", UpaFormat::CODED},
                 {"gempak_2020110700_stations.csv", UpaFormat::UNKNOWN}};
    for (const auto& f : FILES) {
        const std::string b = testutil::readFile(fixtures::dataPath(f.file));
        EXPECT_EQ(UpaFormat::detect(b.data(), b.size()), f.kind) << f.file;
    }
    const std::string text = "# mine\nDATE 2026120412\nSTATION ABC\n850 1500 10 5 90 5\n";
    EXPECT_EQ(UpaFormat::detect(text.data(), text.size()), UpaFormat::TEXT);
    EXPECT_EQ(UpaFormat::fromName("SHARPpy"), UpaFormat::SPC);
    EXPECT_EQ(UpaFormat::fromName("grib"), UpaFormat::UNKNOWN);
}

TEST(UpaReaders, BadInputIsSurvivedAndNamed) {
    // Every reader on its own real file cut short, with bytes garbled, on random bytes and
    // on one endless line: reading ends, and what cannot be read is named.
    const struct {
        UpaFormat::Kind kind;
        const char* file;
    } READERS[] = {{UpaFormat::WYOMING, "wyoming_BOI_1980051800.html"},
                   {UpaFormat::CSV, "iem_line_1999050400.csv"},
                   {UpaFormat::SPC, "spc_OAX_2014061619.txt"},
                   {UpaFormat::IGRA, "igra_USM00072681_1980051800.zip"},
                   {UpaFormat::IGRA, "igra_USM00072681_1980051800.txt"},
                   {UpaFormat::BUFR, "bufr_temp_101.bufr"},
                   {UpaFormat::CODED, "kwbc_2022071300_bulletins.wmo"},
                   {UpaFormat::TEXT, "wyoming_OUN_1999050400.csv"}};
    std::mt19937 rng(7);
    const std::string warnings = testutil::captureErr([&] {
        for (const auto& rd : READERS) {
            const std::string good = testutil::readFile(fixtures::dataPath(rd.file));
            std::string garbled = good;
            for (size_t i = garbled.size() / 3; i < garbled.size(); i += 17)
                garbled[i] = static_cast<char>(rng());
            std::string noise(20000, 0);
            for (char& c : noise) c = static_cast<char>(rng());
            const std::vector<std::string> inputs = {good.substr(0, good.size() / 2), garbled,
                                                     noise, std::string(3000000, '7'),
                                                     std::string()};
            for (const std::string& in : inputs) {
                SCOPED_TRACE(std::string(rd.file) + " input of " + std::to_string(in.size()));
                auto r = UpaFormat::makeReader(rd.kind);
                r->setText(in.data(), in.size(), "bad");
                UpaData d;
                int n = 0;
                while (n < 1000 && r->read(d) == 1) {
                    EXPECT_LE(d.getNum(), UpaData::MAXLEV);
                    ++n;
                }
                EXPECT_LT(n, 1000);
            }
        }
    });
    EXPECT_NE(warnings.find("UpaWyoFile: bad line 3"), std::string::npos);
    EXPECT_NE(warnings.find("UpaBufrFile: bad: "), std::string::npos);

    // One line naming the input and the line.
    const std::string bad = "%TITLE%\n OAX 140616/1900\n%RAW%\n 965.00, 350.00, x\n";
    UpaSpcFile r;
    r.setText(bad.data(), bad.size(), "oax.txt");
    UpaData d;
    const std::string err = testutil::captureErr([&] { r.read(d); });
    EXPECT_EQ(err,
              "UpaSpcFile: oax.txt line 4: not a level of six numbers \"965.00, 350.00, x\"\n");
    std::string text, why;
    EXPECT_EQ(ZipFile::extractFirst("PK\x03\x04xx", 6, 100, text, why), 0);
    EXPECT_EQ(why, "not a zip archive");
}
