// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// The options dialog. It also hosts the loader, which reads the settings into the running
// program, and the change clock's two timers; the clock's rules are in engine/change_clock.h.
class Foption : public forms::Form {
  public:
    explicit Foption(Program& app);

    void Form_Load() override;
    // The close box acts as "Cancel" and keeps the dialog loaded: the change clock's timers live
    // on it.
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // The dialog's handlers.
    void Option1_Click();
    void Option4_Click();
    void Option2_Click(int Index);
    void Option3_Click(int Index);
    void Slider1_Change();
    void VoirSlider();
    void VoirChange();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    // Writes the dialog's settings.
    void inscrito();

    // Settings access of the dialog: the same file and behaviour as ReadSetting/WriteSetting.
    std::string LireINI2(const std::string& Entete, const std::string& Variable);
    void EcrireINI2(const std::string& Entete, const std::string& Variable,
                    const std::optional<std::string>& Valeur);

    // The loader and the change clock.
    void initio();
    void Ionics();
    void int1();
    void Int2();
    void aleo();
    void Sery();
    void Norm();
    void DelayIni();
    void Vroum();
    void Fz();
    void TimerSt_Timer();
    void Timer1_Timer();

    forms::Frame Frame2{*this, "Frame2", {0, 0, 2535, 615}, "Change wallpaper"};
    forms::OptionButton Option1{Frame2, "Option1", {120, 240, 975, 255}, "Manual"};
    forms::OptionButton Option4{Frame2, "Option4", {1320, 240, 1095, 195}, "Automatic"};
    forms::Frame Frame1{*this, "Frame1", {0, 600, 2535, 4815}, "delay"};
    forms::Slider Slider1{Frame1, "Slider1", {120, 240, 630, 4455}, -10, 0};
    forms::ControlArray<forms::Label> Label1;
    forms::TextBox Text1{Frame1, "Text1", {1800, 360, 495, 285}, "0"};
    // The unit beside the custom box, clear of the box's edge (the box ends at 2295).
    forms::Label Label2{Frame1, "Label2", {2340, 360, 180, 255}, "h"};
    forms::Frame Frame3{*this, "Frame3", {2520, 0, 4695, 615}, "Wallpaper folder"};
    forms::TextBox Text2{Frame3, "Text2", {120, 240, 3975, 285}};
    forms::CommandButton Command1{Frame3, "Command1", {4080, 240, 495, 255}};
    forms::Frame Frame4{*this, "Frame4", {2640, 720, 2535, 3735}, "Language"};
    forms::ControlArray<forms::OptionButton> Option2;
    forms::Frame Frame5{*this, "Frame5", {5280, 720, 1935, 1215}, "Screen option"};
    forms::ControlArray<forms::OptionButton> Option3;
    forms::CheckBox Check1;
    int Check1Loaded = forms::CheckBox::Unchecked;  // as the loader last set it from "Win"
    forms::CommandButton Command2{*this, "Command2", {6000, 2040, 1215, 375}, "OK"};
    forms::CommandButton Command3{*this, "Command3", {6000, 2520, 1215, 375}, "Cancel"};
    forms::CommandButton Command4{*this, "Command4", {6000, 4080, 1215, 375}, "About"};
    forms::CommandButton Command5{*this, "Command5", {6000, 4680, 1215, 375}, "Default"};
    forms::Image Image1{*this, "Image1", {6120, 120, 480, 480}};
    forms::Image Is1{*this, "Is1", {5400, 2040, 615, 615}, true};
    forms::Timer Timer1{*this, "Timer1", 1, true};
    forms::Timer TimerSt{*this, "TimerSt", 1000, false};

    Program& app;
};

}  // namespace korvo
