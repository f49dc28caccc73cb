// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The one way the Win32 binding reaches the Windows headers: the window system, the shell's
// notification area and ShellExecuteW, the common controls and the imaging component.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <wincodec.h>
