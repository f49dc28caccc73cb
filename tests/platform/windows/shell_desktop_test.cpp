// The desktop object against a recording stand-in for the shell's, driven by the engine's own
// wallpaper operation (Form2), so the engine's step order and its first-failure rule meet the
// real forwarding code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/fixture.h"
#include "engine/form2.h"
#include "platform/windows/shell_desktop.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace korvo {
namespace {

using ::testing::ElementsAre;
using Calls = std::vector<std::string>;

// Every method of the shell's interface: the five Korvo uses record their arguments in order
// and answer what the test asks, the others answer E_NOTIMPL and are recorded as unexpected.
// COM objects end through Release, so COM interfaces have no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FakeActiveDesktop final : public IActiveDesktop {
  public:
    Calls calls;
    std::wstring wallpaper;
    std::map<std::string, HRESULT> answers;
    BOOL activeDesktop = FALSE;
    ULONG references = 1;  // the test's own

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != IID_IActiveDesktop) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }

    STDMETHODIMP GetDesktopItemOptions(LPCOMPONENTSOPT options, DWORD reserved) override {
        const HRESULT answer = record("GetDesktopItemOptions", "size=" + number(options->dwSize) +
                                                                   " reserved=" + number(reserved));
        if (SUCCEEDED(answer)) options->fActiveDesktop = activeDesktop;
        return answer;
    }
    STDMETHODIMP SetDesktopItemOptions(LPCCOMPONENTSOPT options, DWORD reserved) override {
        return record("SetDesktopItemOptions", "size=" + number(options->dwSize) +
                                                   " active=" + number(options->fActiveDesktop) +
                                                   " reserved=" + number(reserved));
    }
    STDMETHODIMP SetWallpaperOptions(LPCWALLPAPEROPT options, DWORD reserved) override {
        return record("SetWallpaperOptions", "size=" + number(options->dwSize) +
                                                 " style=" + number(options->dwStyle) +
                                                 " reserved=" + number(reserved));
    }
    STDMETHODIMP SetWallpaper(PCWSTR path, DWORD reserved) override {
        wallpaper = path;
        return record("SetWallpaper", "reserved=" + number(reserved));
    }
    STDMETHODIMP ApplyChanges(DWORD flags) override {
        return record("ApplyChanges", "flags=" + number(flags));
    }

    STDMETHODIMP GetWallpaper(PWSTR, UINT, DWORD) override { return unexpected("GetWallpaper"); }
    STDMETHODIMP GetWallpaperOptions(LPWALLPAPEROPT, DWORD) override {
        return unexpected("GetWallpaperOptions");
    }
    STDMETHODIMP GetPattern(PWSTR, UINT, DWORD) override { return unexpected("GetPattern"); }
    STDMETHODIMP SetPattern(PCWSTR, DWORD) override { return unexpected("SetPattern"); }
    STDMETHODIMP AddDesktopItem(LPCCOMPONENT, DWORD) override {
        return unexpected("AddDesktopItem");
    }
    STDMETHODIMP AddDesktopItemWithUI(HWND, LPCOMPONENT, DWORD) override {
        return unexpected("AddDesktopItemWithUI");
    }
    STDMETHODIMP ModifyDesktopItem(LPCCOMPONENT, DWORD) override {
        return unexpected("ModifyDesktopItem");
    }
    STDMETHODIMP RemoveDesktopItem(LPCCOMPONENT, DWORD) override {
        return unexpected("RemoveDesktopItem");
    }
    STDMETHODIMP GetDesktopItemCount(int*, DWORD) override {
        return unexpected("GetDesktopItemCount");
    }
    STDMETHODIMP GetDesktopItem(int, LPCOMPONENT, DWORD) override {
        return unexpected("GetDesktopItem");
    }
    STDMETHODIMP GetDesktopItemByID(ULONG_PTR, LPCOMPONENT, DWORD) override {
        return unexpected("GetDesktopItemByID");
    }
    STDMETHODIMP GenerateDesktopItemHtml(PCWSTR, LPCOMPONENT, DWORD) override {
        return unexpected("GenerateDesktopItemHtml");
    }
    STDMETHODIMP AddUrl(HWND, PCWSTR, LPCOMPONENT, DWORD) override { return unexpected("AddUrl"); }
    STDMETHODIMP GetDesktopItemBySource(PCWSTR, LPCOMPONENT, DWORD) override {
        return unexpected("GetDesktopItemBySource");
    }

    // Hands a reference to the desktop object, as CoCreateInstance would.
    platform::ActiveDesktopCreator creator() {
        return [this] {
            AddRef();
            return static_cast<IActiveDesktop*>(this);
        };
    }

  private:
    static std::string number(unsigned long value) { return std::to_string(value); }
    HRESULT record(const std::string& method, const std::string& arguments) {
        calls.push_back(method + " " + arguments);
        const auto it = answers.find(method);
        return it == answers.end() ? S_OK : it->second;
    }
    HRESULT unexpected(const std::string& method) {
        calls.push_back("unexpected " + method);
        return E_NOTIMPL;
    }
};
#pragma GCC diagnostic pop

// Stands in for the classic way and notes what it was given.
struct RecordingFallback {
    struct Call {
        std::optional<std::wstring> path;
        std::uint32_t style;
    };
    std::vector<Call> calls;
    HRESULT answer = S_OK;

    platform::WallpaperFallback function() {
        return [this](const std::optional<std::wstring>& path, std::uint32_t style) {
            calls.push_back({path, style});
            return answer;
        };
    }
};

// Two-, three- and four-byte characters; the last one takes a surrogate pair in UTF-16.
const std::string kPicture = "C:\\Bilder\\Grüße 日本 🖼.bmp";
const std::wstring kWidePicture = L"C:\\Bilder\\Grüße 日本 🖼.bmp";

struct ShellDesktopTest : ::testing::Test {
    testing::TestProgram t;
    FakeActiveDesktop shell;
    RecordingFallback fallback;
    bool shellAvailable = true;

    ShellDesktopTest() {
        t.app().services().desktop = [this]() -> std::unique_ptr<engine::DesktopObject> {
            const platform::ActiveDesktopCreator none = [] { return nullptr; };
            return std::make_unique<platform::ShellDesktop>(shellAvailable ? shell.creator() : none,
                                                            fallback.function());
        };
    }
    // The engine's wallpaper operation, as the rotation and the apply button run it; false when
    // it raised an error.
    bool change(const std::string& path, int style) {
        try {
            t.app().form<Form2>().SetWallpaper(path, style, true);
            return true;
        } catch (const forms::Error&) {
            return false;
        }
    }
};

TEST_F(ShellDesktopTest, TheShellGetsEveryStepInOrderWithItsReservedZero) {
    ASSERT_TRUE(change(kPicture, 2));
    EXPECT_THAT(shell.calls, ElementsAre("GetDesktopItemOptions size=12 reserved=0",
                                         "SetDesktopItemOptions size=12 active=1 reserved=0",
                                         "SetWallpaperOptions size=8 style=2 reserved=0",
                                         "SetWallpaper reserved=0", "ApplyChanges flags=7"));
    EXPECT_EQ(shell.wallpaper, kWidePicture) << "widened to UTF-16, surrogate pair included";
    EXPECT_TRUE(fallback.calls.empty());
    EXPECT_EQ(shell.references, 1u) << "the object lives for one change";

    // The shell's answer comes back: with the active desktop on, the options are not written.
    shell.calls.clear();
    shell.activeDesktop = TRUE;
    ASSERT_TRUE(change("Null", 1));
    EXPECT_THAT(shell.calls, ElementsAre("GetDesktopItemOptions size=12 reserved=0",
                                         "SetWallpaperOptions size=8 style=1 reserved=0",
                                         "SetWallpaper reserved=0", "ApplyChanges flags=7"));
    EXPECT_EQ(shell.wallpaper, L"Null");
}

TEST_F(ShellDesktopTest, AStepTheShellRefusesEndsTheChangeThere) {
    for (const std::string step : {"GetDesktopItemOptions", "SetDesktopItemOptions",
                                   "SetWallpaperOptions", "SetWallpaper", "ApplyChanges"}) {
        SCOPED_TRACE(step);
        shell.calls.clear();
        shell.answers = {{step, E_ACCESSDENIED}};
        EXPECT_FALSE(change(kPicture, 0));
        ASSERT_FALSE(shell.calls.empty());
        EXPECT_EQ(shell.calls.back().rfind(step, 0), 0u) << "nothing after the refusal";
        EXPECT_TRUE(fallback.calls.empty()) << "a refusal is not a missing feature";
        EXPECT_EQ(shell.references, 1u);
    }
}

TEST_F(ShellDesktopTest, AStepTheShellDoesNotImplementTurnsToTheClassicWay) {
    for (const std::string step : {"GetDesktopItemOptions", "SetDesktopItemOptions",
                                   "SetWallpaperOptions", "SetWallpaper", "ApplyChanges"}) {
        SCOPED_TRACE(step);
        shell.calls.clear();
        fallback.calls.clear();
        shell.answers = {{step, E_NOTIMPL}};
        EXPECT_TRUE(change(kPicture, 2));
        ASSERT_FALSE(shell.calls.empty());
        EXPECT_EQ(shell.calls.back().rfind(step, 0), 0u) << "the shell is let go at once";
        ASSERT_EQ(fallback.calls.size(), 1u);
        EXPECT_EQ(fallback.calls[0].path, kWidePicture);
        EXPECT_EQ(fallback.calls[0].style, 2u);
        EXPECT_EQ(shell.references, 1u);
    }

    // What the classic way answers is the change's answer.
    fallback.answer = E_FAIL;
    EXPECT_FALSE(change(kPicture, 2));
}

TEST_F(ShellDesktopTest, WithoutTheShellsObjectTheClassicWayDoesTheChange) {
    shellAvailable = false;
    EXPECT_TRUE(change(kPicture, 1));
    ASSERT_EQ(fallback.calls.size(), 1u);
    EXPECT_EQ(fallback.calls[0].path, kWidePicture);
    EXPECT_EQ(fallback.calls[0].style, 1u);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ShellDesktopTest, APathThatIsNotTextFailsBeforeReachingTheShell) {
    for (const std::string& path :
         {std::string("C:\\caf\xE9.bmp"), std::string("C:\\a\0b.bmp", 11)}) {
        shell.calls.clear();
        EXPECT_FALSE(change(path, 0));
        EXPECT_THAT(shell.calls, ElementsAre("GetDesktopItemOptions size=12 reserved=0",
                                             "SetDesktopItemOptions size=12 active=1 reserved=0",
                                             "SetWallpaperOptions size=8 style=0 reserved=0"));
    }
    EXPECT_TRUE(fallback.calls.empty());

    // Options of another size never reach the shell, which would trust their size.
    platform::ShellDesktop desktop(shell.creator(), fallback.function());
    shell.calls.clear();
    engine::COMPONENTSOPT components;
    components.dwSize = 4096;
    engine::WALLPAPEROPT wallpaper;
    wallpaper.dwSize = 0;
    EXPECT_EQ(desktop.GetDesktopItemOptions(components), E_INVALIDARG);
    EXPECT_EQ(desktop.SetDesktopItemOptions(components), E_INVALIDARG);
    EXPECT_EQ(desktop.SetWallpaperOptions(wallpaper), E_INVALIDARG);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ShellDesktopTest, ComIsLeftAsTheThreadHadIt) {
    { platform::ShellDesktop desktop(shell.creator(), fallback.function()); }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK)
        << "the apartment the object entered was left";

    // A thread in the other apartment keeps it: the object neither joins nor leaves it.
    { platform::ShellDesktop desktop(shell.creator(), fallback.function()); }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE)
        << "still the test's own initialisation";
    CoUninitialize();
    CoUninitialize();
}

TEST(WideText, Utf8BecomesUtf16AndAnythingElseIsRefused) {
    EXPECT_EQ(platform::widen(kPicture), kWidePicture);
    EXPECT_EQ(platform::widen(""), L"");
    for (const std::string& bad :
         {std::string("\xFF"), std::string("caf\xE9"), std::string("\xC0\xAF"),
          std::string("\xED\xA0\x80"), std::string("trunc\xE6\x97"), std::string("a\0b", 3)}) {
        EXPECT_EQ(platform::widen(bad), std::nullopt) << ::testing::PrintToString(bad);
    }
}

}  // namespace
}  // namespace korvo
