// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

// Before any Xlib header, whose macros (None, Status) would break the forms' names.
#include "platform/select.h"
#include "support/fixture.h"

#include "platform/linux/picture_file.h"
#include "platform/linux/process_runner.h"

namespace korvo::platform::testing {

using namespace std::chrono_literals;
using korvo::testing::TempFolder;

constexpr QRgb kRed = 0xffff0000, kGreen = 0xff00ff00, kBlue = 0xff0000ff, kYellow = 0xffffff00,
               kBlack = 0xff000000;

inline std::string variable(const char* name) {
    return std::getenv(name) ? std::getenv(name) : "";
}

// Four solid quadrants (red, green / blue, yellow, turned `turn` places round) so that
// position, scale, repetition and which picture it is all show in the pixels.
inline QRgb quadrantColour(int quadrant, int turn) {  // quadrants clockwise from the top left
    return std::array{kRed, kGreen, kYellow, kBlue}[(quadrant + turn) % 4];
}
inline QImage quadrants(int width, int height, int turn = 0) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(
                x, y, quadrantColour(y < height / 2 ? x >= width / 2 : 3 - (x >= width / 2), turn));
    return image;
}

// A picture as the backends hold one.
inline Pixbuf toPixbuf(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Pixbuf pixbuf(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, rgb.width(), rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(
            gdk_pixbuf_get_pixels(pixbuf.get()) + y * gdk_pixbuf_get_rowstride(pixbuf.get()),
            rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 3);
    return pixbuf;
}

// Saves quadrants as PNG at a path given as raw bytes (Qt would take the name as text).
inline void writePicture(const std::string& path, int width = 4, int height = 4, int turn = 0) {
    const auto temporary = std::filesystem::path(path).parent_path() / "korvo-picture.png";
    quadrants(width, height, turn).save(QString::fromStdString(temporary), "PNG");
    std::filesystem::rename(temporary, path);
}

// One whole change as the core makes it on `desktop` in the session `env` describes: a fresh
// desktop object, the style, the picture, then apply with save and refresh; the first failure
// ends it.
inline shell::HRESULT changeWallpaper(const char* desktop, const std::string& path,
                                      std::uint32_t style,
                                      Environment env = Environment::fromProcess()) {
    env.values["XDG_CURRENT_DESKTOP"] = desktop;
    auto object = selectDesktopBackend(env)();
    if (!object) return shell::E_FAIL;
    shell::HRESULT result = object->SetWallpaperOptions({sizeof(shell::WALLPAPEROPT), style});
    if (shell::succeeded(result)) result = object->SetWallpaper(path);
    return shell::succeeded(result) ? object->ApplyChanges(7) : result;
}

// xfconf-query on the desktop's channel; what it prints.
inline std::string xfconf(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"xfconf-query", "-c", "xfce4-desktop"});
    return runProcess(arguments, 10s, Output::Capture).output;
}

// What the screen shows: the root window's pixels with every window on it (ImageMagick reads them
// as Xlib would), or grim's shot on sway.
inline QImage grabScreen() {
    const TempFolder folder;  // a screenful is more than a captured output holds
    const std::string file = folder.file("screen.ppm");
    runProcess(variable("KORVO_DESKTOP") == "sway"
                   ? std::vector<std::string>{"grim", "-t", "ppm", file}
                   : std::vector<std::string>{"import", "-window", "root", "-depth", "8", file},
               10s);
    return QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
}

// Whether the screen `s` shows the 64 x 48 quadrants picture turned `turn` in `style`. Each
// quadrant is sampled well inside, so that scaling filters at the edges do not count; tiles are
// checked in the middle half of the screen only, away from panels and icons.
inline bool quadrantsAt(const QImage& s, const QRect& r, int turn) {
    for (int q = 0; q < 4; ++q) {
        const int x = r.x() + r.width() * (q == 1 || q == 2 ? 3 : 1) / 4;
        const int y = r.y() + r.height() * (q < 2 ? 1 : 3) / 4;
        if (!s.valid(x, y) || s.pixel(x, y) != quadrantColour(q, turn)) return false;
    }
    return true;
}

inline bool shows(const QImage& s, Style style, int turn = 0) {
    if (s.isNull()) return false;
    if (style == Style::Stretch) return quadrantsAt(s, s.rect(), turn);
    const QRect centred((s.width() - 64) / 2, (s.height() - 48) / 2, 64, 48);
    if (style == Style::Centre) {
        return quadrantsAt(s, centred, turn) &&
               s.pixel(centred.x() - 16, centred.y() + 12) != quadrantColour(0, turn);
    }
    // Tiles repeat from some point of the desktop's choosing (a corner, the middle): find where
    // one starts, then every tile after it across the middle half of the screen must match.
    for (int phase = 0; phase < 64 * 48; ++phase) {
        const int x0 = s.width() / 4 + phase % 64, y0 = s.height() / 4 + phase / 64;
        if (!quadrantsAt(s, QRect(x0, y0, 64, 48), turn)) continue;
        for (int y = y0; y + 48 <= s.height() * 3 / 4; y += 48)
            for (int x = x0; x + 64 <= s.width() * 3 / 4; x += 64)
                if (!quadrantsAt(s, QRect(x, y, 64, 48), turn)) return false;
        return true;
    }
    return false;
}

// Polls the screen until it shows the picture: a desktop draws in its own time.
inline bool eventuallyShows(Style style, int turn = 0, std::chrono::seconds limit = 15s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!shows(grabScreen(), style, turn)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

}  // namespace korvo::platform::testing
