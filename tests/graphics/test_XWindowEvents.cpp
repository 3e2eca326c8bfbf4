// The window device's event loop on a private Xvfb server: keys and buttons sent with
// xdotool (XTEST) become named events delivered in registration order, resizing gives one
// "Redraw" per settled size, frames are stepped, looped and deleted from the keyboard and
// the mouse, the loop shows each frame for its delay, Return ends the loop, and a lost
// display ends it too.
#include "HYX/Plot.h"
#include "HYX/Resrc.h"
#include "HYX/StrLib.h"
#include "HYX/Timer.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace HYX;
using testutil::EventLog;
using testutil::run;

namespace {

// Runs one step at each "Idle" event of the loop and leaves the loop after the last one,
// or after `limit` passes whatever happens.
class Script : public Listener {
public:
    Script(XWindow* d, std::vector<std::function<void()>> s)
        : Script([d] { d->unmanage(); }, std::move(s)) {}
    Script(std::function<void()> leave, std::vector<std::function<void()>> s)
        : stop(std::move(leave)), steps(std::move(s)) {}
    void callback(const char* type, const char*, const void*) override {
        if (!StrLib::equal(type, "Idle")) return;
        ++idles;
        if (next < steps.size())
            steps[next++]();
        else
            stop();
        if (idles >= limit) stop();
    }
    std::function<void()> stop;
    std::vector<std::function<void()>> steps;
    size_t next = 0;
    int idles = 0;
    int limit = 150;
};

using Win = testutil::WindowGraph;
using XWindowEventTest = testutil::XFixture;

TEST_F(XWindowEventTest, KeysAndButtonsBecomeNamedEventsInRegistrationOrder) {
    Win w;
    ASSERT_TRUE(w.open());
    std::vector<std::string> order;
    EventLog a("A"), b("B"), c("C"), buttons("P");
    for (EventLog* l : {&a, &b, &c}) {
        l->order = &order;
        ASSERT_EQ(w.g.addCallback("AnyEvent", l, nullptr), 1);
    }
    ASSERT_EQ(w.g.addCallback("ButtonPress", &buttons, nullptr), 1);
    EXPECT_EQ(w.g.addCallback("KeyPress", &buttons, nullptr), 0) << "only three kinds register";
    // Return ends the loop, as the plot does it.
    bool quit_seen = false;
    c.hook = [&](const char* type, const char* data) {
        if (StrLib::equal(type, "KeyPress") && StrLib::equal(data, "Ret", 3)) {
            quit_seen = true;
            w.dev->unmanage();
        }
    };
    const std::string id = w.idText();
    Script script(w.dev,
                  {[&] { w.xdo("mousemove --window " + id + " 120 80"); },
                   [&] { w.xdo("key ctrl+alt+p"); }, [&] { w.xdo("click 3"); },
                   [&] { w.xdo("keydown alt click 1 keyup alt"); }, [&] { w.xdo("key Return"); }});
    script.limit = 40;
    ASSERT_EQ(w.g.addCallback("AnyEvent", &script, nullptr), 1);
    w.g.manage();
    EXPECT_TRUE(quit_seen) << "the loop ended on Return";
    EXPECT_EQ(script.next, script.steps.size());

    // With Control the key's text is the control character (Ctrl+p: 0x10).
    std::vector<std::string> keys; // modifier keys alone come without text
    for (const auto& e : a.matching("KeyPress "))
        if (e[9] != ':' && e[9] != '-') keys.push_back(e);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"KeyPress \x10-Alt-Cntrl:120:80", "KeyPress Ret:120:80"}));
    EXPECT_EQ(a.matching("ButtonPress"),
              (std::vector<std::string>{"ButtonPress B3-P:120:80", "ButtonPress B1-P-Alt:120:80"}));
    EXPECT_EQ(a.matching("ButtonRelease"),
              (std::vector<std::string>{"ButtonRelease B3-R", "ButtonRelease B1-R-Alt"}));
    // Listeners of one kind get only that kind.
    EXPECT_EQ(buttons.events, a.matching("ButtonPress"));
    // Every event went to A, then B, then C.
    ASSERT_EQ(order.size() % 3, 0u);
    for (size_t i = 0; i + 2 < order.size(); i += 3)
        ASSERT_EQ(order[i] + order[i + 1] + order[i + 2], "ABC") << "event " << i / 3;
    EXPECT_EQ(a.events, c.events);
    // An event passed on by a listener reaches every listener of the window, of any kind.
    w.g.doCallback("QueryLoc", "40.000000,-105.000000");
    for (EventLog* l : {&a, &b, &c, &buttons})
        EXPECT_EQ(l->events.back(), "QueryLoc 40.000000,-105.000000") << l->tag;
    w.g.close();
}

TEST_F(XWindowEventTest, MappingAndExposureRepaintFromThePicture) {
    Win w;
    ASSERT_TRUE(w.open());
    w.paint(1, 0, 0);
    w.g.update();
    EventLog log;
    w.g.addCallback("AnyEvent", &log, nullptr);
    std::vector<bool> mapped;
    std::vector<long> colour;
    const std::string id = w.idText();
    Script script(w.dev,
                  {[&] { w.xdo("windowunmap " + id); },
                   [&] { mapped.push_back(w.dev->isMapped()), w.xdo("windowmap " + id); },
                   [&] { mapped.push_back(w.dev->isMapped()), colour.push_back(w.shown()); }});
    w.g.addCallback("AnyEvent", &script, nullptr);
    w.g.manage();
    EXPECT_EQ(mapped, (std::vector<bool>{false, true}));
    EXPECT_GE(log.count("Expose "), 1);
    EXPECT_EQ(colour, std::vector<long>{0xFF0000}) << "repainted without drawing again";
    EXPECT_EQ(w.dev->getCursor(), XWindow::CUR_READY) << "the loop shows the ready cursor";
    w.g.close();
}

TEST_F(XWindowEventTest, ResizingGivesOneRedrawPerSettledSize) {
    Win w;
    w.g.setFixed(false);
    ASSERT_TRUE(w.open());
    EventLog log;
    ASSERT_EQ(w.g.addCallback("AnyEvent", &log, nullptr), 1);
    const std::string id = w.idText();
    Script script(w.dev,
                  {[&] { w.xdo("windowsize " + id + " 700 500 windowsize " + id + " 800 600"); },
                   [&] {}, [&] { w.xdo("windowmove " + id + " 50 60"); },
                   [&] { w.xdo("windowsize " + id + " 800 600"); },
                   [&] { w.xdo("windowsize " + id + " 640 400"); }, [&] {}});
    ASSERT_EQ(w.g.addCallback("AnyEvent", &script, nullptr), 1);
    w.g.manage();
    EXPECT_EQ(log.matching("Redraw"),
              (std::vector<std::string>{"Redraw 800:600", "Redraw 640:400"}));
    // The window's own listener runs first: the redraw arrives inside the Configure event,
    // before the other listeners see the Configure event itself.
    const auto& ev = log.events;
    const auto redraw = std::find(ev.begin(), ev.end(), "Redraw 800:600");
    const auto config = std::find(ev.begin(), ev.end(), "Configure 800:600");
    ASSERT_NE(config, ev.end());
    EXPECT_LT(redraw - ev.begin(), config - ev.begin());
    w.g.close();
}

TEST_F(XWindowEventTest, AltKeysAndButtonsStepLoopAndDeleteFrames) {
    Win w;
    ASSERT_TRUE(w.open());
    const long shown[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (int k = 0; k < 3; ++k) {
        w.g.newFrame();
        w.paint(k == 0, k == 1, k == 2);
    }
    ASSERT_EQ(w.g.getNumFrames(), 3);
    struct State {
        int frame;
        long colour;
        bool looping;
        int frames;
        float delay;
        int cursor;
    };
    std::vector<State> seen; // before each step
    auto note = [&] {
        seen.push_back({w.dev->getFrame(), w.shown(), w.dev->isLooping(), w.dev->getNumFrames(),
                        w.dev->getDelay(), w.dev->getCursor()});
    };
    const std::string id = w.idText();
    Script script(w.dev, {[&] { w.xdo("mousemove --window " + id + " 100 100"); },
                          [&] { note(), w.xdo("key alt+l"); },            // stop the loop
                          [&] { note(), w.xdo("key alt+bracketright"); }, // one on
                          [&] { note(), w.xdo("key alt+bracketleft"); },  // one back
                          [&] { note(), w.xdo("click 3"); },              // one on
                          [&] { note(), w.xdo("click 2"); },              // loop again
                          [&] { note(), w.xdo("click 1"); },              // slower
                          [&] { note(), w.xdo("key alt+l"); },            // stop
                          [&] { note(), w.xdo("key alt+d"); },            // delete the frame
                          [&] { note(); }});
    ASSERT_EQ(w.g.addCallback("AnyEvent", &script, nullptr), 1);
    w.g.manage();
    ASSERT_EQ(seen.size(), 9u);
    EXPECT_TRUE(seen[0].looping) << "several frames start looping";
    EXPECT_EQ(seen[0].cursor, XWindow::CUR_LOOP);
    EXPECT_EQ(seen[2].cursor, XWindow::CUR_STOP);
    const int f0 = seen[1].frame;
    EXPECT_FALSE(seen[1].looping);
    EXPECT_EQ(seen[1].colour, shown[f0]) << "the frame shown is on the screen";
    EXPECT_EQ(seen[2].frame, (f0 + 1) % 3);
    EXPECT_EQ(seen[2].colour, shown[(f0 + 1) % 3]);
    EXPECT_EQ(seen[3].frame, f0);
    EXPECT_EQ(seen[4].frame, (f0 + 1) % 3);
    EXPECT_TRUE(seen[5].looping);
    EXPECT_FLOAT_EQ(seen[4].delay, 0.5f);
    EXPECT_FLOAT_EQ(seen[6].delay, 0.6f) << "button 1 slows a running loop";
    EXPECT_FALSE(seen[7].looping);
    const int gone = seen[7].frame;
    EXPECT_EQ(seen[8].frames, 2);
    // The frame now at the deleted one's place (or the new last) is shown.
    const int now = seen[8].frame;
    const int old = gone < 2 ? gone + 1 : 1;
    EXPECT_EQ(now, gone < 2 ? gone : 1);
    EXPECT_EQ(seen[8].colour, shown[old]);
    w.g.close();
}

// Virtual time for the loop: sleeping advances it at once.
double virtual_now = 0;
struct VirtualClock {
    VirtualClock() {
        virtual_now = 1000;
        Timer::setClock([] { return virtual_now; }, [](double t) { virtual_now += t; });
    }
    ~VirtualClock() { Timer::setClock(nullptr, nullptr); }
};

TEST_F(XWindowEventTest, LoopShowsEachFrameForItsDelay) {
    VirtualClock clock;
    Win w;
    ASSERT_TRUE(w.open());
    for (int k = 0; k < 2; ++k) {
        w.g.newFrame();
        w.paint(k == 0, k == 1, 0);
    }
    w.dev->displayFrame(0);
    // The frame shown at each "Idle" event with the virtual time of the event.
    std::vector<std::pair<double, int>> shown;
    Script script(w.dev, std::vector<std::function<void()>>(
                             7, [&] { shown.emplace_back(virtual_now, w.dev->getFrame()); }));
    w.g.addCallback("AnyEvent", &script, nullptr);
    const double start = virtual_now;
    w.g.manage();
    ASSERT_EQ(shown.size(), 7u);
    // Frame changes happen just before an "Idle" event; the time between two changes is
    // how long a frame stayed: the delay (0.5 s) for frame 0, the end delay (1.0 s) for the
    // last frame. Tolerance: the sums of 0.2 s steps, 1e-6 s.
    double since = start;
    int frame = 0;
    for (const auto& [time, f] : shown) {
        ASSERT_NE(f, frame) << "every pass of a running loop shows the next frame";
        EXPECT_NEAR(time - since, frame == 1 ? 1.0 : 0.5, 1e-6) << "frame " << frame;
        since = time;
        frame = f;
    }
    w.g.close();
}

TEST_F(XWindowEventTest, LostDisplayEndsTheLoop) {
    testutil::XServer own; // a server of its own, to be killed
    ASSERT_TRUE(own.ok());
    Win w(("co=" + own.display()).c_str());
    ASSERT_TRUE(w.open());
    Script script(w.dev, {[&] { own.stop(); }, [] {}, [] {}, [] {}});
    script.limit = 20;
    w.g.addCallback("AnyEvent", &script, nullptr);
    const std::string err = testutil::captureErr([&] { w.g.manage(); });
    EXPECT_NE(err.find("X11 Disconnected\n"), std::string::npos) << err;
    EXPECT_LT(script.idles, 4) << "the loop ended soon after the server went away";
    // The program goes on: drawing does nothing harmful, closing frees the window.
    w.g.drawLine(0, 0, 1, 1);
    w.g.update();
    EXPECT_EQ(w.g.close(), 1);
    EXPECT_FALSE(XWindow::isConnected());
}

} // namespace
