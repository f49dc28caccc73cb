// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "app/program.h"
#include "base/paths.h"
#include "platform/disk_text_file_store.h"
#include "platform/folder_listing.h"
#include "support/manual_scheduler.h"
#include "support/recording_desktop.h"
#include "support/recording_window.h"

namespace korvo::testing {

// A folder of its own for one test, removed afterwards. Its paths are built by std::filesystem,
// never by the joining the tests check.
class TempFolder {
  public:
    TempFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("korvo-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string str() const { return fromPath(path_); }
    std::string file(const std::string& name) const { return fromPath(path_ / toPath(name)); }
    void write(const std::string& name, const std::string& content) const {
        std::ofstream(toPath(file(name)), std::ios::binary) << content;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(toPath(file(name)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    std::filesystem::path path_;
};

// Records log-on entries instead of touching the real store.
struct RecordingStartup : StartupEntries {
    std::vector<std::string> calls;
    bool add(const std::string& name, const std::string& program) override {
        calls.push_back("add " + name + " " + program);
        return true;
    }
    void remove(const std::string& name) override { calls.push_back("remove " + name); }
};

// Keeps each reported failure as "what|path|reason".
struct RecordingDiagnostics : Diagnostics {
    std::vector<std::string> reports;
    void report(std::string_view what, std::string_view path, std::string_view reason) override {
        reports.push_back(std::string(what) + "|" + std::string(path) + "|" + std::string(reason));
    }
};

// A whole program on fakes: manual clock, recording window system, real files in a temporary
// program folder. The wall clock follows the manual clock from 2026-12-06 09:00:00.
struct TestProgram {
    TempFolder folder;
    fake::ManualScheduler scheduler;
    fake::RecordingWindow window;
    platform::StdFileSystem files;
    platform::DiskTextFileStore store;
    RecordingStartup startup;
    fake::RecordingDesktop desktop;
    RecordingDiagnostics diagnostics;
    std::unique_ptr<Program> program = std::make_unique<Program>(services(files, store));

    // This program's services, with the folder listings and the settings store given; the
    // system is named as Korvo.exe names it.
    Services services(forms::FileSystem& listings, TextFileStore& settings) {
        Services s{scheduler,
                   window,
                   listings,
                   settings,
                   startup,
                   desktop.factory(),
                   [this] { return now(); },
                   folder.str()};
        s.executableName = "Korvo.exe";
        s.systemName = "Windows";
        s.diagnostics = &diagnostics;
        return s;
    }

    Program& app() { return *program; }

    LocalTime now() const {
        const auto total = static_cast<int>(9 * 3600 + scheduler.now().count() / 1000);
        return {2026, 12, 6 + total / 86400, total / 3600 % 24, total / 60 % 60, total % 60};
    }

    // A picture folder inside the program folder, ending with the separator as stored folders do.
    std::string pictureFolder(const std::vector<std::string>& names) {
        std::filesystem::create_directories(toPath(folder.file("pics")));
        for (const auto& name : names) folder.write("pics/" + name, name);
        return fromPath(toPath(folder.file("pics")) / "");
    }

    // Starts the program as main() does: Sub Main as one dispatched event.
    void start() {
        program->runtime().dispatch([this] { program->SubMain(); });
    }

    std::vector<std::string> appliedPaths() const {
        std::vector<std::string> paths;
        for (const auto& a : desktop.applied) paths.push_back(a.path);
        return paths;
    }
    void writeIni(const std::string& content) { folder.write("Korv.ini", content); }
    std::string ini() { return folder.read("Korv.ini"); }
};

}  // namespace korvo::testing
