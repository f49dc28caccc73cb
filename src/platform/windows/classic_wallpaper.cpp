// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/windows/classic_wallpaper.h"

#include "platform/windows/registry.h"

namespace korvo::platform {

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kStyleName[] = L"WallpaperStyle";
constexpr wchar_t kTileName[] = L"TileWallpaper";

struct StyleValues {
    const wchar_t* wallpaperStyle;
    const wchar_t* tileWallpaper;
};

std::optional<StyleValues> styleValues(std::uint32_t style) {
    switch (style) {
        case WPSTYLE_CENTER:
            return StyleValues{L"0", L"0"};
        case WPSTYLE_TILE:
            return StyleValues{L"0", L"1"};
        case WPSTYLE_STRETCH:
            return StyleValues{L"2", L"0"};
        default:
            return std::nullopt;
    }
}

std::optional<std::wstring> currentWallpaper() {
    wchar_t buffer[MAX_PATH] = {};
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, buffer, 0)) return std::nullopt;
    return std::wstring(buffer);
}

// A value as it was before Korvo wrote it, to be put back when the change fails.
class SavedValue {
  public:
    SavedValue(HKEY key, const wchar_t* name) : key_(key), name_(name) {
        const LONG error = readValue(key, name, value_);
        present_ = error == ERROR_SUCCESS;
        readable_ = present_ || error == ERROR_FILE_NOT_FOUND;
    }
    bool readable() const { return readable_; }
    void restore() const {
        if (present_) {
            writeValue(key_, name_, value_);
        } else {
            RegDeleteValueW(key_, name_);
        }
    }

  private:
    HKEY key_;
    const wchar_t* name_;
    RegistryValue value_;
    bool present_ = false;
    bool readable_ = false;
};

}  // namespace

bool setSystemWallpaper(const std::wstring& path) {
    std::wstring buffer = path;  // the parameter is not const in the signature
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, buffer.data(),
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

shell::HRESULT applyClassicWallpaper(const std::optional<std::wstring>& path, std::uint32_t style,
                                     const WallpaperSetter& setWallpaper) {
    const auto values = styleValues(style);
    if (!values) return E_INVALIDARG;
    const auto picture = path ? path : currentWallpaper();
    if (!picture) return E_FAIL;
    // The shell keeps the wallpaper's path in a buffer of MAX_PATH characters; a longer one would
    // be cut to the name of some other file.
    if (picture->size() >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);

    const RegistryKey desktop =
        RegistryKey::create(HKEY_CURRENT_USER, kDesktopKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!desktop) return HRESULT_FROM_WIN32(static_cast<DWORD>(desktop.error()));
    const SavedValue formerStyle(desktop.get(), kStyleName);
    const SavedValue formerTile(desktop.get(), kTileName);
    if (!formerStyle.readable() || !formerTile.readable()) return E_FAIL;

    if (writeString(desktop.get(), kStyleName, values->wallpaperStyle) &&
        writeString(desktop.get(), kTileName, values->tileWallpaper) && setWallpaper(*picture))
        return S_OK;
    formerStyle.restore();
    formerTile.restore();
    return E_FAIL;
}

}  // namespace korvo::platform
