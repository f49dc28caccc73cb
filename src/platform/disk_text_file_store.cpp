#include "platform/disk_text_file_store.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/paths.h"

namespace korvo::platform {

std::optional<std::string> DiskTextFileStore::read(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(toPath(path), error)) return std::nullopt;
    std::ifstream in(toPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return content;
}

bool DiskTextFileStore::exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(toPath(path), error) || error;
}

bool DiskTextFileStore::replace(const std::string& path, const std::string& content) {
    static std::atomic<unsigned> writes{0};
    const auto target = toPath(path);
    // A name still taken (a leftover of a copy that was killed) is passed over, never reused.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto temporary = temporaryName(target, durable::processId(), ++writes);
        switch (durable::writeNew(temporary, content)) {
            case durable::Written::NameTaken:
                continue;
            case durable::Written::Failed:
                return false;
            case durable::Written::Done:
                if (durable::moveOver(temporary, target)) return true;
                std::error_code ignored;
                std::filesystem::remove(temporary, ignored);
                return false;
        }
    }
    return false;
}

std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned long process,
                                    unsigned write) {
    auto name = target;
    name += toPath("." + std::to_string(process) + "-" + std::to_string(write) + ".tmp");
    return name;
}

}  // namespace korvo::platform
