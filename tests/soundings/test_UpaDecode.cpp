// Decoding coded TEMP and PILOT reports: real reports against an independent decoding, the
// code's special groups, bulletin framing and bad input.
#include "HYX/Hyx.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"
#include "HYX/UpaWmoData.h"
#include "HYX/UpaWmoFile.h"

#include "SoundingFixtures.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace HYX;

namespace {

constexpr float MISS = Const::FMISS;

std::vector<UpaWmoData> reports(const std::string& file) {
    UpaWmoFile f;
    std::vector<UpaWmoData> out;
    UpaWmoData rep;
    if (f.open(fixtures::dataPath(file).c_str()))
        while (f.read(rep) == 1) out.push_back(rep);
    return out;
}

// The reports of one station (of the given part type, or all) decoded into one raw report.
UpaRawinData decoded(const std::vector<UpaWmoData>& reps, const std::string& wmo, int type = 0) {
    UpaRawinData raw;
    for (UpaWmoData rep : reps)
        if (rep.getWmo() == wmo && (!type || type == rep.getType())) UpaTool::decode(rep, raw);
    return raw;
}

UpaRawinData decodedText(int type, const char* text) {
    UpaWmoData rep;
    rep.setType(type);
    rep.setData(text);
    UpaRawinData raw;
    UpaTool::decode(rep, raw);
    return raw;
}

std::string value(float v, const char* fmt = " %g") {
    char buf[32];
    std::snprintf(buf, sizeof buf, fmt, v);
    return v == MISS ? " -" : buf;
}

std::string line(char list, const UpaLevel& l) {
    return std::string(1, list) + value(l.p) + value(l.h) + value(l.t) + value(l.td) +
           value(l.dir) + value(l.spd, " %.4g") +
           (l.type ? " type " + std::to_string(l.type) : "") + "\n";
}

// Every level of a raw report, one line each: list (M, S, W), p, h, t, td, dir, spd, type.
std::string listing(const UpaRawinData& r) {
    std::string s;
    for (int i = 0; i < r.getNumMan(); ++i) s += line('M', r.getMan(i));
    for (int i = 0; i < r.getNumSig(); ++i) s += line('S', r.getSig(i));
    for (int i = 0; i < r.getNumWnd(); ++i) s += line('W', r.getWnd(i));
    return s;
}

void expectNear(float mine, float theirs, float tol, const char* what) {
    if (mine == MISS || theirs == MISS)
        EXPECT_EQ(mine, theirs) << what;
    else
        EXPECT_NEAR(mine, theirs, tol) << what;
}

} // namespace

TEST(UpaDecode, RealPartsAgreeWithAnIndependentDecoding) {
    // GEMPAK's decoding of the same reports, part by part (7 November 2020 00 UTC). Its
    // speeds are m/s to two decimals; ours are knots, as reported (day + 50) or converted
    // from m/s (10035) by 1.944. Speeds are compared in the report's unit: within 0.1 knot
    // (GEMPAK's factor differs from 0.51444 by 0.07 %) or 0.01 m/s. Other tolerances:
    // 0.05 for tenths, 0.5 m for wind heights (GEMPAK rounds feet to whole metres).
    std::map<std::string, std::vector<UpaLevel>> theirs; // by station and part, speeds m/s
    for (const char* csv : {"gempak_line_2020110700_parts.csv", "gempak_TOP_2020110700_parts.csv",
                            "gempak_10035_2020110700_parts.csv"}) {
        std::ifstream in(fixtures::dataPath(csv));
        for (std::string l; std::getline(in, l);) {
            const auto f = fixtures::splitCsv(l);
            using fixtures::num;
            if (f.size() == 8 && f[0] != "STNM")
                theirs[f[0] + " " + f[1]].push_back(
                    UpaLevel(num(f[2]), num(f[3]), num(f[4]), num(f[5]), num(f[6]), num(f[7])));
        }
    }
    // Ours, sorted into GEMPAK's parts.
    std::map<std::string, std::vector<UpaLevel>> ours;
    const auto reps = reports("gempak_2020110700_reports.txt");
    for (const char* wmo :
         {"72469", "72476", "72562", "72558", "74455", "74560", "72456", "10035"}) {
        const std::string st = std::string(wmo) + " ";
        for (int type : {1, 3}) {
            const UpaRawinData r = decoded(reps, wmo, type);
            for (int i = 0; i < r.getNumMan(); ++i) {
                const UpaLevel l = r.getMan(i);
                const std::string c = type == 1 ? "A" : "C";
                ours[st + (l.type & UpaLevel::TROP   ? "TRP" + c
                           : l.type & UpaLevel::MWND ? "MXW" + c
                                                     : "TT" + c + c)]
                    .push_back(l);
            }
        }
        const UpaRawinData b = decoded(reps, wmo, 2), pb = decoded(reps, wmo, 6);
        for (int i = 0; i < b.getNumSig(); ++i) ours[st + "TTBB"].push_back(b.getSig(i));
        for (int i = 0; i < pb.getNumWnd(); ++i) ours[st + "PPBB"].push_back(pb.getWnd(i));
        if (!pb.getNumWnd()) theirs.erase(st + "PPBB"); // winds of a section not read here
    }
    EXPECT_EQ(ours.size(), theirs.size()); // no part that GEMPAK does not have
    int checked = 0;
    for (auto& [key, gem] : theirs) {
        SCOPED_TRACE(key);
        const bool byHeight = key.find("PPBB") != std::string::npos, knots = key[0] != '1';
        std::stable_sort(gem.begin(), gem.end(), [&](const UpaLevel& x, const UpaLevel& y) {
            return byHeight ? x.h < y.h : x.p > y.p;
        });
        // A surface at 1000 hPa and the 1000 hPa level are one level here.
        for (size_t i = 1; !byHeight && i < gem.size(); ++i)
            if (gem[i].p == gem[i - 1].p) {
                gem[i - 1].update(gem[i]);
                gem.erase(gem.begin() + i--);
            }
        const auto& mine = ours[key];
        ASSERT_EQ(mine.size(), gem.size());
        for (size_t i = 0; i < mine.size(); ++i) {
            const UpaLevel &o = mine[i], &g = gem[i];
            SCOPED_TRACE(line('>', o));
            expectNear(o.p, g.p, 0.05f, "p");
            expectNear(byHeight ? o.h * 0.3048f : o.h, g.h, 0.5f, "h");
            expectNear(o.t, g.t, 0.05f, "t");
            // A depression coded 99 is 49 C to GEMPAK and no dew point here.
            if (!(o.td == MISS && o.t != MISS && std::fabs(o.t - 49 - g.td) < 0.05f))
                expectNear(o.td, g.td, 0.05f, "td");
            expectNear(o.dir == MISS ? MISS : std::fmod(o.dir, 360.0f), g.dir, 0.01f, "dir");
            if (knots)
                expectNear(o.spd, g.spd == MISS ? MISS : g.spd / 0.514444f, 0.1f, "knots");
            else
                expectNear(o.spd == MISS ? MISS : o.spd / 1.944f, g.spd, 0.01f, "m/s");
            ++checked;
        }
    }
    EXPECT_GT(checked, 500);
}

TEST(UpaDecode, CodeGroupsDecodeAsTheCodeDefines) {
    // Values decoded by hand from the code tables. Header: id, wmo, area, lat, lon, elev,
    // hhmm, then the surface, tropopause and maximum-wind indices.
    const struct {
        int type;
        const char* text;
        const char* want;
    } cases[] = {
        // Surface; 1000 hPa without groups (the next surface follows at once); winds up to
        // 700 hPa only (Id 7); tropopause; maximum wind with its shear group; section end.
        {1,
         "57127 72558 99013 10457 27045 00105 92800 10457 27045 70010 05000 27045 50570 15325 "
         "40720 15325 88250 55320 29580 77240 27615 41234 31313 58208 ",
         "K2558 72558  - - - 1200 | 0 5 6\n"
         "M 1013 - 10.4 3.4 270 45 type 4\nM 925 800 10.4 3.4 270 45\nM 700 3010 5 5 270 45\n"
         "M 500 5700 -15.3 -17.8 - -\nM 400 7200 -15.3 -17.8 - -\n"
         "M 250 - -55.3 -57.3 295 80 type 16\nM 240 - - - 275 115 type 32\n"
         "S 1013 - 10.4 3.4 270 45 type 4\nW - 0 - - 270 45 type 4\n"},
        // A level under ground; no wind group where one belongs (dd above 36); none reported;
        // regional groups after 51515 are not levels.
        {1,
         "57001 72476 99852 36284 16507 00507 ///// ///// 85497 35484 70199 18070 27504 "
         "88999 77999 51515 10164 00001 ",
         "K2476 72476  - - - 0 | 1 - -\nM 1000 -7 - - - -\nM 852 - 36.2 2.2 165 7 type 4\n"
         "M 850 1497 35.4 1.4 - -\nM 700 3199 18 -2 275 4\nS 852 - 36.2 2.2 165 7 type 4\n"
         "W - 0 - - 165 7 type 4\n"},
        // A real fragment: Jackson's surface at 1000 hPa in part B.
        {2, "72120 72235 00000 24416 11985 23605 ",
         "K2235 72235  - - - 1200 | - - -\nS 1000 - 24.4 22.8 - -\nS 985 - 23.6 23.1 - -\n"},
        // Part B: surface coded 00013; a level without pressure; 21212 ends the levels.
        {2, "57008 72558 00013 12056 11975 08057 22/// ///// 21212 00013 27045 ",
         "K2558 72558  - - - 0 | - - -\nS 1013 - 12 6 - -\nS 975 - 8 1 - -\n"},
        // Pilot part B: thousands of feet; the first missing height is the surface.
        {6, "57008 72558 90/12 15006 15006 18521 9205/ 20547 21050 906// 00508 ",
         "K2558 72558  - - - 0 | - - -\nW - 0 - - 150 6 type 4\nW - 1000 - - 150 6\n"
         "W - 2000 - - 185 21\nW - 6000 - - 5 8\nW - 20000 - - 205 47\nW - 25000 - - 210 50\n"},
        // Pilot part A: one wind at 850 hPa; the surface and 1000 hPa; 77999 ends.
        {5, "59121 96565 55185 00505 44299 18008 20010 77999 ",
         "WI565 96565  - - - 1200 | - - -\nM 1000 - - - 200 10\nM 850 - - - 5 5\n"
         "W - 0 - - 180 8 type 4\n"},
        // Ship: call sign, position (quadrant 7: west), no winds at standard surfaces (Id /).
        {9, "DBBH 5712/ 99545 70205 24011 99012 10457 27045 00105 10457 31313 ",
         "DBBH 99999 SH 54.5 -20.5 0 1200 | 0 - -\nM 1012 - 10.4 3.4 270 45 type 4\n"
         "M 1000 105 10.4 3.4 - -\nS 1012 - 10.4 3.4 270 45 type 4\nW - 0 - - 270 45 type 4\n"},
        // Mobile part B: repeated part identifier, then the elevation group after the square.
        {14, "IIBB MOBX 5712/ 99545 30205 24011 01234 00013 12056 ",
         "MOBX 99999 MO -54.5 20.5 0 1200 | - - -\nS 1013 - 12 6 - -\n"},
        // A NIL report.
        {1, "6300/ 89009 NIL ", " -  - - - - | - - -\n"},
    };
    for (const auto& c : cases) {
        const UpaRawinData r = decodedText(c.type, c.text);
        const std::string head = r.getId() + value(r.getWmo()) + " " + r.getArea() +
                                 value(r.getLat()) + value(r.getLon()) + value(r.getElev()) +
                                 value(r.getTime()) + " |" + value(r.getSfc()) +
                                 value(r.getTrop()) + value(r.getMaxWnd()) + "\n";
        EXPECT_EQ(head + listing(r), c.want) << c.text;
    }
}

TEST(UpaDecode, AcceptedGroupsAreLoggedAtDebugLevel4) {
    Hyx::setMessageLevel("debug4");
    const std::string out =
        testutil::captureOut([] { decodedText(1, "57001 72558 99950 10457 27045 88999 41414 "); });
    Hyx::setMessageLevel("out2");
    EXPECT_EQ(out, "YYGGI: 57001\npphhh: 99950\ntttdd: 10457\ndddss: 27045\npphhh: 88999\n"
                   "Bad mandatory level: 41414 \n");
}

TEST(UpaDecode, BulletinsYieldEachReportPartOnce) {
    // GTS framing (start and end characters, CR CR LF, headings with RRA, station numbers
    // before the part, NIL reports, "=" ends): the parts with data, in file order, as read
    // from the file by eye.
    const auto reps = reports("kwbc_2022071300_bulletins.wmo");
    std::string seen;
    for (const UpaWmoData& r : reps) seen += std::to_string(r.getType()) + ":" + r.getWmo() + " ";
    EXPECT_EQ(seen, "1:72572 1:72632 1:72659 1:72672 1:72712 1:72776 1:72797 2:72201 2:72201 "
                    "2:72201 2:72214 2:72240 1:72214 1:72364 ");
    // Several tropopauses and maximum winds, each wind followed by its shear group.
    const UpaRawinData r = decoded(reps, "72712");
    std::string roles;
    for (int i = 0; i < r.getNumMan(); ++i)
        if (r.getMan(i).type & (UpaLevel::TROP | UpaLevel::MWND)) roles += line('M', r.getMan(i));
    EXPECT_EQ(roles, "M 264 - - - 240 101 type 32\nM 188 - -53.3 -70.3 240 80 type 16\n"
                     "M 176 - - - 245 93 type 32\nM 115 - -58.9 -85.9 245 46 type 16\n");
    // The longest part, shared out over two reports, and its 21212 winds over a third: all
    // 154 levels before 21212, and with the full decoding the winds after it too.
    const UpaRawinData b = decoded(reps, "72201");
    ASSERT_EQ(b.getNumSig(), 154);
    EXPECT_EQ(b.getSigPr(0), 1014);
    EXPECT_EQ(b.getSigPr(153), 100);
    UpaRawinData bw;
    for (UpaWmoData rep : reps)
        if (rep.getWmo() == std::string("72201")) UpaTool::decode(rep, bw, UpaTool::FULL);
    int winds = 0;
    for (int i = 0; i < bw.getNumSig(); ++i) winds += bw.getSig(i).dir != MISS;
    EXPECT_EQ(winds, 28); // the pairs of its section 21212, counted by eye
    // Parts wrapped without "=" after a leading blank, trailing blanks, the product line
    // on the heading line.
    std::string kinds;
    for (const char* file : {"fmi_02963_2006041012_reports.txt", "pilot_96565_reports.txt",
                             "awips2_KJAN_2006092212_reports.txt"})
        for (const UpaWmoData& rep : reports(file))
            kinds += std::to_string(rep.getType()) + ":" + rep.getWmo() + " ";
    EXPECT_EQ(kinds, "1:02963 2:02963 3:02963 4:02963 5:96565 6:96565 1:72235 2:72235 6:72235 ");
    const UpaRawinData fmi = decoded(reports("fmi_02963_2006041012_reports.txt"), "02963");
    EXPECT_FLOAT_EQ(fmi.getSigPr(fmi.getNumSig() - 1), 30.2f); // part D, in tenths
}

TEST(UpaDecode, BadInputNeverBreaksTheDecoder) {
    // Levels decoded from any text stay within the code's ranges and the list capacities.
    const auto sane = [](const UpaRawinData& r) {
        for (int i = 0; i < r.getNumMan() + r.getNumSig() + r.getNumWnd(); ++i) {
            const int k = i - r.getNumMan(), w = k - r.getNumSig();
            const UpaLevel l = k < 0 ? r.getMan(i) : w < 0 ? r.getSig(k) : r.getWnd(w);
            if ((k < 0 && !(l.p > 0 && l.p < 1100)) || (l.t != MISS && std::fabs(l.t) > 99.9f) ||
                (w >= 0 && !(l.h >= 0 && l.h <= 99000)) ||
                (l.dir != MISS && (l.dir < 0 || l.dir > 360 || l.spd < 0 || l.spd > 250 * 1.944f)))
                return false;
        }
        return true;
    };
    // Random bytes, and random groups of the code's characters that get further in.
    std::mt19937 rng(20201107);
    for (int n = 0; n < 300; ++n) {
        std::string text;
        const int len = rng() % 1200;
        for (int k = 0; k < len; ++k)
            text += n % 2 ? static_cast<char>(1 + rng() % 255) : "0123456789/ 9"[rng() % 13];
        for (int type = 0; type <= 18; ++type)
            ASSERT_TRUE(sane(decodedText(type, text.c_str()))) << type << " " << text;
        UpaWmoFile f;
        f.setText(("TTAA " + text + "\nPPBB " + text + "\nUUBB " + text).c_str());
        UpaWmoData rep;
        while (f.read(rep) == 1) {
            UpaRawinData r;
            UpaTool::decode(rep, r);
            ASSERT_TRUE(sane(r)) << text;
        }
    }
    // A cut report decodes to part of what the whole one gives: each level is one of the
    // whole report's, though values after the cut may be missing.
    const auto within = [](const std::string& l, const std::string& all) {
        std::istringstream as(all);
        for (std::string w; std::getline(as, w);) {
            std::istringstream a(l), b(w);
            std::string x, y;
            bool same = true;
            while (same && a >> x && b >> y) same = x == y || x == "-";
            if (same) return true;
        }
        return false;
    };
    for (const UpaWmoData& rep : reports("kwbc_line_2022071300_reports.txt")) {
        const std::string all = listing(decoded({rep}, rep.getWmo())), text = rep.getData();
        for (size_t n = 0; n < text.size(); n += 3) {
            UpaWmoData cut = rep;
            cut.setData(text.substr(0, n).c_str());
            std::istringstream ls(listing(decoded({cut}, cut.getWmo())));
            for (std::string l; std::getline(ls, l);)
                ASSERT_TRUE(within(l, all)) << l << "\n" << text.substr(0, n);
        }
    }
    // Oversized: a 100 kB line of level groups and a 100 kB word.
    std::string big = "TTBB 57008 72558 ";
    while (big.size() < 100000) big += "11850 10457 ";
    UpaWmoFile f;
    f.setText((big + "\nTTAA " + std::string(100000, '7') + " 72558 99950\n").c_str());
    UpaWmoData rep;
    UpaRawinData r;
    while (f.read(rep) == 1) {
        ASSERT_LT(std::strlen(rep.getData()), static_cast<size_t>(UpaWmoData::max_data));
        UpaTool::decode(rep, r);
    }
    EXPECT_EQ(r.getNumSig(), 1); // the one level, repeated
    EXPECT_EQ(r.getNumMan(), 0);
}

TEST(UpaDecode, FullDecodingReadsWhatThePlainRulesDrop) {
    // Groups of real reports: 76394 Monterrey's 925 hPa height (92104: GEMPAK 1104 m, 18.8 C,
    // dew point 9.8 C) and 10035 Schleswig's 688 hPa level with a depression coded 94 and
    // one coded 99 (the code table's 49 degrees).
    const struct {
        int type;
        const char* text;
        float p, plainH, fullH, t, plainTd, fullTd;
    } GROUPS[] = {
        {1, "57001 76394 92104 18859 11514 85822 12656 12008 ", 925, 104, 1104, 18.8f, 9.8f, 9.8f},
        {1, "57001 76394 92850 18859 11514 ", 925, 850, 850, 18.8f, 9.8f, 9.8f},
        {2, "07008 10035 00688 01894 11600 01899 ", 688, MISS, MISS, 1.8f, -42.2f, -42.2f},
        {2, "07008 10035 00688 01899 ", 688, MISS, MISS, 1.8f, MISS, -47.2f},
    };
    for (const auto& g : GROUPS) {
        SCOPED_TRACE(g.text);
        for (int mode : {UpaTool::PLAIN, UpaTool::FULL}) {
            UpaWmoData rep;
            rep.setType(g.type);
            rep.setData(g.text);
            UpaRawinData raw;
            UpaTool::decode(rep, raw, mode);
            const UpaLevel l = g.type == 1 ? raw.getMan(0) : raw.getSig(0);
            EXPECT_FLOAT_EQ(l.p, g.p);
            EXPECT_FLOAT_EQ(l.h, mode == UpaTool::FULL ? g.fullH : g.plainH);
            EXPECT_NEAR(l.t, g.t, 0.01f);
            expectNear(l.td, mode == UpaTool::FULL ? g.fullTd : g.plainTd, 0.01f, "td");
        }
    }

    // The significant winds of 10035's part B (section 21212, m/s) against GEMPAK's, which
    // keeps them by pressure (the surface negative); the plain rules leave them out.
    std::vector<UpaLevel> gem;
    std::ifstream in(fixtures::dataPath("gempak_10035_2020110700_parts.csv"));
    for (std::string l; std::getline(in, l);) {
        const auto f = fixtures::splitCsv(l);
        if (f.size() == 8 && f[1] == "PPBB")
            gem.emplace_back(std::fabs(fixtures::num(f[3])), MISS, MISS, MISS, fixtures::num(f[6]),
                             fixtures::num(f[7]));
    }
    ASSERT_EQ(gem.size(), 31u);
    const auto reps = reports("gempak_2020110700_reports.txt");
    int plainWinds = 0, matched = 0;
    UpaRawinData full;
    for (UpaWmoData rep : reps)
        if (rep.getWmo() == std::string("10035")) {
            UpaRawinData plain;
            UpaTool::decode(rep, plain);
            for (int i = 0; i < plain.getNumSig(); ++i) plainWinds += plain.getSig(i).dir != MISS;
            UpaTool::decode(rep, full, UpaTool::FULL);
        }
    EXPECT_EQ(plainWinds, 1); // the surface of part A only
    for (const UpaLevel& g : gem) {
        SCOPED_TRACE(g.p);
        for (int i = 0; i < full.getNumSig(); ++i) {
            const UpaLevel o = full.getSig(i);
            if (o.p != g.p || o.dir == MISS) continue;
            EXPECT_FLOAT_EQ(o.dir, g.dir);
            EXPECT_NEAR(o.spd / 1.944f, g.spd, 0.01f);
            ++matched;
        }
    }
    EXPECT_EQ(matched, 31);
}
