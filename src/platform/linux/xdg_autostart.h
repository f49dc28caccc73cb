// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

#include "platform/environment.h"
#include "services/services.h"

namespace korvo::platform {

// `name` in the folder an XDG variable names, else in `fallback` below HOME; empty when the
// snapshot names neither (a relative value counts as unset, as the XDG rules say).
std::string xdgFolder(const Environment& env, const char* variable, const char* fallback,
                      const char* name);

// $XDG_CONFIG_HOME/autostart, else ~/.config/autostart.
std::string autostartFolder(const Environment& env);

// The Exec value that starts `program` with no arguments, quoted by the Desktop Entry rules
// (reserved characters in double quotes with '"', '`', '$' and '\\' escaped, '%' doubled) and
// then escaped as a string value ('\\' doubled, line breaks and tabs as \n, \t, \r). nullopt
// for a path that is empty or not UTF-8, which an entry file cannot hold.
std::optional<std::string> desktopEntryExec(const std::string& program);

// The log-on start entry as an XDG autostart file "<name in lower case>.desktop".
class XdgAutostart : public StartupEntries {
  public:
    explicit XdgAutostart(std::string folder) : folder_(std::move(folder)) {}
    bool add(const std::string& name, const std::string& program) override;
    void remove(const std::string& name) override;

    // The entry file's full path; empty for a name that is not a plain word.
    std::string entryPath(const std::string& name) const;

  private:
    std::string folder_;
};

}  // namespace korvo::platform
