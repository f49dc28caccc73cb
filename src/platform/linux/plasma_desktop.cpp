// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/plasma_desktop.h"

#include <cstdint>

#include "platform/linux/command_desktops.h"
#include "platform/linux/glib_ptr.h"
#include "platform/linux/gsettings_desktops.h"
#include "platform/linux/wallpaper_state.h"

namespace korvo::platform {

namespace {

constexpr int kCallTimeoutMs = 5000;

// Plasma's image plugin uses Qt Quick's Image.fillMode numbers.
int fillMode(Style style) {
    switch (style) {
        case Style::Centre:
            return 6;  // Image.Pad
        case Style::Tile:
            return 3;  // Image.Tile
        case Style::Stretch:
            return 0;  // Image.Stretch
    }
    return 6;
}

// Decodes one UTF-8 sequence at text[i]; nullopt (and one byte consumed) when it is not valid:
// a stray continuation byte, a truncated or overlong sequence, a surrogate or past U+10FFFF.
std::optional<std::uint32_t> nextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    int length = 0;
    std::uint32_t point = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, point = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, point = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, point = lead & 0x07u;
    } else {
        ++i;
        return std::nullopt;
    }
    if (i + static_cast<std::size_t>(length) > text.size()) {
        ++i;
        return std::nullopt;
    }
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0u) != 0x80u) {
            ++i;
            return std::nullopt;
        }
        point = (point << 6) | (next & 0x3Fu);
    }
    const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < smallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        ++i;
        return std::nullopt;
    }
    i += static_cast<std::size_t>(length);
    return point;
}

void appendUnit(std::string& out, std::uint32_t unit) {
    static const char hex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += hex[(unit >> shift) & 0xFu];
}

}  // namespace

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (!nextCodePoint(text, i)) return false;
    }
    return true;
}

std::string jsStringLiteral(std::string_view text) {
    std::string out = "'";
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t point = nextCodePoint(text, i).value_or(0xFFFD);
        if (point == '\\' || point == '\'' || point == '"') {
            out += '\\';
            out += static_cast<char>(point);
        } else if (point >= 0x20 && point < 0x7F) {
            out += static_cast<char>(point);
        } else if (point <= 0xFFFF) {
            appendUnit(out, point);
        } else {
            const std::uint32_t offset = point - 0x10000;
            appendUnit(out, 0xD800 + (offset >> 10));
            appendUnit(out, 0xDC00 + (offset & 0x3FF));
        }
    }
    out += '\'';
    return out;
}

std::optional<std::string> plasmaScript(const Wallpaper& wallpaper) {
    const auto uri = fileUri(wallpaper.path);
    if (!uri) return std::nullopt;
    return "var image = " + jsStringLiteral(*uri) +
           ";\n"
           "var all = desktops();\n"
           "var taken = all.length > 0;\n"
           "for (var i = 0; i < all.length; i++) {\n"
           "    var d = all[i];\n"
           "    d.wallpaperPlugin = 'org.kde.image';\n"
           "    d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];\n"
           "    d.writeConfig('FillMode', " +
           std::to_string(fillMode(wallpaper.style)) +
           ");\n"
           "    d.writeConfig('Image', image);\n"
           "    if (d.readConfig('Image') != image) taken = false;\n"
           "}\n"
           "print(taken ? 'taken' : 'refused');\n";
}

HRESULT applyPlasma(const Wallpaper& wallpaper, const Environment& env) {
    // Plasma keeps a URI that is not UTF-8 but goes on showing the former picture.
    std::optional<std::string> link;
    if (!isUtf8(wallpaper.path)) {
        link = plainLink(wallpaper.path, stateFolder(env));
        if (!link) return shell::E_INVALIDARG;
    }
    const auto script = plasmaScript({link.value_or(wallpaper.path), wallpaper.style});
    if (!script) return shell::E_INVALIDARG;
    const std::string address = sessionBusAddress(env);
    if (address.empty()) return kNotSupported;
    // A private connection to the bus the snapshot names, closed after the one call.
    GPtr<GDBusConnection> bus(g_dbus_connection_new_for_address_sync(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr));
    if (!bus) return kNotSupported;
    GError* rawError = nullptr;
    GPtr<GVariant> reply(g_dbus_connection_call_sync(
        bus.get(), "org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell", "evaluateScript",
        g_variant_new("(s)", script->c_str()), nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START,
        kCallTimeoutMs, nullptr, &rawError));
    GPtr<GError> error(rawError);
    g_dbus_connection_close_sync(bus.get(), nullptr, nullptr);
    if (!reply) {
        return error && g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_TIMED_OUT)
                   ? kTimedOut
                   : shell::E_FAIL;
    }
    const gchar* printed = nullptr;
    g_variant_get(reply.get(), "(&s)", &printed);
    return printed && std::string_view(printed).substr(0, 5) == "taken" ? shell::S_OK
                                                                        : shell::E_FAIL;
}

}  // namespace korvo::platform
