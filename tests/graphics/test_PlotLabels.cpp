// Labels, the colour bar and the border around a plot.
#include "HYX/ColorBar.h"
#include "HYX/ColorMap.h"
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/Resrc.h"

#include "PlotTestUtil.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace HYX;
using testutil::RecordDevice;

TEST(ColorBar, ParametersSetPositionAndRange) {
    ColorBar b;
    EXPECT_STREQ(b.getLocate(), "ll");
    EXPECT_EQ(b.getRange().max, Const::FMISS);
    b.setParam("LO=ur,Ra=-10.5:40,junk,ra=bad");
    EXPECT_STREQ(b.getLocate(), "ur");
    EXPECT_EQ(b.getRange().min, -10.5f);
    EXPECT_EQ(b.getRange().max, 40.0f);
}

namespace {

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override { testutil::resetPlotState(); }
    void TearDown() override { testutil::resetPlotState(); }
    // The program's layout on a recording device.
    RecordDevice* open(Plot& plot) {
        RecordDevice* d = testutil::openRecording(plot, 1000, 800);
        Rect r(0.06f, 0.05f, 0.95f, 0.95f);
        plot.setPanel(r, 1.25f);
        d->reset();
        return d;
    }
    // Text primitives in page units.
    struct Text {
        std::string text;
        float x, y;
    };
    static std::vector<Text> texts(Plot& plot, const RecordDevice& d) {
        std::vector<Text> out;
        for (const auto& p : d.drawn("text")) {
            Text t{p.text, 0, 0};
            plot.getGraph().getGTran(0).tranPlotView(p.pts[0].x, p.pts[0].y, t.x, t.y);
            out.push_back(t);
        }
        return out;
    }
};

} // namespace

TEST_F(LabelTest, EscapesInLabelTexts) {
    Plot plot;
    plot.setDate(Date(2024, 3, 7, 12, 0, 0));
    plot.setForeHour(36);
    char out[100];
    auto format = [&](const char* in, size_t size = sizeof out) {
        plot.formatLabel(in, out, size);
        return std::string(out);
    };
    EXPECT_EQ(format("T_at_%h%nZ"), "T at 1200Z");
    EXPECT_EQ(format("%Y/%y/%m/%d %b %f%% %q"), "2024/24/03/07 MAR 36% %q");
    EXPECT_EQ(format("%F"), "36 hour");
    // Minutes and forecast hour missing: %D is the date line, a missing part alone prints
    // as the missing value.
    plot.setDate(Date(2024, 3, 7, 12, Const::MISS, Const::FMISS));
    EXPECT_EQ(format("%D"), "12Z  7 MAR 24");
    EXPECT_EQ(format("%n"), "-9999");
    EXPECT_EQ(format("100%"), "100%");
    // Bounded: the result never passes size - 1 characters, also inside an escape.
    EXPECT_EQ(format("ab%D", 6), "ab12Z");
}

TEST_F(LabelTest, StandAloneLabelsHideQueuedOnes) {
    Hyx::putResrc("label", "Forecast_chart,lr:Valid");
    Plot plot;
    RecordDevice* d = open(plot);
    plot.addLabel("ul", "queued");
    plot.addLabel("ur", "kept");
    plot.done();
    plot.drawLabels();
    std::vector<std::string> got;
    for (const Text& t : texts(plot, *d)) got.push_back(t.text);
    EXPECT_EQ(got, (std::vector<std::string>{"kept", "Forecast chart", "Valid"}));

    // Switched-off positions draw nothing.
    d->reset();
    plot.setDrawing("text_ur");
    plot.drawLabels();
    ASSERT_EQ(texts(plot, *d).size(), 1u);
    EXPECT_EQ(texts(plot, *d)[0].text, "kept");
}

TEST_F(LabelTest, ColourBarBoxesAndValues) {
    Plot plot;
    RecordDevice* d = open(plot);
    ColorMap m = plot.getColorMap();
    ColorFill f(m, nullptr);
    f.setInterval(1);
    f.setBase(0);
    plot.setBar(f, Range(0, 40));
    plot.drawLabels();
    // 40 boxes; a value under every third one (40 / 16 + 1), starting with the first.
    EXPECT_EQ(d->drawn("fill").size(), 40u);
    // Boxes span the left half of the plot below it, in the band colours.
    Rect pv;
    plot.getViewport(pv);
    std::string vals;
    for (const Text& t : texts(plot, *d)) {
        vals += t.text + " ";
        EXPECT_LT(t.y, pv.ymin);
        EXPECT_GE(t.x, pv.xmin);
        EXPECT_LE(t.x, pv.xmin + pv.getWidth() / 2);
    }
    EXPECT_EQ(vals, "0 3 6 9 12 15 18 21 24 27 30 33 36 39 ");

    // A value list: one box per value from the range's minimum to its maximum.
    Plot p3;
    RecordDevice* d3 = open(p3);
    ColorFill v(m, "0:blue,10:green,20:red");
    p3.setBar(v, Range());
    p3.drawBar(Range(5, 25));
    EXPECT_EQ(d3->drawn("fill").size(), 3u);
    // Nothing to show: no box.
    d3->reset();
    p3.setBar(ColorFill(), Range());
    p3.drawBar(Range());
    EXPECT_EQ(d3->drawn("fill").size(), 0u);
}

TEST_F(LabelTest, MissingLogoIsReported) {
    testutil::ScratchDir dir;
    Hyx::putResrc("image_path", dir.path().c_str());
    Plot plot;
    open(plot);
    plot.setLogo("if:nologo.png:ll:0.01:0.02");
    std::string err = testutil::captureErr([&] { plot.drawLabels(); });
    EXPECT_EQ(err, "Logo not found: " + dir.file("nologo.png") + "\n");
    // Names that are no GIF or PNG are not looked for.
    plot.setLogo("logo.txt");
    err = testutil::captureErr([&] { plot.drawLabels(); });
    EXPECT_EQ(err, "");
}
