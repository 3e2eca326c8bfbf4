// Domain texts: the short forms, station centres, regions and the installed regions.
#include "HYX/CityTool.h"
#include "HYX/Domain.h"
#include "HYX/DomainTool.h"
#include "HYX/EarthPoint.h"
#include "HYX/Hyx.h"
#include "HYX/Region.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include "TestUtil.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

using namespace HYX;

namespace {

constexpr float MISS = Const::FMISS;

class DomainTexts : public ::testing::Test {
protected:
    void SetUp() override {
        saved = Hyx::getDatabasePath();
        Hyx::setDatabasePath(dir.path().c_str());
        dir.write("sao.cty", "DENVER          CO US KDEN  0U  39.85 -104.67 1655 72565 0\n");
        dir.write("upa.cty", "DENVER          CO US DNR   0U  39.77 -104.87 1611 72469 0\n");
        dir.write("hyx.reg", "# test regions\n"
                             "plains Great_Plains 0 lamb:40:-98,38,-98,33,29,0.5,0.5\n"
                             "loop   Refers_to_itself 0 loop\n"
                             "garbled line without number here\n"
                             "alias  Another_name 0 plains\n");
    }
    void TearDown() override { Hyx::setDatabasePath(saved.c_str()); }
    DomainVal decoded(const char* text) {
        DomainVal v;
        EXPECT_EQ(DomainTool::decode(v, text), 1) << text;
        return v;
    }
    testutil::ScratchDir dir;
    std::string saved;
};

} // namespace

TEST_F(DomainTexts, FormsFillTheirDefaults) {
    // Text, projection, nx, ny, dx, dy, centre latitude; ANY where not checked.
    // Left out: polar stereographic, 25 x 17 points, spacing 1.2 (1.0 to zoom), dy as dx;
    // a station identifier gives the centre.
    const float ANY = NAN;
    const struct {
        const char* text;
        float proj, nx, ny, dx, dy, clat;
    } rows[] = {{"lamb:40:-97,39,-97,61,41,1,1", Domain::LAMB, 61, 41, 1, 1, 39},
                {"ll,40,-100,2,3", Domain::LATLON, 25, 17, 2, 3, 40},
                {"ps,60,-100,31,21,1.5", Domain::PSTEREO, 31, 21, 1.5f, 1.5f, 60},
                {"40,-100,31,21,1,2", Domain::PSTEREO, 31, 21, 1, 2, 40},
                {"40,-100,31,21,1.1", Domain::PSTEREO, 31, 21, 1.1f, 1.1f, ANY},
                {"merc,40,-100,0.8", Domain::MERC, 25, 17, 0.8f, 0.8f, ANY},
                {"40,-100,31,21", Domain::PSTEREO, 31, 21, 1.2f, 1.2f, ANY},
                {"39,-97,2.3", Domain::PSTEREO, 25, 17, 2.3f, 2.3f, 39},
                {"45,-90", Domain::PSTEREO, 25, 17, 1.2f, 1.2f, 45},
                {"lamb,40,-100", Domain::LAMB, 25, 17, 1.2f, 1.2f, ANY},
                {"zoom,40,-100", ANY, ANY, ANY, 1.0f, 1.0f, ANY},
                {"size,800,600", Domain::SIZE, 800, 600, ANY, ANY, MISS},
                {"KDEN", Domain::PSTEREO, 25, 17, 1.2f, 1.2f, 39.85f},
                {"id:upa.cty:DNR,0.5", Domain::PSTEREO, 25, 17, 0.5f, 0.5f, 39.77f},
                {"lamb:40:-100,id:KDEN,31,21,1,1", Domain::LAMB, 31, 21, 1, 1, 39.85f},
                {"lamb,id:kden,0.8,0.9", Domain::LAMB, 25, 17, 0.8f, 0.9f, 39.85f}};
    for (const auto& r : rows) {
        const DomainVal v = decoded(r.text);
        auto same = [](float got, float want) { return std::isnan(want) || got == want; };
        EXPECT_TRUE(same(v.proj, r.proj) && same(v.nx, r.nx) && same(v.ny, r.ny)) << r.text;
        EXPECT_TRUE(same(v.dx, r.dx) && same(v.dy, r.dy) && same(v.clat, r.clat))
            << r.text << ": " << v.dx << " " << v.dy << " " << v.clat;
    }
    EXPECT_FLOAT_EQ(decoded("KDEN").clon, -104.67f);
    DomainVal v = decoded("lamb:e:40:-97:33:45,39,-97,61,41,1,1");
    EXPECT_TRUE(v.ellipse);
    EXPECT_FLOAT_EQ(v.param[0], 33);
    EXPECT_FLOAT_EQ(v.param[1], 45);

    // "miss" sets nothing and succeeds.
    DomainVal m;
    m.nx = 7;
    EXPECT_EQ(DomainTool::decode(m, "miss"), 1);
    EXPECT_EQ(m.nx, 7);
    EXPECT_EQ(DomainTool::decode(m, "none,1,2"), 1);
    EXPECT_EQ(m.proj, Const::MISS);
    EXPECT_EQ(DomainTool::decode(m, ""), 0);
    EXPECT_EQ(DomainTool::decode(m, nullptr), 0);
}

TEST_F(DomainTexts, RegionsAreLookedUpAndBadTextsWarn) {
    String text;
    EXPECT_EQ(Region::get(nullptr, "PLAINS", text), 1);
    EXPECT_STREQ(text.get(), "lamb:40:-98,38,-98,33,29,0.5,0.5");
    EXPECT_EQ(Region::get("hyx.reg", nullptr, text), 1) << "first entry";
    EXPECT_STREQ(text.get(), "lamb:40:-98,38,-98,33,29,0.5,0.5");
    EXPECT_EQ(Region::get(nullptr, "nowhere", text), 0);
    std::string err = testutil::captureErr([&] { EXPECT_EQ(Region::get("no.reg", "x", text), 0); });
    EXPECT_EQ(err, "Unable to open region file: " + dir.file("no.reg") + "\n");

    EXPECT_EQ(decoded("plains").proj, Domain::LAMB);
    EXPECT_EQ(decoded("alias").nx, 33) << "a region that names a region";
    EXPECT_FLOAT_EQ(decoded("hyx.reg:plains").dx, 0.5f);
    dir.write("one.reg", "ll,40,-100,11,11,1,1\n");
    EXPECT_EQ(decoded("fi:one.reg").proj, Domain::LATLON);
    dir.write("one.reg", "ll,50.5,-100,11,11,1,1\n");
    EXPECT_FLOAT_EQ(decoded("fi:one.reg").clat, 50.5f) << "read again when changed";
    // A domain text of an image file may name a region file: a device or the standard
    // input is not read (an endless one would hold the reader for good).
    for (const char* dev : {"fi:/dev/zero", "fi:-"}) {
        DomainVal w;
        err = testutil::captureErr([&] { EXPECT_EQ(DomainTool::decode(w, dev), 0); });
        EXPECT_EQ(err.rfind(std::string("Unable to open region file: ") + (dev + 3), 0), 0u) << err;
    }
    const DomainVal v = decoded("a:b:c");
    EXPECT_FLOAT_EQ(v.clat, 39) << "the default domain";
    EXPECT_FLOAT_EQ(v.dx, 2.3f);

    // A region naming itself, an unknown name, garbage: one warning, no hang.
    for (const char* bad : {"loop", "nowhere", "1,2,3,4,5,6,7,8", "ll,x,y,1,1,1,1", "ll,40"}) {
        DomainVal w;
        err = testutil::captureErr([&] { EXPECT_EQ(DomainTool::decode(w, bad), 0) << bad; });
        EXPECT_EQ(err, std::string("DomainTool::decode: Invalid plot domain: ") + bad + "\n");
    }
    std::string huge(100000, ',');
    DomainVal w;
    testutil::captureErr([&] { EXPECT_EQ(DomainTool::decode(w, huge.c_str()), 0); });
    std::string garbage;
    for (int i = 0; i < 20000; ++i) garbage += static_cast<char>((i * 37 + 11) % 255 + 1);
    dir.write("hyx.reg", garbage);
    testutil::captureErr([&] { EXPECT_EQ(DomainTool::decode(w, "plains"), 0); });

    // The resource plot_domain.
    Hyx::putResrc("plot_domain", "ll,40,-100,11,11,1,1");
    Domain d;
    EXPECT_EQ(DomainTool::set(d), 1);
    EXPECT_FLOAT_EQ(d.limits.xmin, -5);
    EXPECT_EQ(DomainTool::proj("ortho"), Domain::ORTHO);
}

// Every installed region decodes into a domain that holds the stations it is named for.
TEST(RegionDatabase, InstalledRegionsDecode) {
    const std::string saved = Hyx::getDatabasePath();
    Hyx::setDatabasePath(HYX_SHARE);
    std::ifstream f(std::string(HYX_SHARE) + "/hyx.reg");
    std::string line;
    int n = 0;
    while (std::getline(f, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream ws(line);
        std::string name;
        ws >> name;
        Domain d;
        ASSERT_EQ(DomainTool::set(d, name.c_str()), 1) << name;
        EXPECT_TRUE(d.within(EarthPoint(d.clat, d.clon))) << name;
        EXPECT_GT(d.getAspect(), 0.5f) << name;
        ++n;
    }
    EXPECT_GE(n, 8);
    // Stations of the sample soundings lie in the regions a forecaster would pick.
    const std::pair<const char*, const char*> inside[] = {
        {"conus", "KDNR"},   {"conus", "KOAX"},     {"conus", "KMFR"},     {"conus", "KMFL"},
        {"conus", "KEYW"},   {"plains", "KLBF"},    {"plains", "KOUN"},    {"rockies", "KGJT"},
        {"rockies", "KSLC"}, {"northwest", "KUIL"}, {"northwest", "KBOI"}, {"alaska", "PANC"},
        {"europe", "02963"}, {"canada", "CWSE"},    {"northam", "KBRW"},   {"northam", "KJSJ"},
        {"northam", "KMEX"}, {"northam", "CYLT"}};
    for (const auto& c : inside) {
        Domain d;
        DomainTool::set(d, c.first);
        EarthPoint e;
        ASSERT_EQ(CityTool::locate("upa.cty", c.second, e), 1) << c.second;
        EXPECT_TRUE(d.within(e)) << c.second << " in " << c.first;
    }
    Hyx::setDatabasePath(saved.c_str());
}
