// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// tray_time PROGRAM [ARGS...]: starts PROGRAM and prints, in milliseconds, the time from its
// exec to the moment a window is reparented into the tray host (trayer), which is when an
// XEmbed tray icon is embedded, and the CPU time its threads had used by then (which a busy
// machine does not inflate as much). The program is then ended with SIGTERM. Needs DISPLAY with a
// running trayer; exits 1 when nothing was embedded within 10 seconds.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

bool isTrayHost(Display* display, Window window) {
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint)) return false;
    const bool host = hint.res_class && std::strcmp(hint.res_class, "trayer") == 0;
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
    return host;
}

// Whether `window` lies inside the tray host's panel.
bool insideTrayHost(Display* display, Window window) {
    for (int depth = 0; window && depth < 16; ++depth) {
        if (isTrayHost(display, window)) return true;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count)) return false;
        if (children) XFree(children);
        if (parent == root) return false;
        window = parent;
    }
    return false;
}

// Milliseconds on a CPU of all the live threads of `pid`.
double cpuMilliseconds(pid_t pid) {
    double total = 0;
    std::error_code error;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        double ns = 0;
        if (std::ifstream(task.path() / "schedstat") >> ns) total += ns;
    }
    return total / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("usage: tray_time PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("tray_time: no display\n", stderr);
        return 2;
    }
    // A tray icon starts as a child of the root window; its reparenting is reported here.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 1;
    const auto deadline = start + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!XPending(display)) {
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, 20);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != ReparentNotify) continue;
        const auto when = std::chrono::steady_clock::now();
        if (!insideTrayHost(display, event.xreparent.parent)) continue;
        std::printf("%.1f %.1f\n", std::chrono::duration<double, std::milli>(when - start).count(),
                    cpuMilliseconds(child));
        status = 0;
        break;
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return status;
}
