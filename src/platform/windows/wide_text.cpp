// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/windows/wide_text.h"

#include <climits>

#include "platform/windows/win32.h"

namespace korvo::platform {

std::optional<std::wstring> widen(std::string_view utf8) {
    if (utf8.empty()) return std::wstring{};
    if (utf8.find('\0') != std::string_view::npos || utf8.size() > INT_MAX) return std::nullopt;
    const int size = static_cast<int>(utf8.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(),
                            length) != length)
        return std::nullopt;
    return wide;
}

}  // namespace korvo::platform
