// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gio/gio.h>

#include "platform/linux/glib_ptr.h"
#include "platform/linux/session_bus.h"
#include "platform/linux/tray_icon.h"

namespace korvo::platform {

bool showNotice(const Environment& env, const std::string& title, const std::string& summary,
                const std::string& body) {
    constexpr int kTimeoutMs = 2000;
    const std::string address = sessionBusAddress(env);
    if (address.empty()) return false;
    GPtr<GDBusConnection> bus(g_dbus_connection_new_for_address_sync(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr));
    if (!bus) return false;
    // D-Bus strings must be UTF-8; anything else would be refused as a whole by GLib.
    const auto text = [](const std::string& s) {
        GPtr<char> valid(g_utf8_make_valid(s.c_str(), static_cast<gssize>(s.size())));
        return std::string(valid.get());
    };
    GPtr<GVariant> reply(g_dbus_connection_call_sync(
        bus.get(), "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
        "org.freedesktop.Notifications", "Notify",
        g_variant_new("(susss@as@a{sv}i)", text(title).c_str(), 0u, "", text(summary).c_str(),
                      text(body).c_str(), g_variant_new_strv(nullptr, 0),
                      g_variant_new_array(G_VARIANT_TYPE("{sv}"), nullptr, 0), -1),
        G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, kTimeoutMs, nullptr, nullptr));
    g_dbus_connection_close_sync(bus.get(), nullptr, nullptr);
    return reply != nullptr;
}

}  // namespace korvo::platform
