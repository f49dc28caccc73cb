// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>
#include <type_traits>

namespace korvo {

namespace detail {
// Templates so that only the branch of the platform's path type is ever compiled.
template <class Path>
Path toPath(const std::string& text) {
    if constexpr (std::is_same_v<typename Path::value_type, char>) {
        return Path(text);
    } else {
        return Path(std::u8string(text.begin(), text.end()));
    }
}

template <class Path>
std::string fromPath(const Path& path) {
    if constexpr (std::is_same_v<typename Path::value_type, char>) {
        return path.native();
    } else {
        const std::u8string utf8 = path.u8string();
        return std::string(utf8.begin(), utf8.end());
    }
}
}  // namespace detail

// Korvo keeps paths as UTF-8 text (raw bytes on Linux, where a file name need not be UTF-8).
// These two are the only crossings into std::filesystem, so no name is ever re-encoded twice.
inline std::filesystem::path toPath(const std::string& text) {
    return detail::toPath<std::filesystem::path>(text);
}

inline std::string fromPath(const std::filesystem::path& path) {
    return detail::fromPath<std::filesystem::path>(path);
}

// "/" on Linux, "\" on Windows.
inline std::string separator() {
    return std::string(1, static_cast<char>(std::filesystem::path::preferred_separator));
}

// Joins with exactly one separator, whichever of the two the folder text ends with.
inline std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    if (last == '/' || last == static_cast<char>(std::filesystem::path::preferred_separator))
        return folder + name;
    return folder + separator() + name;
}

}  // namespace korvo
