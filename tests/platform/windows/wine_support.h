#pragma once

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/windows/registry.h"

namespace korvo::testing {

// A 1x1 picture in the oldest format every shell reads.
inline void writeBmp(const std::filesystem::path& file) {
    const unsigned char
        bmp[] = {'B',  'M',  58,   0, 0, 0, 0, 0, 0, 0, 54,   0,    0, 0,  // file header
                 40,   0,    0,    0, 1, 0, 0, 0, 1, 0, 0,    0,    1, 0,
                 24,   0,    0,    0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B, 0, 0,
                 0x13, 0x0B, 0,    0, 0, 0, 0, 0, 0, 0, 0,    0,  // info header
                 0x40, 0x80, 0xC0, 0};                            // one pixel, padded
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
}

inline std::wstring currentWallpaper() {
    wchar_t buffer[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, buffer, 0);
    return buffer;
}

// A value of root\key; nullopt when the key or the value is missing.
inline std::optional<platform::RegistryValue> readRegistry(HKEY root, const wchar_t* key,
                                                           const wchar_t* name) {
    const auto opened = platform::RegistryKey::open(root, key, KEY_QUERY_VALUE);
    platform::RegistryValue value;
    if (!opened || platform::readValue(opened.get(), name, value) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// The text of a REG_SZ value; nullopt when missing or of another type.
inline std::optional<std::wstring> readRegistryString(HKEY root, const wchar_t* key,
                                                      const wchar_t* name) {
    const auto value = readRegistry(root, key, name);
    if (!value || value->type != REG_SZ || value->data.size() % sizeof(wchar_t) != 0)
        return std::nullopt;
    std::wstring text(value->data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), value->data.data(), value->data.size());
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

}  // namespace korvo::testing
