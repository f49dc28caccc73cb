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

// Writes a temporary file beside the target, flushes it and renames it over the target, so that
// a crash, a kill or a full disk leaves the former file whole.
class DiskTextFileStore : public TextFileStore {
  public:
    std::optional<std::string> read(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool replace(const std::string& path, const std::string& content) override;
};

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
