// The upaconv tool: decoded soundings as text into upper-air files.
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"

#include "SoundingFixtures.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

using namespace HYX;
using testutil::ScratchDir;

namespace {

testutil::RunResult upaconv(const std::string& args) {
    return testutil::run(std::string(HYX_UPACONV) + " " + args);
}

std::string iemText(const std::string& st) {
    std::string out = "STATION " + st + " - - - -\n";
    for (const fixtures::IemLevel& l : fixtures::iemLevels(st)) {
        for (float x : {l.p, l.h, l.t, l.td, l.dir, l.spd})
            out += (x == Const::FMISS ? std::string("M") : std::to_string(x)) + " ";
        out.back() = '\n';
    }
    return out;
}

} // namespace

TEST(Upaconv, WritesStationsWithTheirFlagsAndDate) {
    ScratchDir dir;
    dir.write("in.txt", "# two soundings\n"
                        "DATE 2026120412\n"
                        "STATION ABC 12345 40.5 -100.25 800\n"
                        "1000 -20 M M M M\n"
                        "925 610 - - - -\n"
                        "920.4 800 20.2 10.1 180 10 S\n"
                        "850 1480 15.0 5.0 200 20\n"
                        "700 3100 5.0 -5.0 240 35\n"
                        "500 5750 -12.0 -30.0 250 50 W\n"
                        "250 10500 -50.0 -60.0 260 80\n"
                        "210 11500 -55.0 -65.0 265 70 T\n"
                        "END\n"
                        "STATION XYZ - - - -\n"
                        "850 1500 10 5 90 5\n"
                        "700 3100 0 -5 100 10\n");
    const auto r = upaconv("-o " + dir.file("out.upa") + " " + dir.file("in.txt"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("2 soundings"), std::string::npos);
    UpaFile f(dir.file("out.upa").c_str());
    ASSERT_TRUE(f.isOpen());
    EXPECT_EQ(f.getDate().getHour(), 12);
    EXPECT_EQ(f.getDate().getDay(), 4);
    UpaRawinData a, b;
    ASSERT_EQ(f.read(a), 1);
    ASSERT_EQ(f.read(b), 1);
    EXPECT_EQ(f.read(a), 0);
    ASSERT_EQ(f.rewind(), 1);
    ASSERT_EQ(f.read(a), 1);
    EXPECT_STREQ(a.getId(), "ABC");
    EXPECT_EQ(a.getWmo(), 12345);
    EXPECT_NEAR(a.getLon(), -100.25, 1e-4);
    EXPECT_FLOAT_EQ(a.getManPr(a.getSfc()), 920);
    EXPECT_FLOAT_EQ(a.getManPr(a.getTrop()), 210);
    EXPECT_FLOAT_EQ(a.getManPr(a.getMaxWnd()), 500);
    UpaData d;
    UpaTool::merge(a, d);
    UpaLevel o;
    d.interp(VCoord::PRESS, 1000, o);
    EXPECT_FLOAT_EQ(o.getHght(), -20); // below ground, kept as reported
    EXPECT_EQ(o.getTemp(), Const::FMISS);
    d.interp(VCoord::PRESS, 850, o);
    EXPECT_FLOAT_EQ(o.getTemp(), 15);
    EXPECT_STREQ(b.getId(), "XYZ");
    EXPECT_FLOAT_EQ(b.getManPr(b.getSfc()), 850); // the lowest level with a temperature
}

TEST(Upaconv, ReportsBadInputAndUsage) {
    ScratchDir dir;
    dir.write("bad.txt", "1000 10 20 10 0 0\n"
                         "STATION OK\n"
                         "850 1500 10\n"
                         "nonsense 1 2 3 4 5\n"
                         "700 3000 0 -5 200 20\n");
    auto r = upaconv("-d 2020110700 -o " + dir.file("bad.upa") + " " + dir.file("bad.txt"));
    EXPECT_EQ(r.status, 1);
    for (const char* msg :
         {"bad.txt line 1: level outside a station", "line 3: a level needs p h t td dir spd",
          "line 4: level without pressure"})
        EXPECT_NE(r.err.find(msg), std::string::npos) << msg << "\n" << r.err;
    UpaFile f(dir.file("bad.upa").c_str());
    UpaRawinData a;
    EXPECT_EQ(f.read(a), 1); // the good level still makes a sounding
    EXPECT_EQ(f.getDate().getYear(), 2020);
    EXPECT_EQ(upaconv("").status, 2);
    EXPECT_EQ(upaconv("-o x.upa " + dir.file("none.txt")).status, 1);
    r = upaconv("-h");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("STATION id wmo lat lon elev"), std::string::npos);
}

TEST(Upaconv, RealSoundingsKeepTheirHeightsAndAppend) {
    ScratchDir dir;
    dir.write("gjt.txt", "DATE 1999050400\n" + iemText("KGJT"));
    dir.write("oax.txt", iemText("KOAX"));
    ASSERT_EQ(upaconv("-o " + dir.file("line.upa") + " " + dir.file("gjt.txt")).status, 0);
    ASSERT_EQ(upaconv("-a -o " + dir.file("line.upa") + " " + dir.file("oax.txt")).status, 0);
    UpaFile f(dir.file("line.upa").c_str());
    EXPECT_EQ(f.getDate().getYear(), 1999);
    for (const char* st : {"KGJT", "KOAX"}) {
        UpaRawinData raw;
        ASSERT_EQ(f.read(raw), 1);
        EXPECT_STREQ(raw.getId(), st);
        UpaData d;
        UpaTool::merge(raw, d);
        int n = 0;
        for (const fixtures::IemLevel& l : fixtures::iemLevels(st)) {
            if (l.t == Const::FMISS || l.p < 100 || l.p > d.getSfcPres()) continue;
            UpaLevel o;
            d.interp(VCoord::PRESS, l.p, o);
            EXPECT_NEAR(o.getHght(), l.h, 12) << st << " " << l.p;
            ++n;
        }
        EXPECT_GT(n, 30);
    }
}

TEST(Upaconv, CodedReportsBecomeSoundings) {
    // Omaha's part A gives 500 hPa at 5870 m and -6.9 C (50587 06975); the station file
    // its identifier and position. Reports without levels are left out.
    ScratchDir dir;
    dir.write("nil.txt", "TTAA 72576 NIL=\nTTAA 6300/ 72214 51515 10148=\n");
    const std::string args = "-o " + dir.file("c.upa") + " " +
                             fixtures::dataPath("kwbc_line_2022071300_reports.txt") + " " +
                             dir.file("nil.txt");
    EXPECT_EQ(upaconv("-c " + args).status, 2); // no year and month
    const auto r = upaconv("-c -d 202207 -s " + std::string(HYX_SHARE) + "/upa.cty " + args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("5 soundings"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("K2214 has no levels, skipped"), std::string::npos) << r.err;
    UpaFile f(dir.file("c.upa").c_str());
    EXPECT_EQ(f.getDate().getDay(), 13);
    EXPECT_EQ(f.getDate().getYear(), 2022);
    UpaData d;
    ASSERT_TRUE(UpaTool::getStation(dir.file("c.upa").c_str(), "OAX", d));
    EXPECT_NEAR(d.getLat(), 41.32, 0.01);
    EXPECT_NEAR(d.getLon(), -96.37, 0.01);
    UpaLevel o;
    d.interp(VCoord::PRESS, 500, o);
    EXPECT_NEAR(o.getHght(), 5870, 0.5);
    EXPECT_NEAR(o.getTemp(), -6.9, 0.05);
}
