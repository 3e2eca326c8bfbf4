// Matching requested stations to soundings through the identifier forms of the station file.
#include "HYX/EarthPoint.h"
#include "HYX/StationMatch.h"
#include "HYX/Strings.h"

#include <gtest/gtest.h>
#include <string>

using namespace HYX;

TEST(StationMatch, IdentifiersMatchAsGivenThenByTheStationFilesOtherForms) {
    using M = StationMatch;
    const Strings ids("GJT,KGJT,72476,XXXX", ',');
    M match(ids, (std::string(HYX_SHARE) + "/upa.cty").c_str());
    // Until the other forms are asked for, only the identifier as given counts.
    EXPECT_EQ(match.match(0, "gjt", 0), M::GIVEN);
    EXPECT_EQ(match.match(0, "KGJT", 72476), M::NO_MATCH);
    ASSERT_TRUE(match.useForms());

    // Grand Junction is GJT and KGJT in the station file, WMO 72476.
    const struct {
        int station;
        const char* id;
        int wmo;
        int form;
    } cases[] = {
        {0, "GJT", 72476, M::GIVEN},  {0, "KGJT", 72476, M::ICAO},
        {0, "XGJT", 72476, M::WMO},   {0, "KDNR", 72469, M::NO_MATCH},
        {1, "gjt", 0, M::SHORT},      {1, "ZZZ", 72476, M::WMO},
        {2, "KGJT", 0, M::ICAO},      {2, "GJT", 0, M::SHORT},
        {2, "72476", 0, M::GIVEN},    {3, "XXX", 0, M::NO_MATCH},
        {3, "XXXX", 99999, M::GIVEN}, {3, "ABC", 99999, M::NO_MATCH},
    };
    for (const auto& c : cases)
        EXPECT_EQ(match.match(c.station, c.id, c.wmo), c.form)
            << match.getId(c.station) << " " << c.id;
    EarthPoint e;
    ASSERT_TRUE(match.locate(2, e));
    EXPECT_NEAR(e.getLat(), 39.12f, 0.01f); // the station file's place of Grand Junction
    EXPECT_NEAR(e.getLon(), -108.52f, 0.01f);
    EXPECT_FALSE(match.locate(3, e));
}
