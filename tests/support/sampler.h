// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include "ui/forms/control.h"
#include "ui/forms/form.h"
#include "ui/forms/runtime.h"

namespace korvo::testing {

// A window with one control of each kind the forms use, laid out in twips, for the bindings'
// tests: every handler notes what it saw, the poll counts the events dispatched.
class Sampler : public forms::Form {
  public:
    explicit Sampler(forms::Runtime& runtime) : forms::Form(runtime, "Sampler") {
        setBorderStyle(forms::BorderStyle::None);
        setShowInTaskbar(false);
        setRect({1500, 1200, 6000, 4500});
        Go.onClick = [this] { log.push_back("Go"); };
        for (auto& option : Choice)
            option->onClick = [this, i = option->index()] { log.push_back("Choice" + num(i)); };
        Tick.onClick = [this] { log.push_back("Tick" + num(Tick.value())); };
        Name.onChange = [this] { log.push_back("Name " + Name.text()); };
        Pick.onChange = [this] { log.push_back("Pick change " + Pick.text()); };
        Pick.onClick = [this] { log.push_back("Pick click " + Pick.text()); };
        Files.onClick = [this] { log.push_back("File " + Files.fileName()); };
        Dir.onClick = [this] { log.push_back("Dir click" + num(Dir.listIndex())); };
        Dir.onChange = [this] { log.push_back("Dir " + Dir.path()); };
        Delay.onChange = [this] { log.push_back("Delay" + num(Delay.value())); };
        Title.onClick = [this] { log.push_back("Title click"); };
        Title.onMouseDown = [this](const forms::MouseEvent& e) {
            log.push_back("Title down" + num(e.button) + num(static_cast<int>(e.x)));
        };
        Open.onClick = [this] { log.push_back("Open"); };
        File.setVisible(false);
        Poll.onTimer = [this] { ++polls; };
        Beat.onTimer = [this] { ++beats; };
    }
    void Form_MouseDown(const forms::MouseEvent&) override { log.push_back("Form down"); }
    void Form_MouseMove(const forms::MouseEvent& e) override {
        log.push_back("Form move" + num(e.button) + num(static_cast<int>(e.x)));
    }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        log.push_back("Query unload" + num(UnloadMode));
        Cancel = refuse;
    }
    static std::string num(int n) { return " " + std::to_string(n); }

    forms::PictureBox Strip{*this, "Strip", {0, 0, 6000, 375}};
    forms::Label Title{Strip, "Title", {720, 120, 3000, 255}, "&Korvo"};
    forms::CommandButton Go{*this, "Go", {4440, 4000, 975, 375}, "&Apply"};
    forms::Frame Box{*this, "Box", {2160, 1200, 2400, 2400}, "Preview"};
    forms::ControlArray<forms::OptionButton> Choice{
        3, [this](int i) {
            return std::make_unique<forms::OptionButton>(
                Box, "Choice", forms::Rect{120, 300 + 300 * i, 900, 255}, "", i);
        }};
    forms::CheckBox Tick{Box, "Tick", {120, 1200, 1500, 255}, "Tick"};
    forms::TextBox Name{*this, "Name", {0, 600, 2000, 300}, "design"};
    forms::ComboBox Pick{*this, "Pick", {0, 1000, 2000, 315}};
    forms::FileListBox Files{*this, "Files", {0, 1920, 2100, 1500}};
    forms::FolderListBox Dir{*this, "Dir", {0, 3500, 2100, 900}};
    forms::Slider Delay{*this, "Delay", {5000, 500, 600, 3000}, -10, 0};
    forms::Timer Poll{*this, "Poll", 1, true};
    forms::Timer Beat{*this, "Beat", 50, false};
    forms::Menu File{*this, "File", "&File"};
    forms::Menu Open{*this, "Open", "&Open", &File};
    forms::Menu Close{*this, "Close", "&Close", &File};
    std::vector<std::string> log;
    int polls = 0, beats = 0, refuse = 1;
};

}  // namespace korvo::testing
