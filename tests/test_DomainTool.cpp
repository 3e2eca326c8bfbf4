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
    DomainVal decoded(const char* text, int want = 1) {
        DomainVal v;
        EXPECT_EQ(DomainTool::decode(v, text), want) << text;
        return v;
    }
    testutil::ScratchDir dir;
    std::string saved;
};

} // namespace

TEST_F(DomainTexts, FormsFillTheirDefaults) {
    DomainVal v = decoded("lamb:40:-97,39,-97,61,41,1,1");
    EXPECT_EQ(v.proj, Domain::LAMB);
    EXPECT_FLOAT_EQ(v.plat, 40);
    EXPECT_FLOAT_EQ(v.clat, 39);
    EXPECT_EQ(v.nx, 61);
    EXPECT_FLOAT_EQ(v.dy, 1);

    v = decoded("ll,40,-100,2,3");
    EXPECT_EQ(v.proj, Domain::LATLON);
    EXPECT_EQ(v.nx, 25);
    EXPECT_EQ(v.ny, 17);
    EXPECT_FLOAT_EQ(v.dx, 2);
    EXPECT_FLOAT_EQ(v.dy, 3);

    v = decoded("ps,60,-100,31,21,1.5");
    EXPECT_EQ(v.nx, 31);
    EXPECT_FLOAT_EQ(v.dy, 1.5f) << "dy follows dx";

    v = decoded("40,-100,31,21,1,2");
    EXPECT_EQ(v.proj, Domain::PSTEREO);
    EXPECT_FLOAT_EQ(v.dy, 2);
    v = decoded("40,-100,31,21,1.1");
    EXPECT_FLOAT_EQ(v.dy, 1.1f);
    v = decoded("merc,40,-100,0.8");
    EXPECT_EQ(v.proj, Domain::MERC);
    EXPECT_EQ(v.ny, 17);
    EXPECT_FLOAT_EQ(v.dy, 0.8f);
    v = decoded("40,-100,31,21");
    EXPECT_FLOAT_EQ(v.dx, 1.2f);
    EXPECT_EQ(v.nx, 31);
    v = decoded("39,-97,2.3");
    EXPECT_EQ(v.proj, Domain::PSTEREO);
    EXPECT_FLOAT_EQ(v.dy, 2.3f);
    v = decoded("45,-90");
    EXPECT_EQ(v.nx, 25);
    EXPECT_FLOAT_EQ(v.dx, 1.2f);

    v = decoded("lamb,40,-100");
    EXPECT_FLOAT_EQ(v.dx, 1.2f);
    EXPECT_EQ(v.nx, 25);
    v = decoded("zoom,40,-100");
    EXPECT_FLOAT_EQ(v.dx, 1.0f);
    v = decoded("size,800,600");
    EXPECT_EQ(v.proj, Domain::SIZE);
    EXPECT_EQ(v.nx, 800);
    EXPECT_EQ(v.ny, 600);
    EXPECT_EQ(v.clat, MISS);

    v = decoded("lamb:e:40:-97:33:45,39,-97,61,41,1,1");
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

TEST_F(DomainTexts, StationsGiveTheCentre) {
    DomainVal v = decoded("KDEN");
    EXPECT_FLOAT_EQ(v.clat, 39.85f);
    EXPECT_FLOAT_EQ(v.clon, -104.67f);
    EXPECT_EQ(v.proj, Domain::PSTEREO);
    v = decoded("id:upa.cty:DNR,0.5");
    EXPECT_FLOAT_EQ(v.clat, 39.77f);
    EXPECT_FLOAT_EQ(v.dy, 0.5f);
    v = decoded("lamb:40:-100,id:KDEN,31,21,1,1");
    EXPECT_EQ(v.proj, Domain::LAMB);
    EXPECT_FLOAT_EQ(v.clon, -104.67f);
    EXPECT_EQ(v.nx, 31);
    v = decoded("lamb,id:kden,0.8,0.9");
    EXPECT_FLOAT_EQ(v.dy, 0.9f);
    EXPECT_EQ(v.ny, 17);
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

    DomainVal v = decoded("plains");
    EXPECT_EQ(v.proj, Domain::LAMB);
    EXPECT_EQ(v.nx, 33);
    v = decoded("alias");
    EXPECT_EQ(v.nx, 33) << "a region that names a region";
    v = decoded("hyx.reg:plains");
    EXPECT_FLOAT_EQ(v.dx, 0.5f);
    dir.write("one.reg", "ll,40,-100,11,11,1,1\n");
    v = decoded("fi:one.reg");
    EXPECT_EQ(v.proj, Domain::LATLON);
    v = decoded("a:b:c");
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
