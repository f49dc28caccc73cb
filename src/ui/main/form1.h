// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// The main window: a small borderless window with its own title strip, the picture folder's file
// list, a preview and three buttons. It owns the tray icon, and its list is the one the rotation
// walks.
class Form1 : public forms::Form {
  public:
    explicit Form1(Program& app);

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_MouseDown(const forms::MouseEvent& event) override;
    // Also the tray icon's notifications: X carries the icon's mouse message in twips.
    void Form_MouseMove(const forms::MouseEvent& event) override;

    void Fi_Click();
    void ApK_Click();
    void Cbas_Click();
    void Quitter_Click();
    // Where no tray shows the icon, the first hide of the session tells the user how to get the
    // window back.
    void TellWhereItWent();
    void Coption_Click();
    void LFNa_MouseDown(const forms::MouseEvent& event);
    void Picture1_MouseDown(const forms::MouseEvent& event);

    // Puts the captions of the current language on the three buttons.
    void If1();
    // Lists the folder named by the folder label; a folder that cannot be listed is ignored and
    // the list keeps what it had.
    void PointListAtFolder();

    std::string AppTitle;

    // The tray icon's record, as handed to the system when the icon is added.
    struct NotifyIconData {
        std::uint32_t cbSize = 0;
        std::uint32_t uID = 0;
        std::uint32_t uFlags = 0;
        std::uint32_t uCallbackMessage = 0;
        std::string szTip;
    };
    static constexpr std::uint32_t NifMessage = 1, NifIcon = 2, NifTip = 4;
    static constexpr int WmMouseMove = 0x200, WmLButtonUp = 0x202, WmRButtonUp = 0x205;
    NotifyIconData TrayIconData;
    // Kept between notifications: the message decoded last, and whether the menu is open.
    std::int32_t TrayMessage = 0;
    bool TrayBusy = false;

    forms::PictureBox Picture1{*this, "Picture1", {0, 0, 7575, 375}};
    forms::Image ICoM{Picture1, "ICoM", {0, 0, 375, 375}, true};
    forms::Label LFNa{*this, "LFNa", {720, 120, 4695, 255}, "form1"};
    forms::CommandButton Cbas{*this, "Cbas", {5880, 0, 375, 255}, "X"};
    forms::Image Is1{*this, "Is1", {240, 360, 1575, 1455}, true};
    forms::Label Lchemin{*this, "Lchemin", {2160, 480, 4095, 375}};
    forms::Image Idr{*this, "Idr", {2160, 840, 615, 375}, true};
    forms::Frame Fpre{*this, "Fpre", {2160, 1200, 4095, 3255}, "Preview"};
    forms::Image Im1{Fpre, "Im1", {120, 240, 3855, 2775}, true};
    forms::FileListBox Fi{*this, "Fi", {0, 1920, 2175, 3015}};
    forms::CommandButton ApK{*this, "ApK", {2280, 4560, 975, 375}};
    forms::CommandButton Coption{*this, "Coption", {3360, 4560, 975, 375}};
    forms::CommandButton Quitter{*this, "Quitter", {4440, 4560, 975, 375}};

    Program& app;
};

}  // namespace korvo
