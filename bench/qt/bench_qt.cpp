// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Figures for the Qt front end: decoding the main window's preview of a large photo, reading a
// picture's size, and building a form's window.
//   bench_qt [--benchmark_filter=...]   (runs on Qt's offscreen platform)

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <map>
#include <memory>

#include "platform/folder_listing.h"
#include "ui/forms/qt/pictures.h"
#include "ui/forms/qt/view.h"
#include "ui/forms/qt/window_services.h"
#include "ui/forms/runtime.h"
#include "ui/main/form1.h"
#include "ui/qt/qt_program.h"

namespace {

using namespace korvo;

// The main window's preview: 3855 x 2775 twips.
const QSize PreviewSize(257, 185);

// A 6000 x 4000 photo-like JPEG (24 megapixels) at quality 90, made once per grain: gradients
// with fine noise of `grain` levels, so that it compresses like a photograph rather than like a
// flat area. The decode time follows the file's size: libjpeg must read every coefficient even
// when it scales by 8 while decoding.
const std::string& largeJpeg(int grain = 16) {
    static QTemporaryDir dir;
    static std::map<int, std::string> made;
    std::string& path = made[grain];
    if (!path.empty()) return path;
    QImage image(6000, 4000, QImage::Format_RGB32);
    std::uint32_t noise = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int g = static_cast<int>((noise >> 16) % static_cast<std::uint32_t>(grain));
            line[x] = qRgb((x * 255 / 6000 + g) & 255, (y * 255 / 4000 + g) & 255,
                           ((x + y) / 40 + g) & 255);
        }
    }
    const QString file = QDir(dir.path()).filePath(QStringLiteral("photo-%1.jpg").arg(grain));
    image.save(file, "JPEG", 90);
    path = file.toStdString();
    return path;
}

void bench_qt_preview_decode(benchmark::State& state) {
    const std::string& path = largeJpeg(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QImage preview = qt::decodePicture(path, PreviewSize);
        benchmark::DoNotOptimize(preview.constBits());
    }
    state.counters["file_MB"] =
        static_cast<double>(QFileInfo(QString::fromStdString(path)).size()) / 1e6;
}
BENCHMARK(bench_qt_preview_decode)->Arg(2)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

// What the preview would cost if the whole picture were decoded first: the figure the scaled
// decode avoids.
void bench_qt_preview_full_decode_then_scale(benchmark::State& state) {
    const QString path = QString::fromStdString(largeJpeg());
    for (auto _ : state) {
        QImage preview =
            QImage(path).scaled(PreviewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(preview.constBits());
    }
}
BENCHMARK(bench_qt_preview_full_decode_then_scale)->Unit(benchmark::kMillisecond);

void bench_qt_probe_picture(benchmark::State& state) {
    const std::string& path = largeJpeg();
    for (auto _ : state) benchmark::DoNotOptimize(qt::probePicture(path));
}
BENCHMARK(bench_qt_probe_picture)->Unit(benchmark::kMicrosecond);

// The real main window, loaded (which runs the loader on a settings file in manual mode) and
// unloaded again.
void bench_qt_load_and_unload_window(benchmark::State& state) {
    qt::test::QtProgram program(qt::test::settingsWith("Null", "EN", "0"));
    auto& runtime = program.app().runtime();
    for (auto _ : state) {
        runtime.dispatch([&program] { program.app().form<Form1>().unload(); });
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(bench_qt_load_and_unload_window)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
