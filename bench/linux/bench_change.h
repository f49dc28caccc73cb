// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdlib>
#include <string>

#include "platform/select.h"

namespace korvo::platform::bench {

// One whole change as the core makes it: a fresh desktop object, style, picture, apply.
inline bool change(const shell::DesktopFactory& factory, const std::string& path,
                   std::uint32_t style) {
    auto object = factory();
    if (!object) return false;
    shell::WALLPAPEROPT options;
    options.dwStyle = style;
    return shell::succeeded(object->SetWallpaperOptions(options)) &&
           shell::succeeded(object->SetWallpaper(path)) &&
           shell::succeeded(object->ApplyChanges(7));
}

// A picture with detail everywhere (gradients and noise), so that encoding and decoding cost
// what a photograph costs rather than what a flat colour does.
inline QImage photoLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>(seed >> 28);
            line[x] = qRgb((x * 255 / width + noise) & 0xff, (y * 255 / height + noise) & 0xff,
                           ((x + y) / 8 + noise) & 0xff);
        }
    }
    return image;
}

inline std::string temporaryFolder() {
    std::string pattern = "/tmp/korvo-bench.XXXXXX";
    if (!::mkdtemp(pattern.data())) std::abort();
    return pattern;
}

}  // namespace korvo::platform::bench
