// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace korvo {

// Where the failures the windows swallow are told, so that a user whose wallpaper did not change
// can find out why without a message box ever appearing.
class Diagnostics {
  public:
    virtual ~Diagnostics() = default;
    // `what` failed on `path` (a picture, a folder, a file or a tool) because of `reason`.
    virtual void report(std::string_view what, std::string_view path, std::string_view reason) = 0;
};

// Tells no one: the default for a set-up that wires no diagnostics.
inline Diagnostics& silentDiagnostics() {
    struct Silent final : Diagnostics {
        void report(std::string_view, std::string_view, std::string_view) override {}
    };
    static Silent silent;
    return silent;
}

}  // namespace korvo
