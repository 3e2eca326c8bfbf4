// The program in its window on a private X server: the picture, the keyboard commands,
// quitting and running without a display.
#include "TestUtil.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using testutil::shellQuote;
using testutil::Shot;

namespace {

// Every wait is bounded, generously: the sanitizer build draws several times slower.
constexpr int PATIENCE = 30;
constexpr useconds_t TICK = 50000;

// A picture that a command writes as binary PPM.
Shot decode(const std::string& command) {
    testutil::Ppm p;
    Shot s;
    if (!p.read(testutil::run(command).out)) return s;
    s.width = p.w, s.height = p.h;
    s.rgb.assign(p.data.begin(), p.data.begin() + static_cast<long>(p.w) * p.h * 3);
    return s;
}

// Saved images are read back by other decoders: netpbm for GIF, Python's imaging library
// for PNG.
Shot decodeImage(const std::string& file) {
    return decode(file.back() == 'f' ? "giftopnm " + shellQuote(file)
                                     : "/usr/bin/python3 -c 'import sys; from PIL import Image; "
                                       "i = Image.open(sys.argv[1]).convert(\"RGB\"); "
                                       "sys.stdout.buffer.write(b\"P6 %d %d 255\\n\" % i.size + "
                                       "i.tobytes())' " +
                                           shellQuote(file));
}

int differing(const Shot& a, const Shot& b) {
    if (a.width != b.width || a.height != b.height) return a.width * a.height + 1;
    int n = 0;
    for (auto p = a.rgb.begin(), q = b.rgb.begin(); p != a.rgb.end(); p += 3, q += 3)
        n += !std::equal(p, p + 3, q);
    return n;
}

enum Kind { BLACK, WHITE, RED, CYAN, OTHER };

Kind kindOf(long c) {
    const int r = c >> 16 & 255, g = c >> 8 & 255, b = c & 255;
    if (r > 200 && g < 60 && b < 60) return RED;
    if (r < 60 && g > 200 && b > 200) return CYAN;
    if (std::min({r, g, b}) > 200) return WHITE;
    return std::max({r, g, b}) < 60 ? BLACK : OTHER;
}

// The frame of a section in a picture: the box drawn in the foreground colour, the red
// station lines (columns) inside it as fractions of the box, and the colours inside it.
struct Layout {
    int top = -1, bottom = -1, left = -1, right = -1;
    std::vector<double> stations;
    std::vector<int> kinds = std::vector<int>(5, 0);
    int area() const { return (bottom - top - 1) * (right - left - 1); }
};

// The centres of the runs of consecutive indexes in [from, to) where count >= need.
std::vector<double> lines(const std::vector<int>& count, int from, int to, double need) {
    std::vector<double> out;
    for (int i = std::max(from, 0), j; i < to; i = j + 1) {
        for (j = i; j < to && count[j] >= need;) ++j;
        if (j > i) out.push_back((i + j - 1) / 2.0);
    }
    return out;
}

Layout layoutOf(const Shot& s, Kind fg) {
    Layout l;
    std::vector<int> fgRow(s.height), fgCol(s.width), redCol(s.width);
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const Kind k = kindOf(s.at(x, y));
            fgRow[y] += k == fg, fgCol[x] += k == fg, redCol[x] += k == RED;
        }
    // The sides of the box are the longest lines in the foreground colour.
    const auto longest = [](const std::vector<int>& v) {
        return lines(v, 0, int(v.size()), 0.8 * *std::max_element(v.begin(), v.end()));
    };
    const auto rows = longest(fgRow), cols = longest(fgCol);
    if (rows.size() < 2 || cols.size() < 2) return l;
    l.top = int(rows.front()), l.bottom = int(rows.back());
    l.left = int(cols.front()), l.right = int(cols.back());
    const double h = l.bottom - l.top, w = l.right - l.left;
    for (double x : lines(redCol, l.left + 2, l.right - 1, h / 3))
        l.stations.push_back((x - l.left) / w);
    for (int y = l.top + 1; y < l.bottom; ++y)
        for (int x = l.left + 1; x < l.right; ++x) {
            ++l.kinds[kindOf(s.at(x, y))];
        }
    return l;
}

// vsect drawing the section across the plains in the background, in a scratch directory,
// with a clean environment holding the given display only and leak checking on in the
// sanitizer build. It is killed at the latest when the object goes: no failure leaves a
// program behind.
class Vsect {
public:
    Vsect(const testutil::ScratchDir& d, std::vector<std::string> args, const std::string& display)
        : dir(d) {
        args.insert(args.begin(), {HYX_VSECT, "-fp", HYX_SHARE, "-df", d.path(), "-id",
                                   "KGJT,KDNR,KLBF,KOAX,KDVN"});
        args.push_back(HYX_SOURCE_DIR "/data/1999050400_upa.cvt");
        const char* asan = std::getenv("ASAN_OPTIONS");
        std::vector<std::string> env = {"PATH=/usr/bin:/bin", "DISPLAY=" + display,
                                        std::string("ASAN_OPTIONS=") + (asan ? asan : "") +
                                            ":detect_leaks=1"};
        if (display.empty()) env.erase(env.begin() + 1);
        std::vector<char*> argv, envp;
        for (auto& a : args) argv.push_back(&a[0]);
        for (auto& e : env) envp.push_back(&e[0]);
        argv.push_back(nullptr), envp.push_back(nullptr);
        if ((pid = fork()) != 0) return;
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int out = open(d.file("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(d.file("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = open("/dev/null", O_RDONLY);
        if (chdir(d.path().c_str()) == 0 && in >= 0 && out >= 0 && err >= 0) {
            dup2(in, 0), dup2(out, 1), dup2(err, 2);
            execve(argv[0], argv.data(), envp.data());
        }
        _exit(127);
    }
    ~Vsect() {
        if (running()) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    }
    Vsect(const Vsect&) = delete;
    Vsect& operator=(const Vsect&) = delete;

    bool running() const { return pid > 0 && status == -2; }
    // Waits for the end of the program: status is its exit status, -1 after a signal.
    bool ended() {
        for (int t = 0, st = 0; running() && t < PATIENCE * 20; ++t, usleep(TICK))
            if (waitpid(pid, &st, WNOHANG) == pid) status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        return !running();
    }
    std::string out() const { return testutil::readFile(dir.file("stdout")); }
    std::string err() const { return testutil::readFile(dir.file("stderr")); }
    testutil::RunResult xdo(const std::string& args) const {
        return testutil::run("timeout " + std::to_string(PATIENCE) + " xdotool " + args);
    }
    std::string id() const { return std::to_string(window); }
    Shot shot() const { return testutil::screenshot(window); }
    // Finds the window and waits until its event loop answers: the picture is then drawn.
    bool ready(int x = 320, int y = 250) {
        window = std::strtoul(xdo("search --sync --class Hyx").out.c_str(), nullptr, 10);
        return window && point(x, y);
    }
    // Keys go where the pointer is.
    bool point(int x, int y) {
        const std::string at = std::to_string(x) + " " + std::to_string(y);
        return xdo("mousemove --window " + id() + " " + at).status == 0 && keys("");
    }
    // Each command is followed by Alt+v: once its readout is out, all have been carried out
    // and the picture shown.
    bool keys(const std::string& k) {
        const size_t n = positions().size();
        if (xdo("key " + k + " alt+v").status != 0) return false;
        for (int t = 0; t < PATIENCE * 20 && running(); ++t, usleep(TICK))
            if (positions().size() > n) return true;
        return false;
    }
    // The readouts so far, each its lines up to the next readout or message.
    std::vector<std::string> positions() const {
        std::vector<std::string> p;
        std::istringstream o(out());
        for (std::string line; std::getline(o, line);) {
            if (line.rfind("Pres: ", 0) == 0 || line.rfind("Outside the section", 0) == 0)
                p.push_back(line + "\n");
            else if (!p.empty() && line.rfind("  ", 0) == 0)
                p.back() += line + "\n";
        }
        return p;
    }
    // Return ends the program at once with status 0, its window gone, and nothing on
    // standard error: no X error, and in the sanitizer build no error or leak report.
    void quit() {
        xdo("key Return");
        ASSERT_TRUE(ended()) << "Return did not end the program";
        EXPECT_EQ(status, 0);
        EXPECT_EQ(err(), "");
        EXPECT_NE(xdo("search --class Hyx").status, 0) << "a window outlived the program";
    }

    unsigned long window = 0;
    int status = -2;

private:
    const testutil::ScratchDir& dir;
    pid_t pid = -1;
};

class VsectWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testutil::XServer::shared().ok()) << "Xvfb did not start";
        display = testutil::XServer::shared().display();
        setenv("DISPLAY", display.c_str(), 1); // for xdotool and xwd
    }
    testutil::ScratchDir dir;
    std::string display;
};

} // namespace

TEST_F(VsectWindow, KeysQuerySaveRedrawZoomAndRestore) {
    Vsect v(dir, {"-va", "isentropes"}, display);
    ASSERT_TRUE(v.ready());
    const Shot first = v.shot();
    // Without a title resource the window is named after the program. Contours, labels and
    // barbs white on black, the ground line cyan, and no other colour.
    EXPECT_EQ(v.xdo("getwindowname " + v.id()).out, "vsect\n");
    EXPECT_EQ(first.width, 640);
    const Layout w = layoutOf(first, WHITE);
    EXPECT_GT(w.kinds[BLACK], w.area() / 2);
    EXPECT_GT(w.kinds[WHITE], w.area() / 50);
    EXPECT_GT(w.kinds[CYAN], 100);
    EXPECT_EQ(w.kinds[OTHER], 0);

    // Alt+v: the pointer's place in the section; further right, further along at the same
    // pressure; outside the frame, nothing of the section.
    ASSERT_TRUE(v.point(480, 250) && v.point(5, 5));
    const std::vector<std::string> pos = v.positions();
    ASSERT_EQ(pos.size(), 3u);
    float p[2], d[2];
    for (int i : {0, 1})
        ASSERT_EQ(std::sscanf(pos[i].c_str(), "Pres: %f mb  Dist: %f km", &p[i], &d[i]), 2)
            << pos[i];
    EXPECT_GT(d[1], d[0]);
    EXPECT_FLOAT_EQ(p[1], p[0]);
    EXPECT_EQ(pos[2], "Outside the section frame\n");

    // Alt+s and Alt+Shift+s save the picture shown as GIF and PNG, pixel for pixel.
    ASSERT_TRUE(v.keys("alt+s alt+shift+s"));
    EXPECT_NE(v.out().find("Created GIF file: vsect.gif\n"), std::string::npos) << v.out();
    EXPECT_NE(v.out().find("Created PNG file: vsect.png\n"), std::string::npos) << v.out();
    EXPECT_EQ(testutil::run("pngcheck -q " + shellQuote(dir.file("vsect.png"))).status, 0);
    for (const char* name : {"vsect.gif", "vsect.png"})
        EXPECT_EQ(differing(decodeImage(dir.file(name)), first), 0) << name;

    // Alt+r draws the same section again, pixel for pixel.
    ASSERT_TRUE(v.point(320, 250) && v.keys("alt+r"));
    const Shot again = v.shot();
    EXPECT_EQ(differing(first, again), 0);
    const Layout base = layoutOf(again, WHITE);

    // Alt+z doubles the scale about the pointer: the station lines left in the frame are
    // twice as far apart as before. Alt+u brings the first view back exactly.
    ASSERT_TRUE(v.keys("alt+z"));
    const Shot zoomed = v.shot();
    EXPECT_GT(differing(zoomed, again), first.width * first.height / 20);
    const Layout z = layoutOf(zoomed, WHITE);
    ASSERT_GE(z.stations.size(), 2u);
    for (size_t i = 1; i < z.stations.size(); ++i) {
        bool twice = false;
        for (size_t k = 1; k < base.stations.size(); ++k)
            twice = twice || std::fabs(z.stations[i] - z.stations[i - 1] -
                                       2 * (base.stations[k] - base.stations[k - 1])) < 0.01;
        EXPECT_TRUE(twice) << "gap " << i;
    }
    ASSERT_TRUE(v.keys("alt+u"));
    EXPECT_EQ(differing(v.shot(), again), 0);
    v.quit();
}

// The pointer on Omaha's column at 500 mb. IEM's sounding (tests/data) has -14.4 C and a
// wind from 216 at 30 kt there: theta = 258.75 K x 2^0.286 = 315.5 K; the section's bearing
// at KOAX is 86.2 degrees, the mean of 88.1 (arriving from KLBF) and 84.3 (leaving for KDVN)
// by the spherical bearing formula, so the wind across it is 30 sin(216 - 86.2) = 23.0 kt
// and along it -30 cos(129.8) = 19.2 kt.
TEST_F(VsectWindow, AltVReadsTheValuesUnderThePointer) {
    Vsect v(dir, {"-va", "theta[K,ln,int=4],nwnd[kt,ln,int=10],sbarb"}, display);
    ASSERT_TRUE(v.ready());
    const Layout l = layoutOf(v.shot(), WHITE);
    ASSERT_EQ(l.stations.size(), 5u);
    const int x = int(std::lround(l.left + l.stations[3] * (l.right - l.left)));
    const int y = int(std::lround(l.top + (l.bottom - l.top) * std::log(5.0) / std::log(10.5)));
    ASSERT_TRUE(v.point(x, y));
    const std::string r = v.positions().back();
    float p, dist, off, theta, nwnd, along, across;
    char near[8];
    ASSERT_EQ(std::sscanf(r.c_str(),
                          "Pres: %f mb  Dist: %f km  Nearest: %7s (%f km)\n  theta: %f K\n"
                          "  nwnd: %f kt\n  sbarb: along %f across %f kt",
                          &p, &dist, near, &off, &theta, &nwnd, &along, &across),
              8)
        << r;
    // A pixel is 3 mb here and 5 km; values come from the samples drawn: the contoured ones
    // from 21 rows between the ground and 100 mb, the barbs from the standard levels.
    EXPECT_NEAR(p, 500, 4);
    EXPECT_STREQ(near, "KOAX");
    EXPECT_LT(off, 8);
    EXPECT_NEAR(theta, 315.5, 1.0);
    EXPECT_NEAR(nwnd, 23.0, 1.5);
    EXPECT_NEAR(along, 19.2, 1.5);
    EXPECT_NEAR(across, 23.0, 1.5);
    v.quit();
}

TEST_F(VsectWindow, WithoutADisplayTheRunEndsWithAMessage) {
    for (const std::string d : {"", ":59999"}) {
        Vsect v(dir, {"-va", "isentropes"}, d);
        ASSERT_TRUE(v.ended()) << "display '" << d << "': the program hung";
        EXPECT_EQ(v.status, 4); // NOGRAPH
        EXPECT_NE(v.err().find("XWindow: unable to connect to display\n"), std::string::npos)
            << v.err();
    }
}
