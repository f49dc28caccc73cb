// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/linux/tray_icon.h"

namespace korvo::platform {

// The icon fitted into `size` x `size` pixels, its shape kept and centred on transparency. Each
// pixel is the alpha-weighted mean of the source pixels it covers, so a large icon keeps its thin
// lines and a transparent edge does not darken the colours beside it. An empty or malformed
// icon gives a transparent square.
IconImage fitIcon(const IconImage& icon, int size);

}  // namespace korvo::platform
