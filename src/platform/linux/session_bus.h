// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "platform/environment.h"

namespace korvo::platform {

// The address of the session bus the snapshot names (DBUS_SESSION_BUS_ADDRESS, else the
// per-user socket in XDG_RUNTIME_DIR); empty when there is none, or when it is "disabled:".
// Checked before any D-Bus use so that no library falls back to launching a bus of its own.
std::string sessionBusAddress(const Environment& env);

}  // namespace korvo::platform
