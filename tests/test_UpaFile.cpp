// Upper-air files: group codecs, writing and reading real soundings, detection of the
// file kind, and survival of damaged files.
#include "HYX/Calc.h"
#include "HYX/String.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaHyxFile.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"

#include "SoundingFixtures.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace HYX;
using testutil::ScratchDir;

namespace {

constexpr float MISS = Const::FMISS;
const int LINE_STATIONS[] = {72469, 72476, 72562, 72558, 74455, 74560};

struct PH {
    float p, h;
};

PH ph(const char* g) {
    PH r{0, 0};
    UpaHyxFile::decodePH(g, r.p, r.h);
    return r;
}

std::string enc(int (*f)(float, float, char*), float a, float b) {
    char g[UpaHyxFile::GROUP_SIZE];
    f(a, b, g);
    return g;
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

} // namespace

TEST(UpaHyxFile, DecodesPressureHeightGroupsAsTheTempCode) {
    EXPECT_FLOAT_EQ(ph("00105").p, 1000);
    EXPECT_FLOAT_EQ(ph("00105").h, 105);
    EXPECT_FLOAT_EQ(ph("00550").h, -50); // below sea level
    EXPECT_FLOAT_EQ(ph("92800").p, 925);
    EXPECT_FLOAT_EQ(ph("92800").h, 800);
    EXPECT_FLOAT_EQ(ph("85500").h, 1500);
    EXPECT_FLOAT_EQ(ph("70010").p, 700);
    EXPECT_FLOAT_EQ(ph("70010").h, 3010);
    EXPECT_FLOAT_EQ(ph("70950").h, 2950);
    EXPECT_FLOAT_EQ(ph("50570").h, 5700);
    EXPECT_FLOAT_EQ(ph("40740").h, 7400);
    EXPECT_FLOAT_EQ(ph("30910").h, 9100);
    EXPECT_FLOAT_EQ(ph("25040").h, 10400);
    EXPECT_FLOAT_EQ(ph("10640").h, 16400);
    EXPECT_FLOAT_EQ(ph("05060").h, 20600);
    EXPECT_FLOAT_EQ(ph("05960").h, 19600);
    EXPECT_FLOAT_EQ(ph("01100").h, 31000);
    EXPECT_FLOAT_EQ(ph("01650").h, 26500);
    EXPECT_FLOAT_EQ(ph("-7332").p, 7);
    EXPECT_FLOAT_EQ(ph("-7332").h, 33320);
    EXPECT_FLOAT_EQ(ph("-2100").h, 41000);
    EXPECT_FLOAT_EQ(ph("-1100").h, 51000);
    float p, h;
    EXPECT_EQ(UpaHyxFile::decodePH("85/", p, h), 1);
    EXPECT_FLOAT_EQ(p, 850);
    EXPECT_EQ(h, MISS);
    EXPECT_EQ(UpaHyxFile::decodePH("99999", p, h), 0);
    EXPECT_EQ(p, MISS);
    EXPECT_EQ(UpaHyxFile::decodePH("X", p, h), -1);
    EXPECT_EQ(UpaHyxFile::decodePH("88134", p, h), 1);
    EXPECT_FLOAT_EQ(h, 134); // tropopause: the digits are the pressure
    EXPECT_EQ(UpaHyxFile::decodePH("ab#de", p, h), 0);
}

TEST(UpaHyxFile, DecodesTemperatureAndWindGroups) {
    float t, td;
    EXPECT_EQ(UpaHyxFile::decodeTD("15325", t, td), 1);
    EXPECT_NEAR(t, -15.3, 1e-5);
    EXPECT_NEAR(td, -17.8, 1e-5);
    UpaHyxFile::decodeTD("12056", t, td);
    EXPECT_NEAR(t, 12.0, 1e-5);
    EXPECT_NEAR(td, 6.0, 1e-5);
    UpaHyxFile::decodeTD("12099", t, td);
    EXPECT_NEAR(t, 12.0, 1e-5);
    EXPECT_EQ(td, MISS);
    EXPECT_EQ(UpaHyxFile::decodeTD("99999", t, td), 0);
    EXPECT_EQ(t, MISS);
    EXPECT_EQ(UpaHyxFile::decodeTD("X", t, td), -1);
    UpaHyxFile::decodeTD("183//", t, td);
    EXPECT_NEAR(t, -18.3, 1e-5);
    EXPECT_EQ(td, MISS);

    float d, s;
    EXPECT_EQ(UpaHyxFile::decodeWD("27045", d, s), 1);
    EXPECT_FLOAT_EQ(d, 270);
    EXPECT_FLOAT_EQ(s, 45);
    UpaHyxFile::decodeWD("27615", d, s);
    EXPECT_FLOAT_EQ(d, 275);
    EXPECT_FLOAT_EQ(s, 115);
    EXPECT_EQ(UpaHyxFile::decodeWD("99999", d, s), 1);
    EXPECT_EQ(d, MISS);
    UpaHyxFile::decodeWD("27360", d, s); // 3 x 100 + 60 knots is not a wind
    EXPECT_EQ(d, MISS);
    EXPECT_EQ(s, MISS);
    UpaHyxFile::decodeWD("36510", d, s); // 365 degrees is not either
    EXPECT_EQ(d, MISS);
    EXPECT_EQ(UpaHyxFile::decodeWD("X", d, s), 0);
    EXPECT_EQ(UpaHyxFile::decodeWD("/////", d, s), 1);
    EXPECT_EQ(d, MISS);
}

TEST(UpaHyxFile, EncodersRoundTripWithinTheGroupResolution) {
    EXPECT_EQ(enc(UpaHyxFile::encodeTD, -5.3f, MISS).substr(0, 3), "053");
    EXPECT_EQ(enc(UpaHyxFile::encodeTD, 2.0f, -5.0f), "02057");
    float t, td;
    UpaHyxFile::decodeTD("02057", t, td);
    EXPECT_FLOAT_EQ(t, 2);
    EXPECT_FLOAT_EQ(td, -5);
    EXPECT_EQ(enc(UpaHyxFile::encodeTD, MISS, MISS), "99999");
    char g[UpaHyxFile::GROUP_SIZE];
    EXPECT_EQ(UpaHyxFile::encodeTD(MISS, MISS, g), 0);
    EXPECT_EQ(enc(UpaHyxFile::encodeTD, 10, 12), "10000"); // supersaturation: no depression
    for (float tt = -85; tt <= 45; tt += 0.7f) {
        for (float dep : {0.f, 0.4f, 3.3f, 5.5f, 12.f, 44.f}) {
            const std::string grp = enc(UpaHyxFile::encodeTD, tt, tt - dep);
            ASSERT_EQ(grp.size(), 5u) << tt << " " << dep;
            UpaLevel a(0, 0, tt, tt - dep, MISS, MISS), b;
            UpaHyxFile::decodeTD(grp.c_str(), b.t, b.td);
            expectTD(a, b, grp);
        }
    }

    EXPECT_EQ(enc(UpaHyxFile::encodeWD, 273, 115), "27615");
    EXPECT_EQ(enc(UpaHyxFile::encodeWD, 358, 5), "36005");
    EXPECT_EQ(UpaHyxFile::encodeWD(MISS, 5, g), 0);
    EXPECT_STREQ(g, "99999");
    EXPECT_EQ(UpaHyxFile::encodeWD(10, -1, g), 0);
    for (float dir = 0; dir <= 360; dir += 7) {
        for (float spd : {0.f, 9.4f, 99.f, 100.f, 187.f, 249.f}) {
            UpaLevel a(0, 0, MISS, MISS, dir, spd), b;
            UpaHyxFile::decodeWD(enc(UpaHyxFile::encodeWD, dir, spd).c_str(), b.dir, b.spd);
            expectWind(a, b, std::to_string(dir));
        }
    }

    EXPECT_EQ(enc(UpaHyxFile::encodePH, 1000, -50), "00550");
    EXPECT_EQ(enc(UpaHyxFile::encodePH, 925, 800), "92800");
    EXPECT_EQ(enc(UpaHyxFile::encodePH, 850, MISS), "85/");
    EXPECT_EQ(enc(UpaHyxFile::encodePH, 500, 5700), "50570");
    EXPECT_EQ(enc(UpaHyxFile::encodePH, 7, 33250), "-7325");
    EXPECT_EQ(UpaHyxFile::encodePH(MISS, MISS, g), 0);
    // Heights of every standard level across the range its group can hold come back to
    // the metre (above 500 mb) or to the decametre (the group holds decametres there).
    struct Span {
        float p, lo, hi;
    };
    const Span spans[] = {{1000, -400, 480},   {925, 100, 990},     {850, 1000, 1990},
                          {700, 2510, 3490},   {500, 4800, 6100},   {400, 6500, 7900},
                          {300, 8500, 10400},  {250, 9600, 11200},  {200, 11000, 12900},
                          {150, 12800, 14600}, {100, 15000, 17200}, {70, 17000, 19200},
                          {50, 19000, 21500},  {30, 22000, 25000},  {20, 25000, 27500},
                          {10, 28000, 32000},  {7, 31000, 34500},   {5, 33500, 36500},
                          {3, 37000, 40500},   {2, 40000, 43000},   {1, 46000, 51000}};
    for (const Span& sp : spans) {
        for (float h = sp.lo; h <= sp.hi; h += 37) {
            PH r = ph(enc(UpaHyxFile::encodePH, sp.p, h).c_str());
            EXPECT_FLOAT_EQ(r.p, sp.p);
            EXPECT_NEAR(r.h, h, sp.p > 500 ? 1.0 : 10.0) << sp.p << " " << h;
        }
    }
}

TEST(UpaHyxFile, WritesAndReadsBackRealSoundings) {
    ScratchDir dir;
    std::vector<UpaRawinData> orig;
    for (int wmo : LINE_STATIONS) {
        UpaRawinData r;
        ASSERT_TRUE(fixtures::loadGempak("gempak_line_2020110700_parts.csv", wmo, r));
        r.sort();
        orig.push_back(r);
    }
    std::vector<UpaRawinData> written = orig;
    writeFile(dir.file("line.upa"), written);
    const std::string text = testutil::readFile(dir.file("line.upa"));
    EXPECT_EQ(text.substr(0, 22), "HYXUPAx\n00Z  7 NOV 20\n");
    std::vector<UpaRawinData> back = readAll(dir.file("line.upa"));
    ASSERT_EQ(back.size(), orig.size());

    for (size_t k = 0; k < orig.size(); ++k) {
        UpaRawinData& a = orig[k];
        UpaRawinData& b = back[k];
        b.sort();
        SCOPED_TRACE(a.getId());
        EXPECT_STREQ(b.getId(), a.getId());
        EXPECT_EQ(b.getWmo(), a.getWmo());
        EXPECT_NEAR(b.getLat(), a.getLat(), 0.006);
        EXPECT_NEAR(b.getLon(), a.getLon(), 0.006);
        EXPECT_EQ(b.getDate().getDay(), 7);
        EXPECT_EQ(b.getTime(), 0);

        // Standard levels, including those above 10 mb.
        int above10 = 0;
        for (int i = 0; i < a.getNumMan(); ++i) {
            const UpaLevel m = a.getMan(i);
            if (m.getType() != UpaLevel::MAN) continue;
            const UpaLevel r = findMan(b, m.getPres());
            const std::string what = std::to_string(m.getPres());
            ASSERT_EQ(r.getPres(), m.getPres()) << what;
            if (m.getHght() != MISS) {
                EXPECT_NEAR(r.getHght(), m.getHght(), m.getPres() > 500 ? 1 : 10) << what;
            }
            expectTD(m, r, what);
            expectWind(m, r, what);
            above10 += m.getPres() < 10;
        }
        // Surface, first tropopause and first maximum wind.
        ASSERT_NE(b.getSfc(), Const::MISS);
        const UpaLevel sa = a.getMan(a.getSfc()), sb = b.getMan(b.getSfc());
        EXPECT_FLOAT_EQ(sb.getPres(), std::floor(sa.getPres()));
        expectTD(sa, sb, "surface");
        expectWind(sa, sb, "surface wind");
        if (a.getTrop() != Const::MISS) {
            ASSERT_NE(b.getTrop(), Const::MISS);
            const UpaLevel ta = a.getMan(a.getTrop()), tb = b.getMan(b.getTrop());
            EXPECT_FLOAT_EQ(tb.getPres(), ta.getPres());
            EXPECT_EQ(tb.getType(), UpaLevel::TROP);
            expectTD(ta, tb, "tropopause");
            expectWind(ta, tb, "tropopause");
        }
        if (a.getMaxWnd() != Const::MISS) {
            // The group holds whole mb: a maximum wind at 10.7 mb is read at 10 mb, and
            // there it joins the standard level.
            ASSERT_NE(b.getMaxWnd(), Const::MISS);
            const UpaLevel wa = a.getMan(a.getMaxWnd()), wb = b.getMan(b.getMaxWnd());
            EXPECT_FLOAT_EQ(wb.getPres(), std::floor(wa.getPres()));
            if (wb.getType() == UpaLevel::MWND) expectWind(wa, wb, "max wind");
        }
        // Significant levels (standard pressures after the first are left to part A).
        for (int i = 0; i < a.getNumSig(); ++i) {
            const UpaLevel s = a.getSig(i);
            if (i > 0 && UpaLevel::isMandatory(s.getPres())) continue;
            const UpaLevel r = findSig(b, s.getPres());
            ASSERT_EQ(r.getPres(), s.getPres());
            expectTD(s, r, std::to_string(s.getPres()));
        }
        // Wind levels at whole thousands of feet.
        ASSERT_EQ(b.getNumWnd(), a.getNumWnd());
        for (int i = 0; i < a.getNumWnd(); ++i) {
            EXPECT_FLOAT_EQ(b.getWndHt(i), a.getWndHt(i));
            expectWind(a.getWnd(i), b.getWnd(i), std::to_string(a.getWndHt(i)));
        }
        if (a.getWmo() == 72562) {
            EXPECT_EQ(above10, 1); // North Platte reached 7 mb
        }
    }
}

TEST(UpaHyxFile, KeepsSurfacesAbove1000mbAndLevelsAbove10mb) {
    UpaRawinData r;
    r.setId("TEST", 1, 51.5f, -0.1f);
    r.setElev(20);
    UpaLevel s(1013.4f, MISS, 12.4f, 10.2f, 240, 12);
    s.setType(UpaLevel::SIG);
    r.addSig(s);
    s.setType(UpaLevel::SFC);
    r.setSfc(r.addMan(s));
    r.addSig(UpaLevel(1005, MISS, 11.8f, 9.6f, MISS, MISS));
    r.addSig(UpaLevel(850, MISS, 2.2f, -3.0f, MISS, MISS)); // a standard pressure: left out
    r.addSig(UpaLevel(45, MISS, -60.2f, -80.0f, MISS, MISS));
    r.addSig(UpaLevel(7.5f, MISS, -45.6f, -70.1f, MISS, MISS));
    UpaLevel m(850, 1520, 2.2f, -3.0f, 250, 30);
    m.setType(UpaLevel::MAN);
    r.addMan(m);
    for (float p : {5.f, 7.f, 3.f}) {
        UpaLevel u(p, 30000 + (10 - p) * 1000, -40, MISS, 90, 20);
        u.setType(UpaLevel::MAN);
        r.addMan(u);
    }
    UpaLevel w(MISS, 3000, MISS, MISS, 255, 25);
    w.setType(UpaLevel::WND);
    r.addWnd(w);
    r.sort();

    ScratchDir dir;
    std::vector<UpaRawinData> recs{r};
    writeFile(dir.file("one.upa"), recs);
    const std::string text = testutil::readFile(dir.file("one.upa"));
    EXPECT_NE(text.find("\n013 12422 005 11822 "), std::string::npos) << text;
    EXPECT_NE(text.find("  45 "), std::string::npos) << text;
    EXPECT_NE(text.find(" 7.5 "), std::string::npos) << text;
    EXPECT_NE(text.find("\n00 24012 03 25525 $\n"), std::string::npos) << text; // 3000 ft
    EXPECT_EQ(text.find(" 850 "), std::string::npos) << text; // a standard level: in part A
    EXPECT_NE(text.find(" 85520 02250 25030\n"), std::string::npos) << text;
    EXPECT_NE(text.find("-7300 39999 09020 -5500 "), std::string::npos) << text;

    std::vector<UpaRawinData> back = readAll(dir.file("one.upa"));
    ASSERT_EQ(back.size(), 1u);
    UpaRawinData& b = back[0];
    EXPECT_FLOAT_EQ(b.getSigPr(0), 1013);
    EXPECT_FLOAT_EQ(b.getSigPr(1), 1005);
    EXPECT_FLOAT_EQ(b.getSigPr(2), 45);
    EXPECT_FLOAT_EQ(b.getSigPr(3), 7.5f);
    EXPECT_EQ(b.getNumSig(), 4);
    EXPECT_NEAR(findSig(b, 7.5f).getTemp(), -45.6, 0.11);
    EXPECT_FLOAT_EQ(b.getManPr(b.getSfc()), 1013);
    EXPECT_FLOAT_EQ(b.getMan(b.getSfc()).getWDir(), 240); // from the surface wind at 00
    EXPECT_FLOAT_EQ(b.getWndHt(0), 0);
    EXPECT_FLOAT_EQ(b.getWndHt(1), 3000);
    for (float p : {7.f, 5.f, 3.f}) {
        const UpaLevel u = findMan(b, p);
        EXPECT_FLOAT_EQ(u.getPres(), p);
        EXPECT_NEAR(u.getHght(), 30000 + (10 - p) * 1000, 10);
    }
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
    EXPECT_EQ(f.read(x), 1);
    EXPECT_STREQ(x.getId(), "SHORT");

    // One station straight from the file, as received or merged.
    EXPECT_EQ(UpaTool::getStation(dir.file("ids.upa").c_str(), "short", x), 1);
    EXPECT_EQ(x.getWmo(), 99002);
    UpaData d;
    EXPECT_EQ(UpaTool::getStation(dir.file("ids.upa").c_str(), "LONG", d), 1);
    EXPECT_EQ(d.getNum(), 200);
    EXPECT_EQ(UpaTool::getStation(dir.file("ids.upa").c_str(), "NONE", d), 0);
    EXPECT_EQ(d.getNum(), 0);
    EXPECT_EQ(UpaTool::getStation(dir.file("missing.upa").c_str(), "LONG", x), 0);
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
    String id;
    EXPECT_EQ(cdf.read(r), 0);
    EXPECT_EQ(cdf.readId(id), 0);
    EXPECT_EQ(cdf.write(r), 0);
    EXPECT_FALSE(cdf.getDate().isSet());
    UpaFile other(dir.file("other.txt").c_str());
    EXPECT_FALSE(other.isOpen());
    EXPECT_EQ(other.read(r), 0);
    UpaFile missing(dir.file("none").c_str());
    EXPECT_FALSE(missing.isOpen());
    // Detection is for reading and appending; writing names its kind.
    UpaFile w;
    EXPECT_EQ(w.open(dir.file("new.upa").c_str(), FileAttr::WRITE, 0), 0);
    EXPECT_EQ(w.open(dir.file("new.upa").c_str(), FileAttr::WRITE, UpaFile::REFUSED), 0);
    // An empty upper-air file opens through the reader and yields nothing.
    UpaHyxFile e;
    EXPECT_EQ(e.open(dir.file("empty.upa").c_str(), FileAttr::READ), 1);
    EXPECT_EQ(e.read(r), 0);
    EXPECT_EQ(e.readId(id), 0);
}

TEST(UpaFile, AppendsToAnExistingFileUnderItsDate) {
    ScratchDir dir;
    UpaRawinData a, b;
    a.setId("AAA", 10001, 1, 2);
    a.addMan(UpaLevel(1000, 50, 20, 15, 90, 10));
    b.setId("BBB", 10002, 3, 4);
    b.addMan(UpaLevel(850, 1500, 10, 5, 180, 20));
    std::vector<UpaRawinData> recs{a};
    writeFile(dir.file("app.upa"), recs);
    {
        UpaFile f;
        f.setDate(Date(1999, 5, 4, 0, Const::MISS, MISS)); // the file keeps its own date
        ASSERT_EQ(f.open(dir.file("app.upa").c_str(), FileAttr::APPEND, 0), 1);
        EXPECT_EQ(f.write(b), 1);
    }
    {
        UpaFile f;
        f.setDate(Date(1999, 5, 4, 0, Const::MISS, MISS));
        ASSERT_EQ(f.open(dir.file("fresh.upa").c_str(), FileAttr::APPEND, 0), 1);
        EXPECT_EQ(f.write(b), 1);
    }
    UpaFile f(dir.file("app.upa").c_str());
    EXPECT_EQ(f.getDate().getYear(), 2020);
    std::vector<UpaRawinData> back = readAll(dir.file("app.upa"));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_STREQ(back[1].getId(), "BBB");
    EXPECT_EQ(back[1].getDate().getYear(), 2020);
    UpaFile g(dir.file("fresh.upa").c_str());
    EXPECT_EQ(g.getDate().getYear(), 1999);
    EXPECT_EQ(readAll(dir.file("fresh.upa")).size(), 1u);
    dir.write("text.txt", "not an upper-air file\n");
    UpaFile t;
    EXPECT_EQ(t.open(dir.file("text.txt").c_str(), FileAttr::APPEND, 0), 0);
    EXPECT_EQ(testutil::readFile(dir.file("text.txt")), "not an upper-air file\n");
}

TEST(UpaHyxFile, SurvivesDamagedFiles) {
    ScratchDir dir;
    std::vector<UpaRawinData> recs;
    for (int wmo : LINE_STATIONS) {
        UpaRawinData r;
        ASSERT_TRUE(fixtures::loadGempak("gempak_line_2020110700_parts.csv", wmo, r));
        r.sort();
        recs.push_back(r);
    }
    writeFile(dir.file("good.upa"), recs);
    const std::string good = testutil::readFile(dir.file("good.upa"));

    // Every truncation: never more records than written, each read ends.
    for (size_t n = 0; n < good.size(); n += 37) {
        dir.write("cut.upa", good.substr(0, n));
        const auto back = readAll(dir.file("cut.upa"), 100);
        EXPECT_LE(back.size(), recs.size()) << n;
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
    for (int trial = 0; trial < 40; ++trial) {
        std::string junk = "HYXUPAx\n00Z  7 NOV 20\n";
        for (int i = 0; i < 3000; ++i) {
            if (trial % 2)
                junk += static_cast<char>(rng() % 256);
            else
                junk += alphabet[rng() % alphabet.size()];
        }
        dir.write("junk.upa", junk);
        const auto j = readAll(dir.file("junk.upa"), 5000);
        EXPECT_LT(j.size(), 5000u);
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

    // A header line far longer than a date.
    dir.write("longdate.upa", "HYXUPAx\n" + std::string(500, '7') + "\n12345:ABC X X X $\n");
    back = readAll(dir.file("longdate.upa"), 10);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_STREQ(back[0].getId(), "ABC");

    // An empty file and a file holding only the magic word.
    dir.write("empty.upa", "");
    EXPECT_TRUE(readAll(dir.file("empty.upa")).empty());
    dir.write("magic.upa", "HYXUPAx");
    EXPECT_TRUE(readAll(dir.file("magic.upa")).empty());
}

TEST(UpaTool, DecodedSoundingsSurviveTheFileWithinItsResolution) {
    // IEM 4 May 1999 00 UTC soundings (every level with its height) through unmerge, the
    // file and merge: temperatures to a few tenths, heights to the decametres the file
    // keeps, winds to the thousand-foot sampling of the wind section.
    ScratchDir dir;
    const char* stations[] = {"KGJT", "KDNR", "KLBF", "KOAX", "KDVN", "KILX"};
    std::vector<UpaData> src;
    std::vector<UpaRawinData> recs;
    for (const char* st : stations) {
        UpaData d;
        d.setId(st);
        d.setDate(Date(1999, 5, 4, 0, Const::MISS, MISS));
        for (const fixtures::IemLevel& l : fixtures::iemLevels(st))
            d.addLevel(UpaLevel(l.p, l.h, l.t, l.td, l.dir, l.spd));
        ASSERT_GT(d.getNum(), 50) << st;
        UpaRawinData r;
        ASSERT_EQ(UpaTool::unmerge(d, r), 1);
        EXPECT_NE(r.getSfc(), Const::MISS);
        EXPECT_GT(r.getNumWnd(), 20) << st;
        EXPECT_FLOAT_EQ(r.getWndHt(0), 0);
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
        expectTD(d.getLevel(s), ms, "surface");
        expectWind(d.getLevel(s), ms, "surface");
        double sum2 = 0;
        int nw = 0;
        for (int i = s + 1; i < d.getNum(); ++i) {
            const float p = d.getPres(i);
            if (p < 100) break;
            UpaLevel o;
            m.interp(VCoord::PRESS, p, o);
            const std::string what = std::to_string(p);
            if (d.validTemp(i)) {
                EXPECT_NEAR(o.getHght(), d.getHght(i), 12) << what;
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
                EXPECT_LT(std::sqrt(du * du + dv * dv), 12) << what;
                sum2 += du * du + dv * dv;
                ++nw;
            }
        }
        ASSERT_GT(nw, 20);
        EXPECT_LT(std::sqrt(sum2 / nw), 3.0); // root-mean-square vector error, knots
    }
}
