// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/recording_desktop.h"

#include <filesystem>
#include <functional>

#include "base/paths.h"

namespace korvo::fake {

class RecordingDesktop::Object : public shell::DesktopObject {
  public:
    explicit Object(RecordingDesktop& desktop) : d_(desktop) {}

    shell::HRESULT GetDesktopItemOptions(shell::COMPONENTSOPT& options) override {
        return step("GetDesktopItemOptions size=" + std::to_string(options.dwSize),
                    [&] { options.fActiveDesktop = d_.activeDesktop ? 1 : 0; });
    }
    shell::HRESULT SetDesktopItemOptions(const shell::COMPONENTSOPT& options) override {
        return step("SetDesktopItemOptions active=" + std::to_string(options.fActiveDesktop),
                    [&] { d_.activeDesktop = options.fActiveDesktop != 0; });
    }
    shell::HRESULT SetWallpaperOptions(const shell::WALLPAPEROPT& options) override {
        return step("SetWallpaperOptions size=" + std::to_string(options.dwSize) +
                        " style=" + std::to_string(options.dwStyle),
                    [&] { style_ = options.dwStyle; });
    }
    shell::HRESULT SetWallpaper(const std::string& path) override {
        std::error_code error;
        if (step("SetWallpaper " + path) != shell::S_OK ||
            (d_.refuseMissingFiles && !std::filesystem::is_regular_file(toPath(path), error)))
            return shell::E_FAIL;
        path_ = path;
        return shell::S_OK;
    }
    shell::HRESULT ApplyChanges(std::uint32_t flags) override {
        return step("ApplyChanges " + std::to_string(flags), [&] {
            d_.applied.push_back({path_, style_});
        });
    }

  private:
    // Records the call, then fails it if its name is failAt (the whole first word, so that failing
    // "SetWallpaper" does not fail "SetWallpaperOptions") or else does what it does.
    shell::HRESULT step(
        const std::string& call, const std::function<void()>& effect = [] {}) {
        d_.calls.push_back(call);
        if (call.substr(0, call.find(' ')) == d_.failAt) return shell::E_FAIL;
        effect();
        return shell::S_OK;
    }

    RecordingDesktop& d_;
    std::string path_;
    std::uint32_t style_ = 0;
};

shell::DesktopFactory RecordingDesktop::factory() {
    return [this]() -> std::unique_ptr<shell::DesktopObject> {
        calls.push_back("create");
        if (!creatable) return nullptr;
        return std::make_unique<Object>(*this);
    };
}

}  // namespace korvo::fake
