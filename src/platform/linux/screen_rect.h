// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace korvo::platform {

// A monitor's place on the X screen, in pixels.
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};

}  // namespace korvo::platform
