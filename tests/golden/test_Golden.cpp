// Golden drawings: the vsect runs of runs.txt recorded through the metafile device and
// compared record by record with the recordings kept beside them. After an intended change
// of the drawing, scripts/update_goldens.sh records them anew (these cases, run with
// HYX_UPDATE_GOLDENS set) and the diff is reviewed like code.
#include "HYX/Figure.h"
#include "HYX/Hyx.h"
#include "HYX/Listener.h"
#include "HYX/Rect.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/Strings.h"
#include "HYX/UpaXSectPlot.h"
#include "HYX/XSectStyle.h"

#include "MetaCompare.h"
#include "TestUtil.h"
#include "VsectOptions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace HYX;

namespace {

const std::string GOLDEN_DIR = HYX_GOLDEN_DIR;

struct GoldenRun {
    std::string name;
    std::vector<std::string> args;
    std::vector<std::string> keys;
};

void PrintTo(const GoldenRun& r, std::ostream* os) { *os << r.name; }

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// "name | arguments | keys" lines; "$DATA" is the data directory of the source tree.
std::vector<GoldenRun> loadRuns() {
    std::ifstream in(GOLDEN_DIR + "/runs.txt");
    std::vector<GoldenRun> runs;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cols;
        std::istringstream split(line);
        for (std::string c; std::getline(split, c, '|');) cols.push_back(c);
        if (cols.size() < 2 || line[0] == '#' || words(cols[0]).size() != 1) continue;
        GoldenRun r{words(cols[0])[0], words(cols[1]), {}};
        if (cols.size() > 2) r.keys = words(cols[2]);
        for (std::string& a : r.args)
            if (a.rfind("$DATA", 0) == 0) a.replace(0, 5, HYX_SOURCE_DIR "/data");
        runs.push_back(r);
    }
    return runs;
}

// Draws as the program does (src/vsect.cpp, with its options), then hands each key to the
// figure through its listener interface as the window does, each redrawing the figure on
// the same device. A child process with a clean environment keeps the program-wide state
// of the tests as it was. The result is the child's exit status.
int drawWithKeys(const std::vector<std::string>& args, const std::vector<std::string>& keys) {
    const pid_t pid = fork();
    if (pid != 0) {
        int status = -1;
        return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status)
                                                                               : -1;
    }
    clearenv();
    if (!std::freopen("/dev/null", "w", stdout)) _exit(2);
    {
        std::vector<const char*> argv{"vsect"};
        for (const std::string& a : args) argv.push_back(a.c_str());
        ResrcDBList keyed, positional;
        vsectOptions(keyed, positional);
        ResrcDB::create(Strings(static_cast<int>(argv.size()), argv.data()), keyed, positional);
        UpaXSectPlot drawing;
        drawing.setStyle(XSectStyle::program(Hyx::getResrc("parameter")));
        drawing.setFilename();
        Rect area = drawing.getStyle().getArea();
        Figure figure;
        figure.open();
        // Black on paper and on a light window background, white on the dark screen.
        figure.getPlot().setGroundForeground(true);
        figure.startPlot(area, 1.25f);
        figure.addDrawing(drawing);
        figure.endPlot();
        figure.manage();
        Listener& window = figure;
        for (const std::string& k : keys) window.callback("KeyPress", k.c_str(), nullptr);
    }
    std::fflush(nullptr);
    _exit(0);
}

// Rewrites a recording only when it no longer matches, so that regenerating leaves the
// unchanged ones (and their creation dates) alone.
void store(const std::string& path, const std::string& meta) {
    const std::string old = testutil::readFile(path);
    if (!old.empty() && testutil::compareMeta(old, meta).empty()) return;
    std::ofstream(path + ".new", std::ios::binary) << meta;
    ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0) << path;
    std::printf("recorded %s\n", path.c_str());
}

class Golden : public ::testing::TestWithParam<GoldenRun> {};

} // namespace

TEST_P(Golden, DrawingMatchesTheRecording) {
    const GoldenRun& run = GetParam();
    testutil::ScratchDir dir;
    const std::string meta = dir.file(run.name + ".meta");
    std::vector<std::string> args = {"-fp", HYX_SHARE, "-df", dir.path(), "-de", "m," + meta};
    args.insert(args.end(), run.args.begin(), run.args.end());
    if (run.keys.empty()) {
        const testutil::RunResult r = testutil::runVsect(args, dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
    } else {
        ASSERT_EQ(drawWithKeys(args, run.keys), 0);
    }
    const std::string got = testutil::readFile(meta);
    ASSERT_NE(got.find("#End of plot"), std::string::npos) << "no complete recording: " << meta;

    const std::string path = GOLDEN_DIR + "/" + run.name + ".meta";
    if (std::getenv("HYX_UPDATE_GOLDENS")) return store(path, got);
    const std::string want = testutil::readFile(path);
    ASSERT_FALSE(want.empty()) << path << " is missing: run scripts/update_goldens.sh";
    const std::string diff = testutil::compareMeta(want, got);
    if (!diff.empty())
        ADD_FAILURE() << "golden run " << run.name << " (tests/golden/" << run.name
                      << ".meta) drew differently; " << diff;
}

INSTANTIATE_TEST_SUITE_P(Vsect, Golden, ::testing::ValuesIn(loadRuns()),
                         [](const ::testing::TestParamInfo<GoldenRun>& p) { return p.param.name; });

TEST(MetaCompare, FindsTheFirstRecordOutOfTolerance) {
    // A recording on a 1000 x 800 page, where the tolerance is 0.1.
    const std::string golden = testutil::readFile(GOLDEN_DIR + "/zoomed_fill.meta");
    const size_t at = golden.find("\nL 2 ");
    ASSERT_NE(at, std::string::npos);
    const size_t eol = golden.find('\n', at + 1);
    const auto with = [&](const std::string& record) {
        return testutil::compareMeta(golden,
                                     golden.substr(0, at + 1) + record + golden.substr(eol));
    };
    const std::string line = golden.substr(at + 1, eol - at - 1);
    float x0, y0, x1, y1;
    ASSERT_EQ(std::sscanf(line.c_str(), "L 2 %f,%f %f,%f", &x0, &y0, &x1, &y1), 4) << line;
    const auto segment = [&](float dy) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "L 2 %f,%f %f,%f", x0, y0 + dy, x1, y1);
        return std::string(buf);
    };
    EXPECT_EQ(testutil::compareMeta(golden, "#other comments\n" + golden), "");
    EXPECT_EQ(with(segment(0.05f)), "");
    EXPECT_NE(with(segment(0.2f)).find("point 1 differs"), std::string::npos);
    EXPECT_NE(with("F 2 " + line.substr(4)).find("kinds differ"), std::string::npos);
    EXPECT_NE(with(line + " 1,1").find("the numbers of fields differ"), std::string::npos);
    EXPECT_NE(with("L 3 " + line.substr(4) + " 1,1").find("point counts"), std::string::npos);
    EXPECT_NE(with("LCLR 1").find("golden line"), std::string::npos);
    EXPECT_NE(testutil::compareMeta(golden, golden.substr(0, eol + 1)).find("ends after record"),
              std::string::npos);
}
