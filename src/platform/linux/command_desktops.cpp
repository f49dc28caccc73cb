// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/command_desktops.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/ini_text.h"
#include "base/paths.h"
#include "platform/disk_text_file_store.h"
#include "platform/linux/plasma_desktop.h"
#include "platform/linux/process_runner.h"
#include "platform/linux/root_window.h"
#include "platform/linux/xdg_autostart.h"

namespace korvo::platform {

namespace {

const char* modeWord(Style style) {
    switch (style) {
        case Style::Centre:
            return "center";
        case Style::Tile:
            return "tile";
        case Style::Stretch:
            return "stretch";
    }
    return "center";
}

// Letters, digits, single spaces and a few marks mean themselves to sway's parser and to
// wordexp; so does every byte of a multi-byte character. Everything else (quotes, '$', '\\',
// '~', globbing, ',' and ';' which split sway commands, control characters) is refused.
bool plainForSway(const std::string& path) {
    if (path.empty() || path.front() != '/' || path.find("  ") != std::string::npos) return false;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = byte >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') ||
                           std::string_view("/._-+@%:= ").find(c) != std::string_view::npos;
        if (!plain) return false;
    }
    return true;
}

std::string hexHashOf(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(hash));
    return out;
}

// The picture's extension when it is a plain one: some desktops choose the decoder by it.
std::string plainExtension(const std::string& picture) {
    const auto dot = picture.rfind('.');
    if (dot == std::string::npos || picture.size() - dot > 6 ||
        picture.find('/', dot) != picture.npos)
        return {};
    for (std::size_t i = dot + 1; i < picture.size(); ++i) {
        const char c = picture[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return {};
    }
    return picture.substr(dot);
}

std::vector<std::string> pcmanfmCommand(const char* tool, const Wallpaper& wallpaper) {
    return {tool, "--set-wallpaper", wallpaper.path,
            std::string("--wallpaper-mode=") + modeWord(wallpaper.style)};
}

// pcmanfm-qt writes the picture to its profile's settings.conf as it shows it, but keeps there
// the mode it read at start, so the wallpaper is gone after its next start. Each profile whose
// picture is now this one (the profile the running desktop uses) also gets the mode; nothing
// else in the file changes. No such profile means the desktop did not take the picture.
// The settings files (path, text) of pcmanfm-qt's profiles whose wallpaper is `picture`.
std::vector<std::pair<std::string, std::string>> pcmanfmQtProfilesShowing(
    const Environment& env, const std::string& picture) {
    std::vector<std::pair<std::string, std::string>> found;
    DiskTextFileStore store;
    std::error_code error;
    const auto folder = toPath(xdgFolder(env, "XDG_CONFIG_HOME", ".config", "pcmanfm-qt"));
    for (const auto& profile : std::filesystem::directory_iterator(folder, error)) {
        const std::string file = fromPath(profile.path() / "settings.conf");
        auto text = store.read(file);
        if (text && ini::read(*text, "Desktop", "Wallpaper") == picture) {
            found.emplace_back(file, std::move(*text));
        }
    }
    return found;
}

std::string linkName(const std::string& picture) {
    return "wallpaper-" + hexHashOf(picture) + plainExtension(picture);
}

}  // namespace

std::optional<std::string> plainLink(const std::string& picture, const std::string& folder) {
    std::error_code error;
    const auto dir = toPath(folder);
    std::filesystem::create_directories(dir, error);
    if (error) return std::nullopt;
    const std::string name = linkName(picture);
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const auto file = fromPath(entry.path().filename());
        if (file.rfind("wallpaper-", 0) == 0 && file != name && entry.is_symlink()) {
            std::filesystem::remove(entry.path(), error);
        }
    }
    const auto link = dir / name;
    const auto temporary = dir / (name + ".new");
    std::filesystem::remove(temporary, error);
    std::filesystem::create_symlink(toPath(picture), temporary, error);
    if (error) return std::nullopt;
    std::filesystem::rename(temporary, link, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return std::nullopt;
    }
    return fromPath(link);
}

std::optional<std::vector<std::string>> swayCommand(const Wallpaper& wallpaper) {
    if (!plainForSway(wallpaper.path)) return std::nullopt;
    return std::vector<std::string>{
        "swaymsg", "output", "*", "bg", "\"" + wallpaper.path + "\"", modeWord(wallpaper.style)};
}

HRESULT applyPcmanfmQt(const Wallpaper& wallpaper, const Environment& env,
                       const std::string& linkFolder) {
    const auto link = plainLink(wallpaper.path, linkFolder);
    if (!link) return shell::E_INVALIDARG;
    const Wallpaper linked{*link, wallpaper.style};
    const HRESULT result = runProcess(pcmanfmCommand("pcmanfm-qt", linked)).hresult();
    if (!shell::succeeded(result)) return result;
    // pcmanfm-qt writes the picture to its profile's settings.conf as it shows it, but keeps
    // there the mode it read at its start, so the wallpaper would be gone after its next start.
    // The profile the running desktop uses is the one that now names the picture; it also gets
    // the mode, and nothing else in the file changes. No such profile: the desktop did not take
    // the picture.
    const auto profiles = pcmanfmQtProfilesShowing(env, *link);
    DiskTextFileStore store;
    for (const auto& [file, text] : profiles) {
        auto edited = ini::write(text, "Desktop", "Wallpaper", *link);
        if (edited)
            edited = ini::write(*edited, "Desktop", "WallpaperMode", modeWord(wallpaper.style));
        if (!edited || !store.replace(file, *edited)) return shell::E_FAIL;
    }
    return profiles.empty() ? shell::E_FAIL : shell::S_OK;
}

bool pcmanfmQtLost(const Wallpaper& kept, const Environment& env, const std::string& linkFolder) {
    const std::string link = linkFolder + "/" + linkName(kept.path);
    for (const auto& [file, text] : pcmanfmQtProfilesShowing(env, link)) {
        if (ini::read(text, "Desktop", "WallpaperMode") != modeWord(kept.style)) return true;
    }
    return false;
}

HRESULT applyPcmanfm(const Wallpaper& wallpaper, const std::string& display,
                     const std::string& linkFolder) {
    // Without its desktop running, pcmanfm --set-wallpaper becomes that process and never
    // returns; nothing would show the picture anyway, so Korvo draws it as on bare X11.
    if (!hasDesktopWindow(display, "pcmanfm")) return applyRootWindow(wallpaper, display);
    if (isUtf8(wallpaper.path)) return runProcess(pcmanfmCommand("pcmanfm", wallpaper)).hresult();
    // pcmanfm shows such a name but cannot read it back from its settings after a restart.
    const auto link = plainLink(wallpaper.path, linkFolder);
    if (!link) return shell::E_INVALIDARG;
    return runProcess(pcmanfmCommand("pcmanfm", {*link, wallpaper.style})).hresult();
}

HRESULT applySway(const Wallpaper& wallpaper, const std::string& linkFolder) {
    auto command = swayCommand(wallpaper);
    if (!command) {
        const auto link = plainLink(wallpaper.path, linkFolder);
        if (!link) return shell::E_INVALIDARG;
        command = swayCommand(Wallpaper{*link, wallpaper.style});
        if (!command) return shell::E_INVALIDARG;
    }
    return runProcess(*command).hresult();
}

}  // namespace korvo::platform
