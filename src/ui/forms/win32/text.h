// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace korvo::win32 {

// The model's UTF-8 as the wide-character functions take it. Bytes that are not UTF-8 show as
// replacement characters rather than hiding the whole caption; an embedded NUL ends the text, as
// it would for any window.
std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);

// A window's text as the model holds it.
std::string windowText(void* hwnd);

}  // namespace korvo::win32
