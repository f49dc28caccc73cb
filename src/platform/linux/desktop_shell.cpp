// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/desktop_shell.h"

// Before Xlib, whose macros (None, Status) would break the forms' names.
#include "ui/forms/bundled_pictures.h"
#include "ui/forms/control.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <gio/gio.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/linux/picture_file.h"
#include "platform/linux/x11_display.h"

namespace korvo::platform {

namespace {

// The resolution Qt and the desktop's other programs lay out with: Xft.dpi when the session sets
// it, else 96 dots per inch.
int twipsPerPixelOf(X11Connection& x) {
    const char* resources = XResourceManagerString(x.get());
    const char* at = resources ? std::strstr(resources, "Xft.dpi:") : nullptr;
    const double dpi = at ? std::strtod(at + std::strlen("Xft.dpi:"), nullptr) : 96.0;
    if (!(dpi >= 24.0 && dpi <= 1440.0)) return 15;
    return static_cast<int>(std::lround(1440.0 / dpi));
}

// A picture the program bundles, as the tray takes it; empty when it is not bundled or broken.
IconImage bundledIcon(const std::string& source) {
    const auto bytes = forms::bundledPicture(source);
    if (bytes.empty()) return {};
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    IconImage icon;
    if (gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), nullptr) &&
        gdk_pixbuf_loader_close(loader, nullptr)) {
        if (GdkPixbuf* decoded = gdk_pixbuf_loader_get_pixbuf(loader)) {
            GdkPixbuf* rgba = gdk_pixbuf_add_alpha(decoded, FALSE, 0, 0, 0);
            icon.width = gdk_pixbuf_get_width(rgba);
            icon.height = gdk_pixbuf_get_height(rgba);
            const int stride = gdk_pixbuf_get_rowstride(rgba);
            const guchar* pixels = gdk_pixbuf_read_pixels(rgba);
            for (int y = 0; y < icon.height; ++y) {
                const guchar* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
                for (int x = 0; x < icon.width; ++x) {
                    const guchar* p = row + std::ptrdiff_t{4} * x;
                    icon.argb.push_back(std::uint32_t{p[3]} << 24 | std::uint32_t{p[0]} << 16 |
                                        std::uint32_t{p[1]} << 8 | p[2]);
                }
            }
            g_object_unref(rgba);
        }
    } else {
        gdk_pixbuf_loader_close(loader, nullptr);
    }
    g_object_unref(loader);
    return icon;
}

// Shown when the owner has no icon of its own: a dark blue tile.
IconImage fallbackIcon() {
    IconImage icon{16, 16, std::vector<std::uint32_t>(256, 0xff0000c0u)};
    return icon;
}

IconImage iconOf(const forms::Form& form) {
    if (const forms::Picture& picture = form.icon()) {
        IconImage icon = bundledIcon(picture->source);
        if (!icon.argb.empty()) return icon;
    }
    return fallbackIcon();
}

// Only addresses a browser or a mail program opens; anything else could name a program to run.
std::optional<std::string> browsableUri(const std::string& address) {
    if (!address.empty() && address.front() == '/') {
        gchar* uri = g_filename_to_uri(address.c_str(), nullptr, nullptr);
        if (!uri) return std::nullopt;
        std::string result(uri);
        g_free(uri);
        return result;
    }
    for (const char* scheme : {"https://", "http://", "mailto:", "file://"}) {
        if (address.rfind(scheme, 0) == 0) return address;
    }
    return std::nullopt;
}

}  // namespace

std::string toolkitPlatform(const Environment& env) {
    if (env.has("QT_QPA_PLATFORM") || !env.has("WAYLAND_DISPLAY") || !env.has("DISPLAY")) return {};
    const std::string desktop = env.get("XDG_CURRENT_DESKTOP");
    // GNOME's compositor leaves title bars to the program (no server-side decorations) and does
    // not let a program place its windows; under Xwayland both are as designed.
    if (desktop.find("GNOME") != std::string::npos) return "xcb";
    return {};
}

DesktopShell::DesktopShell(Environment env, GlibLoop& loop, std::string toolkitModule, int& argc,
                           char** argv)
    : env_(std::move(env)),
      loop_(loop),
      toolkitModule_(std::move(toolkitModule)),
      argc_(argc),
      argv_(argv) {
    if (env_.has("DISPLAY")) {
        X11Connection x(env_.get("DISPLAY"));
        if (x) {
            twipsPerPixel_ = twipsPerPixelOf(x);
            const int screen = XDefaultScreen(x.get());
            screenWidth_ = XDisplayWidth(x.get(), screen);
            screenHeight_ = XDisplayHeight(x.get(), screen);
        }
    }
}

DesktopShell::~DesktopShell() {
    detach();
}

std::unique_ptr<DesktopShell::Attached> DesktopShell::attach(forms::Runtime& runtime,
                                                             std::function<void()> sessionEnds) {
    runtime_ = &runtime;
    sessionEnds_ = std::move(sessionEnds);
    runtime.addObserver(this);
    return std::make_unique<Attached>(*this);
}

// The toolkit's module stays mapped to the end of the process: unloading Qt is not safe.
void DesktopShell::detach() {
    tray_.reset();
    trayOwner_ = nullptr;
    toolkit_.reset();
    if (runtime_) runtime_->removeObserver(this);
    runtime_ = nullptr;
}

void DesktopShell::formEvent(forms::Form& form, forms::FormEvent event, forms::FormProperty) {
    if (event == forms::FormEvent::Shown && !toolkit_) windows();
    if (event == forms::FormEvent::Unloaded && &form == trayOwner_) removeTrayIcon(form);
}

forms::WindowServices* DesktopShell::windows() {
    if (toolkit_) return &toolkit_->windows();
    if (toolkitFailed_ || !runtime_) return nullptr;
    if (const std::string platform = toolkitPlatform(env_); !platform.empty())
        ::setenv("QT_QPA_PLATFORM", platform.c_str(), 0);
    module_ = ::dlopen(toolkitModule_.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* symbol = module_ ? ::dlsym(module_, forms::AttachToolkitSymbol) : nullptr;
    if (!symbol) {
        toolkitFailed_ = true;
        const char* why = ::dlerror();
        std::fprintf(stderr, "korvo: the windows cannot be shown: %s\n", why ? why : "no toolkit");
        return nullptr;
    }
    forms::AttachToolkit attachToolkit = nullptr;
    std::memcpy(&attachToolkit, &symbol, sizeof attachToolkit);
    toolkit_.reset(attachToolkit(*runtime_, *this, sessionEnds_, argc_, argv_));
    loop_.handOver([this] { return toolkit_->run(); });
    return &toolkit_->windows();
}

void DesktopShell::popupMenu(forms::Form& owner, forms::Menu& menu, forms::Menu* defaultItem) {
    // A host that draws the tray's menu shows it at the icon and dismisses it as its own menus;
    // Korvo then only hands it the items.
    if (tray_ && &owner == trayOwner_ && (exporting_ || tray_->hostDrawsMenu())) {
        std::vector<TrayMenuEntry> entries;
        exported_.clear();
        for (forms::Menu* item : menu.items()) {
            if (!item->visible()) continue;
            entries.push_back({static_cast<int>(exported_.size()), item->caption(), item->enabled(),
                               item == defaultItem});
            exported_.emplace_back(&item->form(), item->name());
        }
        tray_->setMenu(entries);
        return;
    }
    if (forms::WindowServices* toolkit = windows()) toolkit->popupMenu(owner, menu, defaultItem);
}

void DesktopShell::startWindowDrag(forms::Form& form) {
    if (forms::WindowServices* toolkit = windows()) toolkit->startWindowDrag(form);
}

void DesktopShell::activate(forms::Form& form) {
    if (forms::WindowServices* toolkit = windows()) toolkit->activate(form);
}

std::optional<forms::PictureInfo> DesktopShell::probePicture(const std::string& path) {
    const auto size = pictureSize(path);
    if (!size) return std::nullopt;
    return forms::PictureInfo{size->first, size->second};
}

void DesktopShell::openAddress(const std::string& address) {
    if (const auto uri = browsableUri(address))
        g_app_info_launch_default_for_uri(uri->c_str(), nullptr, nullptr);
}

void DesktopShell::addTrayIcon(forms::Form& owner, const std::string& tip) {
    if (tray_ && trayOwner_ == &owner) {
        tray_->setTip(tip);
        return;
    }
    trayOwner_ = &owner;
    TrayEvents events;
    events.mouse = [this](int message) { trayMouse(message); };
    events.menuWanted = [this] { exportMenu(); };
    events.menuChosen = [this](int id) { menuChosen(id); };
    tray_ = makeTrayIcon(env_, "Korvo", iconOf(owner), tip, std::move(events));
}

void DesktopShell::removeTrayIcon(forms::Form& owner) {
    if (&owner != trayOwner_) return;
    trayOwner_ = nullptr;
    exported_.clear();
    tray_.reset();
}

bool DesktopShell::hasTray() {
    return tray_ && tray_->shown();
}

void DesktopShell::showNotice(const std::string& summary, const std::string& body) {
    platform::showNotice(env_, "Korvo", summary, body);
}

void DesktopShell::endProgram() {
    if (toolkit_) toolkit_->windows().endProgram();
    loop_.quit();
}

void DesktopShell::trayMouse(int message) {
    forms::Form* owner = trayOwner_;
    if (!owner || !runtime_) return;
    const auto x = static_cast<float>(message * twipsPerPixel_);
    runtime_->dispatch([owner, x] { owner->mouseMove(forms::MouseEvent{0, 0, x, 0}); });
}

// The host is about to draw the menu: the program's own answer to a click, its popup, is what
// the host shows. A right button's release is what opens it.
void DesktopShell::exportMenu() {
    exporting_ = true;
    trayMouse(0x205);
    exporting_ = false;
}

void DesktopShell::menuChosen(int id) {
    if (!runtime_ || id < 0 || static_cast<std::size_t>(id) >= exported_.size()) return;
    const auto [form, name] = exported_[static_cast<std::size_t>(id)];
    const auto& loaded = runtime_->forms();
    if (std::find(loaded.begin(), loaded.end(), form) == loaded.end()) return;
    for (forms::Control* control : form->controls()) {
        if (control->kind() == forms::ControlKind::Menu && control->name() == name) {
            auto* item = static_cast<forms::Menu*>(control);
            runtime_->dispatch([item] { item->click(); });
            return;
        }
    }
}

}  // namespace korvo::platform
