// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/environment.h"
#include "platform/linux/session_bus.h"
#include "platform/linux/wallpaper_object.h"

namespace korvo::platform {

// The file:// URI of an absolute path, every byte outside the URI's plain set percent-encoded
// (so spaces, non-ASCII letters and bytes that are not UTF-8 all survive); nullopt for a
// relative path.
std::optional<std::string> fileUri(const std::string& absolutePath);

// One key to write through GSettings.
struct SettingsWrite {
    std::string schema;
    std::string key;
    std::variant<std::string, bool> value;
    bool optional = false;  // skipped when the schema or the key is not installed
};

// The writes for each desktop, in the order they are made: style first, then the picture.
// nullopt when the desktop cannot name this path (MATE keeps a plain path, which has to be UTF-8).
using SettingsWrites = std::optional<std::vector<SettingsWrite>>;
SettingsWrites gnomeWrites(const Wallpaper& wallpaper);
SettingsWrites cinnamonWrites(const Wallpaper& wallpaper);
SettingsWrites mateWrites(const Wallpaper& wallpaper);

// Makes the writes through GIO in this process and waits until the settings store has them.
// A missing schema or key, a value the key does not accept, a store that keeps nothing (the
// memory backend) or no session bus for dconf is a failure, never an abort; writes already
// made stay (each is a whole, valid value).
HRESULT writeSettings(const std::vector<SettingsWrite>& writes, const Environment& env);

HRESULT applyGnome(const Wallpaper& wallpaper, const Environment& env);
HRESULT applyCinnamon(const Wallpaper& wallpaper, const Environment& env);
HRESULT applyMate(const Wallpaper& wallpaper, const Environment& env);

}  // namespace korvo::platform
