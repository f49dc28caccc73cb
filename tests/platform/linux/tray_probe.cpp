// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The tray icon in a process of its own, without Qt, driven by tray_test.sh: it reads commands
// from its standard input and prints one line for every report of the icon.
//   state                  prints "state shown=0|1 menu=0|1"
//   tip TEXT               sets the tip
//   notice                 shows a notice; prints "notice 0|1"
//   drop-on-mouse          the next mouse report removes the icon from inside its handler
//   drop-on-choose         the next chosen menu entry removes it just after its handler, before
//                          any other report (as a window freed after the event that unloaded it)
//   quit (or end of input) removes the icon and ends
// Reports: "mouse N" (decimal), "wanted", "chosen ID", "host 0|1". The menu is first set when a
// host asks for it, as the program does.
#include <glib-unix.h>
#include <glib.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <utility>

#include "platform/linux/tray_icon.h"

namespace {

using namespace korvo::platform;

struct Probe {
    std::unique_ptr<TrayIcon> icon;
    std::string pending;  // input not yet a whole line
    bool dropOnMouse = false;
    bool dropOnChoose = false;
    GMainLoop* loop = nullptr;

    void print(const std::string& line) { std::cout << line << std::endl; }

    void dropOnMouseNow() {
        if (std::exchange(dropOnMouse, false)) icon.reset();
    }

    void command(const std::string& line) {
        const std::string word = line.substr(0, line.find(' '));
        if (word == "state" && icon) {
            print("state shown=" + std::to_string(icon->shown()) +
                  " menu=" + std::to_string(icon->hostDrawsMenu()));
        } else if (word == "state") {
            print("state gone");
        } else if (word == "tip" && icon) {
            icon->setTip(line.size() > 4 ? line.substr(4) : "");
        } else if (word == "notice") {
            print("notice " + std::to_string(showNotice(Environment::fromProcess(), "Korvo",
                                                        "Korvo", "The wallpaper changed")));
        } else if (word == "drop-on-mouse") {
            dropOnMouse = true;
        } else if (word == "drop-on-choose") {
            dropOnChoose = true;
        } else if (word == "quit") {
            icon.reset();
            g_main_loop_quit(loop);
        }
    }

    static gboolean onInput(gint fd, GIOCondition, gpointer data) {
        auto* self = static_cast<Probe*>(data);
        char bytes[256];
        const ssize_t count = ::read(fd, bytes, sizeof bytes);
        if (count <= 0) {
            self->command("quit");
            return G_SOURCE_REMOVE;
        }
        self->pending.append(bytes, static_cast<std::size_t>(count));
        for (std::size_t end; (end = self->pending.find('\n')) != std::string::npos;) {
            const std::string line = self->pending.substr(0, end);
            self->pending.erase(0, end + 1);
            self->command(line);
        }
        return G_SOURCE_CONTINUE;
    }
};

// A square of one colour inside a transparent border, so that the hosts' drawing of both shows.
IconImage probeIcon() {
    IconImage icon{32, 32, std::vector<std::uint32_t>(32 * 32, 0)};
    for (int y = 4; y < 28; ++y)
        for (int x = 4; x < 28; ++x) icon.argb[y * 32 + x] = 0xffe8108c;
    return icon;
}

// The tray menu's captions, with ids other than the exported ones; one disabled entry.
std::vector<TrayMenuEntry> probeMenu() {
    return {{101, "&See (Voir)"},
            {102, "&Hide (cacher)"},
            {0, "-"},
            {103, "&Options"},
            {0, "-"},
            {104, "&About of...", true, true},
            {0, "-"},
            {105, "Save && go_on", false},
            {106, "&Quit"}};
}

}  // namespace

int main() {
    Probe probe;
    probe.loop = g_main_loop_new(nullptr, FALSE);
    TrayEvents events;
    events.mouse = [&](int message) {
        probe.print("mouse " + std::to_string(message));
        probe.dropOnMouseNow();
    };
    events.menuWanted = [&] {
        probe.print("wanted");
        probe.icon->setMenu(probeMenu());
    };
    events.menuChosen = [&](int id) {
        probe.print("chosen " + std::to_string(id));
        if (!std::exchange(probe.dropOnChoose, false)) return;
        g_idle_add_full(
            G_PRIORITY_DEFAULT,
            [](gpointer data) {
                static_cast<Probe*>(data)->icon.reset();
                return gboolean{G_SOURCE_REMOVE};
            },
            &probe, nullptr);
    };
    events.hostChanged = [&](bool shown) { probe.print("host " + std::to_string(shown)); };
    probe.icon = makeTrayIcon(Environment::fromProcess(), "Korvo", probeIcon(), "Korvo", events);
    g_unix_fd_add(STDIN_FILENO, G_IO_IN, &Probe::onInput, &probe);
    g_main_loop_run(probe.loop);
    g_main_loop_unref(probe.loop);
    return 0;
}
