// The cross-section drawing on a recording device: columns, distances, labels and the
// handling of odd station lists.
#include "HYX/Domain.h"
#include "HYX/EarthPoint.h"
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/Resrc.h"
#include "HYX/UpaXSectPlot.h"

#include "RecordDevice.h"
#include "TestUtil.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace HYX;
using testutil::RecordDevice;

namespace {

const std::string DATA = std::string(HYX_SOURCE_DIR) + "/data";

class XSectDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        Hyx::getResrcStore().clear();
        Hyx::setDatabasePath(HYX_SHARE);
        Hyx::putResrc("file_path", HYX_SHARE);
        Hyx::putResrc("data_path", DATA.c_str());
        Hyx::putResrc("device", "x,hfont"); // device text, so labels arrive as texts
        Hyx::setMessageLevel("none");
        auto d = std::make_unique<RecordDevice>(1000, 800, true);
        dev = d.get();
        plot.setDevice(std::move(d), Graph::XWINDOW);
        ASSERT_EQ(plot.open(), 1);
        plot.setPanel(Rect(0.06f, 0.05f, 0.95f, 0.95f), 1.25f);
        dev->reset();
    }
    void TearDown() override {
        Hyx::getResrcStore().clear();
        Hyx::setMessageLevel("mess");
    }

    // Draws the section for the identifiers and file, then the queued labels; returns
    // what the drawing wrote to standard error.
    std::string draw(const char* ids, const std::string& file, const char* var = "none") {
        Hyx::putResrc("identifier", ids);
        Hyx::putResrc("variable", var);
        UpaXSectPlot xs;
        xs.setFilename(file.c_str());
        std::string err =
            testutil::captureErr([&] { testutil::captureOut([&] { result = xs.draw(plot); }); });
        plot.drawLabels();
        return err;
    }
    // Device x of each drawn text, by text.
    std::map<std::string, float> textX() const {
        std::map<std::string, float> out;
        for (const auto& p : dev->drawn("text")) out[p.text] = p.pts[0].x;
        return out;
    }
    int columnLabels(const std::string& id) const {
        int n = 0;
        for (const auto& p : dev->drawn("text")) n += p.text == id;
        return n;
    }

    Plot plot;
    RecordDevice* dev = nullptr;
    int result = -1;
};

} // namespace

TEST_F(XSectDrawing, ColumnsStandAtGreatCircleDistances) {
    draw("KGJT,KDNR,KLBF", DATA + "/1999050400_upa.cvt");
    ASSERT_EQ(result, 1);
    const auto x = textX();
    ASSERT_TRUE(x.count("KGJT") && x.count("KDNR") && x.count("KLBF"));
    // Station places as the data file gives them (Grand Junction, Denver, North Platte).
    const EarthPoint gjt(39.12f, -108.53f), dnr(39.77f, -104.87f), lbf(41.13f, -100.68f);
    const float d1 = Domain::calcEarthDist(gjt, dnr), d2 = Domain::calcEarthDist(dnr, lbf);
    const float ratio = (x.at("KDNR") - x.at("KGJT")) / (x.at("KLBF") - x.at("KGJT"));
    EXPECT_NEAR(ratio, d1 / (d1 + d2), 0.01f);
    EXPECT_TRUE(x.count("00Z 04 MAY 99")); // upper-right date label
}

TEST_F(XSectDrawing, TimeSectionLabelsDayAndHour) {
    draw("GJT", DATA + "/1980052012_upa.cvt", "theta");
    ASSERT_EQ(result, 1);
    const auto x = textX();
    const std::vector<std::string> labels = {"17/12", "18/00", "18/12", "19/00",
                                             "19/12", "20/00", "20/12"};
    for (size_t i = 0; i < labels.size(); ++i) {
        ASSERT_TRUE(x.count(labels[i])) << labels[i];
        if (i > 0) {
            EXPECT_GT(x.at(labels[i]), x.at(labels[i - 1])); // oldest on the left
        }
    }
    EXPECT_TRUE(x.count("ID: GJT starting 12Z 17 MAY 80"));
    EXPECT_TRUE(x.count("Potential Temperature [K]"));
}

TEST_F(XSectDrawing, OddStationListsAreHandled) {
    std::string err = draw("", DATA + "/1999050400_upa.cvt");
    EXPECT_EQ(result, 0);
    EXPECT_NE(err.find("no station identifier"), std::string::npos);
    EXPECT_TRUE(dev->drawn("text").empty());

    // A station without a place, with or without soundings, is named and left out.
    dev->reset();
    err = draw("KGJT,XXXX,CYVN,KLBF", DATA + "/1999050400_upa.cvt");
    EXPECT_EQ(result, 1);
    EXPECT_NE(err.find("XXXX is in neither"), std::string::npos);
    EXPECT_NE(err.find("CYVN has no known position"), std::string::npos);
    auto x = textX();
    EXPECT_FALSE(x.count("XXXX") || x.count("CYVN"));
    EXPECT_TRUE(x.count("KGJT") && x.count("KLBF"));

    // Nothing to draw at all.
    dev->reset();
    draw("XXXX,CYVN", DATA + "/1999050400_upa.cvt");
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(dev->drawn("line").empty());

    // All stations at one place stand in the middle of the frame.
    dev->reset();
    draw("KDNR,kdnr", DATA + "/1999050400_upa.cvt", "temp");
    x = textX();
    ASSERT_TRUE(x.count("KDNR") && x.count("kdnr"));
    EXPECT_FLOAT_EQ(x.at("KDNR"), x.at("kdnr"));

    // More than 50 columns are cut to the first 50.
    dev->reset();
    std::string ids;
    for (int i = 0; i < 55; ++i) ids += std::string(i ? "," : "") + (i < 50 ? "KDNR" : "KOAX");
    err = draw(ids.c_str(), DATA + "/1999050400_upa.cvt");
    EXPECT_NE(err.find("only the first 50"), std::string::npos);
    EXPECT_EQ(columnLabels("KDNR"), 50);
    EXPECT_EQ(columnLabels("KOAX"), 0);
}

TEST_F(XSectDrawing, ValuesComeInTheUnitsTheListAsksFor) {
    Hyx::putResrc("identifier", "KGJT,KDNR,KLBF,KOAX");
    auto maxOf = [&](const char* var) {
        Hyx::putResrc("variable", var);
        UpaXSectPlot xs;
        xs.setFilename((DATA + "/1999050400_upa.cvt").c_str());
        const std::string out = testutil::captureOut([&] { xs.draw(plot); });
        float mx = 0;
        const size_t at = out.find("Max: ");
        EXPECT_NE(at, std::string::npos) << out;
        if (at != std::string::npos) std::sscanf(out.c_str() + at, "Max: %f", &mx);
        return mx;
    };
    // The warmest sample of the section is the North Platte surface report, 23.8 C.
    EXPECT_NEAR(maxOf("temp[C,ln]"), 23.8f, 0.05f);
    EXPECT_NEAR(maxOf("temp[F,ln]"), 23.8f * 9 / 5 + 32, 0.1f);
    // Mixing ratio is computed in g/kg: a humid Plains surface holds about 12 of them.
    const float w = maxOf("mrat[g/kg,ln]");
    EXPECT_GT(w, 8);
    EXPECT_LT(w, 20);
}

TEST_F(XSectDrawing, SurfaceAtOrAbove500MbBreaksTheSurfaceLine) {
    // Three made-up stations 1 degree apart; the middle one reports its surface at P mb.
    auto section = [&](const char* p) {
        testutil::ScratchDir tmp;
        std::string listing = "DATE 2026120412\n";
        const char* mid[] = {"STATION AAA 1 40 -100 1000\n900 1000 10 5 270 20 S\n", nullptr,
                             "STATION CCC 3 40 -98 1500\n850 1500 8 2 270 20 S\n"};
        for (int i = 0; i < 3; ++i) {
            if (mid[i]) {
                listing += mid[i];
            } else {
                listing +=
                    std::string("STATION BBB 2 40 -99 5600\n") + p + " 5600 -20 -30 270 40 S\n";
            }
            listing +=
                "400 7300 -30 -40 270 50\n200 11800 -55 -65 270 60\n100 16200 -60 -70 270 40\n";
        }
        tmp.write("in.txt", listing);
        const std::string file = tmp.file("2026120412_upa.cvt");
        const auto r =
            testutil::run(std::string(HYX_UPACONV) + " -o " + file + " " + tmp.file("in.txt"));
        EXPECT_EQ(r.status, 0) << r.err;
        Hyx::putResrc("color_grid", "none");
        Hyx::putResrc("color_text", "none");
        dev->reset();
        draw("AAA,BBB,CCC", file);
        int segments = 0;
        for (const auto& prim : dev->drawn("line")) segments += prim.kind == 1;
        return segments;
    };
    EXPECT_EQ(section("500"), 0);
    EXPECT_EQ(section("501"), 2);
}
