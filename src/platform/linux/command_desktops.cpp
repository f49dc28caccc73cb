#include "platform/linux/command_desktops.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/paths.h"
#include "platform/linux/process_runner.h"

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

std::string hexHash(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(hash));
    return out;
}

// Points a fresh link at the picture: a new name for each picture, so sway sees a change and
// loads it again; links to former pictures are removed.
std::optional<std::string> swayLink(const std::string& picture, const std::string& folder) {
    std::error_code error;
    const auto dir = toPath(folder);
    std::filesystem::create_directories(dir, error);
    if (error) return std::nullopt;
    const std::string name = "sway-wallpaper-" + hexHash(picture);
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const auto file = fromPath(entry.path().filename());
        if (file.rfind("sway-wallpaper-", 0) == 0 && file != name) {
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

}  // namespace

std::vector<std::string> pcmanfmQtCommand(const Wallpaper& wallpaper) {
    return {"pcmanfm-qt", "--set-wallpaper", wallpaper.path,
            std::string("--wallpaper-mode=") + modeWord(wallpaper.style)};
}

std::vector<std::string> pcmanfmCommand(const Wallpaper& wallpaper) {
    return {"pcmanfm", "--set-wallpaper", wallpaper.path,
            std::string("--wallpaper-mode=") + modeWord(wallpaper.style)};
}

std::optional<std::vector<std::string>> swayCommand(const Wallpaper& wallpaper) {
    if (!plainForSway(wallpaper.path)) return std::nullopt;
    return std::vector<std::string>{
        "swaymsg", "output", "*", "bg", "\"" + wallpaper.path + "\"", modeWord(wallpaper.style)};
}

HRESULT applyPcmanfmQt(const Wallpaper& wallpaper) {
    return runProcess(pcmanfmQtCommand(wallpaper)).hresult();
}

HRESULT applyPcmanfm(const Wallpaper& wallpaper) {
    return runProcess(pcmanfmCommand(wallpaper)).hresult();
}

HRESULT applySway(const Wallpaper& wallpaper, const std::string& linkFolder) {
    auto command = swayCommand(wallpaper);
    if (!command) {
        const auto link = swayLink(wallpaper.path, linkFolder);
        if (!link) return shell::E_INVALIDARG;
        command = swayCommand(Wallpaper{*link, wallpaper.style});
        if (!command) return shell::E_INVALIDARG;
    }
    return runProcess(*command).hresult();
}

}  // namespace korvo::platform
