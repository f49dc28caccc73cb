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
    static std::atomic<unsigned> counter{0};
    const auto target = toPath(path);
    auto temporary = target;
    temporary += toPath(".tmp" + std::to_string(++counter));
    std::error_code error;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace korvo::platform
