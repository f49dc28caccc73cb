// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "app/program.h"
#include "platform/disk_text_file_store.h"
#include "platform/folder_listing.h"
#include "platform/linux/glib_loop.h"
#include "platform/local_time.h"
#include "support/shown_windows.h"
#include "ui/forms/qt/view.h"
#include "ui/forms/qt/window_services.h"

namespace korvo::qt::test {

using testing::NoStartupEntries;
using testing::settingsWith;

// The whole program on the Qt services, in a program folder of its own holding `ini` as
// Korv.ini. No wallpaper is ever set: the desktop factory makes no desktop object.
class QtProgram {
  public:
    explicit QtProgram(const std::string& ini) {
        std::ofstream(QDir(folder_.path()).filePath("Korv.ini").toStdString()) << ini;
        Services services{scheduler_,
                          window_,
                          files_,
                          store_,
                          startup_,
                          [] { return std::unique_ptr<shell::DesktopObject>{}; },
                          platform::systemLocalTime,
                          folder_.path().toStdString()};
        services.executableName = "korvo";
        services.systemName = "Linux";
        program_ = std::make_unique<Program>(std::move(services));
        view_ = std::make_unique<View>(program_->runtime(), window_);
    }
    // Sub Main, dispatched as main() runs it.
    void start() {
        program_->runtime().dispatch([this] { program_->SubMain(); });
    }
    Program& app() { return *program_; }
    View& view() { return *view_; }

  private:
    QTemporaryDir folder_;
    platform::GlibLoop scheduler_;
    WindowServices window_;
    platform::StdFileSystem files_;
    platform::DiskTextFileStore store_;
    NoStartupEntries startup_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<View> view_;
};

}  // namespace korvo::qt::test
