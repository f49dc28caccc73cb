#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

// A registry value as its type and its bytes.
using Value = std::pair<DWORD, std::vector<BYTE>>;

// Text as a REG_SZ value holds it: UTF-16 with its terminating zero.
inline Value sz(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {REG_SZ, {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)}};
}

// A value of root\key; nullopt when the key or the value is missing.
inline std::optional<Value> readRegistry(HKEY root, const wchar_t* key, const wchar_t* name) {
    const auto opened = platform::RegistryKey::open(root, key, KEY_QUERY_VALUE);
    platform::RegistryValue value;
    if (!opened || platform::readValue(opened.get(), name, value) != ERROR_SUCCESS)
        return std::nullopt;
    return Value{value.type, value.data};
}

}  // namespace korvo::testing
