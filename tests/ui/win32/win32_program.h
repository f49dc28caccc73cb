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
#include "ui/about/fabout.h"
#include "ui/assistant/fassist1.h"
#include "ui/assistant/fassist2.h"
#include "ui/assistant/fassist3.h"
#include "ui/forms/win32/scheduler.h"
#include "ui/forms/win32/text.h"
#include "ui/forms/win32/view.h"
#include "ui/forms/win32/window_services.h"
#include "ui/main/form1.h"
#include "ui/options/folder_browser.h"
#include "ui/options/foption.h"
#include "ui/options/form4.h"

namespace korvo::win32::test {

// Log-on entries are not the front end's business: none are made.
struct NoStartupEntries : StartupEntries {
    bool add(const std::string&, const std::string&) override { return true; }
    void remove(const std::string&) override {}
};

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

// A settings file as the assistant leaves it, with the picture folder `folder` (ending in the
// separator), the language `lang` and the first-run flag `first`.
inline std::string settingsWith(const std::string& folder, const std::string& lang,
                                const char* first) {
    return "[OPTION]\r\nFolder=" + folder + "\r\nWallpaper=Null\r\nLang=" + lang +
           "\r\nAffichage=2\r\nAspect=0\r\nTime=Null\r\nDelay=0\r\n[Start]\r\nWin=0\r\nFirst=" +
           first + "\r\n";
}

// Every window Korvo shows, by the name of its form.
inline const std::vector<const char*>& shownForms() {
    static const std::vector<const char*> names = {"Form1",    "Foption",  "Fabout", "Fassist1",
                                                   "Fassist2", "Fassist3", "Form5",  "Form4"};
    return names;
}

// The language `code` applied as the options dialog's "OK" applies it, and every shown window
// loaded in the state worth showing: a loaded about box and folder page keep the texts of the
// language they loaded in, so they load again; the folder page speaks the language picked on the
// first page. Each step is one dispatched event, so that one that fails leaves the others.
inline void applyLanguage(Program& app, const std::string& code) {
    const std::vector<std::function<void()>> steps = {
        [&] {
            app.WriteSetting("OPTION", "Lang", code);
            app.AssistLang = code;
            if (app.isLoaded<Fabout>()) app.form<Fabout>().unload();
            if (app.isLoaded<Fassist2>()) app.form<Fassist2>().unload();
            app.ApplyLanguage();
        },
        [&] { app.form<Form1>().Fi.setListIndex(0); },
        [&] { app.form<Foption>().Option4.select(); },
        [&] { app.form<Fassist2>().Cv2.click(); },
        [&] { app.form<Fabout>(); },
        [&] { app.form<Form5>().Dir1.setPath(app.FolderPath); },
        [&] { app.form<Form4>().Dir1.setPath(app.FolderPath); },
    };
    for (const auto& step : steps) app.runtime().dispatch(step);
}

// The loaded form of that name; nullptr when there is none.
inline forms::Form* loadedForm(Program& app, const std::string& name) {
    for (forms::Form* form : app.runtime().forms())
        if (form->name() == name) return form;
    return nullptr;
}

}  // namespace korvo::win32::test
