// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/local_time.h"

namespace korvo::platform {

// The wall clock of the machine, in local time.
LocalTime systemLocalTime();

}  // namespace korvo::platform
