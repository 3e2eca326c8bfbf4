// Naming conventions: the convention file, template codes, file spacing, reading names
// back, the file of a date and the latest-file search.
#include "HYX/Date.h"
#include "HYX/NameConv.h"
#include "HYX/NameConvFile.h"
#include "HYX/NameConvTool.h"
#include "HYX/String.h"

#include "NamingFixture.h"

#include <utility>

using namespace HYX;

namespace {

constexpr int M = Const::MISS;

const char* const CONV = "# tag file header type param\n"
                         "upa      %D/%Y%m%d%12h_upa.%e     -      upa      -\n"
                         "upa_raw  %D/%Y%m%d%12h.raw        -      100,raw  min=120\n"
                         "grd      %D/%Y%m%d%6h.grd   %D/%Y%m%d%6h.hdr  grd,200  size=5,min=60\n"
                         "short    x\n";

std::string enc(NameConv& nc, const Date& d) {
    String out;
    nc.encodeFile(d, out);
    return out.get();
}
std::string enc(NameConv&& nc, const Date& d) { return enc(nc, d); }

// The date of the last name built or read.
std::string date(const NameConv& nc) {
    Date d;
    nc.getDate(d);
    return dateText(d);
}

// File template, header template and type of the convention in use.
std::string desc(const NameConv& nc) {
    return std::string(nc.getFile()) + "|" + nc.getHeader() + "|" + nc.getType();
}

std::pair<int, int> limits(const NameConv& nc) { return {nc.getMinSize(), nc.getMinTime()}; }

} // namespace

TEST_F(NamingTest, ConventionFileExactAndPartialMatches) {
    conv(CONV);
    NameConv nc;
    EXPECT_EQ(nc.set("upa_cvt"), 1);
    EXPECT_EQ(desc(nc), "%D/%Y%m%d%12h_upa.%e||upa");
    EXPECT_STREQ(nc.getExt(), "cvt");
    EXPECT_EQ(nc.getOffset(), 43200);
    // An exact line wins over the prefix of a longer tag.
    EXPECT_EQ(nc.set("UPA_RAW"), 1);
    EXPECT_EQ(desc(nc), "%D/%Y%m%d%12h.raw||raw");
    EXPECT_STREQ(nc.getExt(), "");
    EXPECT_EQ(limits(nc), std::make_pair(100, 120));
    // The parameter field comes after the type field.
    EXPECT_EQ(nc.set("grd"), 1);
    EXPECT_EQ(desc(nc), "%D/%Y%m%d%6h.grd|%D/%Y%m%d%6h.hdr|grd");
    EXPECT_STREQ(nc.getParam(), "size=5,min=60");
    EXPECT_EQ(limits(nc), std::make_pair(5, 60));
    // Keys and limits given with the request.
    EXPECT_EQ(nc.set("grd:s=KDEN:x=1,,,min=30,size=7"), 1);
    EXPECT_STREQ(nc.getKey('s'), "KDEN");
    EXPECT_STREQ(nc.getKey('x'), "1");
    EXPECT_EQ(nc.getKey('q'), nullptr);
    EXPECT_EQ(limits(nc), std::make_pair(7, 30));
    // No line: the tag is the template, header and type come from the request.
    EXPECT_EQ(nc.set("%Y%m%d.dat,%Y%m%d.hdr,mytype"), 1);
    EXPECT_EQ(desc(nc), "%Y%m%d.dat|%Y%m%d.hdr|mytype");
    EXPECT_EQ(nc.getOffset(), 86400);

    EXPECT_EQ(nc.set("none"), 1);
    EXPECT_STREQ(nc.getFile(), "");
    EXPECT_EQ(nc.set("@/data/fixed.upa"), 1);
    EXPECT_STREQ(nc.getFile(), "/data/fixed.upa");
    EXPECT_FALSE(nc.hasTimeCode());
    EXPECT_EQ(nc.set(""), 0);
}

TEST_F(NamingTest, MissingConventionFileFallsBackToTheTag) {
    NameConv nc;
    int ok = -1;
    const std::string err = testutil::captureErr([&] { ok = nc.set("upa_cvt"); });
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(err, "NameConv: No file name convention file: " + tmp.file("name.cnv") + "\n");
    EXPECT_STREQ(nc.getFile(), "upa_cvt");
    // Another name_conv that is missing falls back to name.cnv in the file path.
    conv(CONV);
    Hyx::putResrc("name_conv", "site.cnv");
    EXPECT_EQ(nc.set("upa_cvt"), 1);
    EXPECT_STREQ(nc.getFile(), "%D/%Y%m%d%12h_upa.%e");
    tmp.write("site.cnv", "upa      site/%Y%m%d%h.upa        -      upa      -\n");
    EXPECT_EQ(nc.set("upa_cvt"), 1);
    EXPECT_STREQ(nc.getFile(), "site/%Y%m%d%h.upa");
}

TEST_F(NamingTest, GarbledConventionFilesAreSurvived) {
    std::string text = std::string(5000, 'u') + " %Y.x - t -\n"; // overlong line
    text += "upa " + std::string(200, '%') + " - t -\n";         // template too long
    static const char binary[] = "bin\0ary\x01\xff line with junk fields ok";
    text += std::string(binary, sizeof binary - 1) + "\n";
    text += "\n\n   \n#upa commented/out - upa -\n";
    text += "upa      %D/%Y%m%d%12h_upa.%e     -      upa      -"; // no final line end
    conv(text);
    NameConv nc;
    int ok = -1;
    const std::string err = testutil::captureErr([&] { ok = nc.set("upa_cvt"); });
    EXPECT_EQ(ok, 1);
    EXPECT_STREQ(nc.getFile(), "%D/%Y%m%d%12h_upa.%e");
    EXPECT_NE(err.find("line 1: line too long"), std::string::npos) << err;
    EXPECT_NE(err.find("line 2: bad definition of upa"), std::string::npos) << err;
}

TEST_F(NamingTest, FileSpacingComesFromTheSmallestTimeCode) {
    const std::pair<const char*, int> cases[] = {
        {"@%Y%m%d%h", 3600}, {"@%Y%m%d%3h", 10800}, {"@%Y%m%d", 86400},         {"@%Y%m", M},
        {"none", M},         {"@%Y%m%d%h%n", 60},   {"@%2d_%{my_path}", 172800}};
    for (const auto& c : cases) EXPECT_EQ(NameConv(c.first).getOffset(), c.second) << c.first;
}

TEST_F(NamingTest, TemplateCodes) {
    NameConv nc("@%Y %y %m %B %b %d %j %h %n %% %e {}x %s %3s %q%");
    nc.setKey('s', "KDENVER");
    nc.setExt("cvt");
    const Date d(2026, 12, 4, 14, 37, M);
    EXPECT_EQ(enc(nc, d), "2026_26_12_DEC_dec_04_338_14_37_%_cvt_x_KDENVER_KDE_0");
    EXPECT_EQ(date(nc), "20261204 14:37");

    // Counts round down; parts no code wrote are missing in the file's date.
    NameConv three("@%Y%m%d%3h.upa");
    EXPECT_EQ(enc(three, d), "2026120412.upa");
    EXPECT_EQ(date(three), "20261204 12:XX");
    EXPECT_EQ(enc(NameConv("@%10Y-%2m-%5d-%15n"), d), "2020-12-00-30");
    // Missing parts print as zeros and X.
    EXPECT_EQ(enc(NameConv("@%Y%m%d%h%n%B%b"), Date(M, M, M, 6, M, M)), "000000000600XXXxxx");

    String out;
    NameConv empty("none");
    EXPECT_EQ(empty.encodeFile(d, out), 0);
    EXPECT_EQ(empty.encodeHdr(d, out), 0);
}

TEST_F(NamingTest, DirectoryCodesUseTheAlternativeInUse) {
    const std::string a = tmp.file("a"), b = tmp.file("b");
    put("b/.keep", "");
    Hyx::putResrc("data_path", (a + ":" + b).c_str());
    Hyx::putResrc("my_path", b.c_str());
    Hyx::putResrc("raw_path", "+my_path");
    NameConv nc("@%D/%Y%m%d%h_upa.%e");
    nc.setExt("cvt");
    const Date d(2026, 12, 4, 12, M, M);
    NameConvFile rec;
    // Only /b exists: the name is built in the second alternative.
    EXPECT_EQ(nc.setFile(d, rec), 0); // no such file yet
    EXPECT_EQ(std::string(rec.getFilename()), a + "/2026120412_upa.cvt");
    put("b/2026120412_upa.cvt", "data");
    EXPECT_EQ(nc.setFile(d, rec), 1);
    EXPECT_EQ(std::string(rec.getFilename()), b + "/2026120412_upa.cvt");
    EXPECT_EQ(nc.getCurPath(), 1);
    EXPECT_EQ(rec.getOffset(), 3600);
    EXPECT_EQ(dateText(rec.getDate()), "20261204 12:XX");
    // An empty file does not count; for output only the directory has to exist.
    put("b/2026120412_upa.cvt", "");
    EXPECT_EQ(nc.setFile(d, rec), 0);
    nc.setOutput(true);
    EXPECT_EQ(nc.setFile(d, rec), 1);
    EXPECT_EQ(std::string(rec.getFilename()), b + "/2026120412_upa.cvt");

    NameConv named("@%{my_path}/x.%R");
    EXPECT_EQ(enc(named, d), b + "/x." + b);
    EXPECT_EQ(enc(NameConv("@%W/x"), d), "./x");
    // An explicit path replaces the resources.
    named.setPath("/p1:/p2");
    EXPECT_EQ(enc(named, d), "/p1/x./p1");
    EXPECT_FALSE(named.dirExists());
}

TEST_F(NamingTest, HeaderTemplateGoesWithTheFile) {
    conv(CONV);
    NameConv nc("grd");
    dataFile("2026120412.grd");
    NameConvFile rec;
    EXPECT_EQ(nc.setFile(Date(2026, 12, 4, 15, M, M), rec), 1);
    EXPECT_EQ(rel(rec.getFilename()), "$D/2026120412.grd");
    EXPECT_EQ(rel(rec.getHeader()), "$D/2026120412.hdr");
    EXPECT_STREQ(rec.getParam(), "size=5,min=60");
}

TEST_F(NamingTest, DecodingNamesBack) {
    conv(CONV);
    NameConv nc("upa_cvt");
    nc.setExt("");
    EXPECT_EQ(nc.decode("2026120412_upa.cvt"), 1);
    EXPECT_EQ(date(nc), "20261204 12:XX");
    EXPECT_STREQ(nc.getExt(), "cvt");
    EXPECT_STREQ(nc.getPath(), ""); // a bare name stays in the data path
    const Date d(2026, 12, 4, 12, M, M);
    EXPECT_EQ(rel(enc(nc, d).c_str()), "$D/2026120412_upa.cvt");

    // The data directory itself is recognised; another directory becomes the path.
    EXPECT_EQ(nc.decode((data() + "/2026120300_upa.cvt").c_str()), 1);
    EXPECT_STREQ(nc.getPath(), "");
    EXPECT_EQ(nc.decode("/tmp/x/2026120412_upa.cvt"), 1);
    EXPECT_STREQ(nc.getPath(), "/tmp/x");
    EXPECT_EQ(date(nc), "20261204 12:XX");
    EXPECT_EQ(enc(nc, d), "/tmp/x/2026120412_upa.cvt");
    for (const char* bad :
         {"20261204_upa.cvt", "2026120412-upa.cvt", "garbage", "", "2026AB0412_upa.cvt"})
        EXPECT_EQ(nc.decode(bad), 0) << bad;

    NameConv two("@%y%j%h_%s.%e");
    EXPECT_EQ(two.decode("99060_KDEN.dat"), 0); // hour missing: too short
    EXPECT_EQ(two.decode("9906012_KDEN.dat"), 1);
    EXPECT_EQ(date(two), "19990301 12:XX");
    EXPECT_STREQ(two.getKey('s'), "KDEN");
    EXPECT_STREQ(two.getExt(), "dat");
    EXPECT_EQ(two.decode("2006012_X.dat"), 1);
    EXPECT_EQ(date(two), "20200229 12:XX"); // day 60 of a leap year

    NameConv month("@upa_%d%b%y_%2s");
    EXPECT_EQ(month.decode("upa_04dec26_KDEN"), 1);
    EXPECT_EQ(date(month), "20261204 XX:XX");
    EXPECT_STREQ(month.getKey('s'), "KD");
    EXPECT_EQ(month.decode("upa_04xyz26_KD"), 0);
}

TEST(NameConvTool, TimeRequestsAreReadInFullOrRefused) {
    std::string why;
    for (const char* ok : {"#1980052012", "#1980", "la", "latest", "la#24", "la-6", "+la", "-6",
                           "6", "1d6", "12:30", "#1980052012-12", ">la", "@any/file", ""})
        EXPECT_TRUE(NameConvTool::checkRequest(ok, why)) << ok << ": " << why;
    const std::pair<const char*, const char*> refused[] = {
        {"1980052012", "a date needs a leading \"#\": #1980052012"},
        {"#19", "a time after \"#\" is YYYY[MM[DD[HH[NN]]]]"},
        {"yesterday", "not a time"},
        {"6x", "not a time"},
        {"la#24zz", "not a time"}};
    for (const auto& r : refused) {
        EXPECT_FALSE(NameConvTool::checkRequest(r.first, why)) << r.first;
        EXPECT_EQ(why.rfind(r.second, 0), 0u) << r.first << ": " << why;
    }
}

TEST_F(NamingTest, FixedDateForms) {
    // Month, day, hour and minute as "mo/d h:mi", a missing part as "M".
    const auto fix = [](const NameConv& nc) {
        const DateVal v = nc.getFixDate();
        const auto p = [](int x) { return x == M ? std::string("M") : std::to_string(x); };
        return p(v.month) + "/" + p(v.day) + " " + p(v.hour) + ":" + p(v.min);
    };
    NameConv nc;
    const std::pair<const char*, const char*> ok[] = {{"120412", "12/4 12:M"},
                                                      {"412", "M/4 12:M"},
                                                      {"-6", "M/M -6:M"},
                                                      {"-:15", "M/M M:-15"},
                                                      {"2d6:30", "M/2 6:30"}};
    for (const auto& c : ok) {
        ASSERT_EQ(nc.setFixDate(c.first), 1) << c.first;
        EXPECT_EQ(fix(nc), c.second) << c.first;
    }
    for (const char* bad : {"", "abc", "24", "12:", "99999999"})
        EXPECT_EQ(nc.setFixDate(bad), 0) << bad;
    EXPECT_TRUE(nc.getFixDate().allMissing());
}

TEST_F(NamingTest, ReferenceTimeAndFixedDates) {
    NameConv nc("@%Y%m%d%h%n");
    nc.setOutput(true); // only the reference time matters here
    NameConvFile rec;
    const auto at = [&](const char* spec) {
        nc.setLatest(spec, rec);
        return dateText(rec.getDate());
    };
    setenv("hyxcurtime", "202612041520", 1);
    EXPECT_EQ(at(""), "20261204 15:20");
    // A negative fixed hour rounds down (15:20 becomes 12:20); a fixed time later than the
    // reference is taken on the day (or in the year) before.
    const std::pair<const char*, const char*> fixed[] = {
        {"-6", "20261204 12:20"}, {"18", "20261203 18:20"}, {"120512", "20251205 12:20"}};
    for (const auto& c : fixed) {
        nc.setFixDate(c.first);
        EXPECT_EQ(at(""), c.second) << c.first;
    }
    nc.setFixDate(DateVal());

    // Offsets move the reference: back by default and with "-", forward with "+". "#" digits
    // give the reference, missing parts from the start of the year.
    const std::pair<const char*, const char*> offsets[] = {{"6", "20261204 09:20"},
                                                           {"+1d2:10", "20261205 17:30"},
                                                           {":20", "20261204 15:00"},
                                                           {"#2025", "20250101 00:00"},
                                                           {"#2026120312-12", "20261203 00:00"}};
    for (const auto& c : offsets) EXPECT_EQ(at(c.first), c.second) << c.first;
    EXPECT_EQ(nc.setLatest("@/x/y", rec), 0);
    EXPECT_STREQ(rec.getFilename(), "/x/y");

    // The initial time beats $hyxcurtime.
    Hyx::setInitTime(static_cast<int>(Date(2026, 7, 4, 0, 0, 0).getSeconds()));
    EXPECT_EQ(at(""), "20260704 00:00");
    Hyx::setInitTime(M);
    setenv("hyxcurtime", "#2026120406", 1);
    EXPECT_EQ(at(""), "20261204 06:00");
    setenv("hyxcurtime", "junk", 1);
    const std::string err = testutil::captureErr([&] { at(""); });
    EXPECT_NE(err.find("hyxcurtime"), std::string::npos);
    EXPECT_TRUE(rec.getDate().isSet()); // the clock then
}

TEST_F(NamingTest, LatestSearchStepsBackByTheFileSpacing) {
    conv(CONV);
    for (const char* f : {"2026120300_upa.cvt", "2026120312_upa.cvt", "2026120400_upa.cvt"})
        dataFile(f);
    setenv("hyxcurtime", "2026120415", 1);
    NameConv nc("upa_cvt");
    NameConvFile rec;
    // setLatest's answer and the name it gave.
    const auto latest = [&](NameConv& n, const char* spec) {
        const int ok = n.setLatest(spec, rec);
        return std::to_string(ok) + " " + rel(rec.getFilename());
    };
    // 12 UTC on the 4th is not there yet: the search steps back to 00 UTC.
    EXPECT_EQ(latest(nc, "la"), "1 $D/2026120400_upa.cvt");
    EXPECT_EQ(dateText(rec.getDate()), "20261204 00:XX");
    EXPECT_EQ(latest(nc, nullptr), "1 $D/2026120400_upa.cvt");
    // One step only finds nothing: the last time tried is returned.
    EXPECT_EQ(latest(nc, "la#1"), "0 $D/2026120412_upa.cvt");
    // min_time widens the search: 1440 minutes over 12-hour files is 3 steps.
    NameConv wide("upa_cvt,,,min=1440");
    wide.setLateLimit(1);
    EXPECT_EQ(wide.setLatest("la", rec), 1);
    // The found time moved afterwards; an offset before the search moves its start; forward
    // from an older reference.
    EXPECT_EQ(latest(nc, "la-12"), "1 $D/2026120312_upa.cvt");
    EXPECT_EQ(latest(nc, "-24la"), "1 $D/2026120312_upa.cvt");
    EXPECT_EQ(latest(nc, "#2026120201+la"), "1 $D/2026120300_upa.cvt");
    // Files of size 0 or below min_size do not count.
    dataFile("2026120400_upa.cvt", 0);
    EXPECT_EQ(latest(nc, "la"), "1 $D/2026120312_upa.cvt");
    EXPECT_EQ(NameConv("upa_cvt,,,size=500").setLatest("la#10", rec), 0);
    // Output: the first time whose directory exists.
    EXPECT_EQ(latest(nc, ">la"), "1 $D/2026120412_upa.cvt");
    // A garbled spec gives a warning and the file of the reference time.
    const std::string err = testutil::captureErr([&] { nc.setLatest("xyz", rec); });
    EXPECT_NE(err.find("not a time request: xyz"), std::string::npos);
}

TEST_F(NamingTest, LatestSearchTriesEachDirectoryAlternative) {
    conv(CONV);
    dataFile("2026120312_upa.cvt");
    const std::string other = tmp.file("other");
    put("other/2026120400_upa.cvt", "old");
    Hyx::putResrc("data_path", (tmp.file("nodir") + ":" + data() + ":" + other).c_str());
    setenv("hyxcurtime", "2026120415", 1);
    NameConv nc("upa_cvt");
    NameConvFile rec;
    // The missing directory ends its alternative at once; the data directory holds the
    // 12 UTC file of the 3rd before the third alternative is looked at.
    EXPECT_EQ(nc.setLatest("la", rec), 1);
    EXPECT_EQ(rel(rec.getFilename()), "$D/2026120312_upa.cvt");
    EXPECT_EQ(nc.getCurPath(), 1);
    // Each alternative runs its own steps: with one step only the third holds a file.
    EXPECT_EQ(nc.setLatest("-12la#1", rec), 1);
    EXPECT_EQ(std::string(rec.getFilename()), other + "/2026120400_upa.cvt");
}

TEST_F(NamingTest, PatternForListings) {
    conv(CONV);
    String pat;
    EXPECT_EQ(NameConv("upa_cvt").makePattern(pat), 1);
    EXPECT_EQ(std::string(pat.get()), "'" + data() + "/'" + "??????????" + "'_upa.cvt'");
    NameConv keys("@%{nowhere}/%s_%j%b %e%%");
    keys.makePattern(pat);
    EXPECT_STREQ(pat.get(), "'./'?'_'"
                            "??????"
                            "'_'*'%'");
    keys.setKey('s', "it's");
    keys.makePattern(pat);
    EXPECT_STREQ(pat.get(), "'./it'\\''s_'"
                            "??????"
                            "'_'*'%'");
}
