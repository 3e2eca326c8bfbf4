// Golden drawings: the vsect runs of runs.txt recorded through the metafile device and
// compared record by record with the recordings kept beside them. After an intended
// change of the drawing, scripts/update_goldens.sh records them anew (it runs these cases
// with HYX_UPDATE_GOLDENS set) and the diff is reviewed like code.
#include "HYX/Figure.h"
#include "HYX/Hyx.h"
#include "HYX/HyxResrc.h"
#include "HYX/Listener.h"
#include "HYX/Rect.h"
#include "HYX/Resrc.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/Strings.h"
#include "HYX/UpaXSectPlot.h"

#include "MetaCompare.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

using namespace HYX;

namespace {

const std::string GOLDEN_DIR = HYX_GOLDEN_DIR;

struct GoldenRun {
    std::string name;
    std::vector<std::string> args;
    std::vector<std::string> keys;
};

// Cases are shown by their run's name.
void PrintTo(const GoldenRun& r, std::ostream* os) { *os << r.name; }

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

std::vector<GoldenRun> loadRuns() {
    std::ifstream in(GOLDEN_DIR + "/runs.txt");
    std::vector<GoldenRun> runs;
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> parts = [&line] {
            std::vector<std::string> p;
            std::istringstream cols(line);
            for (std::string c; std::getline(cols, c, '|');) p.push_back(c);
            return p;
        }();
        if (parts.size() < 2 || words(parts[0]).size() != 1 || parts[0].find('#') == 0) continue;
        GoldenRun r{words(parts[0])[0], words(parts[1]), {}};
        if (parts.size() > 2) r.keys = words(parts[2]);
        for (std::string& a : r.args)
            if (a.rfind("$DATA", 0) == 0) a = HYX_SOURCE_DIR "/data" + a.substr(5);
        runs.push_back(std::move(r));
    }
    return runs;
}

// The environment variables that set resources ("hyx...") are put aside while a run is
// drawn in the test itself, as the clean environment of the program's runs has none.
class ResourceEnvironment {
public:
    ResourceEnvironment() {
        for (char** e = environ; *e; ++e)
            if (std::string(*e).rfind("hyx", 0) == 0) saved.emplace_back(*e);
        for (const std::string& s : saved) unsetenv(s.substr(0, s.find('=')).c_str());
    }
    ~ResourceEnvironment() {
        for (const std::string& s : saved) {
            const size_t eq = s.find('=');
            setenv(s.substr(0, eq).c_str(), s.substr(eq + 1).c_str(), 1);
        }
        Hyx::getResrcStore().clear();
        Hyx::setProgramName(nullptr);
        Hyx::setDatabasePath(HYX_SHARE);
        Hyx::setMessageLevel("mess");
    }
    ResourceEnvironment(const ResourceEnvironment&) = delete;
    ResourceEnvironment& operator=(const ResourceEnvironment&) = delete;

private:
    std::vector<std::string> saved;
};

// Draws as the program does (src/vsect.cpp, with its options), then hands each key to the
// figure through its listener interface as the window does on a key press, each
// redrawing the whole figure on the same device.
void drawWithKeys(const std::vector<std::string>& args, const std::vector<std::string>& keys) {
    ResourceEnvironment env;
    std::vector<const char*> argv{"vsect"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    ResrcDBList keyed, positional;
    for (int id : {73, 74, 81, 75, 76, 80, 85, 82, 83, 88, 70}) HyxResrc::add(keyed, id);
    HyxResrc::add(positional, 26);
    ResrcDB::create(Strings(static_cast<int>(argv.size()), argv.data()), keyed, positional);

    UpaXSectPlot drawing;
    drawing.setFilename();
    Rect area(0.06f, 0.05f, 0.95f, 0.95f);
    Figure figure;
    figure.open();
    figure.startPlot(area, 1.25f);
    figure.addDrawing(drawing);
    figure.endPlot();
    figure.manage();
    Listener& window = figure;
    for (const std::string& k : keys) window.callback("KeyPress", k.c_str(), nullptr);
}

// Writes the new recording unless the stored one already matches it, so that regenerating
// leaves unchanged drawings (and their creation dates) alone.
void store(const std::string& path, const std::string& meta) {
    const std::string old = testutil::readFile(path);
    if (!old.empty() && testutil::compareMeta(old, meta).empty()) return;
    const std::string tmp = path + ".new";
    std::ofstream(tmp, std::ios::binary) << meta;
    ASSERT_EQ(std::rename(tmp.c_str(), path.c_str()), 0) << path;
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
        testutil::captureOut([&] { drawWithKeys(args, run.keys); });
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
