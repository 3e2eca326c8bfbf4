// The cross-section drawing on a recording device: the surface line over high ground. The
// values in the units the list asks for are the golden sections' (temp_fahrenheit).
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/Resrc.h"
#include "HYX/UpaXSectPlot.h"

#include "RecordDevice.h"
#include "TestUtil.h"

#include <gtest/gtest.h>
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
    Plot plot;
    RecordDevice* dev = nullptr;
    int result = -1;
};

} // namespace

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
