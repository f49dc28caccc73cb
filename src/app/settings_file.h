#pragma once

#include <optional>
#include <string>

#include "services/text_file_store.h"

namespace korvo {

// One profile file: every read goes to the file, every write replaces it atomically.
class SettingsFile {
  public:
    explicit SettingsFile(TextFileStore& store) : store_(store) {}
    // The value, or "" when the file, the section or the key is missing.
    std::string read(const std::string& path, const std::string& section, const std::string& key);
    // Stores value, or removes the key when value is absent. A refused value (one holding a line
    // break) or a failed write changes nothing and is not reported: settings writes are silent.
    void write(const std::string& path, const std::string& section, const std::string& key,
               const std::optional<std::string>& value);

  private:
    TextFileStore& store_;
};

}  // namespace korvo
