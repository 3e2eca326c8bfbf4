// Helpers for the window tests: a private Xvfb server (started on first use on a display
// number the server picks itself, stopped when the test program ends), the test fixture
// that points the display at it, a drawing context on a window device, screenshots read
// back with xwd and xwdtopnm, and a listener that records the events it gets.
#ifndef HYX_TEST_XSERVER_H
#define HYX_TEST_XSERVER_H

#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/Listener.h"
#include "HYX/RGB.h"
#include "HYX/String.h"
#include "HYX/XWindow.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace testutil {

class XServer {
public:
    // Starts Xvfb with a 1024x768 screen of depth 24; the server writes the display number
    // it took to a pipe once it accepts connections.
    XServer() {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive a crashed test program
            close(fds[0]);
            freopen("/dev/null", "w", stdout);
            freopen("/dev/null", "w", stderr);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                   "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string num;
        pollfd p{fds[0], POLLIN, 0};
        char c;
        while (pid > 0 && poll(&p, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') num += c;
        close(fds[0]);
        if (!num.empty()) name = ":" + num;
    }
    ~XServer() { stop(); }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // The server shared by the tests of one program.
    static XServer& shared() {
        static XServer server;
        return server;
    }

    bool ok() const { return !name.empty(); }
    const std::string& display() const { return name; }
    void stop() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        pid = -1;
        name.clear();
    }

private:
    pid_t pid = -1;
    std::string name;
};

// A screenshot in RGB, row 0 first.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    bool valid() const { return width > 0 && height > 0; }
    // 0xRRGGBB of a pixel; -1 outside.
    long at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return -1;
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        return (long(rgb[i]) << 16) | (long(rgb[i + 1]) << 8) | long(rgb[i + 2]);
    }
};

// The window as the X server shows it, through xwd and xwdtopnm (binary PPM, maxval 255).
inline Shot screenshot(unsigned long window) {
    Shot s;
    const RunResult r =
        run("xwd -silent -nobdrs -id " + std::to_string(window) + " | xwdtopnm 2>/dev/null");
    const std::string& d = r.out;
    int maxval = 0, used = 0;
    if (std::sscanf(d.c_str(), "P6 %d %d %d%n", &s.width, &s.height, &maxval, &used) != 3 ||
        maxval != 255)
        return Shot{};
    const size_t start = static_cast<size_t>(used) + 1; // one white-space byte ends the header
    const size_t n = static_cast<size_t>(s.width) * s.height * 3;
    if (d.size() < start + n) return Shot{};
    s.rgb.assign(d.begin() + start, d.begin() + start + n);
    return s;
}

// The window id from the device string "d,<display>,+<window>:<drawable>:<w>x<h>".
inline unsigned long windowOf(const HYX::String& dev) {
    const char* plus = std::strchr(dev.get(), '+');
    return plus ? std::strtoul(plus + 1, nullptr, 10) : 0;
}

// Records "name data" of every event; optional hooks run on events.
class EventLog : public HYX::Listener {
public:
    explicit EventLog(std::string name = "") : tag(std::move(name)) {}
    void callback(const char* type, const char* data, const void*) override {
        events.push_back(std::string(type) + " " + data);
        if (order) order->push_back(tag);
        if (hook) hook(type, data);
    }
    int count(const std::string& prefix) const { return static_cast<int>(matching(prefix).size()); }
    std::vector<std::string> matching(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.compare(0, prefix.size(), prefix) == 0) out.push_back(e);
        return out;
    }
    std::string tag;
    std::vector<std::string> events;
    std::vector<std::string>* order = nullptr;
    std::function<void(const char*, const char*)> hook;
};

// 0xRRGGBB of a pixel of a direct-colour image; -1 outside.
inline long rgbAt(const HYX::Image& img, int x, int y) {
    HYX::RGB c;
    if (!img.getRGB(x, y, c)) return -1;
    return (long(c.red * 255 + 0.5f) << 16) | (long(c.grn * 255 + 0.5f) << 8) |
           long(c.blu * 255 + 0.5f);
}

// A Graph drawing into a window device it owns; window units are pixels with y up
// (window point (x, y) is pixel (x, height - 1 - y)) once the window is open.
struct WindowGraph {
    HYX::Graph g;
    HYX::XWindow* dev = nullptr;
    explicit WindowGraph(const char* param = "", float w = 640, float h = 512) {
        auto d = std::make_unique<HYX::XWindow>();
        dev = d.get();
        g.setDevice(std::move(d), HYX::Graph::XWINDOW, param);
        g.setSize(w, h);
    }
    bool open() {
        if (g.open() != 1) return false;
        HYX::Rect r(0, 0, dev->getWidth() - 1, dev->getHeight() - 1);
        g.setWindow(r);
        g.activateTran();
        return true;
    }
    float wy(float py) const { return dev->getHeight() - 1 - py; }
    // Images are anchored by truncation: aim a quarter pixel inside the anchor pixel.
    int image(HYX::Image& img, float px, float py) {
        return g.drawImage(img, px + 0.25f, wy(py) - 0.25f);
    }
    void line(float x1, float y1, float x2, float y2) { g.drawLine(x1, wy(y1), x2, wy(y2)); }
    void box(float x1, float y1, float x2, float y2) {
        HYX::Rect r(x1, wy(y1), x2, wy(y2));
        g.drawFill(r);
    }
    // Fills the whole picture (or the frame drawn into) with one colour.
    void paint(float r, float gr, float b) {
        g.setFillColor(g.allocColor(r, gr, b));
        box(0, 0, dev->getWidth() - 1, dev->getHeight() - 1);
    }
    unsigned long id() {
        HYX::String s;
        g.getDevice(s);
        return windowOf(s);
    }
    std::string idText() { return std::to_string(id()); }
    Shot shot() { return screenshot(id()); }
    // The colour in the middle of the window on the screen.
    long shown() {
        const Shot s = shot();
        return s.at(s.width / 2, s.height / 2);
    }
    // The off-screen picture.
    HYX::Image picture() {
        HYX::Image img;
        g.getImage(img);
        return img;
    }
    // A command for xdotool, run to its end.
    void xdo(const std::string& args) {
        const RunResult r = run("xdotool " + args);
        EXPECT_EQ(r.status, 0) << "xdotool " << args << ": " << r.err;
    }
};

// Window tests run on the shared server and must leave no window and no connection.
class XFixture : public ::testing::Test {
protected:
    void SetUp() override {
        XServer& s = XServer::shared();
        ASSERT_TRUE(s.ok()) << "Xvfb did not start";
        setenv("DISPLAY", s.display().c_str(), 1);
        HYX::Hyx::setDatabasePath(HYX_SHARE);
    }
    void TearDown() override {
        EXPECT_EQ(HYX::XWindow::getNumWindows(), 0) << "a window was left open";
        EXPECT_FALSE(HYX::XWindow::isConnected()) << "the display stayed connected";
    }
};

} // namespace testutil

#endif
