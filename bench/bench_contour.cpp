// Contouring speed on a 500 x 500 field: a tilted plane plus a Gaussian hill and a ripple,
// so that every box meets a few levels and some boxes are saddles.
#include "HYX/ContPlot.h"
#include "HYX/Domain.h"
#include "HYX/Grid.h"
#include "HYX/GridBox.h"
#include "HYX/GridBoxFill.h"
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/Resrc.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

using namespace HYX;

namespace {

Grid field(int n) {
    Grid g(n, n);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const float x = static_cast<float>(i) / n, y = static_cast<float>(j) / n;
            const float v = 10 * x + 5 * y +
                            20 * std::exp(-((x - .5f) * (x - .5f) + (y - .4f) * (y - .4f)) / .02f) +
                            std::sin(40 * x) * std::cos(37 * y);
            g.setValue(i, j, v);
        }
    return g;
}

// Every box against 20 levels: crossings and line segments.
void BM_BoxLines(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Grid g = field(n);
    const Domain& d = g.getDomain();
    long segs = 0;
    for (auto _ : state) {
        GridBox box;
        box.setTweak(0.004f);
        Point a[6], b[6];
        for (int y = 0; y < n - 1; ++y)
            for (int x = 0; x < n - 1; ++x) {
                box.set(g, d, x, y);
                for (int l = 0; l < 20; ++l)
                    if (box.setLevel(-2.0f + 2.0f * l)) segs += box.getLineSegments(a, b);
            }
        benchmark::DoNotOptimize(segs);
    }
    state.SetItemsProcessed(state.iterations() * (n - 1) * (n - 1));
}
BENCHMARK(BM_BoxLines)->Arg(500)->Unit(benchmark::kMillisecond);

// Every box and band: the filled pieces.
void BM_BoxFill(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Grid g = field(n);
    const Domain& d = g.getDomain();
    long polys = 0;
    for (auto _ : state) {
        GridBox box, pbox;
        GridBoxFill fill;
        box.setTweak(0.004f);
        for (int y = 0; y < n - 1; ++y)
            for (int x = 0; x < n - 1; ++x) {
                box.set(g, d, x, y);
                box.setLevel(-2.0f);
                for (int l = 1; l < 20; ++l) {
                    pbox = box;
                    box.setLevel(-2.0f + 2.0f * l);
                    if (box.getEqual() != GridBox::BELOW) polys += fill.build(pbox, box);
                    if (box.getEqual() == GridBox::ABOVE) break;
                }
            }
        benchmark::DoNotOptimize(polys);
    }
    state.SetItemsProcessed(state.iterations() * (n - 1) * (n - 1));
}
BENCHMARK(BM_BoxFill)->Arg(500)->Unit(benchmark::kMillisecond);

// The whole drawing on the PostScript device: lines with labels and extrema, or filled
// bands under lines, for the grid laid over the plot's window (positions stored as the
// cross section stores them).
void drawPostscript(benchmark::State& state, const char* param) {
    const int n = static_cast<int>(state.range(0));
    Hyx::setDatabasePath(HYX_TEST_DATA "/../../share/hyx");
    char dir[] = "/tmp/hyx_bench_XXXXXX";
    if (!mkdtemp(dir)) {
        state.SkipWithError("no scratch directory");
        return;
    }
    const std::string ps = std::string(dir) + "/cont.ps";
    Hyx::putResrc("device", ("postscript," + ps).c_str());
    Grid base = field(n);
    for (auto _ : state) {
        Plot plot;
        plot.open(nullptr);
        plot.setPanel(Rect(0.06f, 0.05f, 0.95f, 0.95f), 1.25f);
        Rect w;
        plot.getWindow(w);
        Grid g = base;
        g.allocLocate();
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                g.setLocate(i, j,
                            Point(w.xmin + w.getWidth() * i / (n - 1),
                                  w.ymin + w.getHeight() * j / (n - 1)));
        ContPlot cp(param);
        cp.draw(plot, g);
        plot.close();
    }
    std::remove(ps.c_str());
    rmdir(dir);
    state.SetItemsProcessed(state.iterations() * (n - 1) * (n - 1));
}

void BM_LinesPostscript(benchmark::State& state) { drawPostscript(state, "ln,int=2"); }
BENCHMARK(BM_LinesPostscript)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_FillPostscript(benchmark::State& state) { drawPostscript(state, "lcf,int=2"); }
BENCHMARK(BM_FillPostscript)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace
