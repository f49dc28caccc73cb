// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/root_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/linux/picture_file.h"
#include "platform/linux/x11_display.h"

namespace korvo::platform {

namespace {

// Copies `source` into `canvas` at (x, y), clipped to `clip`, over black.
void place(Canvas& canvas, const GdkPixbuf* source, int x, int y, const ScreenRect& clip) {
    const int width = gdk_pixbuf_get_width(source), height = gdk_pixbuf_get_height(source);
    const int left = std::max({x, clip.x, 0}), top = std::max({y, clip.y, 0});
    const int right = std::min({x + width, clip.x + clip.width, canvas.width});
    const int bottom = std::min({y + height, clip.y + clip.height, canvas.height});
    if (left >= right || top >= bottom) return;
    const int channels = gdk_pixbuf_get_n_channels(source);
    const bool alpha = gdk_pixbuf_get_has_alpha(source);
    const int stride = gdk_pixbuf_get_rowstride(source);
    const guchar* bytes = gdk_pixbuf_read_pixels(source);
    for (int row = top; row < bottom; ++row) {
        const guchar* from = bytes + static_cast<std::ptrdiff_t>(row - y) * stride +
                             static_cast<std::ptrdiff_t>(left - x) * channels;
        std::uint32_t* to = canvas.pixels.data() +
                            static_cast<std::size_t>(row) * static_cast<std::size_t>(canvas.width);
        for (int column = left; column < right; ++column, from += channels) {
            const unsigned a = alpha ? from[3] : 255u;
            const auto over = [a](guchar c) { return (c * a + 127u) / 255u; };
            to[column] = 0xff000000u | over(from[0]) << 16 | over(from[1]) << 8 | over(from[2]);
        }
    }
}

}  // namespace

Canvas composeBackground(const GdkPixbuf* picture, int width, int height,
                         const std::vector<ScreenRect>& monitors, Style style) {
    Canvas canvas;
    if (width <= 0 || height <= 0) return canvas;
    try {
        canvas.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                             0xff000000u);
    } catch (const std::bad_alloc&) {
        return canvas;
    }
    canvas.width = width;
    canvas.height = height;
    if (!picture) return canvas;
    const int pictureWidth = gdk_pixbuf_get_width(picture);
    const int pictureHeight = gdk_pixbuf_get_height(picture);
    std::vector<ScreenRect> areas = monitors;
    if (areas.empty()) areas.push_back({0, 0, width, height});
    for (const auto& area : areas) {
        switch (style) {
            case Style::Centre:
                place(canvas, picture, area.x + (area.width - pictureWidth) / 2,
                      area.y + (area.height - pictureHeight) / 2, area);
                break;
            case Style::Tile:
                for (int y = area.y; y < area.y + area.height; y += pictureHeight) {
                    for (int x = area.x; x < area.x + area.width; x += pictureWidth) {
                        place(canvas, picture, x, y, area);
                    }
                }
                break;
            case Style::Stretch:
                if (area.width <= 0 || area.height <= 0) break;
                if (GdkPixbuf* scaled = gdk_pixbuf_scale_simple(picture, area.width, area.height,
                                                                GDK_INTERP_BILINEAR)) {
                    place(canvas, scaled, area.x, area.y, area);
                    g_object_unref(scaled);
                }
                break;
        }
    }
    return canvas;
}

namespace {

// Scales an 8-bit channel into the bits of a true-colour mask (5-6-5, 10-10-10, ...).
unsigned long toMask(std::uint32_t channel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1ul)) ++shift;
    const unsigned long top = mask >> shift;
    return ((static_cast<unsigned long>(channel) * top + 127) / 255) << shift;
}

// Hands the composed picture to the server. A 24- or 32-bit true-colour screen with the usual
// masks takes the image's memory as it is; any other visual goes pixel by pixel.
bool putImage(X11Connection& x, Pixmap pixmap, const Canvas& canvas) {
    Display* dpy = x.get();
    const int screen = XDefaultScreen(dpy);
    Visual* visual = XDefaultVisual(dpy, screen);
    const int depth = XDefaultDepth(dpy, screen);
    if (visual->c_class != TrueColor) return false;
    GC gc = XCreateGC(dpy, pixmap, 0, nullptr);
    const bool direct = (depth == 24 || depth == 32) && visual->red_mask == 0xff0000 &&
                        visual->green_mask == 0xff00 && visual->blue_mask == 0xff;
    bool done = false;
    if (direct) {
        XImage image{};
        image.width = canvas.width;
        image.height = canvas.height;
        image.format = ZPixmap;
        image.data = const_cast<char*>(reinterpret_cast<const char*>(canvas.pixels.data()));
        image.byte_order = G_BYTE_ORDER == G_LITTLE_ENDIAN ? LSBFirst : MSBFirst;
        image.bitmap_unit = 32;
        image.bitmap_bit_order = image.byte_order;
        image.bitmap_pad = 32;
        image.depth = depth;
        image.bytes_per_line = canvas.width * 4;
        image.bits_per_pixel = 32;
        image.red_mask = visual->red_mask;
        image.green_mask = visual->green_mask;
        image.blue_mask = visual->blue_mask;
        if (XInitImage(&image)) {
            XPutImage(dpy, pixmap, gc, &image, 0, 0, 0, 0, static_cast<unsigned>(image.width),
                      static_cast<unsigned>(image.height));
            done = true;
        }
    }
    if (!done) {
        XImage* image = XCreateImage(dpy, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                                     static_cast<unsigned>(canvas.width),
                                     static_cast<unsigned>(canvas.height), 32, 0);
        if (image) {
            image->data =
                static_cast<char*>(std::calloc(static_cast<std::size_t>(image->bytes_per_line),
                                               static_cast<std::size_t>(canvas.height)));
        }
        if (image && image->data) {
            for (int y = 0; y < canvas.height; ++y) {
                for (int px = 0; px < canvas.width; ++px) {
                    const std::uint32_t rgb = canvas.pixel(px, y);
                    const unsigned long pixel = toMask((rgb >> 16) & 0xff, visual->red_mask) |
                                                toMask((rgb >> 8) & 0xff, visual->green_mask) |
                                                toMask(rgb & 0xff, visual->blue_mask);
                    XPutPixel(image, px, y, pixel);
                }
            }
            XPutImage(dpy, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(canvas.width),
                      static_cast<unsigned>(canvas.height));
            done = true;
        }
        if (image) XDestroyImage(image);
    }
    XFreeGC(dpy, gc);
    return done;
}

void setRootPixmapProperty(X11Connection& x, const char* name, Pixmap pixmap) {
    const Atom property = XInternAtom(x.get(), name, False);
    const unsigned long value = pixmap;
    XChangeProperty(x.get(), x.root(), property, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&value), 1);
}

}  // namespace

HRESULT applyRootWindow(const Wallpaper& wallpaper, const std::string& display) {
    const Pixbuf picture = decodePictureFile(wallpaper.path);
    if (!picture) return shell::E_INVALIDARG;

    // A connection of its own: its resources are the ones the server keeps after it closes.
    X11Connection x(display);
    if (!x) return kNotSupported;
    Display* dpy = x.get();
    const int screen = XDefaultScreen(dpy);
    const int width = XDisplayWidth(dpy, screen), height = XDisplayHeight(dpy, screen);
    const Canvas canvas =
        composeBackground(picture.get(), width, height, monitorRects(x), wallpaper.style);
    if (canvas.pixels.empty()) return kOutOfMemory;

    const Pixmap pixmap =
        XCreatePixmap(dpy, x.root(), static_cast<unsigned>(width), static_cast<unsigned>(height),
                      static_cast<unsigned>(XDefaultDepth(dpy, screen)));
    if (!putImage(x, pixmap, canvas) || x.failed()) {
        return shell::E_FAIL;  // closing the connection frees the pixmap
    }
    const auto oldRoot = rootPixmapProperty(x, "_XROOTPMAP_ID");
    const auto oldSetter = rootPixmapProperty(x, "ESETROOT_PMAP_ID");
    setRootPixmapProperty(x, "_XROOTPMAP_ID", pixmap);
    setRootPixmapProperty(x, "ESETROOT_PMAP_ID", pixmap);
    XSetWindowBackgroundPixmap(dpy, x.root(), pixmap);
    XClearWindow(dpy, x.root());
    // A pixmap published under both names was left by a setter like this one, alone on its
    // connection: killing that connection's resources frees just it. One under _XROOTPMAP_ID
    // alone belongs to a running program and is not ours to free.
    if (oldRoot && oldSetter && *oldRoot == *oldSetter && *oldRoot != pixmap) {
        XKillClient(dpy, *oldRoot);
    }
    XSetCloseDownMode(dpy, RetainPermanent);
    x.failed();  // a pixmap already gone when we came to free it is no failure of this change
    return shell::S_OK;
}

bool rootHasBackground(const std::string& display) {
    X11Connection x(display);
    return x && rootPixmapProperty(x, "_XROOTPMAP_ID").has_value();
}

bool hasDesktopWindow(const std::string& display, const std::string& program) {
    X11Connection x(display);
    return x && hasDesktopWindow(x, program);
}

}  // namespace korvo::platform
