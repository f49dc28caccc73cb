// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any environment snapshot: the desktop chosen is one of the known kinds, with a name.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/check.h"
#include "platform/linux/desktop_kind.h"

using korvo::platform::DesktopKind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    korvo::platform::Environment env;
    for (const char* name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION",
                             "SWAYSOCK", "WAYLAND_DISPLAY", "DISPLAY"}) {
        if (data.ConsumeBool()) env.values[name] = data.ConsumeRandomLengthString(96);
    }
    const DesktopKind kind = korvo::platform::chooseDesktop(env);
    KORVO_REQUIRE(static_cast<int>(kind) >= static_cast<int>(DesktopKind::Unsupported) &&
                  static_cast<int>(kind) <= static_cast<int>(DesktopKind::X11));
    const char* name = korvo::platform::desktopKindName(kind);
    KORVO_REQUIRE(name != nullptr && std::strlen(name) > 0);
    return 0;
}
