// The classic wallpaper change and the shell's own desktop object, for real, against Wine's shell
// and registry (the test stage gives each run a fresh Wine prefix).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/fixture.h"
#include "engine/form2.h"
#include "platform/desktop_backend.h"
#include "platform/windows/classic_wallpaper.h"
#include "platform/windows/shell_desktop.h"
#include "wine_support.h"

namespace korvo {
namespace {

using namespace std::string_literals;

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

struct ClassicWallpaper : ::testing::Test {
    testing::TempFolder folder;
    std::filesystem::path first, second;

    ClassicWallpaper() {
        const auto pictures = toPath(folder.file("Fonds d’écran 日本"));
        std::filesystem::create_directories(pictures);
        first = pictures / L"été.bmp";
        second = pictures / L"hiver 🖼.bmp";
        testing::writeBmp(first);
        testing::writeBmp(second);
    }

    static std::optional<std::wstring> style() {
        return testing::readRegistryString(HKEY_CURRENT_USER, kDesktopKey, L"WallpaperStyle");
    }
    static std::optional<std::wstring> tile() {
        return testing::readRegistryString(HKEY_CURRENT_USER, kDesktopKey, L"TileWallpaper");
    }
};

TEST_F(ClassicWallpaper, EachStyleSetsThePictureAndTheStyleValues) {
    const struct {
        std::uint32_t style;
        const wchar_t* wallpaperStyle;
        const wchar_t* tileWallpaper;
    } cases[] = {{0, L"0", L"0"}, {1, L"0", L"1"}, {2, L"2", L"0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        const auto& picture = c.style == 1 ? second : first;
        ASSERT_EQ(platform::applyClassicWallpaper(picture.wstring(), c.style), S_OK);
        EXPECT_EQ(testing::currentWallpaper(), picture.wstring());
        EXPECT_EQ(style(), std::wstring(c.wallpaperStyle));
        EXPECT_EQ(tile(), std::wstring(c.tileWallpaper));
    }

    // Without a picture the current one stays and takes the style.
    ASSERT_EQ(platform::applyClassicWallpaper(std::nullopt, 1), S_OK);
    EXPECT_EQ(testing::currentWallpaper(), first.wstring());
    EXPECT_EQ(style(), L"0"s);
    EXPECT_EQ(tile(), L"1"s);
}

TEST_F(ClassicWallpaper, AChangeThatCannotBeMadeLeavesTheDesktopAsItWas) {
    ASSERT_EQ(platform::applyClassicWallpaper(first.wstring(), 1), S_OK);
    const auto unchanged = [&] {
        EXPECT_EQ(testing::currentWallpaper(), first.wstring());
        EXPECT_EQ(style(), L"0"s);
        EXPECT_EQ(tile(), L"1"s);
    };

    EXPECT_EQ(platform::applyClassicWallpaper(second.wstring(), 3), E_INVALIDARG)
        << "no such style";
    unchanged();
    // Wine would take the path cut to MAX_PATH characters, naming another file.
    EXPECT_FALSE(SUCCEEDED(
        platform::applyClassicWallpaper(L"C:\\" + std::wstring(MAX_PATH, L'a') + L".bmp", 2)));
    unchanged();
    const auto refuse = [](const std::wstring&) { return false; };
    EXPECT_EQ(platform::applyClassicWallpaper(second.wstring(), 2, refuse), E_FAIL);
    unchanged();

    // Style values that were not there before are not left behind either.
    const auto desktop = platform::RegistryKey::open(HKEY_CURRENT_USER, kDesktopKey, KEY_SET_VALUE);
    RegDeleteValueW(desktop.get(), L"WallpaperStyle");
    RegDeleteValueW(desktop.get(), L"TileWallpaper");
    EXPECT_EQ(platform::applyClassicWallpaper(second.wstring(), 2, refuse), E_FAIL);
    EXPECT_EQ(style(), std::nullopt);
    EXPECT_EQ(tile(), std::nullopt);
}

TEST_F(ClassicWallpaper, TheShellsOwnObjectEndsInAChangeOrACleanFailure) {
    // Wine 8 makes the object and answers E_NOTIMPL to each of its methods, so the change goes
    // the classic way; a shell that implements them does it itself. Either way a change that is
    // reported done is there, and one that failed left the former wallpaper.
    testing::TestProgram t;
    t.app().services().desktop = platform::selectDesktopBackend(platform::Environment{});
    for (const auto& [picture, wanted] : {std::pair{second, 2}, std::pair{first, 0}}) {
        const std::wstring before = testing::currentWallpaper();
        try {
            t.app().form<Form2>().SetWallpaper(fromPath(picture), wanted, true);
            EXPECT_EQ(testing::currentWallpaper(), picture.wstring());
            EXPECT_EQ(style(), wanted == 2 ? L"2"s : L"0"s);
        } catch (const forms::Error& error) {
            EXPECT_EQ(testing::currentWallpaper(), before) << error.what();
        }
    }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK) << "COM was left";
    CoUninitialize();
}

}  // namespace
}  // namespace korvo
