// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop object against a recording stand-in for the shell's, driven by the engine's own
// wallpaper operation (Form2), so the engine's step order and its first-failure rule meet the
// real forwarding code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/form2.h"
#include "platform/windows/shell_desktop.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"
#include "support/fixture.h"

namespace korvo {
namespace {

using ::testing::ElementsAre;
using Calls = std::vector<std::string>;

// A method Korvo never calls: noted, and answered as a shell without it would.
#define KORVO_UNEXPECTED(method, ...)           \
    STDMETHODIMP method(__VA_ARGS__) override { \
        calls.push_back("unexpected " #method); \
        return E_NOTIMPL;                       \
    }

// Every method of the shell's interface. The five Korvo uses note their name, the sizes and
// numbers they were given, and answer what the test asks. COM objects end through Release, so
// COM interfaces have no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FakeActiveDesktop final : public IActiveDesktop {
  public:
    Calls calls;
    std::wstring wallpaper;
    std::map<std::string, HRESULT> answers;
    BOOL activeDesktop = FALSE;
    ULONG references = 1;  // the test's own

    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP GetDesktopItemOptions(LPCOMPONENTSOPT options, DWORD reserved) override {
        const HRESULT answer = record("GetDesktopItemOptions", options->dwSize, reserved);
        if (SUCCEEDED(answer)) options->fActiveDesktop = activeDesktop;
        return answer;
    }
    STDMETHODIMP SetDesktopItemOptions(LPCCOMPONENTSOPT options, DWORD reserved) override {
        return record("SetDesktopItemOptions", options->dwSize, options->fActiveDesktop, reserved);
    }
    STDMETHODIMP SetWallpaperOptions(LPCWALLPAPEROPT options, DWORD reserved) override {
        return record("SetWallpaperOptions", options->dwSize, options->dwStyle, reserved);
    }
    STDMETHODIMP SetWallpaper(PCWSTR path, DWORD reserved) override {
        wallpaper = path;
        return record("SetWallpaper", reserved);
    }
    STDMETHODIMP ApplyChanges(DWORD flags) override { return record("ApplyChanges", flags); }
    KORVO_UNEXPECTED(QueryInterface, REFIID, void**)
    KORVO_UNEXPECTED(GetWallpaper, PWSTR, UINT, DWORD)
    KORVO_UNEXPECTED(GetWallpaperOptions, LPWALLPAPEROPT, DWORD)
    KORVO_UNEXPECTED(GetPattern, PWSTR, UINT, DWORD)
    KORVO_UNEXPECTED(SetPattern, PCWSTR, DWORD)
    KORVO_UNEXPECTED(AddDesktopItem, LPCCOMPONENT, DWORD)
    KORVO_UNEXPECTED(AddDesktopItemWithUI, HWND, LPCOMPONENT, DWORD)
    KORVO_UNEXPECTED(ModifyDesktopItem, LPCCOMPONENT, DWORD)
    KORVO_UNEXPECTED(RemoveDesktopItem, LPCCOMPONENT, DWORD)
    KORVO_UNEXPECTED(GetDesktopItemCount, int*, DWORD)
    KORVO_UNEXPECTED(GetDesktopItem, int, LPCOMPONENT, DWORD)
    KORVO_UNEXPECTED(GetDesktopItemByID, ULONG_PTR, LPCOMPONENT, DWORD)
    KORVO_UNEXPECTED(GenerateDesktopItemHtml, PCWSTR, LPCOMPONENT, DWORD)
    KORVO_UNEXPECTED(AddUrl, HWND, PCWSTR, LPCOMPONENT, DWORD)
    KORVO_UNEXPECTED(GetDesktopItemBySource, PCWSTR, LPCOMPONENT, DWORD)

    // Hands a reference to the desktop object as CoCreateInstance would, or none.
    bool available = true;
    platform::ActiveDesktopCreator creator() {
        return [this]() -> IActiveDesktop* { return available ? (AddRef(), this) : nullptr; };
    }

  private:
    template <class... Numbers>
    HRESULT record(std::string call, Numbers... numbers) {
        const HRESULT answer = answers.count(call) ? answers[call] : S_OK;
        ((call += " " + std::to_string(numbers)), ...);
        calls.push_back(call);
        return answer;
    }
};
#pragma GCC diagnostic pop

// What the classic way was given: the picture, the style.
using Classic = std::pair<std::optional<std::wstring>, std::uint32_t>;

// Two-, three- and four-byte characters; the last one takes a surrogate pair in UTF-16.
const std::string kPicture = "C:\\Bilder\\Grüße 日本 🖼.bmp";
const std::wstring kWidePicture = L"C:\\Bilder\\Grüße 日本 🖼.bmp";

struct ShellDesktopTest : ::testing::Test {
    testing::TestProgram t;
    FakeActiveDesktop shell;
    std::vector<Classic> classic;
    HRESULT classicAnswer = S_OK;
    platform::WallpaperFallback fallback = [this](const std::optional<std::wstring>& path,
                                                  std::uint32_t style) {
        classic.emplace_back(path, style);
        return classicAnswer;
    };

    ShellDesktopTest() {
        t.app().services().desktop = [this]() -> std::unique_ptr<shell::DesktopObject> {
            return std::make_unique<platform::ShellDesktop>(shell.creator(), fallback);
        };
    }
    // The engine's wallpaper operation, as the rotation and the apply button run it; false when
    // it raised an error.
    bool change(const std::string& path, int style) try {
        t.app().form<Form2>().SetWallpaper(path, style, true);
        return true;
    } catch (const forms::Error&) {
        return false;
    }
};

// Each step with its size, fields and reserved zero.
TEST_F(ShellDesktopTest, TheShellGetsEveryStepInOrderWithItsReservedZero) {
    ASSERT_TRUE(change(kPicture, 2));
    EXPECT_THAT(shell.calls,
                ElementsAre("GetDesktopItemOptions 12 0", "SetDesktopItemOptions 12 1 0",
                            "SetWallpaperOptions 8 2 0", "SetWallpaper 0", "ApplyChanges 7"));
    EXPECT_EQ(shell.wallpaper, kWidePicture) << "widened to UTF-16, surrogate pair included";
    EXPECT_TRUE(classic.empty());
    EXPECT_EQ(shell.references, 1u) << "the object lives for one change";

    // The shell's answer comes back: with the active desktop on, the options are not written.
    shell.calls.clear();
    shell.activeDesktop = TRUE;
    ASSERT_TRUE(change("Null", 1));
    EXPECT_THAT(shell.calls, ElementsAre("GetDesktopItemOptions 12 0", "SetWallpaperOptions 8 1 0",
                                         "SetWallpaper 0", "ApplyChanges 7"));
}

TEST_F(ShellDesktopTest, ARefusedStepEndsTheChangeAndAMissingOneTurnsToTheClassicWay) {
    for (const HRESULT answer : {E_ACCESSDENIED, E_NOTIMPL}) {
        for (const std::string step : {"GetDesktopItemOptions", "SetDesktopItemOptions",
                                       "SetWallpaperOptions", "SetWallpaper", "ApplyChanges"}) {
            SCOPED_TRACE(step + (answer == E_NOTIMPL ? " not implemented" : " refused"));
            shell.calls.clear();
            classic.clear();
            shell.answers = {{step, answer}};
            EXPECT_EQ(change(kPicture, 2), answer == E_NOTIMPL);
            ASSERT_FALSE(shell.calls.empty());
            EXPECT_EQ(shell.calls.back().rfind(step, 0), 0u) << "the shell is asked nothing more";
            EXPECT_EQ(shell.references, 1u) << "and is let go";
            EXPECT_EQ(classic, (answer == E_NOTIMPL ? std::vector{Classic{kWidePicture, 2}}
                                                    : std::vector<Classic>{}));
        }
    }
}

TEST_F(ShellDesktopTest, WithoutTheShellsObjectTheClassicWayDoesTheChangeAndAnswersForIt) {
    shell.available = false;
    EXPECT_TRUE(change(kPicture, 1));
    EXPECT_EQ(classic, (std::vector{Classic{kWidePicture, 1}}));
    classicAnswer = E_FAIL;
    EXPECT_FALSE(change(kPicture, 1));
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ShellDesktopTest, WhatTheShellCouldNotTakeNeverReachesIt) {
    // A path that is not text stops the change at SetWallpaper.
    EXPECT_FALSE(change("C:\\caf\xE9.bmp", 0));
    EXPECT_EQ(shell.calls.size(), 3u) << "SetWallpaper never reached the shell";
    EXPECT_TRUE(classic.empty());

    // Options of another size never reach the shell, which would trust their size.
    platform::ShellDesktop desktop(shell.creator(), fallback);
    shell.calls.clear();
    shell::COMPONENTSOPT wrong{4096, 0, 0};
    EXPECT_EQ(desktop.GetDesktopItemOptions(wrong), E_INVALIDARG);
    EXPECT_EQ(desktop.SetDesktopItemOptions(wrong), E_INVALIDARG);
    EXPECT_EQ(desktop.SetWallpaperOptions(shell::WALLPAPEROPT{0, 0}), E_INVALIDARG);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ShellDesktopTest, ComIsLeftAsTheThreadHadIt) {
    { platform::ShellDesktop desktop(shell.creator(), fallback); }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "the apartment was left";
    // A thread in the other apartment keeps it: the object neither joins nor leaves it.
    { platform::ShellDesktop desktop(shell.creator(), fallback); }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE) << "still the test's own";
    CoUninitialize();
    CoUninitialize();
}

TEST(WideText, Utf8BecomesUtf16AndAnythingElseIsRefused) {
    EXPECT_EQ(platform::widen(""), L"");
    for (const std::string& bad :
         {std::string("\xFF"), std::string("caf\xE9"), std::string("\xC0\xAF"),
          std::string("\xED\xA0\x80"), std::string("trunc\xE6\x97"), std::string("a\0b", 3)})
        EXPECT_EQ(platform::widen(bad), std::nullopt) << ::testing::PrintToString(bad);
}

}  // namespace
}  // namespace korvo
