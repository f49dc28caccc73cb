// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/win32/text.h"

#include <climits>

#include "ui/forms/win32/win32.h"

namespace korvo::win32 {

std::wstring wide(std::string_view utf8Text) {
    utf8Text = utf8Text.substr(0, utf8Text.find('\0'));
    if (utf8Text.empty() || utf8Text.size() > INT_MAX) return {};
    const int size = static_cast<int>(utf8Text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8Text.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8Text.data(), size, result.data(), length);
    return result;
}

std::string utf8(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(std::max(length, 0)), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

std::string windowText(void* hwnd) {
    HWND window = static_cast<HWND>(hwnd);
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return utf8(text);
}

}  // namespace korvo::win32
