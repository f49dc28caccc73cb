// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A GNOME change through GSettings and dconf. Run inside scripts/lib/with-session --bus.
#include <filesystem>

#include "bench_change.h"

namespace korvo::platform::bench {
namespace {

void GnomeChangeThroughDconf(benchmark::State& state) {
    Environment env = Environment::fromProcess();
    env.values["XDG_CURRENT_DESKTOP"] = "GNOME";
    const std::string folder = temporaryFolder();
    const std::string pictures[] = {folder + "/first picture.png", folder + "/second picture.png"};
    for (const auto& path : pictures) photoLike(64, 64).save(QString::fromStdString(path), "PNG");
    const auto factory = selectDesktopBackend(env);
    std::size_t turn = 0;
    for (auto _ : state) {
        // Alternating pictures and styles, so every change really changes the stored keys.
        if (!change(factory, pictures[turn % 2], static_cast<std::uint32_t>(turn % 3))) {
            state.SkipWithError("the change failed: is a session bus with dconf running?");
            break;
        }
        ++turn;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(GnomeChangeThroughDconf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvo::platform::bench

BENCHMARK_MAIN();
