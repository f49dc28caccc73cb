// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/folder_listing.h"

#include <algorithm>
#include <system_error>

#include "base/paths.h"
#include "ui/forms/errors.h"

namespace korvo::platform {

namespace {

std::string folded(const std::string& name) {
    std::string key = name;
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    return key;
}

}  // namespace

void sortNames(std::vector<std::string>& names) {
    // Folding each name once and sorting on plain byte order is several times faster than
    // folding inside every comparison, which matters for a folder of a hundred thousand files.
    // Names equal but for case keep one fixed order by their bytes.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (auto& name : names) keyed.emplace_back(folded(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::move(keyed[i].second);
}

bool StdFileSystem::isHidden(const std::filesystem::directory_entry& entry) const {
    const std::string name = fromPath(entry.path().filename());
    return !name.empty() && name.front() == '.';
}

std::vector<std::string> StdFileSystem::list(const std::string& folder, bool folders) {
    std::error_code error;
    std::filesystem::directory_iterator it(toPath(folder), error);
    if (error || folder.empty())
        throw forms::Error(forms::ErrorCode::PathNotFound,
                           folder.empty() ? "no folder given" : error.message());
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
