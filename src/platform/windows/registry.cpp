// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/windows/registry.h"

#include <climits>

namespace korvo::platform {

RegistryKey RegistryKey::open(HKEY parent, const wchar_t* path, REGSAM access) {
    HKEY key = nullptr;
    const LONG error = RegOpenKeyExW(parent, path, 0, access, &key);
    return error == ERROR_SUCCESS ? RegistryKey(key, error) : RegistryKey(nullptr, error);
}

RegistryKey RegistryKey::create(HKEY parent, const wchar_t* path, REGSAM access) {
    HKEY key = nullptr;
    const LONG error = RegCreateKeyExW(parent, path, 0, nullptr, 0, access, nullptr, &key, nullptr);
    return error == ERROR_SUCCESS ? RegistryKey(key, error) : RegistryKey(nullptr, error);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(other.key_), error_(other.error_) {
    other.key_ = nullptr;
}

RegistryKey::~RegistryKey() {
    if (key_) RegCloseKey(key_);
}

LONG readValue(HKEY key, const wchar_t* name, RegistryValue& value) {
    // Asking for the size first, then the bytes: another writer may grow the value in between,
    // so a few rounds are allowed.
    for (int round = 0; round < 4; ++round) {
        DWORD size = 0;
        LONG error = RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size);
        if (error != ERROR_SUCCESS) return error;
        value.data.resize(size);
        error = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size);
        if (error == ERROR_MORE_DATA) continue;
        if (error == ERROR_SUCCESS) value.data.resize(size);
        return error;
    }
    return ERROR_MORE_DATA;
}

bool writeValue(HKEY key, const wchar_t* name, const RegistryValue& value) {
    if (value.data.size() > UINT_MAX) return false;
    return RegSetValueExW(key, name, 0, value.type, value.data.data(),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

RegistryValue stringValue(const std::wstring& text) {
    RegistryValue value{REG_SZ, {}};
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    value.data.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
    return value;
}

}  // namespace korvo::platform
