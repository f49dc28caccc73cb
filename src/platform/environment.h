// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdlib>
#include <initializer_list>
#include <map>
#include <string>

namespace korvo::platform {

// A snapshot of the environment variables that choose a backend or a place, taken once in main()
// and passed down; logic never reads the process environment itself.
struct Environment {
    std::map<std::string, std::string> values;

    std::string get(const std::string& name) const {
        const auto it = values.find(name);
        return it == values.end() ? std::string{} : it->second;
    }
    bool has(const std::string& name) const { return !get(name).empty(); }

    static Environment fromProcess() {
        Environment env;
        for (const char* name :
             {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "SWAYSOCK",
              "WAYLAND_DISPLAY", "DISPLAY", "HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME",
              "XDG_RUNTIME_DIR", "DBUS_SESSION_BUS_ADDRESS", "PATH", "QT_QPA_PLATFORM",
              "SystemDrive"}) {
            if (const char* value = std::getenv(name)) env.values[name] = value;
        }
        return env;
    }
};

}  // namespace korvo::platform
