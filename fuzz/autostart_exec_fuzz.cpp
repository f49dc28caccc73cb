// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any program path as the log-on entry's Exec value: what GLib makes of the entry line (the key
// file's unescaping, the "%%" field code, then its shell-style argument parsing) is exactly the
// one path, and the value never breaks the entry's line.
#include <glib.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz/check.h"
#include "platform/linux/xdg_autostart.h"

namespace {

// GLib's launcher replaces "%%" by "%" before it parses the command line; any other field code
// would be expanded into something else and must never appear.
std::string expandFieldCodes(const std::string& exec) {
    std::string out;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] == '%' && i + 1 < exec.size()) {
            KORVO_REQUIRE(exec[++i] == '%');
        }
        out += exec[i];
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string program(reinterpret_cast<const char*>(bytes), size);
    const auto exec = korvo::platform::desktopEntryExec(program);
    const bool writable = !program.empty() && program.find('\0') == std::string::npos &&
                          g_utf8_validate(program.data(), static_cast<gssize>(size), nullptr);
    KORVO_REQUIRE(exec.has_value() == writable);
    if (!exec) return 0;
    KORVO_REQUIRE(exec->find_first_of("\r\n") == std::string::npos);

    const std::string entry = "[Desktop Entry]\nExec=" + *exec + "\nTerminal=false\n";
    GKeyFile* file = g_key_file_new();
    KORVO_REQUIRE(
        g_key_file_load_from_data(file, entry.data(), entry.size(), G_KEY_FILE_NONE, nullptr));
    gchar* terminal = g_key_file_get_string(file, "Desktop Entry", "Terminal", nullptr);
    KORVO_REQUIRE(terminal != nullptr && std::string(terminal) == "false");
    g_free(terminal);
    gchar* value = g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr);
    KORVO_REQUIRE(value != nullptr);
    const std::string line = expandFieldCodes(value);
    g_free(value);
    g_key_file_free(file);

    gint argc = 0;
    gchar** argv = nullptr;
    KORVO_REQUIRE(g_shell_parse_argv(line.c_str(), &argc, &argv, nullptr));
    KORVO_REQUIRE(argc == 1 && program == argv[0]);
    g_strfreev(argv);
    return 0;
}
