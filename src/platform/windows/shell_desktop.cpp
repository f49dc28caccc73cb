// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/windows/shell_desktop.h"

#include "platform/windows/classic_wallpaper.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace korvo::platform {

namespace {

static_assert(sizeof(::COMPONENTSOPT) == 12 && sizeof(::WALLPAPEROPT) == 8);

// The shell reads and writes as many bytes as dwSize says; any other size is refused before it
// gets there.
bool rightSize(const shell::COMPONENTSOPT& options) {
    return options.dwSize == sizeof(::COMPONENTSOPT);
}

bool rightSize(const shell::WALLPAPEROPT& options) {
    return options.dwSize == sizeof(::WALLPAPEROPT);
}

::COMPONENTSOPT native(const shell::COMPONENTSOPT& options) {
    ::COMPONENTSOPT result{};
    result.dwSize = sizeof result;
    result.fEnableComponents = options.fEnableComponents;
    result.fActiveDesktop = options.fActiveDesktop;
    return result;
}

}  // namespace

IActiveDesktop* createActiveDesktop() {
    IActiveDesktop* desktop = nullptr;
    const HRESULT result = CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IActiveDesktop, reinterpret_cast<void**>(&desktop));
    return SUCCEEDED(result) ? desktop : nullptr;
}

ShellDesktop::ShellDesktop(const ActiveDesktopCreator& create, WallpaperFallback fallback)
    : fallback_(std::move(fallback)) {
    if (!fallback_) {
        fallback_ = [](const std::optional<std::wstring>& picture, std::uint32_t style) {
            return applyClassicWallpaper(picture, style);
        };
    }
    // A thread already in another apartment keeps it (RPC_E_CHANGED_MODE) and is not
    // uninitialised here; every successful call, S_FALSE included, is balanced in the destructor.
    initialisedCom_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    shell_ = create ? create() : nullptr;
}

ShellDesktop::~ShellDesktop() {
    letGo();
    if (initialisedCom_) CoUninitialize();
}

void ShellDesktop::letGo() {
    if (shell_) shell_->Release();
    shell_ = nullptr;
}

bool ShellDesktop::declined(shell::HRESULT answer) {
    if (answer != E_NOTIMPL) return false;
    letGo();
    return true;
}

shell::HRESULT ShellDesktop::GetDesktopItemOptions(shell::COMPONENTSOPT& options) {
    if (!rightSize(options)) return E_INVALIDARG;
    // The classic desktop has no components: its options read as the caller filled them, and
    // writing them changes nothing.
    if (!shell_) return S_OK;
    ::COMPONENTSOPT shellOptions = native(options);
    const shell::HRESULT answer = shell_->GetDesktopItemOptions(&shellOptions, 0);
    if (declined(answer)) return S_OK;
    if (SUCCEEDED(answer)) {
        options.fEnableComponents = shellOptions.fEnableComponents;
        options.fActiveDesktop = shellOptions.fActiveDesktop;
    }
    return answer;
}

shell::HRESULT ShellDesktop::SetDesktopItemOptions(const shell::COMPONENTSOPT& options) {
    if (!rightSize(options)) return E_INVALIDARG;
    if (!shell_) return S_OK;
    const ::COMPONENTSOPT shellOptions = native(options);
    const shell::HRESULT answer = shell_->SetDesktopItemOptions(&shellOptions, 0);
    return declined(answer) ? S_OK : answer;
}

shell::HRESULT ShellDesktop::SetWallpaperOptions(const shell::WALLPAPEROPT& options) {
    if (!rightSize(options)) return E_INVALIDARG;
    style_ = options.dwStyle;
    if (!shell_) return S_OK;
    ::WALLPAPEROPT shellOptions{};
    shellOptions.dwSize = sizeof shellOptions;
    shellOptions.dwStyle = options.dwStyle;
    const shell::HRESULT answer = shell_->SetWallpaperOptions(&shellOptions, 0);
    return declined(answer) ? S_OK : answer;
}

shell::HRESULT ShellDesktop::SetWallpaper(const std::string& path) {
    path_ = widen(path);
    if (!path_) return HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION);
    if (!shell_) return S_OK;
    const shell::HRESULT answer = shell_->SetWallpaper(path_->c_str(), 0);
    return declined(answer) ? S_OK : answer;
}

shell::HRESULT ShellDesktop::ApplyChanges(std::uint32_t flags) {
    if (shell_) {
        const shell::HRESULT answer = shell_->ApplyChanges(flags);
        if (!declined(answer)) return answer;
    }
    // The classic way always saves and announces the change, which is what Korvo's changes
    // ask for.
    return fallback_(path_, style_);
}

}  // namespace korvo::platform
