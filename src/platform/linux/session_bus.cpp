// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/session_bus.h"

#include <gio/gio.h>
#include <sys/stat.h>

#include "platform/linux/glib_ptr.h"

namespace korvo::platform {

std::string sessionBusAddress(const Environment& env) {
    if (env.has("DBUS_SESSION_BUS_ADDRESS")) {
        const std::string address = env.get("DBUS_SESSION_BUS_ADDRESS");
        return address.rfind("disabled:", 0) == 0 ? std::string{} : address;
    }
    if (!env.has("XDG_RUNTIME_DIR")) return {};
    const std::string socket = env.get("XDG_RUNTIME_DIR") + "/bus";
    struct stat info {};
    if (::stat(socket.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode)) return {};
    GPtr<char> escaped(g_dbus_address_escape_value(socket.c_str()));
    return "unix:path=" + std::string(escaped.get());
}

}  // namespace korvo::platform
