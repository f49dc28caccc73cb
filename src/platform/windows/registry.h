// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/windows/win32.h"

namespace korvo::platform {

// An open registry key, closed when it goes.
class RegistryKey {
  public:
    // Opens an existing key; error() tells why when it could not be opened.
    static RegistryKey open(HKEY parent, const wchar_t* path, REGSAM access);
    // Opens the key, creating it (and the keys above it) when missing.
    static RegistryKey create(HKEY parent, const wchar_t* path, REGSAM access);
    // A key that could not be opened, for `error`.
    static RegistryKey failed(LONG error) { return RegistryKey(nullptr, error); }

    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&&) = delete;
    RegistryKey(const RegistryKey&) = delete;
    ~RegistryKey();

    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }
    LONG error() const { return error_; }

  private:
    RegistryKey(HKEY key, LONG error) : key_(key), error_(error) {}
    HKEY key_;
    LONG error_;
};

// How a store opens its keys: RegistryKey::open, or a stand-in that refuses as Windows refuses a
// user without the right to write.
using KeyOpener = std::function<RegistryKey(HKEY parent, const wchar_t* path, REGSAM access)>;

// A value as the registry holds it: its type and its bytes.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Reads a whole value, whatever its size. Answers the registry's error code: ERROR_FILE_NOT_FOUND
// when there is no such value.
LONG readValue(HKEY key, const wchar_t* name, RegistryValue& value);
bool writeValue(HKEY key, const wchar_t* name, const RegistryValue& value);
// A REG_SZ value: the text with its terminating zero.
RegistryValue stringValue(const std::wstring& text);
inline bool writeString(HKEY key, const wchar_t* name, const std::wstring& text) {
    return writeValue(key, name, stringValue(text));
}

}  // namespace korvo::platform
