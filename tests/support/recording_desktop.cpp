#include "support/recording_desktop.h"

#include <filesystem>
#include <optional>

#include "base/paths.h"

namespace korvo::fake {

class RecordingDesktop::Object : public shell::DesktopObject {
  public:
    explicit Object(RecordingDesktop& desktop) : d_(desktop) {}

    shell::HRESULT GetDesktopItemOptions(shell::COMPONENTSOPT& options) override {
        if (auto failed = record("GetDesktopItemOptions size=" + std::to_string(options.dwSize)))
            return *failed;
        options.fActiveDesktop = d_.activeDesktop ? 1 : 0;
        return shell::S_OK;
    }
    shell::HRESULT SetDesktopItemOptions(const shell::COMPONENTSOPT& options) override {
        if (auto failed =
                record("SetDesktopItemOptions active=" + std::to_string(options.fActiveDesktop)))
            return *failed;
        d_.activeDesktop = options.fActiveDesktop != 0;
        return shell::S_OK;
    }
    shell::HRESULT SetWallpaperOptions(const shell::WALLPAPEROPT& options) override {
        if (auto failed = record("SetWallpaperOptions size=" + std::to_string(options.dwSize) +
                                 " style=" + std::to_string(options.dwStyle)))
            return *failed;
        style_ = options.dwStyle;
        return shell::S_OK;
    }
    shell::HRESULT SetWallpaper(const std::string& path) override {
        if (auto failed = record("SetWallpaper " + path)) return *failed;
        std::error_code error;
        if (d_.refusedPaths.count(path) != 0 ||
            (d_.refuseMissingFiles && !std::filesystem::is_regular_file(toPath(path), error)))
            return shell::E_FAIL;
        path_ = path;
        return shell::S_OK;
    }
    shell::HRESULT ApplyChanges(std::uint32_t flags) override {
        if (auto failed = record("ApplyChanges " + std::to_string(flags))) return *failed;
        d_.applied.push_back({path_, style_});
        return shell::S_OK;
    }

  private:
    // Fails the step whose name is failAt: the whole first word, so that failing
    // "SetWallpaper" does not fail "SetWallpaperOptions".
    std::optional<shell::HRESULT> record(const std::string& call) {
        d_.calls.push_back(call);
        if (call.substr(0, call.find(' ')) == d_.failAt) return shell::E_FAIL;
        return std::nullopt;
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
