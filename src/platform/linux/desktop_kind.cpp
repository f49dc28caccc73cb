// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/desktop_kind.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace korvo::platform {

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

// Most specific first: "X-Cinnamon" and "GNOME-Flashback" both name other desktops beside
// GNOME's own words, and "ubuntu" sessions are GNOME.
constexpr std::array<std::pair<std::string_view, DesktopKind>, 14> kNames{{
    {"cinnamon", DesktopKind::Cinnamon},
    {"mate", DesktopKind::Mate},
    {"xfce", DesktopKind::Xfce},
    {"lxqt", DesktopKind::Lxqt},
    {"lxde", DesktopKind::Lxde},
    {"kde", DesktopKind::Plasma},
    {"plasma", DesktopKind::Plasma},
    {"gnome", DesktopKind::Gnome},
    {"unity", DesktopKind::Gnome},
    {"budgie", DesktopKind::Gnome},
    {"pantheon", DesktopKind::Gnome},
    {"ubuntu", DesktopKind::Gnome},
    {"sway", DesktopKind::Wlroots},
    {"wlroots", DesktopKind::Wlroots},
}};

DesktopKind fromName(std::string_view entry) {
    for (const auto& [word, kind] : kNames) {
        if (entry.find(word) != std::string_view::npos) return kind;
    }
    return DesktopKind::Unsupported;
}

DesktopKind fromList(const std::string& value) {
    const std::string list = lowered(value);
    std::string_view rest = list;
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const auto kind = fromName(rest.substr(0, colon));
        if (kind != DesktopKind::Unsupported) return kind;
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    return DesktopKind::Unsupported;
}

}  // namespace

DesktopKind chooseDesktop(const Environment& env) {
    for (const char* name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION"}) {
        const auto kind = fromList(env.get(name));
        if (kind != DesktopKind::Unsupported) return kind;
    }
    if (env.has("SWAYSOCK")) return DesktopKind::Wlroots;
    if (env.has("WAYLAND_DISPLAY")) return DesktopKind::Unsupported;
    if (env.has("DISPLAY")) return DesktopKind::X11;
    return DesktopKind::Unsupported;
}

const char* desktopKindName(DesktopKind kind) {
    switch (kind) {
        case DesktopKind::Unsupported:
            return "none";
        case DesktopKind::Gnome:
            return "GNOME";
        case DesktopKind::Mate:
            return "MATE";
        case DesktopKind::Cinnamon:
            return "Cinnamon";
        case DesktopKind::Xfce:
            return "XFCE";
        case DesktopKind::Plasma:
            return "Plasma";
        case DesktopKind::Lxqt:
            return "LXQt";
        case DesktopKind::Lxde:
            return "LXDE";
        case DesktopKind::Wlroots:
            return "wlroots";
        case DesktopKind::X11:
            return "X11";
    }
    return "none";
}

}  // namespace korvo::platform
