#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QImage>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/x11_display.h"

extern char** environ;

namespace korvo::platform::testing {

inline std::string displayName() {
    const char* display = std::getenv("DISPLAY");
    return display ? display : "";
}

// What the screen shows: the root window's pixels with every window on it.
inline QImage grabScreen() {
    X11Connection x(displayName());
    if (!x) return {};
    XWindowAttributes attributes{};
    XGetWindowAttributes(x.get(), x.root(), &attributes);
    XImage* image = XGetImage(x.get(), x.root(), 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) return {};
    QImage out(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < attributes.height; ++y) {
        for (int px = 0; px < attributes.width; ++px) {
            out.setPixel(px, y, 0xff000000u | (XGetPixel(image, px, y) & 0xffffffu));
        }
    }
    XDestroyImage(image);
    return out;
}

// Polls until `done` holds (a desktop draws in its own time); false after `limit`.
inline bool eventually(const std::function<bool()>& done,
                       std::chrono::milliseconds limit = std::chrono::seconds(15)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return done();
}

// A program running beside the test (a desktop), ended when the object goes.
class Background {
  public:
    explicit Background(std::vector<std::string> argv) {
        std::vector<char*> args;
        for (auto& arg : argv) args.push_back(arg.data());
        args.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 01, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 01, 0);
        if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Background() { stop(); }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;
    bool running() const { return pid_ > 0; }
    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = 0;
    }

  private:
    pid_t pid_ = 0;
};

}  // namespace korvo::platform::testing
