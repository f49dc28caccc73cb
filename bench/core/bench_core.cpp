// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Figures for the core: listing a very large picture folder into the main window's list, and a
// simulated week of the change clock.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "engine/fsuite.h"
#include "support/fixture.h"
#include "ui/main/form1.h"

namespace korvo {
namespace {

// 100 000 empty files, made once: the listing, not the disk, is what is measured.
std::string largeFolder() {
    static testing::TempFolder folder;
    static const std::string path = [] {
        for (int i = 0; i < 100000; ++i)
            std::ofstream(toPath(folder.file("picture-" + std::to_string(i * 7919 % 100000) +
                                             (i % 3 ? ".jpg" : ".PNG"))));
        return joinPath(folder.str(), "");
    }();
    return path;
}

void ListLargeFolderIntoFi(benchmark::State& state) {
    testing::TestProgram t;
    auto& Fi = t.app().form<Form1>().Fi;
    const std::string folder = largeFolder();
    for (auto _ : state) {
        Fi.setPath(folder);
        benchmark::DoNotOptimize(Fi.listCount());
    }
    state.counters["files"] = Fi.listCount();
}
BENCHMARK(ListLargeFolderIntoFi)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The automatic changes a program on three pictures makes in the given seconds at the delay.
std::size_t changesOver(const std::string& delay, std::int64_t seconds) {
    testing::TestProgram t;
    const std::string pics = t.pictureFolder({"a", "b", "c"});
    t.writeIni("[OPTION]\nFolder=" + pics + "\nAffichage=1\nDelay=" + delay +
               "\n[Start]\nFirst=0\n");
    t.start();
    t.scheduler.advanceSeconds(seconds);
    return t.desktop.applied.size();
}

void SimulatedWeekAtOneMinute(benchmark::State& state) {
    for (auto _ : state)
        state.counters["changes"] = static_cast<double>(changesOver("60", 7 * 24 * 3600));
}
BENCHMARK(SimulatedWeekAtOneMinute)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ten thousand changes at the shortest delay; run by ctest once in the sanitizer build, where
// anything a change leaves unreachable fails the run at exit.
void TenThousandChangesAtOneSecond(benchmark::State& state) {
    for (auto _ : state) {
        const std::size_t changes = changesOver("1", 9999);
        state.counters["changes"] = static_cast<double>(changes);
        if (changes < 10000) state.SkipWithError("fewer than 10 000 changes");
    }
}
BENCHMARK(TenThousandChangesAtOneSecond)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace korvo

BENCHMARK_MAIN();
