// The upaconv program: soundings of every supported format into upper-air files named by
// observation time, station identity, off-hour soundings, coded reports, bad input.
#include "HYX/Hyx.h"
#include "HYX/String.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaFileSet.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"

#include "SoundingFixtures.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <dirent.h>

using namespace HYX;
using testutil::ScratchDir;

namespace {

// Runs upaconv in dir with a clean environment.
testutil::RunResult upaconv(const ScratchDir& dir, const std::string& args) {
    std::string cmd = "cd " + testutil::shellQuote(dir.file("")) + " && env -i PATH=/usr/bin:/bin";
    if (const char* asan = std::getenv("ASAN_OPTIONS"))
        cmd += " " + testutil::shellQuote(std::string("ASAN_OPTIONS=") + asan);
    return testutil::run(cmd + " " + HYX_UPACONV + " " + args);
}

std::string data(const std::string& name) { return testutil::shellQuote(fixtures::dataPath(name)); }

std::vector<std::string> files(const ScratchDir& dir) {
    std::vector<std::string> out;
    if (DIR* d = opendir(dir.file("").c_str())) {
        while (const dirent* e = readdir(d))
            if (e->d_name[0] != '.') out.push_back(e->d_name);
        closedir(d);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> ids(const std::string& path) {
    std::vector<std::string> out;
    UpaFile f(path.c_str());
    UpaRawinData r;
    while (f.read(r) == 1) out.push_back(r.getId());
    return out;
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

TEST(Upaconv, PagesBecomeFilesByTimeWithTheStationFilesIdentifiers) {
    // Two Wyoming pages and one saying its sounding is missing: one file of 00 UTC 18 May
    // 1980, identifiers from upa.cty (no -s), levels as the pages give them.
    ScratchDir dir;
    const auto r = upaconv(dir, data("wyoming_BOI_1980051800.html") + " " +
                                    data("wyoming_SLC_1980051800.html") + " " +
                                    data("wyoming_UIL_1980051900_missing.html"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("2 soundings written to ./1980051800_upa.cvt"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("1 report skipped: no sounding in the report"), std::string::npos);
    EXPECT_NE(r.err.find("Can't get 72797 UIL Quillayute"), std::string::npos);
    EXPECT_EQ(files(dir), std::vector<std::string>{"1980051800_upa.cvt"});
    const std::string out = dir.file("1980051800_upa.cvt");
    EXPECT_EQ(testutil::readFile(out).substr(0, 22), "HYXUPAx\n00Z 18 MAY 80\n");
    EXPECT_EQ(ids(out), (std::vector<std::string>{"KBOI", "KSLC"}));
    UpaData boi;
    ASSERT_TRUE(UpaTool::getStation(out.c_str(), "KBOI", boi));
    EXPECT_FLOAT_EQ(boi.getLat(), 43.56f); // the page's position, not the station file's
    UpaLevel l;
    boi.interp(VCoord::PRESS, 500, l);
    EXPECT_NEAR(l.getHght(), 5740, 0.5); // 500.0 5740 -16.5 -32.5 15 6 on the page
    EXPECT_NEAR(l.getTemp(), -16.5, 0.05);
    EXPECT_NEAR(l.getDewpt(), -32.5, 0.05);
    EXPECT_NEAR(boi.getSfcPres(), 917, 0.05);
    EXPECT_NEAR(boi.getSfcHght(), 874, 15); // not stored in the file: from 1000 and 850 hPa
    const auto v = testutil::runVsect({"-id", "KBOI,KSLC", "-de", "p,x.ps", out}, dir.file(""));
    EXPECT_EQ(v.status, 0) << v.err;

    // -k keeps the pages' own identifiers; an existing file is replaced whole.
    ASSERT_EQ(upaconv(dir, "-k " + data("wyoming_BOI_1980051800.html")).status, 0);
    EXPECT_EQ(ids(out), std::vector<std::string>{"BOI"});
    EXPECT_EQ(files(dir), (std::vector<std::string>{"1980051800_upa.cvt", "x.ps"}));
}

TEST(Upaconv, EveryFormatIsRecognisedAndFiledByItsTime) {
    ScratchDir dir;
    const auto r = upaconv(
        dir, data("igra_USM00072681_1980051800.zip") + " " + data("bufr_temp_101.bufr") + " " +
                 data("wyoming_OUN_1999050400.csv") + " " + data("iem_line_1999050400.csv"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(files(dir), (std::vector<std::string>{"1980051800_upa.cvt", "1980051812_upa.cvt",
                                                    "1999050400_upa.cvt", "2012103000_upa.cvt"}));
    // The launch at 23:02 belongs to 00 UTC; positions from the station file where the
    // input has none (IEM), the station by its position where it has no name (Wyoming CSV).
    EXPECT_EQ(ids(dir.file("1999050400_upa.cvt")),
              (std::vector<std::string>{"KOUN", "KGJT", "KDNR", "KLBF", "KOAX", "KDVN", "KILX"}));
    EXPECT_EQ(ids(dir.file("2012103000_upa.cvt")), std::vector<std::string>{"PABE"});
    UpaData gjt;
    ASSERT_TRUE(UpaTool::getStation(dir.file("1999050400_upa.cvt").c_str(), "KGJT", gjt));
    EXPECT_NEAR(gjt.getLat(), 39.12, 0.01);
    UpaData boi;
    ASSERT_TRUE(UpaTool::getStation(dir.file("1980051812_upa.cvt").c_str(), "KBOI", boi));
    UpaLevel l;
    boi.interp(VCoord::PRESS, 700, l);
    EXPECT_NEAR(l.getHght(), 3124, 0.5);
    EXPECT_NEAR(l.getTemp(), 0.6, 0.05);
}

TEST(Upaconv, OffHourSoundingsGoToTheirNominalOrTheirOwnTime) {
    ScratchDir dir;
    auto r = upaconv(dir, data("spc_OAX_2014061619.txt"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("note: KOAX observed 19:00 UTC 16 JUN 2014 goes into the 00 UTC file "
                         "./2014061700_upa.cvt"),
              std::string::npos)
        << r.out;
    r = upaconv(dir, "-ot " + data("spc_OAX_2014061619.txt"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(files(dir), (std::vector<std::string>{"2014061619_upa.cvt", "2014061700_upa.cvt"}));
    // The file of its own time says so itself.
    const std::string own = dir.file("2014061619_upa.cvt");
    EXPECT_EQ(testutil::readFile(own).substr(0, 22), "HYXUPAx\n19Z 16 JUN 14\n");
    UpaFile f(own.c_str());
    EXPECT_EQ(f.getDate().getHour(), 19);
}

TEST(Upaconv, SoundingsAreFiledAtTheNearestFileTime) {
    // Observation time -> file time with the 12-hourly upa convention, and whether off-hour.
    const struct {
        const char* obs;
        const char* nominal;
        const char* own;
        bool off;
    } TIMES[] = {{"199905032302", "1999050400", "1999050400", false},
                 {"199905041045", "1999050412", "1999050412", false},
                 {"201406161900", "2014061700", "2014061619", true},
                 {"201406161800", "2014061700", "2014061618", true},
                 {"190503011200", "1905030112", "1905030112", false},
                 {"190503011629", "1905030112", "1905030116", true}};
    Hyx::setDatabasePath(HYX_SHARE);
    for (const auto& t : TIMES) {
        SCOPED_TRACE(t.obs);
        for (bool own : {false, true}) {
            UpaFileSet set;
            ASSERT_EQ(set.setConvention("upa_cvt", "."), 1);
            set.setOwnTime(own);
            bool off = false;
            String s;
            set.fileTime(Date((std::string("#") + t.obs).c_str()), off).toText("%Y%m%d%H", s);
            EXPECT_STREQ(s.get(), own ? t.own : t.nominal);
            EXPECT_EQ(off, t.off);
        }
    }
}

TEST(Upaconv, CodedReportsAreDecodedInFullUnlessAskedOtherwise) {
    // Omaha's part A gives 500 hPa at 5870 m and -6.9 C (50587 06975). Reports without
    // levels are skipped and named.
    ScratchDir dir;
    dir.write("nil.txt", "TTAA 72576 NIL=\nTTAA 6300/ 72214 51515 10148=\n");
    const std::string in = data("kwbc_line_2022071300_reports.txt") + " " + dir.file("nil.txt");
    EXPECT_EQ(upaconv(dir, "-c -o c.upa " + in).status, 2); // no year and month
    auto r = upaconv(dir, "-c -d 202207 -o full.upa " + in);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("5 soundings written to full.upa"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("skipped: 72214 has no levels"), std::string::npos) << r.err;
    UpaData d;
    ASSERT_TRUE(UpaTool::getStation(dir.file("full.upa").c_str(), "KOAX", d));
    EXPECT_NEAR(d.getLat(), 41.32, 0.01);
    UpaLevel o;
    d.interp(VCoord::PRESS, 500, o);
    EXPECT_NEAR(o.getHght(), 5870, 0.5);
    EXPECT_NEAR(o.getTemp(), -6.9, 0.05);
    ASSERT_EQ(upaconv(dir, "-c -p -d 202207 -o plain.upa " + in).status, 0);
    EXPECT_NE(testutil::readFile(dir.file("full.upa")), testutil::readFile(dir.file("plain.upa")));
}

TEST(Upaconv, TextSoundingsKeepTheirFlagsAndAppend) {
    ScratchDir dir;
    dir.write("in.txt", "# two soundings\n"
                        "DATE 2026120412\n"
                        "STATION ABC 12345 40.5 -100.25 800\n"
                        "1000 -20 M M M M\n"
                        "920.4 800 20.2 10.1 180 10 S\n"
                        "850 1480 15.0 5.0 200 20\n"
                        "500 5750 -12.0 -30.0 250 50 W\n"
                        "210 11500 -55.0 -65.0 265 70 T\n"
                        "END\n"
                        "STATION XYZ - - - -\n"
                        "850 1500 10 5 90 5\n"
                        "700 3100 0 -5 100 10\n");
    ASSERT_EQ(upaconv(dir, "-k -o out.upa in.txt").status, 0);
    UpaFile f(dir.file("out.upa").c_str());
    EXPECT_EQ(f.getDate().getHour(), 12);
    UpaRawinData a, b;
    ASSERT_EQ(f.read(a), 1);
    ASSERT_EQ(f.read(b), 1);
    EXPECT_STREQ(a.getId(), "ABC");
    EXPECT_EQ(a.getWmo(), 12345);
    EXPECT_FLOAT_EQ(a.getManPr(a.getSfc()), 920);
    EXPECT_FLOAT_EQ(a.getManPr(a.getTrop()), 210);
    EXPECT_FLOAT_EQ(a.getManPr(a.getMaxWnd()), 500);
    EXPECT_STREQ(b.getId(), "XYZ");
    EXPECT_FLOAT_EQ(b.getManPr(b.getSfc()), 850); // the lowest level with a temperature

    // Real soundings appended to one file keep their heights.
    dir.write("gjt.txt", "DATE 1999050400\n" + iemText("KGJT"));
    dir.write("oax.txt", "DATE 1999050400\n" + iemText("KOAX"));
    ASSERT_EQ(upaconv(dir, "-o line.upa gjt.txt").status, 0);
    ASSERT_EQ(upaconv(dir, "-a -o line.upa oax.txt gjt.txt").status, 0);
    EXPECT_EQ(ids(dir.file("line.upa")), (std::vector<std::string>{"KGJT", "KOAX"}));
    UpaData d;
    ASSERT_TRUE(UpaTool::getStation(dir.file("line.upa").c_str(), "KOAX", d));
    int n = 0;
    for (const fixtures::IemLevel& l : fixtures::iemLevels("KOAX")) {
        if (l.t == Const::FMISS || l.p < 100 || l.p > d.getSfcPres()) continue;
        UpaLevel o;
        d.interp(VCoord::PRESS, l.p, o);
        EXPECT_NEAR(o.getHght(), l.h, 12) << l.p;
        ++n;
    }
    EXPECT_GT(n, 30);
}

TEST(Upaconv, BadInputUsageAndExitCodes) {
    ScratchDir dir;
    dir.write("bad.txt", "1000 10 20 10 0 0\n"
                         "STATION OK\n"
                         "DATE 2020110700\n"
                         "850 1500 10\n"
                         "nonsense 1 2 3 4 5\n"
                         "700 3000 0 -5 200 20\n");
    auto r = upaconv(dir, "bad.txt");
    EXPECT_EQ(r.status, 9) << r.err; // written, but not all of the input could be read
    for (const char* msg : {"UpaTextFile: bad.txt line 1: level outside a station",
                            "bad.txt line 4: a level needs p h t td dir spd",
                            "bad.txt line 5: level without pressure"})
        EXPECT_NE(r.err.find(msg), std::string::npos) << msg << "\n" << r.err;
    EXPECT_NE(r.out.find("1 sounding written to ./2020110700_upa.cvt"), std::string::npos);

    dir.write("empty.txt", "nothing to see\n");
    EXPECT_EQ(upaconv(dir, data("wyoming_UIL_1980051900_missing.html")).status, 10);
    EXPECT_EQ(upaconv(dir, "empty.txt").status, 10);
    EXPECT_EQ(upaconv(dir, "none.txt").status, 6);
    EXPECT_EQ(upaconv(dir, "-f grib bad.txt").status, 2);
    EXPECT_EQ(upaconv(dir, "").status, 2);
    EXPECT_EQ(upaconv(dir, "-dp nowhere bad.txt").status, 8);
    EXPECT_EQ(files(dir), (std::vector<std::string>{"2020110700_upa.cvt", "bad.txt", "empty.txt"}));
    // A write that fails (here at a file size limit of nothing; messages through a pipe,
    // which the limit does not cover) leaves the old file as it was.
    const std::string before = testutil::readFile(dir.file("2020110700_upa.cvt"));
    r = testutil::run("cd " + testutil::shellQuote(dir.file("")) +
                      " && (trap '' XFSZ; ulimit -f 0; " + HYX_UPACONV +
                      " -k bad.txt 2>&1; echo status $?) | cat");
    EXPECT_NE(r.out.find("cannot write ./2020110700_upa.cvt.tmp"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("status 8"), std::string::npos) << r.out;
    EXPECT_EQ(testutil::readFile(dir.file("2020110700_upa.cvt")), before);
    EXPECT_EQ(files(dir), (std::vector<std::string>{"2020110700_upa.cvt", "bad.txt", "empty.txt"}));
    r = upaconv(dir, "-h");
    EXPECT_EQ(r.status, 0);
    for (const char* opt : {"-ot", "-k", "-p", "-s FILE", "igra", "bufr", "spc"})
        EXPECT_NE(r.out.find(opt), std::string::npos) << opt;
}
