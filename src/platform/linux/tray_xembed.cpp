// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/tray_xembed.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <glib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/linux/tray_image.h"

namespace korvo::platform {

namespace {

constexpr long kRequestDock = 0;      // SYSTEM_TRAY_REQUEST_DOCK
constexpr long kXEmbedMapped = 1;     // XEMBED_MAPPED in _XEMBED_INFO
constexpr Time kDoubleClickMs = 400;  // the toolkits' default
constexpr int kFirstSize = 22;        // until the tray gives the window its size

// Xlib's default error handlers end the process. Errors on the tray's own connections are only
// counted, and a lost connection is left to the exit handler each of them has; those of any
// other connection go to the handlers that were there before.
struct ErrorTrap {
    static inline std::vector<std::pair<Display*, int>> displays;
    static inline XErrorHandler previous = nullptr;
    static inline XIOErrorHandler previousIO = nullptr;

    static bool ours(Display* display) {
        return std::any_of(displays.begin(), displays.end(),
                           [display](const auto& d) { return d.first == display; });
    }
    static int handler(Display* display, XErrorEvent* event) {
        for (auto& [d, errors] : displays) {
            if (d == display) {
                ++errors;
                return 0;
            }
        }
        return previous ? previous(display, event) : 0;
    }
    static int ioHandler(Display* display) {
        if (ours(display) || !previousIO) return 0;
        return previousIO(display);
    }
    static void add(Display* display) {
        if (displays.empty()) {
            previous = XSetErrorHandler(&handler);
            previousIO = XSetIOErrorHandler(&ioHandler);
        }
        displays.emplace_back(display, 0);
    }
    static void remove(Display* display) {
        std::erase_if(displays, [display](const auto& d) { return d.first == display; });
        if (!displays.empty()) return;
        // Put back what was there, unless someone else has replaced these handlers since.
        const XErrorHandler current = XSetErrorHandler(previous);
        if (current != &handler) XSetErrorHandler(current);
        const XIOErrorHandler currentIO = XSetIOErrorHandler(previousIO);
        if (currentIO != &ioHandler) XSetIOErrorHandler(currentIO);
    }
    // Whether any request on `display` failed since the last call; waits for the answers.
    static bool failed(Display* display) {
        XSync(display, False);
        for (auto& [d, errors] : displays) {
            if (d == display) return std::exchange(errors, 0) > 0;
        }
        return false;
    }
};

// The mouse message of a button: left, right, middle; 0 for the wheel and the rest.
int buttonBase(unsigned button) {
    switch (button) {
        case Button1:
            return 0x201;
        case Button3:
            return 0x204;
        case Button2:
            return 0x207;
        default:
            return 0;
    }
}

// One channel of 8 bits into the bits of a TrueColor mask.
unsigned long channel(unsigned value, unsigned long mask) {
    if (!mask) return 0;
    const int shift = __builtin_ctzl(mask);
    const unsigned long top = mask >> shift;
    return ((value * top + 127) / 255) << shift;
}

class XEmbedTrayIcon final : public XEmbedIcon {
  public:
    XEmbedTrayIcon(Display* display, std::string title, IconImage icon, std::string tip,
                   XEmbedCallbacks callbacks)
        : display_(display),
          title_(std::move(title)),
          icon_(std::move(icon)),
          tip_(std::move(tip)),
          callbacks_(std::move(callbacks)) {
        ErrorTrap::add(display_);
        // A lost connection (the server ended) must not end the program: the tray is then gone.
        XSetIOErrorExitHandler(display_, &XEmbedTrayIcon::onConnectionLost, this);
        root_ = XDefaultRootWindow(display_);
        const std::string selection =
            "_NET_SYSTEM_TRAY_S" + std::to_string(XDefaultScreen(display_));
        selection_ = XInternAtom(display_, selection.c_str(), False);
        manager_ = XInternAtom(display_, "MANAGER", False);
        opcode_ = XInternAtom(display_, "_NET_SYSTEM_TRAY_OPCODE", False);
        visualAtom_ = XInternAtom(display_, "_NET_SYSTEM_TRAY_VISUAL", False);
        xembedInfo_ = XInternAtom(display_, "_XEMBED_INFO", False);
        // A tray announces itself to the root window's clients.
        XSelectInput(display_, root_, StructureNotifyMask);
        findTray();

        source_ = g_source_new(&kSourceFuncs, sizeof(Source));
        reinterpret_cast<Source*>(source_)->icon = this;
        g_source_add_unix_fd(source_, XConnectionNumber(display_),
                             static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR));
        g_source_attach(source_, nullptr);
    }

    ~XEmbedTrayIcon() override {
        g_source_destroy(source_);
        g_source_unref(source_);
        if (!lost_) undock();
        XCloseDisplay(display_);
        ErrorTrap::remove(display_);
    }

    bool trayPresent() const override { return tray_ != None; }
    bool docked() const override { return window_ != None; }

    bool dock() override {
        if (lost_ || tray_ == None) return false;
        undock();
        createWindow();
        XEvent message{};
        message.xclient.type = ClientMessage;
        message.xclient.window = tray_;
        message.xclient.message_type = opcode_;
        message.xclient.format = 32;
        message.xclient.data.l[0] = CurrentTime;
        message.xclient.data.l[1] = kRequestDock;
        message.xclient.data.l[2] = static_cast<long>(window_);
        XSendEvent(display_, tray_, False, NoEventMask, &message);
        if (ErrorTrap::failed(display_)) {
            undock();
            return false;
        }
        return true;
    }

    void undock() override {
        if (window_ == None) return;
        XDestroyWindow(display_, window_);
        if (colormap_ != None) XFreeColormap(display_, colormap_);
        window_ = None;
        colormap_ = None;
        XFlush(display_);
    }

    void setTip(const std::string& tip) override {
        tip_ = tip;
        if (window_ == None) return;
        Xutf8SetWMProperties(display_, window_, tip_.c_str(), tip_.c_str(), nullptr, 0, nullptr,
                             nullptr, nullptr);
        XFlush(display_);
    }

  private:
    struct Source {
        GSource base;
        XEmbedTrayIcon* icon;
    };

    // Events Xlib has already read (while waiting for a reply) are not on the socket any more:
    // the source is ready whenever its queue holds any.
    // A connection lost meanwhile is reported from here too.
    static gboolean prepare(GSource* source, gint* timeout) {
        *timeout = -1;
        const auto* self = reinterpret_cast<Source*>(source)->icon;
        return self->lost_ || XEventsQueued(self->display_, QueuedAlready) > 0;
    }
    static gboolean check(GSource* source) {
        const auto* self = reinterpret_cast<Source*>(source)->icon;
        if (self->lost_) return TRUE;
        const bool pending = XPending(self->display_) > 0;
        return pending || self->lost_;  // reading may find the connection gone
    }
    static gboolean dispatch(GSource* source, GSourceFunc, gpointer) {
        auto* self = reinterpret_cast<Source*>(source)->icon;
        self->readEvents();
        return self->lost_ ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
    }
    static inline GSourceFuncs kSourceFuncs{&prepare, &check, &dispatch, nullptr, nullptr, nullptr};

    static void onConnectionLost(Display*, void* data) {
        static_cast<XEmbedTrayIcon*>(data)->lost_ = true;
    }

    void readEvents() {
        while (!lost_ && XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            handle(event);
        }
        if (lost_) {
            // Nothing is sent on a connection that is gone; the windows went with it.
            window_ = None;
            colormap_ = None;
            if (tray_ != None) {
                tray_ = None;
                if (callbacks_.trayChanged) callbacks_.trayChanged(false);
            }
        }
    }

    void handle(const XEvent& event) {
        switch (event.type) {
            case ClientMessage:
                if (event.xclient.window == root_ && event.xclient.message_type == manager_ &&
                    static_cast<Atom>(event.xclient.data.l[1]) == selection_) {
                    const Window before = tray_;
                    findTray();
                    if (tray_ != None && tray_ != before && callbacks_.trayChanged) {
                        callbacks_.trayChanged(true);
                    }
                }
                break;
            case DestroyNotify:
                if (event.xdestroywindow.window == tray_ && tray_ != None) {
                    // The tray may have handed the icon window back to the root window (its
                    // save-set) and shown it there: it goes at once.
                    undock();
                    findTray();  // another tray may have taken over already
                    if (callbacks_.trayChanged) callbacks_.trayChanged(tray_ != None);
                }
                break;
            case ConfigureNotify:
                if (event.xconfigure.window == window_) {
                    width_ = event.xconfigure.width;
                    height_ = event.xconfigure.height;
                    draw();
                }
                break;
            case Expose:
                if (event.xexpose.window == window_ && event.xexpose.count == 0) draw();
                break;
            case ButtonPress:
            case ButtonRelease:
                if (event.xbutton.window == window_) button(event.xbutton);
                break;
            default:
                break;
        }
    }

    void button(const XButtonEvent& event) {
        const int base = buttonBase(event.button);
        if (!base) return;
        int message = base + 1;
        if (event.type == ButtonPress) {
            // The second press of a double click is the double click, as on Windows; a third
            // starts over.
            const bool second = pressed_ && event.button == lastButton_ &&
                                event.time - lastPress_ <= kDoubleClickMs;
            message = second ? base + 2 : base;
            pressed_ = !second;
            lastButton_ = event.button;
            lastPress_ = event.time;
        }
        if (callbacks_.mouse) callbacks_.mouse(message);
    }

    // The tray is the owner of the selection; its end is watched on its window. The server is
    // held meanwhile, so that the owner cannot go between the two requests unseen.
    void findTray() {
        XGrabServer(display_);
        tray_ = XGetSelectionOwner(display_, selection_);
        if (tray_ != None) XSelectInput(display_, tray_, StructureNotifyMask);
        XUngrabServer(display_);
        if (ErrorTrap::failed(display_)) tray_ = None;
    }

    // The tray's ARGB visual when it offers one, so that the icon's own transparency shows.
    Visual* trayVisual(int& depth) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        Visual* visual = nullptr;
        if (XGetWindowProperty(display_, tray_, visualAtom_, 0, 1, False, XA_VISUALID, &type,
                               &format, &items, &after, &data) == Success &&
            data && type == XA_VISUALID && format == 32 && items == 1) {
            XVisualInfo wanted{};
            wanted.visualid = static_cast<VisualID>(*reinterpret_cast<unsigned long*>(data));
            int count = 0;
            XVisualInfo* found = XGetVisualInfo(display_, VisualIDMask, &wanted, &count);
            if (found && count > 0 && found[0].depth == 32 && found[0].c_class == TrueColor) {
                visual = found[0].visual;
                depth = 32;
            }
            if (found) XFree(found);
        }
        if (data) XFree(data);
        return visual;
    }

    void createWindow() {
        XSetWindowAttributes attributes{};
        unsigned long mask = CWEventMask;
        attributes.event_mask =
            ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask;
        int depth = 0;
        visual_ = trayVisual(depth);
        if (visual_) {
            colormap_ = XCreateColormap(display_, root_, visual_, AllocNone);
            attributes.colormap = colormap_;
            attributes.background_pixel = 0;  // transparent
            attributes.border_pixel = 0;
            mask |= CWColormap | CWBackPixel | CWBorderPixel;
            argb_ = true;
        } else {
            // The tray's own background shows through; the icon is drawn through its mask.
            visual_ = XDefaultVisual(display_, XDefaultScreen(display_));
            depth = XDefaultDepth(display_, XDefaultScreen(display_));
            attributes.background_pixmap = ParentRelative;
            mask |= CWBackPixmap;
            argb_ = false;
        }
        depth_ = depth;
        width_ = height_ = kFirstSize;
        window_ = XCreateWindow(display_, root_, 0, 0, kFirstSize, kFirstSize, 0, depth,
                                InputOutput, visual_, mask, &attributes);
        XClassHint hint{const_cast<char*>("korvo"), const_cast<char*>(title_.c_str())};
        Xutf8SetWMProperties(display_, window_, tip_.c_str(), tip_.c_str(), nullptr, 0, nullptr,
                             nullptr, &hint);
        // Trays size their sockets by the icon window's hints.
        XSizeHints hints{};
        hints.flags = PMinSize | PBaseSize;
        hints.min_width = hints.min_height = hints.base_width = hints.base_height = kFirstSize;
        XSetWMNormalHints(display_, window_, &hints);
        const long info[2] = {0, kXEmbedMapped};  // protocol version, flags
        XChangeProperty(display_, window_, xembedInfo_, xembedInfo_, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(info), 2);
        // Which process the icon is, as tools that list a program's windows ask.
        const long pid = static_cast<long>(::getpid());
        XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    }

    void draw() {
        const int size = std::min(width_, height_);
        if (window_ == None || size <= 0) return;
        if (scaled_.width != size) scaled_ = fitIcon(icon_, size);
        const int left = (width_ - size) / 2, top = (height_ - size) / 2;
        XClearWindow(display_, window_);

        XImage* image =
            XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                         static_cast<unsigned>(size), static_cast<unsigned>(size), 32, 0);
        if (!image) return;
        image->data = static_cast<char*>(std::calloc(
            static_cast<std::size_t>(image->bytes_per_line), static_cast<std::size_t>(size)));
        const unsigned long colours = visual_->red_mask | visual_->green_mask | visual_->blue_mask;
        const unsigned long alphaMask =
            argb_ ? ~colours & (depth_ >= 32 ? 0xffffffffUL : (1UL << depth_) - 1) : 0;
        // The mask's rows, one bit a pixel, least significant first, each row whole bytes.
        const int stride = (size + 7) / 8;
        std::vector<char> maskBits(static_cast<std::size_t>(stride) * size, 0);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::uint32_t p = scaled_.argb[static_cast<std::size_t>(y) * size + x];
                unsigned a = p >> 24, r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
                if (argb_) {  // premultiplied, as the compositor takes it
                    r = (r * a + 127) / 255;
                    g = (g * a + 127) / 255;
                    b = (b * a + 127) / 255;
                } else if (a >= 128) {
                    char& bits = maskBits[static_cast<std::size_t>(y) * stride + x / 8];
                    bits = static_cast<char>(bits | (1 << (x % 8)));
                }
                XPutPixel(image, x, y,
                          channel(a, alphaMask) | channel(r, visual_->red_mask) |
                              channel(g, visual_->green_mask) | channel(b, visual_->blue_mask));
            }
        }
        GC gc = XCreateGC(display_, window_, 0, nullptr);
        Pixmap mask = None;
        if (!argb_) {
            mask = XCreateBitmapFromData(display_, window_, maskBits.data(),
                                         static_cast<unsigned>(size), static_cast<unsigned>(size));
            XSetClipMask(display_, gc, mask);
            XSetClipOrigin(display_, gc, left, top);
        }
        XPutImage(display_, window_, gc, image, 0, 0, left, top, static_cast<unsigned>(size),
                  static_cast<unsigned>(size));
        XFreeGC(display_, gc);
        if (mask != None) XFreePixmap(display_, mask);
        XDestroyImage(image);
        XFlush(display_);
    }

    Display* display_;
    std::string title_;
    IconImage icon_;
    std::string tip_;
    XEmbedCallbacks callbacks_;
    GSource* source_ = nullptr;
    Window root_ = None;
    Atom selection_ = None, manager_ = None, opcode_ = None, visualAtom_ = None, xembedInfo_ = None;
    Window tray_ = None;
    Window window_ = None;
    Colormap colormap_ = None;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    bool argb_ = false;
    int width_ = 0, height_ = 0;
    IconImage scaled_;
    bool pressed_ = false;
    unsigned lastButton_ = 0;
    Time lastPress_ = 0;
    bool lost_ = false;
};

}  // namespace

std::unique_ptr<XEmbedIcon> makeXEmbedIcon(const std::string& display, const std::string& title,
                                           const IconImage& icon, const std::string& tip,
                                           XEmbedCallbacks callbacks) {
    if (display.empty()) return nullptr;
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) return nullptr;
    return std::make_unique<XEmbedTrayIcon>(connection, title, icon, tip, std::move(callbacks));
}

}  // namespace korvo::platform
