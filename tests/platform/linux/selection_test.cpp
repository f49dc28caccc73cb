#include <gtest/gtest.h>

#include "platform/linux/desktop_kind.h"

namespace korvo::platform {
namespace {

Environment env(std::initializer_list<std::pair<const std::string, std::string>> values) {
    return Environment{std::map<std::string, std::string>(values)};
}

struct Case {
    Environment environment;
    DesktopKind expected;
};

TEST(Selection, NamesTheDesktopFromTheSessionVariables) {
    const Case cases[] = {
        {env({{"XDG_CURRENT_DESKTOP", "GNOME"}}), DesktopKind::Gnome},
        {env({{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}), DesktopKind::Gnome},
        {env({{"XDG_CURRENT_DESKTOP", "Unity:Unity7:ubuntu"}}), DesktopKind::Gnome},
        {env({{"XDG_CURRENT_DESKTOP", "Budgie:GNOME"}}), DesktopKind::Gnome},
        {env({{"XDG_CURRENT_DESKTOP", "GNOME-Flashback:GNOME"}}), DesktopKind::Gnome},
        {env({{"XDG_CURRENT_DESKTOP", "X-Cinnamon"}}), DesktopKind::Cinnamon},
        {env({{"XDG_CURRENT_DESKTOP", "MATE"}}), DesktopKind::Mate},
        {env({{"XDG_CURRENT_DESKTOP", "XFCE"}}), DesktopKind::Xfce},
        {env({{"XDG_CURRENT_DESKTOP", "KDE"}}), DesktopKind::Plasma},
        {env({{"XDG_CURRENT_DESKTOP", "LXQt"}}), DesktopKind::Lxqt},
        {env({{"XDG_CURRENT_DESKTOP", "LXDE"}}), DesktopKind::Lxde},
        {env({{"XDG_CURRENT_DESKTOP", "sway"}}), DesktopKind::Wlroots},
        // An unknown first entry does not hide a known later one.
        {env({{"XDG_CURRENT_DESKTOP", "Foo:XFCE"}}), DesktopKind::Xfce},
        // The current desktop wins over the session names and the display.
        {env({{"XDG_CURRENT_DESKTOP", "MATE"}, {"DESKTOP_SESSION", "gnome"}, {"DISPLAY", ":0"}}),
         DesktopKind::Mate},
        {env({{"XDG_SESSION_DESKTOP", "plasma"}, {"DISPLAY", ":0"}}), DesktopKind::Plasma},
        {env({{"DESKTOP_SESSION", "/usr/share/xsessions/plasma"}}), DesktopKind::Plasma},
        {env({{"DESKTOP_SESSION", "ubuntu"}}), DesktopKind::Gnome},
        {env({{"XDG_CURRENT_DESKTOP", "Hyprland"}, {"SWAYSOCK", "/run/user/1/sway-ipc.sock"}}),
         DesktopKind::Wlroots},
        // A Wayland session nobody named: the X server beside it does not show the wallpaper.
        {env({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}), DesktopKind::Unsupported},
        {env({{"DISPLAY", ":0"}}), DesktopKind::X11},
        {env({{"XDG_CURRENT_DESKTOP", "openbox"}, {"DISPLAY", ":1"}}), DesktopKind::X11},
        {env({}), DesktopKind::Unsupported},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const auto& [name, value] : c.environment.values) shown += name + "=" + value + " ";
        EXPECT_EQ(chooseDesktop(c.environment), c.expected)
            << shown << "-> " << desktopKindName(chooseDesktop(c.environment));
    }
}

}  // namespace
}  // namespace korvo::platform
