#include "platform/folder_listing.h"

#include <algorithm>
#include <system_error>

#include "app/paths.h"
#include "ui/forms/errors.h"

namespace korvo::platform {

namespace {

unsigned char folded(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = folded(static_cast<unsigned char>(a[i]));
        const unsigned char y = folded(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;  // "A.jpg" and "a.jpg": still one fixed order
}

}  // namespace

void sortNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), lessIgnoringCase);
}

bool StdFileSystem::isHidden(const std::filesystem::directory_entry& entry) const {
    const std::string name = fromPath(entry.path().filename());
    return !name.empty() && name.front() == '.';
}

std::vector<std::string> StdFileSystem::list(const std::string& folder, bool folders) {
    std::error_code error;
    std::filesystem::directory_iterator it(toPath(folder), error);
    if (error || folder.empty())
        throw forms::Error(forms::ErrorCode::PathNotFound, "Path not found: " + folder);
    std::vector<std::string> names;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
        if (error) break;
        const auto& entry = *it;
        if (isHidden(entry)) continue;
        // is_regular_file and is_directory follow links, so a link to a picture is listed.
        const bool wanted = folders ? entry.is_directory(error) : entry.is_regular_file(error);
        if (wanted && !error) names.push_back(fromPath(entry.path().filename()));
        error.clear();
    }
    sortNames(names);
    return names;
}

std::vector<std::string> StdFileSystem::listFiles(const std::string& folder) {
    return list(folder, false);
}

std::vector<std::string> StdFileSystem::listFolders(const std::string& folder) {
    return list(folder, true);
}

std::vector<std::string> StdFileSystem::drives() {
    return {fromPath(std::filesystem::path("/").root_path())};
}

}  // namespace korvo::platform
