// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/wallpaper_state.h"

#include <filesystem>
#include <system_error>

#include "base/paths.h"
#include "platform/disk_text_file_store.h"
#include "platform/linux/xdg_autostart.h"

namespace korvo::platform {

namespace {

// The style digit on the first line, then the path to the end of the file: a path may hold
// line breaks, never a NUL, so it needs no quoting.
constexpr const char* kFileName = "/wallpaper";

}  // namespace

std::string stateFolder(const Environment& env) {
    return xdgFolder(env, "XDG_STATE_HOME", ".local/state", "korvo");
}

bool keepWallpaper(const std::string& folder, const Wallpaper& wallpaper) {
    if (folder.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(toPath(folder), error);
    if (error) return false;
    const char style = static_cast<char>('0' + static_cast<int>(wallpaper.style));
    // Written at every change: whole, old or new, is enough; a power cut may only bring back
    // the wallpaper before the last.
    DiskTextFileStore store(DiskTextFileStore::Flush::Renamed);
    return store.replace(folder + kFileName, std::string(1, style) + "\n" + wallpaper.path);
}

std::optional<Wallpaper> keptWallpaper(const std::string& folder) {
    if (folder.empty()) return std::nullopt;
    DiskTextFileStore store;
    const auto text = store.read(folder + kFileName);
    if (!text || text->size() < 3 || (*text)[1] != '\n') return std::nullopt;
    const char style = text->front();
    if (style < '0' || style > '2') return std::nullopt;
    Wallpaper kept{text->substr(2), static_cast<Style>(style - '0')};
    if (kept.path.front() != '/' || kept.path.find('\0') != std::string::npos) return std::nullopt;
    return kept;
}

}  // namespace korvo::platform
