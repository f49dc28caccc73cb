// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/linux/screen_rect.h"
#include "platform/linux/wallpaper_object.h"

namespace korvo::platform {

// A picture as the X server takes it: 0xffRRGGBB a pixel, row by row.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t pixel(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// The root window's picture: black, with the picture centred, tiled (from each monitor's top
// left corner) or stretched on every monitor; a picture's transparent parts show the black. An
// empty monitor list means one screen-sized one; a null picture gives black. Empty when the
// memory for it could not be had.
Canvas composeBackground(const GdkPixbuf* picture, int width, int height,
                         const std::vector<ScreenRect>& monitors, Style style);

// Bare X11, where no desktop draws a background: decodes the picture, draws it into a
// root-sized pixmap that outlives Korvo (kept by the server, the way background setters do),
// makes it the root window's background, publishes it as _XROOTPMAP_ID and ESETROOT_PMAP_ID for
// pseudo-transparent programs, and frees the pixmap an earlier setter left there.
HRESULT applyRootWindow(const Wallpaper& wallpaper, const std::string& display);

// Whether some program has given the root window a background of its own (_XROOTPMAP_ID).
bool rootHasBackground(const std::string& display);

// Whether `program` (its WM_CLASS name) shows a desktop window (_NET_WM_WINDOW_TYPE_DESKTOP).
bool hasDesktopWindow(const std::string& display, const std::string& program);

}  // namespace korvo::platform
