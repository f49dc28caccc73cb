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
    const DWORD pixel = 0xC08040;  // one 24-bit pixel, padded to four bytes
    const BITMAPINFOHEADER info{sizeof info, 1, 1, 1, 24, BI_RGB, sizeof pixel, 0, 0, 0, 0};
    const DWORD bits = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER head{0x4D42, bits + sizeof pixel, 0, 0, bits};  // "BM"
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&head), sizeof head);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(&pixel), sizeof pixel);
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
