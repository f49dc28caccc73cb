// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

#include "services/diagnostics.h"
#include "services/text_file_store.h"

namespace korvo {

// One profile file: every read goes to the file, every write replaces it atomically.
class SettingsFile {
  public:
    explicit SettingsFile(TextFileStore& store, Diagnostics& diagnostics = silentDiagnostics())
        : store_(store), diagnostics_(diagnostics) {}
    // The value, or "" when the file, the section or the key is missing.
    std::string read(const std::string& path, const std::string& section, const std::string& key);
    // Stores value, or removes the key when value is absent. A refused value (one holding a line
    // break) changes nothing; a file that cannot be read or replaced changes nothing either and
    // is told to the diagnostics only: settings writes raise no error.
    void write(const std::string& path, const std::string& section, const std::string& key,
               const std::optional<std::string>& value);

  private:
    TextFileStore& store_;
    Diagnostics& diagnostics_;
};

}  // namespace korvo
