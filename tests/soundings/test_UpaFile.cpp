// Upper-air files: group codecs, writing and reading real soundings, detection of the
// file kind, and survival of damaged files.
#include "HYX/Calc.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaHyxFile.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"

#include "SoundingFixtures.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

using namespace HYX;
using testutil::ScratchDir;

namespace {

constexpr float MISS = Const::FMISS;
constexpr float ANY = NAN; // a decoded value the row does not check

// One coded group, what its decoder returns and the two values it gives.
struct Group {
    const char* text;
    int ret;
    float a, b;
};

void expectDecoded(int (*decode)(const char*, float&, float&), const std::vector<Group>& rows) {
    for (const Group& g : rows) {
        float a = 0, b = 0;
        EXPECT_EQ(decode(g.text, a, b), g.ret) << g.text;
        EXPECT_TRUE(std::isnan(g.a) || std::fabs(a - g.a) < 1e-4) << g.text << ": " << a;
        EXPECT_TRUE(std::isnan(g.b) || std::fabs(b - g.b) < 1e-4) << g.text << ": " << b;
    }
}

UpaLevel level(int type, float p, float h, float t, float td, float dir, float spd) {
    UpaLevel l(p, h, t, td, dir, spd);
    l.setType(type);
    return l;
}

std::string enc(int (*f)(float, float, char*), float a, float b) {
    char g[UpaHyxFile::GROUP_SIZE];
    f(a, b, g);
    return g;
}

// The six soundings of the 7 November 2020 00 UTC line, sorted.
std::vector<UpaRawinData> lineRecords() {
    std::vector<UpaRawinData> recs;
    for (int wmo : {72469, 72476, 72562, 72558, 74455, 74560}) {
        UpaRawinData r;
        EXPECT_TRUE(fixtures::loadGempak("gempak_line_2020110700_parts.csv", wmo, r)) << wmo;
        r.sort();
        recs.push_back(r);
    }
    return recs;
}

// Writes records to a new file dated 7 November 2020 00 UTC.
void writeFile(const std::string& path, std::vector<UpaRawinData>& recs) {
    UpaFile f;
    f.setDate(Date(2020, 11, 7, 0, Const::MISS, MISS));
    ASSERT_EQ(f.open(path.c_str(), FileAttr::WRITE, UpaFile::HYX), 1);
    for (UpaRawinData& r : recs) ASSERT_EQ(f.write(r), 1);
    f.close();
}

// Reads every record of a file, at most limit.
std::vector<UpaRawinData> readAll(const std::string& path, int limit = 100000) {
    std::vector<UpaRawinData> out;
    UpaFile f(path.c_str());
    UpaRawinData r;
    while (static_cast<int>(out.size()) < limit && f.read(r) == 1) out.push_back(r);
    return out;
}

// The level of a list with pressure p (or the marker's level), or an all-missing one.
UpaLevel findMan(const UpaRawinData& r, float p) {
    for (int i = 0; i < r.getNumMan(); ++i)
        if (r.getMan(i).getPres() == p && r.getMan(i).getType() == UpaLevel::MAN)
            return r.getMan(i);
    return UpaLevel();
}

UpaLevel findSig(const UpaRawinData& r, float p) {
    for (int i = 0; i < r.getNumSig(); ++i)
        if (std::fabs(r.getSigPr(i) - p) < 1e-3) return r.getSig(i);
    return UpaLevel();
}

// Temperature and dew point agree within the resolution of the TD group: 0.1 C for the
// temperature, 0.1 C for depressions under 5 C, 1 C above.
void expectTD(const UpaLevel& a, const UpaLevel& b, const std::string& what) {
    if (a.getTemp() == MISS) {
        EXPECT_EQ(b.getTemp(), MISS) << what;
        return;
    }
    EXPECT_NEAR(b.getTemp(), a.getTemp(), 0.11) << what;
    if (a.getDewpt() == MISS) {
        EXPECT_EQ(b.getDewpt(), MISS) << what;
        return;
    }
    const float dep = a.getTemp() - a.getDewpt();
    EXPECT_NEAR(b.getDewpt(), a.getDewpt(), dep < 5 ? 0.21 : 1.11) << what;
}

// Winds within 2.5 degrees (five-degree groups) and 1 knot (whole knots).
void expectWind(const UpaLevel& a, const UpaLevel& b, const std::string& what) {
    if (a.getWDir() == MISS || a.getWSpd() == MISS) {
        EXPECT_EQ(b.getWDir(), MISS) << what;
        return;
    }
    const float d = std::fabs(std::fmod(b.getWDir() - a.getWDir() + 540.f, 360.f) - 180);
    EXPECT_LE(d, 2.5) << what;
    EXPECT_NEAR(b.getWSpd(), a.getWSpd(), 1.0) << what;
}

void expectLevel(const UpaLevel& a, const UpaLevel& b, const std::string& what) {
    expectTD(a, b, what);
    expectWind(a, b, what);
}

// Everything a record holds, floats in hexadecimal so that equal texts mean equal records.
std::string dump(const UpaRawinData& r) {
    char buf[200];
    std::snprintf(buf, sizeof buf, "%s %d %a %a %a %d %d %d %d|", r.getId(), r.getWmo(), r.getLat(),
                  r.getLon(), r.getElev(), r.getSfc(), r.getTrop(), r.getMaxWnd(),
                  r.getDate().getHour());
    std::string out = buf;
    auto levels = [&](int n, UpaLevel (UpaRawinData::*get)(int) const) {
        for (int i = 0; i < n; ++i) {
            const UpaLevel l = (r.*get)(i);
            std::snprintf(buf, sizeof buf, " %d %a %a %a %a %a %a", l.getType(), l.getPres(),
                          l.getHght(), l.getTemp(), l.getDewpt(), l.getWDir(), l.getWSpd());
            out += buf;
        }
        out += '|';
    };
    levels(r.getNumMan(), &UpaRawinData::getMan);
    levels(r.getNumSig(), &UpaRawinData::getSig);
    levels(r.getNumWnd(), &UpaRawinData::getWnd);
    return out;
}

// Reading only some stations gives exactly the records of the full read that carry one of
// their identifiers (ignoring case), each once, in file order.
void expectSameAsFullRead(const std::string& path, const char* list) {
    const Strings ids(list, ',');
    std::vector<std::string> want;
    for (const UpaRawinData& r : readAll(path, 5000))
        for (int j = 0; j < ids.getNum(); ++j)
            if (StrLib::iequal(r.getId(), ids.getString(j))) {
                want.push_back(dump(r));
                break;
            }
    std::vector<std::string> got;
    UpaFile f(path.c_str());
    f.setStations(ids);
    UpaRawinData r;
    while (got.size() < 5000 && f.read(r) == 1) got.push_back(dump(r));
    EXPECT_EQ(got, want) << list;
}

} // namespace

TEST(UpaHyxFile, DecodesGroupsAsTheTempCode) {
    // Pressure and height: 00 is 1000 mb, 92 is 925 mb, a minus sign whole mb under 10;
    // heights in metres low down, decametres higher, with the thousands implied; 500 added
    // to a height below sea level; a tropopause group holds its pressure.
    const std::vector<Group> ph = {
        {"00105", 1, 1000, 105},  {"00550", 1, 1000, -50},  {"92800", 1, 925, 800},
        {"85500", 1, 850, 1500},  {"70010", 1, 700, 3010},  {"70950", 1, 700, 2950},
        {"50570", 1, 500, 5700},  {"40740", 1, 400, 7400},  {"30910", 1, 300, 9100},
        {"25040", 1, 250, 10400}, {"10640", 1, 100, 16400}, {"05060", 1, 50, 20600},
        {"05960", 1, 50, 19600},  {"01100", 1, 10, 31000},  {"01650", 1, 10, 26500},
        {"-7332", 1, 7, 33320},   {"-2100", 1, 2, 41000},   {"-1100", 1, 1, 51000},
        {"85/", 1, 850, MISS},    {"99999", 0, MISS, MISS}, {"X", -1, ANY, ANY},
        {"88134", 1, ANY, 134},   {"ab#de", 0, ANY, ANY}};
    expectDecoded(UpaHyxFile::decodePH, ph);
    // Temperature: tenths, odd tenths below zero; depression in tenths up to 50, whole
    // degrees less 50 from 56 on.
    const std::vector<Group> td = {{"15325", 1, -15.3f, -17.8f}, {"12056", 1, 12, 6},
                                   {"12099", 1, 12, MISS},       {"99999", 0, MISS, MISS},
                                   {"X", -1, ANY, ANY},          {"183//", 1, -18.3f, MISS}};
    expectDecoded(UpaHyxFile::decodeTD, td);
    // Wind: the hundreds of knots ride in the units digit of the direction; 3 x 100 + 60
    // knots is not a wind, nor is 365 degrees.
    const std::vector<Group> wd = {{"27045", 1, 270, 45},   {"27615", 1, 275, 115},
                                   {"99999", 1, MISS, ANY}, {"27360", 1, MISS, MISS},
                                   {"36510", 1, MISS, ANY}, {"X", 0, ANY, ANY},
                                   {"/////", 1, MISS, ANY}};
    expectDecoded(UpaHyxFile::decodeWD, wd);
}

TEST(UpaHyxFile, EncodersRoundTripWithinTheGroupResolution) {
    // A supersaturated level codes no depression (10000).
    const auto TD = UpaHyxFile::encodeTD, WD = UpaHyxFile::encodeWD, PH = UpaHyxFile::encodePH;
    EXPECT_EQ(enc(TD, -5.3f, MISS).substr(0, 3), "053");
    const std::pair<std::string, std::string> fixed[] = {
        {enc(TD, 2.0f, -5.0f), "02057"}, {enc(TD, MISS, MISS), "99999"},
        {enc(TD, 10, 12), "10000"},      {enc(WD, 273, 115), "27615"},
        {enc(WD, 358, 5), "36005"},      {enc(WD, MISS, 5), "99999"},
        {enc(PH, 1000, -50), "00550"},   {enc(PH, 925, 800), "92800"},
        {enc(PH, 850, MISS), "85/"},     {enc(PH, 500, 5700), "50570"},
        {enc(PH, 7, 33250), "-7325"}};
    for (const auto& f : fixed) EXPECT_EQ(f.first, f.second);
    char g[UpaHyxFile::GROUP_SIZE];
    EXPECT_EQ(TD(MISS, MISS, g) + WD(MISS, 5, g) + WD(10, -1, g) + PH(MISS, MISS, g), 0);

    for (float tt = -85; tt <= 45; tt += 0.7f) {
        for (float dep : {0.f, 0.4f, 3.3f, 5.5f, 12.f, 44.f}) {
            const std::string grp = enc(TD, tt, tt - dep);
            ASSERT_EQ(grp.size(), 5u) << tt << " " << dep;
            UpaLevel a(0, 0, tt, tt - dep, MISS, MISS), b;
            UpaHyxFile::decodeTD(grp.c_str(), b.t, b.td);
            expectTD(a, b, grp);
        }
    }
    for (float dir = 0; dir <= 360; dir += 7) {
        for (float spd : {0.f, 9.4f, 99.f, 100.f, 187.f, 249.f}) {
            UpaLevel a(0, 0, MISS, MISS, dir, spd), b;
            UpaHyxFile::decodeWD(enc(WD, dir, spd).c_str(), b.dir, b.spd);
            expectWind(a, b, std::to_string(dir));
        }
    }
    // Heights of every standard level across the range its group can hold come back to
    // the metre (above 500 mb) or to the decametre (the group holds decametres there).
    // One standard level for each rule of the height code.
    const float spans[][3] = {{1000, -400, 480},   {925, 100, 990},    {850, 1000, 1990},
                              {700, 2510, 3490},   {500, 4800, 6100},  {300, 8500, 10400},
                              {100, 15000, 17200}, {50, 19000, 21500}, {30, 22000, 25000},
                              {10, 28000, 32000},  {7, 31000, 34500},  {3, 37000, 40500},
                              {1, 46000, 51000}};
    for (const auto& sp : spans) {
        for (float h = sp[1]; h <= sp[2]; h += 37) {
            float p, hb;
            UpaHyxFile::decodePH(enc(PH, sp[0], h).c_str(), p, hb);
            EXPECT_FLOAT_EQ(p, sp[0]);
            EXPECT_NEAR(hb, h, sp[0] > 500 ? 1.0 : 10.0) << sp[0] << " " << h;
        }
    }
}

TEST(UpaHyxFile, KeepsSurfacesAbove1000mbAndLevelsAbove10mb) {
    UpaRawinData r;
    r.setId("TEST", 1, 51.5f, -0.1f);
    r.setElev(20);
    r.addSig(level(UpaLevel::SIG, 1013.4f, MISS, 12.4f, 10.2f, 240, 12));
    r.setSfc(r.addMan(level(UpaLevel::SFC, 1013.4f, MISS, 12.4f, 10.2f, 240, 12)));
    r.addSig(UpaLevel(1005, MISS, 11.8f, 9.6f, MISS, MISS));
    r.addSig(UpaLevel(850, MISS, 2.2f, -3.0f, MISS, MISS)); // a standard pressure: left out
    r.addSig(UpaLevel(45, MISS, -60.2f, -80.0f, MISS, MISS));
    r.addSig(UpaLevel(7.5f, MISS, -45.6f, -70.1f, MISS, MISS));
    r.addMan(level(UpaLevel::MAN, 850, 1520, 2.2f, -3.0f, 250, 30));
    for (float p : {5.f, 7.f, 3.f})
        r.addMan(level(UpaLevel::MAN, p, 40000 - p * 1000, -40, MISS, 90, 20));
    r.addWnd(level(UpaLevel::WND, MISS, 3000, MISS, MISS, 255, 25));
    r.sort();

    ScratchDir dir;
    std::vector<UpaRawinData> recs{r};
    writeFile(dir.file("one.upa"), recs);
    const std::string text = testutil::readFile(dir.file("one.upa"));
    // Surface and 1005 mb, the levels above 100 and 10 mb, the wind at 3000 ft, the
    // standard levels.
    for (const char* piece : {"\n013 12422 005 11822 ", "  45 ", " 7.5 ", "\n00 24012 03 25525 $\n",
                              " 85520 02250 25030\n", "-7300 39999 09020 -5500 "})
        EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
    EXPECT_EQ(text.find(" 850 "), std::string::npos) << text; // a standard level: in part A

    std::vector<UpaRawinData> back = readAll(dir.file("one.upa"));
    ASSERT_EQ(back.size(), 1u);
    UpaRawinData& b = back[0];
    ASSERT_EQ(b.getNumSig(), 4);
    const float sig[] = {1013, 1005, 45, 7.5f};
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(b.getSigPr(i), sig[i]);
    EXPECT_NEAR(findSig(b, 7.5f).getTemp(), -45.6, 0.11);
    EXPECT_FLOAT_EQ(b.getManPr(b.getSfc()), 1013);
    EXPECT_FLOAT_EQ(b.getMan(b.getSfc()).getWDir(), 240); // from the surface wind at 00
    EXPECT_FLOAT_EQ(b.getWndHt(0), 0);
    EXPECT_FLOAT_EQ(b.getWndHt(1), 3000);
    for (float p : {7.f, 5.f, 3.f}) EXPECT_NEAR(findMan(b, p).getHght(), 40000 - p * 1000, 10);
    // The writer gave the record its surface wind at height 0.
    EXPECT_EQ(recs[0].getNumWnd(), 2);

    // Written by hand: a significant level at 50 mb with its leading blank.
    std::string hand = "HYXUPAx\n12Z  4 DEC 26\n00002:HAND ";
    for (int i = 0; i < 16; ++i) hand += "X X X ";
    hand += "X X X X X\n013 12422  50 60180 X\n00 24012 $\n";
    dir.write("hand.upa", hand);
    back = readAll(dir.file("hand.upa"));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_FLOAT_EQ(back[0].getSigPr(1), 50);
    EXPECT_NEAR(back[0].getSig(1).getTemp(), -60.1, 1e-4);
    EXPECT_FLOAT_EQ(back[0].getManPr(back[0].getSfc()), 1013);
    EXPECT_EQ(back[0].getDate().getYear(), 2026);
    EXPECT_EQ(back[0].getTime(), 1200);
}

TEST(UpaHyxFile, ReadIdListsStationsOfLongRecords) {
    UpaRawinData r;
    r.setId("LONG", 99001, 10, 20);
    for (int i = 0; i < 200; ++i)
        r.addSig(UpaLevel(990 - i * 4.5f, MISS, 20 - i * 0.4f, MISS, MISS, MISS));
    UpaRawinData s;
    s.setId("SHORT", 99002, 11, 21);
    s.addMan(UpaLevel(1000, 100, 15, 10, 0, 0));
    ScratchDir dir;
    std::vector<UpaRawinData> recs{r, s, r};
    writeFile(dir.file("ids.upa"), recs);
    UpaFile f(dir.file("ids.upa").c_str());
    String id;
    std::vector<std::string> ids;
    while (f.readId(id) == 1) ids.push_back(id.get());
    EXPECT_EQ(ids, (std::vector<std::string>{"LONG", "SHORT", "LONG"}));
    EXPECT_EQ(f.rewind(), 1);
    UpaRawinData x;
    EXPECT_EQ(f.read(x), 1);
    EXPECT_EQ(x.getNumSig(), 200);
}

TEST(UpaFile, ReadingByStationGivesTheRecordsOfTheFullRead) {
    // The real file of 00 UTC 4 May 1999 (117 soundings, several blocks of the reader), its
    // last record cut short after its mandatory levels.
    ScratchDir dir;
    std::string text = testutil::readFile(HYX_SOURCE_DIR "/data/1999050400_upa.cvt");
    const size_t last = text.rfind("$\n", text.size() - 3) + 2;
    text.resize(text.find("X X X\n", last) + 5);
    dir.write("cut.upa", text);
    const std::string cut = dir.file("cut.upa");
    ASSERT_EQ(readAll(cut).size(), 117u);
    const std::string lastId = readAll(cut).back().getId();
    ASSERT_EQ(readAll(cut).back().getNumSig(), 0);

    // Listed twice, in mixed case, absent, the cut record and the first one.
    expectSameAsFullRead(cut, "KOAX,kdnr,KOAX,KdVn,NONE");
    expectSameAsFullRead(cut, (lastId + ",KGJT,kgjt").c_str());
    expectSameAsFullRead(cut, "NONE");

    // Terminators glued to groups or standing alone between records.
    dir.write("glued.upa", "HYXUPAx\n00Z  4 MAY 99\n1:AAA:1:2 X X X$ $x 00105 $\n"
                           "2:BBB 00105 12056 27045 $$ $\n $\n3:aaa X $");
    expectSameAsFullRead(dir.file("glued.upa"), "aaa");
    expectSameAsFullRead(dir.file("glued.upa"), "BBB,$");

    // The station tool reads through the same filter.
    UpaRawinData one;
    EXPECT_EQ(UpaTool::getStation(cut.c_str(), lastId.c_str(), one), 1);
    EXPECT_EQ(dump(one), dump(readAll(cut).back()));
}

TEST(UpaFile, RecognisesTheFileKindFromItsFirstWord) {
    ScratchDir dir;
    dir.write("cdf.nc", "CDF\001 binary stuff\n");
    dir.write("other.txt", "HELLO world\n");
    dir.write("empty.upa", "");
    EXPECT_EQ(UpaFile::checkType(dir.file("cdf.nc").c_str()), UpaFile::NETCDF);
    EXPECT_EQ(UpaFile::checkType(dir.file("other.txt").c_str()), 0);
    EXPECT_EQ(UpaFile::checkType(dir.file("none").c_str()), -1);
    EXPECT_EQ(UpaHyxFile::checkType(dir.file("empty.upa").c_str()), -1);
    EXPECT_EQ(UpaHyxFile::checkType(dir.file("other.txt").c_str()), 0);
    EXPECT_EQ(UpaHyxFile::checkType(dir.file("none").c_str()), 0);

    UpaFile cdf;
    EXPECT_EQ(cdf.open(dir.file("cdf.nc").c_str()), 0);
    EXPECT_EQ(cdf.getType(), UpaFile::NETCDF);
    EXPECT_FALSE(cdf.isOpen());
    UpaRawinData r;
    EXPECT_EQ(cdf.read(r), 0);
    EXPECT_FALSE(UpaFile(dir.file("other.txt").c_str()).isOpen());
    // Detection is for reading and appending; writing names its kind.
    for (int kind : {0, static_cast<int>(UpaFile::REFUSED)})
        EXPECT_EQ(UpaFile().open(dir.file("new.upa").c_str(), FileAttr::WRITE, kind), 0);
    // An empty upper-air file opens through the reader and yields nothing.
    UpaHyxFile e;
    EXPECT_EQ(e.open(dir.file("empty.upa").c_str(), FileAttr::READ), 1);
    EXPECT_EQ(e.read(r), 0);
}

TEST(UpaFile, AppendsToAnExistingFileUnderItsDate) {
    ScratchDir dir;
    UpaRawinData a;
    a.setId("AAA", 10001, 1, 2);
    a.addMan(UpaLevel(1000, 50, 20, 15, 90, 10));
    std::vector<UpaRawinData> recs{a};
    writeFile(dir.file("app.upa"), recs);
    // An existing file keeps its own date; a new one takes the date given.
    for (const char* name : {"app.upa", "fresh.upa"}) {
        UpaFile f;
        f.setDate(Date(1999, 5, 4, 0, Const::MISS, MISS));
        ASSERT_EQ(f.open(dir.file(name).c_str(), FileAttr::APPEND, 0), 1);
        EXPECT_EQ(f.write(a), 1);
    }
    std::vector<UpaRawinData> back = readAll(dir.file("app.upa"));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].getDate().getYear(), 2020);
    EXPECT_EQ(UpaFile(dir.file("fresh.upa").c_str()).getDate().getYear(), 1999);
    EXPECT_EQ(readAll(dir.file("fresh.upa")).size(), 1u);
    dir.write("text.txt", "not an upper-air file\n");
    EXPECT_EQ(UpaFile().open(dir.file("text.txt").c_str(), FileAttr::APPEND, 0), 0);
    EXPECT_EQ(testutil::readFile(dir.file("text.txt")), "not an upper-air file\n");
}

TEST(UpaHyxFile, SurvivesDamagedFiles) {
    ScratchDir dir;
    std::vector<UpaRawinData> recs = lineRecords();
    writeFile(dir.file("good.upa"), recs);
    const std::string good = testutil::readFile(dir.file("good.upa"));

    // Every truncation: never more records than written, each read ends.
    for (size_t n = 0; n < good.size(); n += 37) {
        dir.write("cut.upa", good.substr(0, n));
        EXPECT_LE(readAll(dir.file("cut.upa"), 100).size(), recs.size()) << n;
    }
    // A record without its "$": the next station is swallowed, the rest still read.
    std::string noEnd = good;
    noEnd.erase(noEnd.find(" $\n"), 2);
    dir.write("noend.upa", noEnd);
    auto back = readAll(dir.file("noend.upa"), 100);
    EXPECT_EQ(back.size(), recs.size() - 1);
    EXPECT_STREQ(back.back().getId(), recs.back().getId());

    // Random groups and random bytes after a valid header.
    std::mt19937 rng(12345);
    const std::string alphabet = "0123456789-/X$:. \n\tABCxyz#";
    for (int trial = 0; trial < 10; ++trial) {
        std::string junk = "HYXUPAx\n00Z  7 NOV 20\n";
        for (int i = 0; i < 3000; ++i)
            junk += trial % 2 ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
        dir.write("junk.upa", junk);
        EXPECT_LT(readAll(dir.file("junk.upa"), 5000).size(), 5000u);
        expectSameAsFullRead(dir.file("junk.upa"), "A,x,$,");
        UpaFile f(dir.file("junk.upa").c_str());
        String id;
        int n = 0;
        while (f.readId(id) == 1 && n < 5000) ++n;
        EXPECT_LT(n, 5000);
    }

    // Oversized: 10,000 significant levels and a 200-character header token.
    std::string big = "HYXUPAx\n00Z  7 NOV 20\n" + std::string(200, 'K') + ":ID:1:2 ";
    for (int i = 0; i < 16; ++i) big += "X X X ";
    big += "X X X X X\n";
    for (int i = 0; i < 10000; ++i) big += std::to_string(900 - i % 800) + " 10005 ";
    big += "X\n00 27010 $\n";
    big += "12345:NEXT X X X $\n";
    dir.write("big.upa", big);
    back = readAll(dir.file("big.upa"), 10);
    ASSERT_GE(back.size(), 1u);
    EXPECT_EQ(back[0].getNumSig(), UpaRawinData::max_sig);
    EXPECT_LE(std::string(back[0].getId()).size(), 10u);
    EXPECT_STREQ(back.back().getId(), "NEXT");
}

TEST(UpaTool, DecodedSoundingsSurviveTheFileWithinItsResolution) {
    // IEM 4 May 1999 00 UTC soundings (every level with its height) through unmerge, the
    // file and merge: temperatures to a few tenths, heights to the decametres the file
    // keeps, winds to the thousand-foot sampling of the wind section.
    ScratchDir dir;
    std::vector<UpaData> src;
    std::vector<UpaRawinData> recs;
    for (const char* st : {"KGJT", "KDNR", "KLBF", "KOAX", "KDVN", "KILX"}) {
        UpaData d;
        d.setId(st);
        d.setDate(Date(1999, 5, 4, 0, Const::MISS, MISS));
        for (const fixtures::IemLevel& l : fixtures::iemLevels(st))
            d.addLevel(UpaLevel(l.p, l.h, l.t, l.td, l.dir, l.spd));
        ASSERT_GT(d.getNum(), 50) << st;
        UpaRawinData r;
        ASSERT_EQ(UpaTool::unmerge(d, r), 1);
        src.push_back(d);
        recs.push_back(r);
    }
    writeFile(dir.file("iem.upa"), recs);
    std::vector<UpaRawinData> back = readAll(dir.file("iem.upa"));
    ASSERT_EQ(back.size(), src.size());
    for (size_t k = 0; k < src.size(); ++k) {
        const UpaData& d = src[k];
        SCOPED_TRACE(d.getId());
        UpaData m;
        UpaTool::merge(back[k], m);
        // The surface: the lowest level with a temperature. The file has no elevation:
        // the merge integrates it from the heights of the standard levels.
        int s = 0;
        while (!d.validTemp(s)) ++s;
        EXPECT_FLOAT_EQ(m.getSfcPres(), std::floor(d.getPres(s)));
        EXPECT_NEAR(m.getElev(), d.getHght(s), 10);
        UpaLevel ms;
        ASSERT_EQ(m.getSfc(ms), 1);
        expectLevel(d.getLevel(s), ms, "surface");
        double sum2 = 0;
        int nw = 0;
        for (int i = s + 1; i < d.getNum(); ++i) {
            const float p = d.getPres(i);
            if (p < 100) break;
            UpaLevel o;
            m.interp(VCoord::PRESS, p, o);
            const std::string what = std::to_string(p);
            if (d.validTemp(i)) {
                // Significant levels are kept at whole mb.
                m.interp(VCoord::PRESS, std::floor(p), o);
                EXPECT_NEAR(o.getTemp(), d.getTemp(i), 0.15) << what;
            }
            if (d.validSpd(i) && d.validDir(i)) {
                m.interp(VCoord::HGHT, d.getHght(i), o);
                ASSERT_NE(o.getWSpd(), MISS) << what;
                const double du =
                    Calc::windU(o.getWDir(), o.getWSpd()) - Calc::windU(d.getDir(i), d.getSpd(i));
                const double dv =
                    Calc::windV(o.getWDir(), o.getWSpd()) - Calc::windV(d.getDir(i), d.getSpd(i));
                sum2 += du * du + dv * dv;
                ++nw;
            }
        }
        ASSERT_GT(nw, 20);
        EXPECT_LT(std::sqrt(sum2 / nw), 3.0); // root-mean-square vector error, knots
    }
}
