// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Korvo's own windows on the Win32 binding under Wine, in every language: each caption fits the
// place its design gives it in the font the binding chose and names its control; the keyboard
// alone walks the options dialog and the assistant.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "ui/assistant/fassist1.h"
#include "ui/assistant/fassist3.h"
#include "win32_program.h"

namespace korvo::win32 {
namespace {

using test::Win32Program;

// Pixels a control's caption needs beyond the room its window gives it, drawn as the control
// draws it in the font the binding gave it: 0 when it fits.
struct Overflow {
    int width = 0, height = 0;
};

SIZE textSize(HDC dc, const std::wstring& text, UINT format, int width = 0) {
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

// How far below the top of its line the text's lowest ink reaches: a line's blank top and bottom
// may be cut, its letters not.
int inkBottom(HDC dc, const std::wstring& text) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int below = 0;  // the lowest ink under the base line
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (wchar_t c : text) {
        GLYPHMETRICS glyph{};
        if (GetGlyphOutlineW(dc, c, GGO_METRICS, &glyph, 0, nullptr, &identity) != GDI_ERROR)
            below = std::max(below, static_cast<int>(glyph.gmBlackBoxY) -
                                        static_cast<int>(glyph.gmptGlyphOrigin.y));
    }
    return metrics.tmAscent + below;
}

Overflow overflowOf(const forms::Control& control, HWND window) {
    RECT room{};
    GetClientRect(window, &room);
    HDC dc = GetDC(window);
    HGDIOBJ former =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    const std::wstring caption = wide(control.caption());
    Overflow over;
    int indicator = 0;
    switch (control.kind()) {
        case forms::ControlKind::Label: {  // wrapped at spaces, within its height
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            const SIZE need = textSize(dc, caption, DT_WORDBREAK | DT_EXPANDTABS, room.right);
            const int lines = std::max(1, static_cast<int>(need.cy / metrics.tmHeight));
            over = {need.cx - room.right,
                    (lines - 1) * metrics.tmHeight + inkBottom(dc, caption) - room.bottom};
            break;
        }
        case forms::ControlKind::CommandButton:  // one line inside the focus rectangle
            over.width = textSize(dc, caption, DT_SINGLELINE).cx - (room.right - 8);
            break;
        case forms::ControlKind::Frame:  // the caption breaks the line 10 pixels in; 6 stay
            over.width = textSize(dc, caption, DT_SINGLELINE).cx - (room.right - 16);
            break;
        case forms::ControlKind::OptionButton:
        case forms::ControlKind::CheckBox: {
            // The indicator is 13 pixels at 96 dpi and the text keeps half a digit's width from
            // it, as the system control lays them out; then one pixel of focus rectangle.
            INT digit = 0;
            GetCharWidth32W(dc, L'0', L'0', &digit);
            indicator = 13 + digit / 2 + 1;
            // The assistant's language buttons are only as wide as their circle: their design
            // shows no caption at all.
            if (room.right > indicator)
                over.width = textSize(dc, caption, DT_SINGLELINE).cx - (room.right - indicator);
            break;
        }
        case forms::ControlKind::TextBox:  // one line in the edit field
            over.height = inkBottom(dc, caption) - room.bottom;
            break;
        default:
            break;
    }
    SelectObject(dc, former);
    ReleaseDC(window, dc);
    return {std::max(0, over.width), std::max(0, over.height)};
}

// Whether the control lies where the user can see it: shown, and inside its window's client area
// (the folder browsers keep their result box below it).
bool inView(const forms::Control& control, HWND window) {
    if (!control.effectivelyVisible() || !window) return false;
    RECT place{}, client{}, common{};
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    GetClientRect(GetParent(window), &client);
    return IntersectRect(&common, &place, &client) != 0;
}

std::string nameOf(const forms::Control& control) {
    std::string name = control.form().name() + "." + control.name();
    if (control.index() >= 0) name += "(" + std::to_string(control.index()) + ")";
    return name;
}

// Captions that do not fit even in the binding's fonts: "Form.Control(index) LANG". The Japanese
// screen-option frame is eleven full-width letters in a frame 129 pixels wide; at the Japanese
// em of 13 pixels they take 143 (and in "MS UI Gothic" itself just as many).
const std::set<std::string> KnownCuts = {"Foption.Frame5 JP"};

TEST(KorvoWindows, EveryCaptionFitsItsDesignWidthInEveryLanguage) {
    Win32Program program(test::settingsWith("C:\\Korvo\\fond\\", "EN", "0"));
    program.start();
    std::vector<std::string> cut;
    std::set<std::string> seen;
    for (const char* code : LanguageCodes) {
        test::showInLanguage(program.app(), code);
        for (const char* name : test::shownForms()) {
            forms::Form* form = test::loadedForm(program.app(), name);
            ASSERT_NE(form, nullptr) << name;
            for (const forms::Control* control : form->controls()) {
                HWND window = program.view().handle(*control);
                if (!inView(*control, window)) continue;
                const bool captioned = control->kind() != forms::ControlKind::TextBox;
                if (captioned && control->caption().empty()) continue;
                // What a screen reader names the control by.
                if (captioned) {
                    EXPECT_EQ(windowText(window), control->caption()) << nameOf(*control);
                }
                const Overflow over = overflowOf(*control, window);
                if (over.width == 0 && over.height == 0) continue;
                const std::string where = nameOf(*control) + " " + code;
                seen.insert(where);
                if (KnownCuts.count(where)) continue;
                std::ostringstream line;
                line << where << " \"" << control->caption() << "\": " << over.width
                     << " px too wide, " << over.height << " px too high";
                cut.push_back(line.str());
            }
        }
    }
    std::string all;
    for (const std::string& line : cut) all += "\n  " + line;
    EXPECT_TRUE(cut.empty()) << "cut captions:" << all;
    for (const std::string& known : KnownCuts)
        EXPECT_TRUE(seen.count(known)) << known << " fits now: take it off the known list";
}

// The control of `form` that has the keyboard focus (a combo box for its edit line), as
// "Name(index)"; empty when none has.
std::string focused(Win32Program& program, const forms::Form& form) {
    for (HWND focus = GetFocus(); focus; focus = GetParent(focus))
        for (const forms::Control* control : form.controls())
            if (program.view().handle(*control) == focus) {
                std::string name = control->name();
                if (control->index() >= 0) name += "(" + std::to_string(control->index()) + ")";
                return name;
            }
    return {};
}

// A key pressed and let go where the focus is, as the keyboard sends it, with Shift held or not;
// then the loop runs as Korvo.exe's does.
void press(UINT key, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    test::pumpUntil([] { return false; }, 40);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

TEST(KorvoWindows, TheKeyboardAloneWalksTheOptionsDialogAndPressesItsButtons) {
    Win32Program program(test::settingsWith("C:\\Korvo\\fond\\", "EN", "0"));
    program.start();
    Program& app = program.app();
    Foption& dialog = app.form<Foption>();
    app.runtime().dispatch([&] { dialog.show(); });
    ASSERT_TRUE(test::pumpUntil([&] { return !focused(program, dialog).empty(); }));

    // In manual mode the delay frame is disabled: Tab passes its slider and box by. Option
    // buttons side by side are one stop, at the one selected.
    std::vector<std::string> walked = {focused(program, dialog)};
    for (int stop = 0; stop < 10; ++stop) {
        press(VK_TAB);
        walked.push_back(focused(program, dialog));
    }
    EXPECT_EQ(walked, (std::vector<std::string>{"Option1", "Text2", "Command1", "Option2(0)",
                                                "Option3(0)", "Check1", "Command2", "Command3",
                                                "Command4", "Command5", "Option1"}));

    // Arrows select among option buttons, the slider takes its own, the space bar ticks.
    press(VK_RIGHT);
    EXPECT_EQ(focused(program, dialog), "Option4");
    EXPECT_EQ(app.OptChangeMode, "1") << "automatic";
    press(VK_TAB);
    EXPECT_EQ(focused(program, dialog), "Slider1") << "enabled with the automatic mode";
    press(VK_UP);
    EXPECT_EQ(app.OptDelay, "5");
    for (int i = 0; i < 4; ++i) press(VK_TAB);
    press(VK_DOWN);
    EXPECT_EQ(app.CurrentLang, "FR");
    press(VK_TAB);
    press(VK_DOWN);
    EXPECT_EQ(app.CurrentAspect, "1");
    press(VK_TAB);
    press(VK_SPACE);
    EXPECT_EQ(dialog.Check1.value(), forms::CheckBox::Checked);
    press(VK_TAB, true);
    EXPECT_EQ(focused(program, dialog), "Option3(1)") << "Shift+Tab goes back";
    press(VK_TAB);

    // Enter presses the default button, OK, which stores what the dialog shows.
    press(VK_RETURN);
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(app.ReadSetting("Start", "Win") + app.ReadSetting("OPTION", "Lang") +
                  app.ReadSetting("OPTION", "Affichage") + app.ReadSetting("OPTION", "Delay") +
                  app.ReadSetting("OPTION", "Aspect"),
              "1FR151");

    // Shown again, the focus is where it was. Enter on a button presses that one; Escape closes
    // the about box, then presses Cancel, which stores nothing.
    app.runtime().dispatch([&] { dialog.show(); });
    ASSERT_TRUE(test::pumpUntil([&] { return !focused(program, dialog).empty(); }));
    EXPECT_EQ(focused(program, dialog), "Check1");
    for (int i = 0; i < 3; ++i) press(VK_TAB);
    press(VK_DOWN);  // no option button: nothing
    press(VK_RETURN);
    ASSERT_TRUE(app.isLoaded<Fabout>() && app.form<Fabout>().visible()) << "About";
    press(VK_ESCAPE);
    EXPECT_FALSE(app.isLoaded<Fabout>());
    EXPECT_TRUE(test::pumpUntil([&] { return focused(program, dialog) == "Command4"; }))
        << "the focus comes back to the dialog, where it was";
    press(VK_DOWN);
    press(VK_ESCAPE);
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(app.ReadSetting("OPTION", "Delay"), "5");
}

TEST(KorvoWindows, TheKeyboardAloneTakesTheAssistantThroughItsThreePages) {
    Win32Program program(test::settingsWith("C:\\Korvo\\fond\\", "EN", "1"));
    program.start();
    Program& app = program.app();
    auto& language = app.form<Fassist1>();
    ASSERT_TRUE(test::pumpUntil([&] { return !focused(program, language).empty(); }));
    EXPECT_EQ(focused(program, language), "Option1(0)") << "Continue is not yet enabled";
    EXPECT_TRUE(app.AssistLang.empty()) << "the focus alone picks nothing";
    press(VK_RIGHT);
    EXPECT_EQ(app.AssistLang, "EN");
    press(VK_TAB);
    EXPECT_EQ(focused(program, language), "C1");
    press(VK_RETURN);

    auto& folder = app.form<Fassist2>();
    ASSERT_TRUE(folder.visible());
    ASSERT_TRUE(test::pumpUntil([&] { return !focused(program, folder).empty(); }));
    EXPECT_EQ(focused(program, folder), "Cv");
    press(VK_TAB);
    press(VK_RETURN);  // "Default"
    press(VK_TAB);
    EXPECT_EQ(focused(program, folder), "C1") << "past the folder box, which takes no typing";
    press(VK_RETURN);

    auto& settings = app.form<Fassist3>();
    ASSERT_TRUE(settings.visible());
    ASSERT_TRUE(test::pumpUntil([&] { return !focused(program, settings).empty(); }));
    press(VK_SPACE);  // "Auto-change"
    press(VK_TAB);
    EXPECT_EQ(focused(program, settings), "Combo1");
    press(VK_DOWN);  // the list's first item, "1 second", which its line already shows
    press(VK_DOWN);
    for (int i = 0; i < 2; ++i) press(VK_TAB);
    press(VK_SPACE);
    press(VK_TAB);
    EXPECT_EQ(focused(program, settings), "C1");
    press(VK_RETURN);
    EXPECT_TRUE(app.form<Form1>().visible());
    EXPECT_EQ(app.ReadSetting("Start", "First") + app.ReadSetting("Start", "Win") +
                  app.ReadSetting("OPTION", "Affichage") + app.ReadSetting("OPTION", "Delay") +
                  app.ReadSetting("OPTION", "Lang"),
              "0115EN");
}

}  // namespace
}  // namespace korvo::win32
