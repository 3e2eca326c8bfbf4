// What the pointer shows in a section: the place in the section's own terms and the values
// drawn there, interpolated between the samples of the two columns around it.
#include "HYX/Const.h"
#include "HYX/SectionReadout.h"
#include "HYX/XSectionPlot.h"

#include <gtest/gtest.h>

#include <string>

using namespace HYX;

TEST(SectionReadout, TellsThePlaceAndInterpolatesTheSamples) {
    XSectionPlot frame;
    frame.setView(Rect(0, 0, 1, 1));
    frame.setVertAxis(100, 1050, 50);
    frame.setHorAxis(-100, 1100);
    SectionReadout r;
    r.setFrame(frame, false);
    r.addColumn(0, "AAA", 900);
    r.addColumn(1000, "BBB", 1000);
    const int t = r.addVariable("temp", "C", false);
    const int w = r.addVariable("wbarb", "kt", true);
    EXPECT_EQ(r.addVariable("none", "", false), -1);
    const float miss = Const::FMISS;
    for (const auto& [col, p, v] : {std::tuple{0, 900.0f, 10.0f}, {0, 500.0f, -30.0f},
                                    {0, 100.0f, -50.0f}, {1, 1000.0f, 20.0f}, {1, 500.0f, 0.0f},
                                    {1, 300.0f, miss}, {1, 100.0f, -40.0f}}) {
        r.addSample(t, col, p, v);
        r.addSample(w, col, p, 0, col ? -20.0f : -10.0f); // from the north, 10 then 20 kt
    }
    // Values by hand: linear in ln p within a column (at sqrt(900 x 500) = 670.8 mb half
    // way from 10 to -30 C), linear in distance between the columns (-30 + 0.4 x 30).
    struct Case {
        float dist, p;
        const char* says;
    };
    const Case cases[] = {
        {400, 500, "Pres: 500.0 mb  Dist: 400 km  Nearest: AAA (400 km)\n"
                   "  temp: -18.0 C\n  wbarb: 360/14 kt\n"},
        {0, 670.82f, "Pres: 670.8 mb  Dist: 0 km  Nearest: AAA (0 km)\n"
                     "  temp: -10.0 C\n  wbarb: 360/10 kt\n"},
        {900, 200, "Nearest: BBB (100 km)\n  temp: no value\n"}, // next to a missing sample
        {-50, 500, "Nearest: AAA (50 km)\n  temp: no value\n"},  // outside the stations
        {0, 950, "Nearest: AAA (0 km)  below ground\n"},
        {500, 960, "below ground"}, // under the straight ground line, above 948.7 mb
        {500, 940, "Nearest: AAA (500 km)\n  temp: no value\n"},
    };
    for (const Case& c : cases) {
        const std::string s = r.describe(frame.getX(c.dist), frame.getY(c.p));
        EXPECT_NE(s.find(c.says), std::string::npos) << c.dist << " km " << c.p << " mb: " << s;
    }
    EXPECT_EQ(r.describe(1.2f, 0.5f), "Outside the section frame\n");

    // A time section names the time of the nearest column.
    r.setFrame(frame, true);
    r.addColumn(0, "12Z 17 MAY 80", 900);
    r.addColumn(20, "00Z 18 MAY 80", 900);
    EXPECT_EQ(r.describe(frame.getX(15.0f), frame.getY(500.0f)),
              "Pres: 500.0 mb  Time: 00Z 18 MAY 80\n");
}
