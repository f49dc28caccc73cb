// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#define G_SETTINGS_ENABLE_BACKEND
#include "platform/linux/gsettings_desktops.h"

#include <gio/gsettingsbackend.h>

#include <cstring>

#include "platform/linux/glib_ptr.h"

namespace korvo::platform {

using shell::E_FAIL;
using shell::E_INVALIDARG;
using shell::S_OK;

namespace {

// The three styles in the words of the GNOME-family enums, which all share them.
const char* pictureOptions(Style style) {
    switch (style) {
        case Style::Centre:
            return "centered";
        case Style::Tile:
            return "wallpaper";
        case Style::Stretch:
            return "stretched";
    }
    return "centered";
}

GPtr<GVariant> toVariant(const std::variant<std::string, bool>& value) {
    GVariant* made = nullptr;
    if (const auto* text = std::get_if<std::string>(&value)) {
        // A GVariant string must be UTF-8 without NULs; GLib would complain and refuse.
        if (!g_utf8_validate(text->data(), static_cast<gssize>(text->size()), nullptr)) {
            return nullptr;
        }
        made = g_variant_new_string(text->c_str());
    } else {
        made = g_variant_new_boolean(std::get<bool>(value) ? TRUE : FALSE);
    }
    return GPtr<GVariant>(g_variant_ref_sink(made));
}

}  // namespace

std::optional<std::string> fileUri(const std::string& absolutePath) {
    if (absolutePath.empty() || absolutePath.front() != '/') return std::nullopt;
    if (absolutePath.find('\0') != std::string::npos) return std::nullopt;
    GPtr<char> uri(g_filename_to_uri(absolutePath.c_str(), nullptr, nullptr));
    if (!uri) return std::nullopt;
    return std::string(uri.get());
}

SettingsWrites gnomeWrites(const Wallpaper& wallpaper) {
    const auto uri = fileUri(wallpaper.path);
    if (!uri) return std::nullopt;
    const std::string schema = "org.gnome.desktop.background";
    return std::vector<SettingsWrite>{
        {schema, "picture-options", pictureOptions(wallpaper.style)},
        {schema, "picture-uri", *uri},
        // Since GNOME 42 the dark style shows its own key; without it a dark desktop would
        // keep its old picture.
        {schema, "picture-uri-dark", *uri, true},
    };
}

SettingsWrites cinnamonWrites(const Wallpaper& wallpaper) {
    const auto uri = fileUri(wallpaper.path);
    if (!uri) return std::nullopt;
    const std::string schema = "org.cinnamon.desktop.background";
    return std::vector<SettingsWrite>{
        // Cinnamon's own slideshow would replace Korvo's picture at its next turn.
        {schema + ".slideshow", "slideshow-enabled", false, true},
        {schema, "picture-options", pictureOptions(wallpaper.style)},
        {schema, "picture-uri", *uri},
    };
}

SettingsWrites mateWrites(const Wallpaper& wallpaper) {
    if (!g_utf8_validate(wallpaper.path.data(), static_cast<gssize>(wallpaper.path.size()),
                         nullptr)) {
        return std::nullopt;
    }
    const std::string schema = "org.mate.background";
    return std::vector<SettingsWrite>{
        {schema, "picture-options", pictureOptions(wallpaper.style)},
        {schema, "picture-filename", wallpaper.path},
    };
}

HRESULT writeSettings(const std::vector<SettingsWrite>& writes, const Environment& env) {
    GPtr<GSettingsBackend> backend(g_settings_backend_get_default());
    if (!backend) return E_FAIL;
    const char* backendType = G_OBJECT_TYPE_NAME(backend.get());
    // The memory backend (GSETTINGS_BACKEND=memory, or no dconf module installed) says yes to
    // everything and keeps nothing.
    if (std::strcmp(backendType, "GMemorySettingsBackend") == 0 ||
        std::strcmp(backendType, "GNullSettingsBackend") == 0) {
        return kNotSupported;
    }
    if (std::strcmp(backendType, "DConfSettingsBackend") == 0 && sessionBusAddress(env).empty()) {
        return kNotSupported;
    }
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();

    struct Made {
        GPtr<GSettings> settings;
        std::string key;
        GPtr<GVariant> value;
    };
    std::vector<Made> made;
    for (const auto& write : writes) {
        GPtr<GSettingsSchema> schema(
            source ? g_settings_schema_source_lookup(source, write.schema.c_str(), TRUE) : nullptr);
        if (!schema || !g_settings_schema_has_key(schema.get(), write.key.c_str())) {
            if (write.optional) continue;
            return kNotSupported;
        }
        GPtr<GSettingsSchemaKey> key(g_settings_schema_get_key(schema.get(), write.key.c_str()));
        auto value = toVariant(write.value);
        // Checked here because GSettings treats a wrong type or an out-of-range value as a
        // programming error.
        if (!value ||
            !g_variant_is_of_type(value.get(), g_settings_schema_key_get_value_type(key.get())) ||
            !g_settings_schema_key_range_check(key.get(), value.get())) {
            return E_INVALIDARG;
        }
        GPtr<GSettings> settings(g_settings_new_full(schema.get(), backend.get(), nullptr));
        if (!g_settings_is_writable(settings.get(), write.key.c_str()) ||
            !g_settings_set_value(settings.get(), write.key.c_str(), value.get())) {
            return E_FAIL;
        }
        made.push_back({std::move(settings), write.key, std::move(value)});
    }
    // Waits for dconf to take the writes; one it refused has then fallen back to the stored
    // value, which the read-back shows.
    g_settings_sync();
    for (const auto& one : made) {
        GPtr<GVariant> stored(g_settings_get_value(one.settings.get(), one.key.c_str()));
        if (!stored || !g_variant_equal(stored.get(), one.value.get())) return E_FAIL;
    }
    return S_OK;
}

namespace {

HRESULT applyWrites(const SettingsWrites& writes, const Environment& env) {
    return writes ? writeSettings(*writes, env) : E_INVALIDARG;
}

}  // namespace

HRESULT applyGnome(const Wallpaper& wallpaper, const Environment& env) {
    return applyWrites(gnomeWrites(wallpaper), env);
}

HRESULT applyCinnamon(const Wallpaper& wallpaper, const Environment& env) {
    return applyWrites(cinnamonWrites(wallpaper), env);
}

HRESULT applyMate(const Wallpaper& wallpaper, const Environment& env) {
    return applyWrites(mateWrites(wallpaper), env);
}

}  // namespace korvo::platform
