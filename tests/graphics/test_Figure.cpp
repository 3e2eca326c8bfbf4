// The figure: drawing queue, frame decision by date or forecast time, parameters, the
// "current" start date, and the window events it answers.
#include "HYX/Drawing.h"
#include "HYX/Figure.h"
#include "HYX/Hyx.h"
#include "HYX/Resrc.h"

#include "PlotTestUtil.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace HYX;
using testutil::RecordDevice;

namespace {

// 12:00 UTC on 7 March 2024, the reference "now" of these tests.
const long NOON = Date(2024, 3, 7, 12, 0, 0).getSeconds();

// A drawing with data at every date, or at the dates a test maps frames to.
class FakeDrawing : public Drawing {
public:
    int loop = DATE_LOOP;
    int sync = 1;
    int frames = 3;
    long init_date = NOON;
    std::map<long, long> data_for; // frame date -> date of the data found for it
    std::set<long> rejected;       // frame dates without data
    std::vector<long> drawn;       // data dates drawn
    std::vector<std::string> times;
    std::string file;
    int defaults = 0;
    Date sel;

    int setFilename() override { return ++defaults; }
    int setFilename(const char* f) override { return file = f, 1; }
    int setFilename(Date& d, const char*) override {
        const long s = d.getSeconds();
        if (rejected.count(s)) return 0;
        const auto it = data_for.find(s);
        sel.set(it != data_for.end() ? it->second : s);
        return 1;
    }
    int setForeTime(const char* t) override { return times.push_back(t), 1; }
    int getDate(Date& d) override { return sel.isSet() ? (d = sel, 1) : 0; }
    int getLoopType() override { return loop; }
    int getInitDate(Date& d) override { return d.set(init_date), 1; }
    int getDateOffset() override { return 3600; }
    int getNumFrames() override { return frames; }
    int getSync() override { return sync; }
    int draw(Plot& plot) override {
        drawn.push_back(sel.getSeconds());
        plot.addLabel("ul", "fake");
        plot.done();
        return 1;
    }
};

class FigureTest : public ::testing::Test {
protected:
    void SetUp() override { testutil::resetPlotState(); }
    void TearDown() override { testutil::resetPlotState(); }
    // Opens the figure on a recording device, as the program does on its own device.
    RecordDevice* open(Figure& fig, const char* param = "") {
        auto dev = std::make_unique<RecordDevice>(1000, 800);
        RecordDevice* d = dev.get();
        fig.getPlot().setDevice(std::move(dev), Graph::XWINDOW);
        fig.open(param);
        Rect r(0.06f, 0.05f, 0.95f, 0.95f);
        fig.startPlot(r, 1.25f);
        return d;
    }
};

long hours(int h) { return NOON + h * 3600L; }

} // namespace

TEST_F(FigureTest, FramesByDateEndAtTheSyncDrawingsDate) {
    Figure fig;
    RecordDevice* d = open(fig);
    FakeDrawing a;
    fig.addDrawing(a);
    fig.endPlot();
    EXPECT_EQ(a.defaults, 1); // the sync drawing chose its file by its own defaults
    EXPECT_EQ(std::make_pair(fig.getNumFrames(), fig.getLoopInc()), std::make_pair(3, 3600));
    EXPECT_EQ(a.drawn, (std::vector<long>{hours(-2), hours(-1), hours(0)}));
    EXPECT_EQ(d->count("newFrame"), 3);
    EXPECT_EQ(d->count("cursor 8"), 3);
    EXPECT_EQ(fig.getPlot().getDate().getSeconds(), NOON); // the label date

    // The 11:00 frame finds the 10:00 data again and is skipped; 12:00 has none at all.
    Figure f2;
    open(f2);
    FakeDrawing b;
    b.data_for[hours(-1)] = hours(-2);
    b.rejected.insert(hours(0));
    f2.addDrawing(b);
    f2.endPlot();
    EXPECT_EQ(b.drawn, (std::vector<long>{hours(-2)}));
}

TEST_F(FigureTest, ParametersAndForecastTimeLists) {
    Figure fig;
    fig.setParam("linc=30,nf=5,nobord,ref,fi=upa.dat");
    EXPECT_EQ(std::make_pair(fig.getLoopInc(), fig.getNumFrames()), std::make_pair(1800, 5));
    EXPECT_FALSE(fig.getBorder());
    EXPECT_EQ(fig.getRefresh(), 1);
    EXPECT_STREQ(fig.getFile(), "upa.dat");
    fig.setParam("ref=120");
    EXPECT_EQ(fig.getRefresh(), 120);

    // Absurd forecast time spans are kept as given.
    fig.setForeTime("0-1000000/1");
    EXPECT_STREQ(fig.getForeTimes(), "0-1000000/1");

    // The "time" resource gives three frames by forecast time; the file parameter goes to
    // the sync drawing.
    Hyx::putResrc("time", "0-12/6");
    Figure f2;
    open(f2, "fi=upa.dat,nobord");
    FakeDrawing a;
    f2.addDrawing(a);
    f2.endPlot();
    EXPECT_EQ(a.file, "upa.dat");
    EXPECT_EQ(f2.getLoopType(), Drawing::FORE_LOOP);
    EXPECT_EQ(a.times, (std::vector<std::string>{"0", "6", "12"}));
}

TEST_F(FigureTest, CurrentResourceSetsTheStartDate) {
    Hyx::setInitTime(static_cast<int>(NOON));
    const std::pair<const char*, long> cases[] = {
        {"1d6:30", hours(-30) - 1800},
        {"6", hours(-6)},
        {"now", NOON},
        {"#2024030500", Date(2024, 3, 5, 0, 0, 0).getSeconds()}};
    for (const auto& [value, secs] : cases) {
        Hyx::putResrc("current", value);
        Figure fig;
        open(fig);
        fig.endPlot();
        EXPECT_EQ(fig.getBeginDate().getSeconds(), secs) << value;
        EXPECT_EQ(fig.getNumFrames(), 1) << value;
    }
    // "la" (latest) leaves the date to the drawing.
    Hyx::putResrc("current", "latest");
    Figure fig;
    open(fig);
    FakeDrawing a;
    a.init_date = hours(-48);
    a.frames = 1;
    fig.addDrawing(a);
    fig.endPlot();
    EXPECT_EQ(fig.getBeginDate().getSeconds(), hours(-48));
    EXPECT_EQ(a.drawn, (std::vector<long>{hours(-48)}));
}

TEST_F(FigureTest, OneFrameWhenNoDrawingTakesPart) {
    Hyx::setInitTime(static_cast<int>(NOON));
    Figure fig;
    RecordDevice* d = open(fig);
    FakeDrawing a;
    a.loop = Drawing::NO_LOOP;
    a.sync = 0;
    fig.addDrawing(a);
    fig.endPlot();
    EXPECT_EQ(fig.getNumFrames(), 1);
    EXPECT_EQ(a.drawn, (std::vector<long>{NOON}));
    EXPECT_EQ(d->count("newFrame"), 0);
    EXPECT_FALSE(d->drawn("pline").empty()) << "the border";

    // An empty queue still runs the frame loop and updates the device.
    Figure empty;
    RecordDevice* e = open(empty);
    e->reset();
    empty.endPlot();
    EXPECT_EQ(e->count("update"), 1);
    EXPECT_EQ(e->count("cursor 8"), 0);

    // A given date and step: a negative step counts back from the date given.
    Figure f3;
    Date d0(NOON);
    f3.setDate(d0, -3600, 3);
    EXPECT_EQ(f3.getBeginDate().getSeconds(), hours(-3));
    EXPECT_EQ(std::make_pair(f3.getLoopInc(), f3.getNumFrames()), std::make_pair(3600, 3));
}

TEST_F(FigureTest, WindowEventsRedrawAndRefresh) {
    Hyx::setInitTime(static_cast<int>(NOON));
    Figure fig;
    RecordDevice* d = open(fig, "ref=60");
    FakeDrawing a;
    a.frames = 1;
    fig.addDrawing(a);
    fig.endPlot();
    ASSERT_EQ(a.drawn.size(), 1u);

    fig.callback("Redraw", "640:480", nullptr);
    EXPECT_EQ(fig.getNumRedraw(), 1);
    EXPECT_EQ(a.drawn.size(), 2u);
    // Zoom out, which the window tests do not press, halves the scale about the pointer.
    Domain before, after;
    fig.getPlot().getPanelDomain(0, before);
    fig.callback("KeyPress", "Z-Alt-Shft:500:400", nullptr);
    fig.getPlot().getPanelDomain(0, after);
    EXPECT_NEAR(after.dx, before.dx * 2, 1e-6f);
    const size_t n = a.drawn.size();

    // Idle: after the refresh period, new data redraw the frame; the same data do not.
    fig.manage();
    fig.callback("Idle", "", nullptr);
    EXPECT_EQ(a.drawn.size(), n); // no time has passed
    Hyx::setInitTime(static_cast<int>(hours(1)));
    fig.callback("Idle", "", nullptr);
    EXPECT_EQ(a.drawn.size(), n + 1);
    EXPECT_EQ(a.drawn.back(), hours(1));
    EXPECT_EQ(fig.getBeginDate().getSeconds(), hours(1));
    a.data_for[hours(2)] = hours(1);
    Hyx::setInitTime(static_cast<int>(hours(2)));
    fig.callback("Idle", "", nullptr);
    EXPECT_EQ(a.drawn.size(), n + 1);
    EXPECT_GE(d->count("update"), 2);
}
