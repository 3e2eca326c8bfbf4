// Reading and merging upper-air files of a thousand soundings.
#include "HYX/String.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"

#include "SoundingFixtures.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace HYX;

namespace {

// 1,020 real soundings: six stations written 170 times.
const std::string& bigFile() {
    static const std::string path = [] {
        const std::string p = "/tmp/hyx_bench_" + std::to_string(getpid()) + ".upa";
        UpaFile f;
        f.setDate(Date(2020, 11, 7, 0, Const::MISS, Const::FMISS));
        f.open(p.c_str(), FileAttr::WRITE, UpaFile::HYX);
        std::vector<UpaRawinData> recs;
        for (int wmo : {72469, 72476, 72562, 72558, 74455, 74560}) {
            UpaRawinData r;
            fixtures::loadGempak("gempak_line_2020110700_parts.csv", wmo, r);
            r.sort();
            recs.push_back(r);
        }
        for (int i = 0; i < 170; ++i)
            for (UpaRawinData& r : recs) f.write(r);
        std::atexit([] { std::remove(bigFile().c_str()); });
        return p;
    }();
    return path;
}

void ReadAllRecords(benchmark::State& state) {
    UpaRawinData r;
    for (auto _ : state) {
        UpaFile f(bigFile().c_str());
        int n = 0;
        while (f.read(r)) ++n;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(ReadAllRecords)->Unit(benchmark::kMillisecond);

void ReadAndMergeAll(benchmark::State& state) {
    UpaRawinData r;
    UpaData d;
    for (auto _ : state) {
        UpaFile f(bigFile().c_str());
        while (f.read(r)) {
            d.init();
            UpaTool::merge(r, d);
        }
        benchmark::DoNotOptimize(d.getNum());
    }
}
BENCHMARK(ReadAndMergeAll)->Unit(benchmark::kMillisecond);

void ListStations(benchmark::State& state) {
    String id;
    for (auto _ : state) {
        UpaFile f(bigFile().c_str());
        int n = 0;
        while (f.readId(id)) ++n;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(ListStations)->Unit(benchmark::kMillisecond);

} // namespace
