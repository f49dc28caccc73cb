// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/xdg_autostart.h"

#include <gio/gio.h>

#include <filesystem>
#include <string_view>
#include <system_error>

#include "base/paths.h"
#include "platform/disk_text_file_store.h"

namespace korvo::platform {

std::string xdgFolder(const Environment& env, const char* variable, const char* fallback,
                      const char* name) {
    const std::string base = env.get(variable);
    if (!base.empty() && base.front() == '/') return base + "/" + name;
    const std::string home = env.get("HOME");
    if (!home.empty() && home.front() == '/') return home + "/" + fallback + "/" + name;
    return {};
}

std::string autostartFolder(const Environment& env) {
    return xdgFolder(env, "XDG_CONFIG_HOME", ".config", "autostart");
}

std::optional<std::string> desktopEntryExec(const std::string& program) {
    if (program.empty() || program.find('\0') != std::string::npos ||
        !g_utf8_validate(program.data(), static_cast<gssize>(program.size()), nullptr)) {
        return std::nullopt;
    }
    // Besides the reserved characters, the blanks a key-file reader takes off a value's ends.
    constexpr std::string_view reserved = " \t\n\r\v\f\"'\\><~|&;$*?#()`";
    const bool quote = program.find_first_of(reserved) != std::string::npos;
    std::string argument = quote ? "\"" : "";
    for (const char c : program) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) argument += '\\';
        if (c == '%') argument += '%';
        argument += c;
    }
    if (quote) argument += '"';
    // The Exec key is a string value as well, whose own escapes come on top.
    std::string value;
    for (const char c : argument) {
        switch (c) {
            case '\\':
                value += "\\\\";
                break;
            case '\n':
                value += "\\n";
                break;
            case '\t':
                value += "\\t";
                break;
            case '\r':
                value += "\\r";
                break;
            default:
                value += c;
        }
    }
    return value;
}

std::string XdgAutostart::entryPath(const std::string& name) const {
    if (folder_.empty() || name.empty()) return {};
    std::string file;
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z') {
            file += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
            file += c;
        } else {
            return {};
        }
    }
    return folder_ + "/" + file + ".desktop";
}

bool XdgAutostart::add(const std::string& name, const std::string& program) {
    const std::string path = entryPath(name);
    const auto exec = desktopEntryExec(program);
    if (path.empty() || !exec) return false;
    std::error_code error;
    std::filesystem::create_directories(toPath(folder_), error);
    if (error) return false;
    const std::string entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Korvo\n"
        "Exec=" +
        *exec +
        "\n"
        // The name under which the program's icon is installed in the icon theme.
        "Icon=korvo\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n";
    DiskTextFileStore store;
    return store.replace(path, entry);
}

void XdgAutostart::remove(const std::string& name) {
    const std::string path = entryPath(name);
    if (path.empty()) return;
    std::error_code error;
    std::filesystem::remove(toPath(path), error);
}

}  // namespace korvo::platform
