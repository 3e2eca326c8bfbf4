// Contouring speed on a 500 x 500 field: a tilted plane plus a Gaussian hill and a ripple,
// so that every box meets a few levels and some boxes are saddles.
#include "HYX/Domain.h"
#include "HYX/Grid.h"
#include "HYX/GridBox.h"
#include "HYX/GridBoxFill.h"

#include <benchmark/benchmark.h>

#include <cmath>

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

} // namespace
