// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A bare-X11 change with a 3840x2160 picture: reading, decoding, composing and handing the
// screenful to the server. Run inside scripts/lib/with-xvfb --size 3840x2160 (and with-session,
// so the state file goes to a private folder).
#include <filesystem>

#include "bench_change.h"
#include "platform/linux/picture_file.h"
#include "platform/linux/root_window.h"
#include "platform/linux/x11_display.h"

namespace korvo::platform::bench {
namespace {

struct Pictures {
    std::string folder = temporaryFolder();
    std::string png = folder + "/uhd picture.png";
    std::string jpeg = folder + "/uhd picture.jpg";
    Pictures() {
        const QImage image = photoLike(3840, 2160);
        image.save(QString::fromStdString(png), "PNG");
        image.save(QString::fromStdString(jpeg), "JPEG", 90);
    }
    ~Pictures() { std::filesystem::remove_all(folder); }
};

const Pictures& pictures() {
    static const Pictures made;
    return made;
}

void X11Change(benchmark::State& state, const std::string& path) {
    Environment env = Environment::fromProcess();
    env.values.erase("XDG_CURRENT_DESKTOP");
    const auto factory = selectDesktopBackend(env);
    // Another client holds the server, as a desktop session would; with none left Xvfb resets.
    X11Connection session(env.get("DISPLAY"));
    const auto style = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state) {
        if (!change(factory, path, style)) {
            state.SkipWithError("the change failed: is DISPLAY a running X server?");
            break;
        }
    }
}

void X11ChangePng(benchmark::State& state) {
    X11Change(state, pictures().png);
}
void X11ChangeJpeg(benchmark::State& state) {
    X11Change(state, pictures().jpeg);
}
// 0 centred, 1 tiled, 2 stretched.
BENCHMARK(X11ChangePng)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(X11ChangeJpeg)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void ComposeOnly(benchmark::State& state) {
    const Pictures& files = pictures();
    const Pixbuf picture = decodePictureFile(files.png);
    const auto style = static_cast<Style>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(composeBackground(picture.get(), 3840, 2160, {}, style));
    }
}
BENCHMARK(ComposeOnly)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvo::platform::bench

BENCHMARK_MAIN();
