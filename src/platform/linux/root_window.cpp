// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/root_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/linux/picture_file.h"
#include "platform/linux/x11_display.h"

namespace korvo::platform {

namespace {

// Copies `source` into `target` at (x, y), clipped to `clip`.
void place(QImage& target, const QImage& source, int x, int y, const ScreenRect& clip) {
    const int left = std::max(x, clip.x), top = std::max(y, clip.y);
    const int right = std::min(x + source.width(), clip.x + clip.width);
    const int bottom = std::min(y + source.height(), clip.y + clip.height);
    if (left >= right || top >= bottom) return;
    const auto bytes = static_cast<std::size_t>(right - left) * 4;
    for (int row = top; row < bottom; ++row) {
        const auto* from = reinterpret_cast<const quint32*>(source.constScanLine(row - y));
        auto* to = reinterpret_cast<quint32*>(target.scanLine(row));
        std::memcpy(to + left, from + (left - x), bytes);
    }
}

}  // namespace

QImage composeBackground(const QImage& picture, int width, int height,
                         const std::vector<ScreenRect>& monitors, Style style) {
    QImage canvas(width, height, QImage::Format_RGB32);
    if (canvas.isNull()) return canvas;
    canvas.fill(Qt::black);
    if (picture.isNull()) return canvas;
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<ScreenRect> areas = monitors;
    if (areas.empty()) areas.push_back({0, 0, width, height});
    for (const auto& area : areas) {
        switch (style) {
            case Style::Centre:
                place(canvas, source, area.x + (area.width - source.width()) / 2,
                      area.y + (area.height - source.height()) / 2, area);
                break;
            case Style::Tile:
                for (int y = area.y; y < area.y + area.height; y += source.height()) {
                    for (int x = area.x; x < area.x + area.width; x += source.width()) {
                        place(canvas, source, x, y, area);
                    }
                }
                break;
            case Style::Stretch:
                place(canvas,
                      source.scaled(area.width, area.height, Qt::IgnoreAspectRatio,
                                    Qt::SmoothTransformation),
                      area.x, area.y, area);
                break;
        }
    }
    return canvas;
}

namespace {

// Scales an 8-bit channel into the bits of a true-colour mask (5-6-5, 10-10-10, ...).
unsigned long toMask(int channel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1ul)) ++shift;
    const unsigned long top = mask >> shift;
    return ((static_cast<unsigned long>(channel) * top + 127) / 255) << shift;
}

// Hands the composed picture to the server. A 24- or 32-bit true-colour screen with the usual
// masks takes the image's memory as it is; any other visual goes pixel by pixel.
bool putImage(X11Connection& x, Pixmap pixmap, const QImage& canvas) {
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
        image.width = canvas.width();
        image.height = canvas.height();
        image.format = ZPixmap;
        image.data = const_cast<char*>(reinterpret_cast<const char*>(canvas.constBits()));
        image.byte_order = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? LSBFirst : MSBFirst;
        image.bitmap_unit = 32;
        image.bitmap_bit_order = image.byte_order;
        image.bitmap_pad = 32;
        image.depth = depth;
        image.bytes_per_line = static_cast<int>(canvas.bytesPerLine());
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
                                     static_cast<unsigned>(canvas.width()),
                                     static_cast<unsigned>(canvas.height()), 32, 0);
        if (image) {
            image->data =
                static_cast<char*>(std::calloc(static_cast<std::size_t>(image->bytes_per_line),
                                               static_cast<std::size_t>(canvas.height())));
        }
        if (image && image->data) {
            for (int y = 0; y < canvas.height(); ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
                for (int px = 0; px < canvas.width(); ++px) {
                    const unsigned long pixel = toMask(qRed(line[px]), visual->red_mask) |
                                                toMask(qGreen(line[px]), visual->green_mask) |
                                                toMask(qBlue(line[px]), visual->blue_mask);
                    XPutPixel(image, px, y, pixel);
                }
            }
            XPutImage(dpy, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(canvas.width()),
                      static_cast<unsigned>(canvas.height()));
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
    const QImage picture = decodePictureFile(wallpaper.path);
    if (picture.isNull()) return shell::E_INVALIDARG;

    // A connection of its own: its resources are the ones the server keeps after it closes.
    X11Connection x(display);
    if (!x) return kNotSupported;
    Display* dpy = x.get();
    const int screen = XDefaultScreen(dpy);
    const int width = XDisplayWidth(dpy, screen), height = XDisplayHeight(dpy, screen);
    const QImage canvas =
        composeBackground(picture, width, height, monitorRects(x), wallpaper.style);
    if (canvas.isNull()) return kOutOfMemory;

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
