// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// The window in which the user picks a picture folder by walking drives and folders: the drive
// list sets the folder list's path, the folder list the file list's, and every change of the file
// list's folder refreshes the hidden result box. Form5 (for the options dialog) and Form4 (for
// the assistant's folder page) are this window with their own colours, sizes and result target.
class FolderBrowser : public forms::Form {
  public:
    // Everything that differs between the two copies besides where "OK" delivers.
    struct Look {
        const char* name;
        forms::Color background;
        int width, height;      // client area, twips
        forms::Rect resultBox;  // where Text2 sits, below the visible area
    };

    FolderBrowser(Program& app, const Look& look);

    void Form_Load() override;
    void Drive1_Change();
    void Dir1_Change();
    virtual void File1_PathChange();
    void Command1_Click();
    void Command2_Click();

    // The result: the folder list's path with exactly one separator at its end.
    void VeraS();

    forms::DriveListBox Drive1{*this, "Drive1", {0, 0, 2295, 315}};
    forms::FolderListBox Dir1{*this, "Dir1", {0, 360, 2295, 3240}};
    forms::FileListBox File1{*this, "File1", {2400, 0, 2295, 3015}};
    forms::CommandButton Command1{*this, "Command1", {2400, 3120, 2175, 255}, "OK"};
    forms::CommandButton Command2{*this, "Command2", {2400, 3480, 2175, 255}, "Cancel"};
    forms::TextBox Text2;

    Program& app;

  protected:
    // Hands the chosen folder to the window that opened the browser.
    virtual void deliver(const std::string& folder) = 0;

  private:
    // Puts the folder list on `drive`; false, changing nothing, when the drive is not ready.
    bool opens(const std::string& drive);

    std::string shownDrive_;  // the drive the folder list really is on
    bool restoringDrive_ = false;
};

// The browser of the options dialog's folder button; "OK" fills the dialog's folder box.
class Form5 : public FolderBrowser {
  public:
    explicit Form5(Program& app);

  protected:
    void deliver(const std::string& folder) override;
};

}  // namespace korvo
