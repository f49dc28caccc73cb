// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/xfce_desktop.h"

#include <gio/gio.h>

#include <algorithm>
#include <optional>

#include "platform/linux/gsettings_desktops.h"
#include "platform/linux/process_runner.h"
#include "platform/linux/x11_display.h"

namespace korvo::platform {

namespace {

const char* imageStyle(Style style) {
    switch (style) {
        case Style::Centre:
            return "1";
        case Style::Tile:
            return "2";
        case Style::Stretch:
            return "3";
    }
    return "1";
}

std::vector<std::string> xfconfQuery(std::vector<std::string> arguments) {
    std::vector<std::string> argv{"xfconf-query", "-c", "xfce4-desktop"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
}

bool numbered(std::string_view part, std::string_view word) {
    if (part.size() <= word.size() || part.substr(0, word.size()) != word) return false;
    part.remove_prefix(word.size());
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "/backdrop/screenN/monitorNAME/workspaceN/last-image" -> the part before "/last-image".
std::optional<std::string_view> backdropOf(std::string_view property) {
    constexpr std::string_view prefix = "/backdrop/", suffix = "/last-image";
    if (property.size() <= prefix.size() + suffix.size() ||
        property.substr(0, prefix.size()) != prefix ||
        property.substr(property.size() - suffix.size()) != suffix) {
        return std::nullopt;
    }
    const auto backdrop = property.substr(0, property.size() - suffix.size());
    std::vector<std::string_view> parts;
    for (auto rest = backdrop.substr(prefix.size());;) {
        const auto slash = rest.find('/');
        parts.push_back(rest.substr(0, slash));
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    if (parts.size() != 3 || !numbered(parts[0], "screen") || parts[1].size() <= 7 ||
        parts[1].substr(0, 7) != "monitor" || !numbered(parts[2], "workspace")) {
        return std::nullopt;
    }
    return backdrop;
}

}  // namespace

std::vector<std::string> xfceBackdrops(std::string_view listing) {
    std::vector<std::string> backdrops;
    while (!listing.empty()) {
        const auto end = listing.find('\n');
        if (const auto backdrop = backdropOf(listing.substr(0, end))) {
            backdrops.emplace_back(*backdrop);
        }
        if (end == std::string_view::npos) break;
        listing.remove_prefix(end + 1);
    }
    return backdrops;
}

std::vector<std::string> xfceNewBackdrops(const std::vector<std::string>& monitors,
                                          int workspaces) {
    std::vector<std::string> backdrops;
    for (const auto& monitor : monitors) {
        if (monitor.empty() || monitor.find('/') != std::string::npos) continue;
        for (int workspace = 0; workspace < std::max(workspaces, 1); ++workspace) {
            backdrops.push_back("/backdrop/screen0/monitor" + monitor + "/workspace" +
                                std::to_string(workspace));
        }
    }
    return backdrops;
}

std::vector<std::vector<std::string>> xfceCommands(const std::vector<std::string>& backdrops,
                                                   const Wallpaper& wallpaper) {
    std::vector<std::vector<std::string>> commands;
    for (const auto& backdrop : backdrops) {
        commands.push_back(xfconfQuery({"-p", backdrop + "/image-style", "-n", "-t", "int", "-s",
                                        imageStyle(wallpaper.style)}));
        commands.push_back(xfconfQuery(
            {"-p", backdrop + "/last-image", "-n", "-t", "string", "-s", wallpaper.path}));
    }
    return commands;
}

HRESULT applyXfce(const Wallpaper& wallpaper, const Environment& env) {
    if (!g_utf8_validate(wallpaper.path.data(), static_cast<gssize>(wallpaper.path.size()),
                         nullptr)) {
        return shell::E_INVALIDARG;
    }
    // xfconf-query would otherwise try to launch a bus of its own.
    if (sessionBusAddress(env).empty()) return kNotSupported;
    const auto listing = runProcess(xfconfQuery({"-l"}), std::chrono::seconds(5), Output::Capture);
    if (listing.outcome == ProcessResult::Outcome::NotStarted) return kFileNotFound;
    auto backdrops = xfceBackdrops(listing.output);
    if (backdrops.empty()) {
        std::vector<std::string> monitors;
        int workspaces = 1;
        if (X11Connection x(env.get("DISPLAY")); x) {
            monitors = outputNames(x);
            workspaces = workspaceCount(x);
        }
        // Before 4.14 xfdesktop numbered its monitors.
        if (monitors.empty()) monitors.emplace_back("0");
        backdrops = xfceNewBackdrops(monitors, workspaces);
    }
    for (const auto& command : xfceCommands(backdrops, wallpaper)) {
        const HRESULT result = runProcess(command).hresult();
        if (!shell::succeeded(result)) return result;
    }
    return shell::S_OK;
}

}  // namespace korvo::platform
