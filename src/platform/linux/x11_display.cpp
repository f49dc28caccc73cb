// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/x11_display.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace korvo::platform {

namespace {

std::atomic<bool> errorSeen{false};

int recordError(Display*, XErrorEvent*) {
    errorSeen = true;
    return 0;
}

template <class T>
struct XFreeOnExit {
    T* data;
    ~XFreeOnExit() {
        if (data) XFree(data);
    }
};

}  // namespace

X11Connection::X11Connection(const std::string& display) {
    if (display.empty()) return;
    display_ = XOpenDisplay(display.c_str());
    if (display_) {
        previousHandler_ = XSetErrorHandler(recordError);
        errorSeen = false;
    }
}

X11Connection::~X11Connection() {
    if (!display_) return;
    XCloseDisplay(display_);
    XSetErrorHandler(previousHandler_);
}

Window X11Connection::root() const {
    return XDefaultRootWindow(display_);
}

bool X11Connection::failed() {
    XSync(display_, False);
    return errorSeen.exchange(false);
}

std::vector<ScreenRect> monitorRects(X11Connection& x) {
    std::vector<ScreenRect> rects;
    int event = 0, error = 0, count = 0;
    if (XRRQueryExtension(x.get(), &event, &error)) {
        XFreeOnExit<XRRMonitorInfo> monitors{XRRGetMonitors(x.get(), x.root(), True, &count)};
        for (int i = 0; monitors.data && i < count; ++i) {
            const auto& m = monitors.data[i];
            if (m.width > 0 && m.height > 0) rects.push_back({m.x, m.y, m.width, m.height});
        }
    }
    if (x.failed()) rects.clear();
    if (rects.empty()) {
        const int screen = XDefaultScreen(x.get());
        rects.push_back({0, 0, XDisplayWidth(x.get(), screen), XDisplayHeight(x.get(), screen)});
    }
    return rects;
}

std::vector<std::string> outputNames(X11Connection& x) {
    std::vector<std::string> names;
    int event = 0, error = 0;
    if (!XRRQueryExtension(x.get(), &event, &error)) return names;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(x.get(), x.root());
    if (!resources) return names;
    for (int i = 0; i < resources->noutput; ++i) {
        XRROutputInfo* info = XRRGetOutputInfo(x.get(), resources, resources->outputs[i]);
        if (!info) continue;
        if (info->connection == RR_Connected && info->crtc != 0) {
            names.emplace_back(info->name, static_cast<std::size_t>(info->nameLen));
        }
        XRRFreeOutputInfo(info);
    }
    XRRFreeScreenResources(resources);
    if (x.failed()) names.clear();
    return names;
}

namespace {

std::optional<unsigned long> rootCardinal(X11Connection& x, const char* name, Atom type) {
    const Atom property = XInternAtom(x.get(), name, True);
    if (property == None) return std::nullopt;
    Atom actualType = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(x.get(), x.root(), property, 0, 1, False, type,
                                          &actualType, &format, &items, &after, &data);
    XFreeOnExit<unsigned char> owned{data};
    if (status != Success || actualType != type || format != 32 || items < 1 || !data) {
        return std::nullopt;
    }
    // Xlib hands 32-bit items over as longs.
    unsigned long value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

}  // namespace

int workspaceCount(X11Connection& x) {
    const auto count = rootCardinal(x, "_NET_NUMBER_OF_DESKTOPS", XA_CARDINAL);
    if (!count || *count < 1) return 1;
    return static_cast<int>(std::min<unsigned long>(*count, 64));
}

std::optional<Pixmap> rootPixmapProperty(X11Connection& x, const char* name) {
    const auto value = rootCardinal(x, name, XA_PIXMAP);
    if (!value || *value == 0) return std::nullopt;
    return static_cast<Pixmap>(*value);
}

bool hasDesktopWindow(X11Connection& x, const std::string& program) {
    const Atom type = XInternAtom(x.get(), "_NET_WM_WINDOW_TYPE", True);
    const Atom desktop = XInternAtom(x.get(), "_NET_WM_WINDOW_TYPE_DESKTOP", True);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (type == None || desktop == None ||
        !XQueryTree(x.get(), x.root(), &root, &parent, &children, &count)) {
        return false;
    }
    XFreeOnExit<Window> ownedChildren{children};
    for (unsigned i = 0; i < count; ++i) {
        XClassHint hint{};
        if (!XGetClassHint(x.get(), children[i], &hint)) continue;
        const bool named = hint.res_name && program == hint.res_name;
        XFree(hint.res_name);
        XFree(hint.res_class);
        Atom actual = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (!named || XGetWindowProperty(x.get(), children[i], type, 0, 16, False, XA_ATOM, &actual,
                                         &format, &items, &after, &data) != Success) {
            continue;
        }
        XFreeOnExit<unsigned char> owned{data};
        for (unsigned long k = 0; data && format == 32 && k < items; ++k) {
            if (reinterpret_cast<const unsigned long*>(data)[k] == desktop) return true;
        }
    }
    return false;
}

}  // namespace korvo::platform
