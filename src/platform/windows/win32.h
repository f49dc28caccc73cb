// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The one way Korvo's Windows sources reach the Win32 headers. The engine's desktop-object header
// names S_OK, E_NOTIMPL, WPSTYLE_* and AD_APPLY_* as C++ constants, which the Windows headers
// define as macros: it has to be seen first, so it is included here before them.
#include "services/desktop_object.h"

#include <windows.h>

// <shlobj.h> declares IActiveDesktop only when the internet types are already known.
#include <wininet.h>

#include <shlobj.h>
