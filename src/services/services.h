// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>

#include "services/desktop_object.h"
#include "services/diagnostics.h"
#include "services/local_time.h"
#include "services/text_file_store.h"
#include "ui/forms/services.h"

namespace korvo {

// The log-on start entry ("Run" value on Windows, an autostart file on Linux).
class StartupEntries {
  public:
    virtual ~StartupEntries() = default;
    // Creates or replaces the entry `name` that starts `program` at log-on.
    virtual bool add(const std::string& name, const std::string& program) = 0;
    virtual void remove(const std::string& name) = 0;
};

// Everything the program reaches outside itself, injected once at start-up.
struct Services {
    forms::Scheduler& scheduler;
    forms::WindowServices& window;
    forms::FileSystem& files;
    TextFileStore& settingsStore;
    StartupEntries& startup;
    shell::DesktopFactory desktop;
    std::function<LocalTime()> clock;
    std::string programFolder;     // the executable's folder, without a trailing separator
    std::string executableName{};  // the name the log-on entry starts, in the program folder
    std::string systemName{};      // the system the captions name ("Start Korvo with ...")
    std::string appTitle = "Korvo";
    // The folder of Korv.ini when it is not the program folder (a read-only system install);
    // empty means the program folder.
    std::string settingsFolder{};
    Diagnostics* diagnostics = &silentDiagnostics();  // never null
};

}  // namespace korvo
