// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

namespace korvo::forms {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

constexpr Color rgb(int r, int g, int b) {
    return Color{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                 static_cast<std::uint8_t>(b)};
}

// Everything is laid out in twips, 1/1440 inch; 15 make a pixel at 96 dpi.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Pixels from twips, rounded; values no screen could show are held to `limit`, what the window
// system can take.
inline int toPixels(long long twips, int twipsPerPixel, long long limit) {
    const long long pixels = std::llround(static_cast<double>(twips) / twipsPerPixel);
    return static_cast<int>(std::clamp(pixels, -limit, limit));
}

// A rectangle's edges in pixels. Each edge is rounded on its own, so that controls that touch in
// twips touch on the screen.
struct PixelEdges {
    int left, top, right, bottom;
};
inline PixelEdges pixelEdges(const Rect& rect, int twipsPerPixel, long long limit) {
    const long long left = rect.left, top = rect.top;
    const int x = toPixels(left, twipsPerPixel, limit);
    const int y = toPixels(top, twipsPerPixel, limit);
    return {x, y, std::max(x, toPixels(left + std::max(0, rect.width), twipsPerPixel, limit)),
            std::max(y, toPixels(top + std::max(0, rect.height), twipsPerPixel, limit))};
}

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    int charset = 0;     // 0 western, 128 Japanese, 134 simplified Chinese
    bool bold = false;
    bool italic = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// A decoded-on-demand picture: the model keeps where it comes from and its natural size; the
// view decodes it at the size it is shown. A source starting with ":" names a bundled resource.
struct PictureData {
    std::string source;
    int width = 0;   // pixels
    int height = 0;  // pixels
};
using Picture = std::shared_ptr<const PictureData>;

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog, FixedToolWindow };

enum class MouseButton { None = 0, Left = 1, Right = 2, Middle = 4 };

struct MouseEvent {
    int button = 0;  // MouseButton bits
    int shift = 0;
    float x = 0;  // twips
    float y = 0;  // twips
};

}  // namespace korvo::forms
