// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/forms/types.h"

namespace korvo::forms {

class Form;
class Menu;
class Timer;
class Runtime;

// Drives the forms' timers. The runtime arms a timer whenever it is loaded, enabled and has a
// positive interval that is not a poll; arming again restarts its countdown.
class Scheduler {
  public:
    virtual ~Scheduler() = default;
    // Called once by the runtime; due timers are handed back through Runtime::timerDue.
    virtual void attach(Runtime& runtime) = 0;
    virtual void arm(Timer& timer, std::chrono::milliseconds interval) = 0;
    virtual void disarm(Timer& timer) = 0;

    // Runs `ready` from the event loop, as one event among the others, each time `descriptor`
    // (a POSIX file descriptor) can be read without blocking, until unwatch(). Loops that cannot
    // watch descriptors (Win32's, whose transports use window messages) return false.
    // NOLINTNEXTLINE(performance-unnecessary-value-param): a loop that watches keeps `ready`.
    virtual bool watch(int /*descriptor*/, std::function<void()> /*ready*/) { return false; }
    virtual void unwatch(int /*descriptor*/) {}
};

struct PictureInfo {
    int width = 0;
    int height = 0;
};

// What a window needs from the window system. Implemented by each binding; recorded by the
// fake in tests.
class WindowServices {
  public:
    virtual ~WindowServices() = default;
    // Pops the menu up at the mouse position and returns when it has closed; item clicks are
    // dispatched meanwhile.
    virtual void popupMenu(Form& owner, Menu& menu, Menu* defaultItem) = 0;
    virtual void startWindowDrag(Form& form) = 0;
    // Brings a shown window to the front and gives it the keyboard, as far as the window system
    // lets a program that the user did not just click do so.
    virtual void activate(Form& form) = 0;
    // Reads enough of the file to know it is a picture and how large; nullopt when it is not one.
    virtual std::optional<PictureInfo> probePicture(const std::string& path) = 0;
    virtual void openAddress(const std::string& address) = 0;
    virtual void addTrayIcon(Form& owner, const std::string& tip) = 0;
    virtual void removeTrayIcon(Form& owner) = 0;
    // Whether a tray shows the program's icon now; a desktop without one (stock GNOME) leaves
    // a hidden window no way back.
    virtual bool hasTray() { return true; }
    // A short desktop notification; nothing where the desktop has no notification service.
    virtual void showNotice(const std::string& /*summary*/, const std::string& /*body*/) {}
    virtual int twipsPerPixelX() = 0;
    virtual int twipsPerPixelY() = 0;
    // The primary screen's size in twips; 0 when the window system does not tell.
    virtual int screenWidth() { return 0; }
    virtual int screenHeight() { return 0; }
    // Ending the program: the window system stops its loops; nothing else runs afterwards.
    virtual void endProgram() = 0;
};

// Folder contents for the drive, folder and file lists. Names are UTF-8 (bytes on Linux).
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Every regular file (links to files included) that is not hidden, sorted by name without
    // regard to letter case. Throws Error(PathNotFound) when the folder cannot be listed.
    virtual std::vector<std::string> listFiles(const std::string& folder) = 0;
    // Visible sub-folders, sorted the same way. Throws like listFiles.
    virtual std::vector<std::string> listFolders(const std::string& folder) = 0;
    // Roots the drive list offers ("c:\" style on Windows, "/" on Linux).
    virtual std::vector<std::string> drives() = 0;
    // The drive a folder browser opens on: the system drive on Windows ("c:\"), the file
    // system's root on Linux.
    virtual std::string systemDrive() {
        return drives().empty() ? std::string{} : drives().front();
    }
    // The folder a browser's folder list opens in, when the platform has a place for pictures;
    // empty to stay at the drive's root.
    virtual std::string startFolder() { return {}; }
};

}  // namespace korvo::forms
