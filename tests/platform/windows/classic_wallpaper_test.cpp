// The classic wallpaper change and the shell's own desktop object, for real, against Wine's shell
// and registry (the test stage gives each run a fresh Wine prefix).
#include <gtest/gtest.h>

#include <tuple>

#include "engine/form2.h"
#include "platform/select.h"
#include "platform/windows/classic_wallpaper.h"
#include "platform/windows/shell_desktop.h"
#include "support/fixture.h"
#include "wine_support.h"

namespace korvo {
namespace {

using testing::sz;
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// The picture, WallpaperStyle and TileWallpaper as the shell and the registry have them.
using Desktop =
    std::tuple<std::wstring, std::optional<testing::Value>, std::optional<testing::Value>>;

Desktop desktop() {
    return {testing::currentWallpaper(),
            testing::readRegistry(HKEY_CURRENT_USER, kDesktopKey, L"WallpaperStyle"),
            testing::readRegistry(HKEY_CURRENT_USER, kDesktopKey, L"TileWallpaper")};
}

struct ClassicWallpaper : ::testing::Test {
    testing::TempFolder folder;
    std::wstring first, second;

    ClassicWallpaper() {
        const auto pictures = toPath(folder.file("Fonds d’écran 日本"));
        std::filesystem::create_directories(pictures);
        testing::writeBmp(first = (pictures / L"été.bmp").wstring());
        testing::writeBmp(second = (pictures / L"hiver 🖼.bmp").wstring());
    }
};

TEST_F(ClassicWallpaper, EachStyleSetsThePictureAndTheStyleValues) {
    const struct {
        std::optional<std::wstring> picture;
        std::uint32_t style;
        Desktop after;
    } cases[] = {
        {first, 0, {first, sz(L"0"), sz(L"0")}},
        {second, 1, {second, sz(L"0"), sz(L"1")}},
        {first, 2, {first, sz(L"2"), sz(L"0")}},
        {std::nullopt, 1, {first, sz(L"0"), sz(L"1")}},  // the current picture takes the style
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        ASSERT_EQ(platform::applyClassicWallpaper(c.picture, c.style), S_OK);
        EXPECT_EQ(desktop(), c.after);
    }
}

TEST_F(ClassicWallpaper, AChangeThatCannotBeMadeLeavesTheDesktopAsItWas) {
    ASSERT_EQ(platform::applyClassicWallpaper(first, 1), S_OK);
    const Desktop before = desktop();
    const platform::WallpaperSetter refuse = [](const std::wstring&) { return false; };
    EXPECT_EQ(platform::applyClassicWallpaper(second, 3), E_INVALIDARG) << "no such style";
    // Wine would take the path cut to MAX_PATH characters, naming another file.
    EXPECT_TRUE(FAILED(
        platform::applyClassicWallpaper(L"C:\\" + std::wstring(MAX_PATH, L'a') + L".bmp", 2)));
    EXPECT_EQ(platform::applyClassicWallpaper(second, 2, refuse), E_FAIL);
    EXPECT_EQ(desktop(), before);

    // Style values that were not there before are not left behind either.
    const auto key = platform::RegistryKey::open(HKEY_CURRENT_USER, kDesktopKey, KEY_SET_VALUE);
    RegDeleteValueW(key.get(), L"WallpaperStyle");
    RegDeleteValueW(key.get(), L"TileWallpaper");
    EXPECT_EQ(platform::applyClassicWallpaper(second, 2, refuse), E_FAIL);
    EXPECT_EQ(desktop(), (Desktop{first, std::nullopt, std::nullopt}));
}

TEST_F(ClassicWallpaper, TheShellsOwnObjectEndsInAChangeOrACleanFailure) {
    // Wine 8 makes the object and answers E_NOTIMPL to each of its methods, so the change goes
    // the classic way; a shell that implements them does it itself. Either way a change that is
    // reported done is there, and one that failed left the former wallpaper.
    testing::TestProgram t;
    t.app().services().desktop = platform::selectDesktopBackend(platform::Environment{});
    for (const auto& [picture, style] : {std::pair{second, 2}, std::pair{first, 0}}) {
        const std::wstring before = testing::currentWallpaper();
        try {
            t.app().form<Form2>().SetWallpaper(fromPath(picture), style, true);
            EXPECT_EQ(desktop(), (Desktop{picture, sz(style == 2 ? L"2" : L"0"), sz(L"0")}));
        } catch (const forms::Error& error) {
            EXPECT_EQ(testing::currentWallpaper(), before) << error.what();
        }
    }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK) << "COM was left";
    CoUninitialize();
}

}  // namespace
}  // namespace korvo
