#pragma once

#include <optional>
#include <string>

#include "services/text_file_store.h"

namespace korvo::platform {

// Writes a temporary file beside the target, flushes it and renames it over the target, so that
// a crash, a kill or a full disk leaves the former file whole.
class DiskTextFileStore : public TextFileStore {
  public:
    std::optional<std::string> read(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool replace(const std::string& path, const std::string& content) override;
};

}  // namespace korvo::platform
