#include "platform/desktop_backend.h"

namespace korvo::platform {

engine::DesktopFactory selectDesktopBackend(const Environment&) {
    return [] { return std::unique_ptr<engine::DesktopObject>{}; };
}

void restoreWallpaper(const Environment&) {}

namespace {
struct NoStartupEntries : StartupEntries {
    bool add(const std::string&, const std::string&) override { return false; }
    void remove(const std::string&) override {}
};
}  // namespace

std::unique_ptr<StartupEntries> makeStartupEntries(const Environment&) {
    return std::make_unique<NoStartupEntries>();
}

}  // namespace korvo::platform
