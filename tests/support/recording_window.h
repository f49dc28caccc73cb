// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/forms/control.h"
#include "ui/forms/form.h"
#include "ui/forms/runtime.h"
#include "ui/forms/services.h"

namespace korvo::fake {

// Records what the forms asked of the window system, in order, as readable lines:
// "popup SysTray MnuFichier default=MnuInfo", "drag Form1", "tray+ Form1 Korvo", ...
class RecordingWindow : public forms::WindowServices {
  public:
    void popupMenu(forms::Form& owner, forms::Menu& menu, forms::Menu* defaultItem) override {
        calls.push_back("popup " + owner.name() + " " + menu.name() +
                        (defaultItem ? " default=" + defaultItem->name() : std::string{}));
        if (whilePopupOpen) whilePopupOpen(menu);
        forms::Runtime& runtime = owner.runtime();
        for (forms::Menu* item : menu.items())
            if (item->name() == pick) runtime.dispatch([item] { item->click(); });
        if (runtime.ended()) throw forms::ProgramEnded{};
    }
    void startWindowDrag(forms::Form& form) override { calls.push_back("drag " + form.name()); }
    void activate(forms::Form& form) override { calls.push_back("activate " + form.name()); }
    std::optional<forms::PictureInfo> probePicture(const std::string& path) override {
        calls.push_back("probe " + path);
        if (auto it = pictures.find(path); it != pictures.end()) return it->second;
        return std::nullopt;
    }
    void openAddress(const std::string& address) override { calls.push_back("open " + address); }
    void addTrayIcon(forms::Form& owner, const std::string& tip) override {
        calls.push_back("tray+ " + owner.name() + " " + tip);
    }
    void removeTrayIcon(forms::Form& owner) override { calls.push_back("tray- " + owner.name()); }
    bool hasTray() override { return tray; }
    void showNotice(const std::string& summary, const std::string&) override {
        calls.push_back("notice " + summary);
    }
    int twipsPerPixelX() override { return twipsPerPixel; }
    int twipsPerPixelY() override { return twipsPerPixel; }
    int screenWidth() override { return 0; }
    int screenHeight() override { return 0; }
    void endProgram() override {
        ended = true;
        calls.push_back("end");
    }

    std::vector<std::string> calls;
    int twipsPerPixel = 15;
    bool ended = false;
    bool tray = true;  // whether the desktop has a tray
    // What happens while the popup is open (a test lets the clock run here), then the item it
    // chooses: the name of one of the menu's items, or empty to close it without a choice. The
    // choice is dispatched as the window system's own loop would.
    std::function<void(forms::Menu&)> whilePopupOpen;
    std::string pick;
    // Files that decode as pictures, by path; everything else is not a picture.
    std::map<std::string, forms::PictureInfo> pictures;

    bool called(const std::string& line) const {
        return std::find(calls.begin(), calls.end(), line) != calls.end();
    }
};

}  // namespace korvo::fake
