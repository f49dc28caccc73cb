// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Korvo on the Win32 binding, wired as Korvo.exe wires it, in a program folder of its own: for the
// tests and the screenshots that show Korvo's own windows under Wine.

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/program.h"
#include "i18n/language.h"
#include "platform/disk_text_file_store.h"
#include "platform/local_time.h"
#include "platform/select.h"
#include "support/shown_windows.h"
#include "ui/forms/win32/scheduler.h"
#include "ui/forms/win32/text.h"
#include "ui/forms/win32/view.h"
#include "ui/forms/win32/window_services.h"

namespace korvo::win32::test {

using testing::loadedForm;
using testing::NoStartupEntries;
using testing::settingsWith;
using testing::showInLanguage;
using testing::shownForms;

// Runs the message loop as Korvo.exe does until `done` holds or `ms` milliseconds have passed.
inline bool pumpUntil(const std::function<bool()>& done, int ms = 3000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    MSG message;
    for (;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) handleMessage(message);
        if (done()) return true;
        if (GetTickCount64() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// A new folder of the tests' own, removed with the program.
inline std::filesystem::path temporaryFolder() {
    std::random_device seed;
    return std::filesystem::temp_directory_path() / ("korvo-" + std::to_string(seed() % 1'000'000));
}

// The whole program on the Win32 services, in the program folder `folder` (made, and removed
// afterwards) with `ini` as Korv.ini. No wallpaper is ever set: the desktop factory makes no
// desktop object.
class Win32Program {
  public:
    explicit Win32Program(const std::string& ini,
                          const std::filesystem::path& folder = temporaryFolder())
        : folder_(folder) {
        std::filesystem::create_directories(folder_);
        std::ofstream(folder_ / "Korv.ini", std::ios::binary) << ini;
        Services services{scheduler_,
                          window_,
                          *files_,
                          store_,
                          startup_,
                          [] { return std::unique_ptr<shell::DesktopObject>{}; },
                          platform::systemLocalTime,
                          utf8(folder_.wstring())};
        services.executableName = "Korvo.exe";
        services.systemName = "Windows";
        program_ = std::make_unique<Program>(std::move(services));
        view_ = std::make_unique<View>(program_->runtime(), window_);
    }
    ~Win32Program() {
        view_.reset();
        program_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    Win32Program(const Win32Program&) = delete;
    Win32Program& operator=(const Win32Program&) = delete;

    // Sub Main, dispatched as main() runs it.
    void start() {
        program_->runtime().dispatch([this] { program_->SubMain(); });
    }
    Program& app() { return *program_; }
    View& view() { return *view_; }
    WindowServices& services() { return window_; }

  private:
    std::filesystem::path folder_;
    Scheduler scheduler_;
    WindowServices window_;
    // The drives and folders as Korvo.exe lists them.
    std::unique_ptr<forms::FileSystem> files_ =
        platform::makeFileSystem(platform::Environment::fromProcess());
    platform::DiskTextFileStore store_;
    NoStartupEntries startup_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<View> view_;
};

}  // namespace korvo::win32::test
