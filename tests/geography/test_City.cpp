// Station database: the city file reader and writer, searches, and the conversions
// between WMO station numbers and identifiers.
#include "HYX/CityData.h"
#include "HYX/CityFile.h"
#include "HYX/CityTool.h"
#include "HYX/EarthPoint.h"
#include "HYX/Hyx.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include "TestUtil.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>

using namespace HYX;

namespace {

constexpr float MISS = Const::FMISS;

// Three stations in the fixed-column layout (59 bytes each with the line end).
const char* THREE = "DENVER          CO US DEN   0U  39.77 -104.87 1611 72469 0\n"
                    "HIGH POINT      -- XX HIP   1U  10.00   20.00 9999 12345 7\n"
                    "EXACT           -- XX EXA   2U  11.00   21.00 9000 12346\n";

// A database directory for the tests, restored afterwards.
class CityDir : public ::testing::Test {
protected:
    void SetUp() override {
        saved = Hyx::getDatabasePath();
        Hyx::setDatabasePath(dir.path().c_str());
    }
    void TearDown() override { Hyx::setDatabasePath(saved.c_str()); }
    testutil::ScratchDir dir;
    std::string saved;
};

std::string printed(const CityData& c) {
    return testutil::captureOut([&] { c.print(); });
}

} // namespace

TEST(CityTool, WmoNumbersBecomeIdentifiers) {
    char id[CityTool::id_size];
    const std::pair<long, const char*> cases[] = {
        {72520, "K2520"}, {3005, "EG005"},  {94120, "Y4120"}, {99999, "99999"}, {5000, "05000"},
        {63690, "HK690"}, {63990, "FS990"}, {0, "00000"},     {94000, "94000"}};
    for (const auto& c : cases) {
        CityTool::toId(c.first, id);
        EXPECT_STREQ(id, c.second) << c.first;
    }
    EXPECT_EQ(CityTool::toId(100000, id), 0);
    EXPECT_STREQ(id, "");
    EXPECT_EQ(CityTool::toId(Const::MISS, id), 0);
    EXPECT_STREQ(id, "");

    // Every identifier made from a number converts back to that number, also for
    // prefixes spread over several blocks; other identifiers are no number.
    int wmo = 0;
    for (const char* none : {"KDEN", "K25200", "K2X20"}) {
        EXPECT_EQ(CityTool::toWmo(none, wmo), 0) << none;
        EXPECT_EQ(wmo, 99999);
    }
    EXPECT_EQ(CityTool::toWmo(nullptr, wmo), 0);
    int bad = 0;
    for (long n = 0; n <= 99999; ++n) {
        CityTool::toId(n, id);
        if (!CityTool::toWmo(id, wmo) || wmo != n) ++bad;
    }
    EXPECT_EQ(bad, 0);
}

TEST_F(CityDir, ReadsFixedColumnRecords) {
    dir.write("three.cty", THREE);
    CityFile f(dir.file("three.cty").c_str());
    ASSERT_TRUE(f.isOpen());
    EXPECT_EQ(f.getNum(), 2) << "176 bytes / 59";
    // Elevations above 9000 are missing; the trailing number may be absent.
    CityData c;
    ASSERT_EQ(f.read(c), 1);
    EXPECT_EQ(printed(c), "         DENVER CO US       DEN   0 U 39.770 -104.870 1611 72469 0\n");
    ASSERT_EQ(f.read(c), 1);
    EXPECT_EQ(printed(c), "     HIGH POINT -- XX       HIP   1 U 10.000 20.000 -9999 12345 7\n");
    ASSERT_EQ(f.read(c), 1);
    EXPECT_EQ(printed(c), "          EXACT -- XX       EXA   2 U 11.000 21.000 9000 12346 0\n");
    EXPECT_EQ(f.read(c), 0);
    EXPECT_EQ(f.rewind(), 1);
    EXPECT_EQ(f.read(c), 1);
    EXPECT_STREQ(c.getId(), "DEN");

    // 590 bytes announce ten records before any is read.
    dir.write("ten.cty", std::string(590, 'x'));
    CityFile ten(dir.file("ten.cty").c_str());
    EXPECT_EQ(ten.getNum(), 10);
    EXPECT_EQ(ten.read(c), 0) << "a line that is not a record ends the reading";
    EXPECT_EQ(CityFile().open(dir.file("none.cty").c_str(), 0), 0);
    EXPECT_EQ(CityFile().open(dir.file("three.cty").c_str(), 2), 0);
}

TEST_F(CityDir, MalformedLinesEndTheReadingWithoutHarm) {
    std::string text = THREE;
    text += std::string(5000, 'A') + "\n";             // overlong
    text += "DENVER          CO US DEN   0U  39.77\n"; // truncated record
    text += "after the bad line\n";
    dir.write("bad.cty", text);
    CityFile f(dir.file("bad.cty").c_str());
    CityData c;
    int n = 0;
    while (f.read(c)) ++n;
    EXPECT_EQ(n, 3);

    // Binary garbage, NUL bytes, numbers that are not numbers, an empty file.
    std::string garbage;
    for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
    dir.write("garbage.cty", garbage);
    CityFile h(dir.file("garbage.cty").c_str());
    for (int i = 0; i < 100 && h.read(c); ++i) {
    }
    dir.write("nan.cty", "NOWHERE         -- XX NAN   0U    nan     inf 1e99 00001 0\n");
    CityFile k(dir.file("nan.cty").c_str());
    ASSERT_EQ(k.read(c), 1);
    EXPECT_EQ(printed(c), "        NOWHERE -- XX       NAN   0 U -9999.000 -9999.000 -9999 1 0\n");
    dir.write("empty.cty", "");
    CityFile e(dir.file("empty.cty").c_str());
    EXPECT_TRUE(e.isOpen());
    EXPECT_EQ(e.read(c), 0);
}

TEST_F(CityDir, WrittenRecordsReadBack) {
    // A record read is written in the same columns, a name longer than its field cut.
    dir.write("three.cty", THREE);
    CityFile in3(dir.file("three.cty").c_str());
    CityData c;
    ASSERT_EQ(in3.read(c), 1);
    c.setName("DENVER/STAPLETON INTERNATIONAL");
    {
        CityFile out(dir.file("out.cty").c_str(), 1);
        ASSERT_TRUE(out.isOpen());
        EXPECT_EQ(out.write(c), 1);
    }
    EXPECT_EQ(testutil::readFile(dir.file("out.cty")),
              "DENVER/STAPLETO CO US DEN   0U  39.77 -104.87 1611 72469 0\n");
}

TEST_F(CityDir, SearchByIdentifierNameOrWmoNumberIgnoringCase) {
    dir.write("sao.cty", "DENVER          CO US DEN   0U  39.77 -104.87 1611 72565 0\n"
                         "DENVER/STAPLETO CO US DNR   0U  39.77 -104.87 1611 72469 0\n"
                         "LERWICK         -- UK 03005  0U  60.13   -1.18   82 03005 0\n");
    CityData c;
    // Null names the default file sao.cty; a WMO number finds the other identifier; five
    // digits are compared. File, key, identifier found ("" for none).
    EXPECT_EQ(CityTool::search(nullptr, "den", c), 1);
    EXPECT_STREQ(c.getId(), "DEN");
    const char* finds[][3] = {{"sao.cty", "72469", "DNR"},   {"sao.cty", "denver/stapleto", "DNR"},
                              {"sao.cty", "03005", "03005"}, {"sao.cty", "3005", ""},
                              {"sao.cty", "KDEN", ""},       {"sao.cty", "", ""},
                              {"missing.cty", "DEN", ""},    {"none", "DEN", ""}};
    for (const auto& f : finds) {
        EXPECT_EQ(CityTool::search(f[0], f[1], c), *f[2] ? 1 : 0) << f[1];
        EXPECT_STREQ(*f[2] ? c.getId() : "", f[2]) << f[1];
    }

    const std::string out = testutil::captureOut([&] {
        Hyx::setMessageLevel("out4");
        CityTool::search("sao.cty", "DNR", c);
        Hyx::setMessageLevel("out2");
    });
    EXPECT_EQ(out, "Searching the city database file for: DNR ...\n");

    EarthPoint e;
    EXPECT_EQ(CityTool::locate("sao.cty", "LERWICK", e), 1);
    EXPECT_FLOAT_EQ(e.getLat(), 60.13f);
    EXPECT_FLOAT_EQ(e.getLon(), -1.18f);
    EXPECT_EQ(CityTool::locate("sao.cty", "nowhere", e), 0);
    EXPECT_EQ(e.getLat(), MISS);

    // The resource city_file names the default file.
    Hyx::putResrc("city_file", "other.cty");
    String path;
    EXPECT_EQ(CityTool::getFilename(nullptr, path), 1);
    EXPECT_EQ(std::string(path.get()), dir.file("other.cty"));
    Hyx::putResrc("city_file", "None");
    EXPECT_EQ(CityTool::getFilename(nullptr, path), 0);
    Hyx::putResrc("city_file", "sao.cty");
}

TEST(CityTool, CompareDataMatchesWmoIdentifierOrNameStart) {
    CityData c;
    c.setName("NORTH PLATTE");
    c.setId("LBF");
    c.setWmo(72562);
    EXPECT_EQ(CityTool::compareData(Strings("OAX,72562", ','), c), 1);
    EXPECT_EQ(CityTool::compareData(Strings("lbf", ','), c), 0);
    EXPECT_EQ(CityTool::compareData(Strings("OAX,north", ','), c), 1) << "five letters: start";
    EXPECT_EQ(CityTool::compareData(Strings("nort", ','), c), -1) << "four letters: no start";
}

// The installed upper-air station file holds the stations of the bundled soundings
// under the identifiers those data sets use, at the positions they report.
TEST(CityDatabase, InstalledStationFileCoversTheSampleSoundings) {
    const std::string saved = Hyx::getDatabasePath();
    Hyx::setDatabasePath(HYX_SHARE);
    CityFile f((std::string(HYX_SHARE) + "/upa.cty").c_str());
    ASSERT_TRUE(f.isOpen());
    std::set<std::string> ids;
    CityData c;
    int n = 0;
    while (f.read(c)) {
        ++n;
        EXPECT_TRUE(ids.insert(c.getId()).second) << "identifier twice: " << c.getId();
        EXPECT_TRUE(c.getLat() >= -90 && c.getLat() <= 90) << c.getId();
        EXPECT_TRUE(c.getLon() >= -180 && c.getLon() <= 180) << c.getId();
    }
    EXPECT_GT(n, 1500);
    EXPECT_NEAR(f.getNum(), n, n * 0.05) << "the size estimate is close to the count";

    // Every station of the 1999-05-04 IEM set but two that no table identifies.
    std::ifstream iem(std::string(HYX_TEST_DATA) + "/stations/iem_1999-05-04_00z_ids.txt");
    std::string id;
    int found = 0, total = 0;
    while (iem >> id) {
        ++total;
        if (ids.count(id))
            ++found;
        else
            EXPECT_TRUE(id == "CYVN" || id == "KSIC") << id;
    }
    EXPECT_EQ(total, 117);
    EXPECT_EQ(found, 115);

    // The Wyoming 1980 stations, by identifier and by number, where their pages put them
    // (the pages give hundredths of a degree; the tables differ by a few hundredths).
    std::ifstream wy(std::string(HYX_TEST_DATA) + "/stations/wyoming_1980-05_stations.txt");
    std::string line;
    int checked = 0;
    while (std::getline(wy, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream ws(line);
        std::string sid, num;
        float lat, lon, elev;
        ws >> sid >> num >> lat >> lon >> elev;
        for (const std::string& key : {sid, num, "K" + sid}) {
            CityData s;
            ASSERT_EQ(CityTool::search("upa.cty", key.c_str(), s), 1) << key;
            EXPECT_EQ(s.getWmo(), std::stol(num));
            EXPECT_NEAR(s.getLat(), lat, 0.05) << key;
            EXPECT_NEAR(s.getLon(), lon, 0.05) << key;
            EXPECT_NEAR(s.getElev(), elev, 10) << key;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 7);
    Hyx::setDatabasePath(saved.c_str());
}
