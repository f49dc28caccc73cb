// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

namespace korvo {

// The file layer under the settings: whole-file reads and all-or-nothing replacements.
class TextFileStore {
  public:
    virtual ~TextFileStore() = default;
    // nullopt when the file does not exist or cannot be read.
    virtual std::optional<std::string> read(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    // Replaces the file as a whole or not at all; false when nothing was changed.
    virtual bool replace(const std::string& path, const std::string& content) = 0;
};

}  // namespace korvo
