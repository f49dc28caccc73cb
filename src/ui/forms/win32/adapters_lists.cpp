// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Adapters for the drive, folder and file lists. They show what the model lists and hand the
// user's picks back; walking the folders (the ".." row, opening a folder) is FolderListBox's.

#include <string>

#include "ui/forms/win32/control_adapter.h"
#include "ui/forms/win32/text.h"

namespace korvo::win32 {

namespace {

using forms::Property;

HWND newListBox(ControlWindow& c, HWND parent) {
    return childWindow(c, parent, L"ListBox",
                       LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                       WS_EX_CLIENTEDGE);
}

void showRow(const ControlWindow& c, int row) {
    SendMessageW(c.hwnd, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

// The row the user picked; -1 when none is.
int pickedRow(const ControlWindow& c) {
    return static_cast<int>(SendMessageW(c.hwnd, LB_GETCURSEL, 0, 0));
}

class DriveListAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override {
        return childWindow(c, parent, L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    }
    void show(ControlWindow& c, Property property) const override {
        const auto& model = static_cast<const forms::DriveListBox&>(*c.control);
        if (property == Property::List)
            showRows(c.hwnd, model.items(), CB_RESETCONTENT, CB_ADDSTRING);
        else if (property != Property::Caption)
            return;
        const std::wstring drive = wide(model.drive());
        const LRESULT index = SendMessageW(c.hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(drive.c_str()));
        SendMessageW(c.hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    void command(ControlWindow& c, WORD code, Forwarder& to) const override {
        if (code != CBN_SELCHANGE) return;
        const auto index = static_cast<int>(SendMessageW(c.hwnd, CB_GETCURSEL, 0, 0));
        if (index >= 0)
            to.forwardTo<forms::DriveListBox>(
                c, [index](auto& d) { d.setListIndex(index); }, Property::Caption);
    }
    std::wstring text(const ControlWindow& c) const override {
        return rowsText(static_cast<const forms::DriveListBox&>(*c.control).items());
    }
    // As high as its selection line; the height it is given is the open list's.
    int dropHeight() const override { return DropListHeight; }
};

class FolderListAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override { return newListBox(c, parent); }
    // The list shows its rows: the way up first, then the sub-folders.
    void show(ControlWindow& c, Property property) const override {
        const auto& model = static_cast<const forms::FolderListBox&>(*c.control);
        if (property == Property::List)
            showRows(c.hwnd, model.rows(), LB_RESETCONTENT, LB_ADDSTRING);
        if (property == Property::List || property == Property::ListIndex)
            showRow(c, model.currentRow());
    }
    std::wstring text(const ControlWindow& c) const override {
        return rowsText(static_cast<const forms::FolderListBox&>(*c.control).rows());
    }
    // A click selects; a double click opens the folder.
    void command(ControlWindow& c, WORD code, Forwarder& to) const override {
        const int row = pickedRow(c);
        if (row < 0) return;
        if (code == LBN_SELCHANGE)
            to.forwardTo<forms::FolderListBox>(
                c, [row](auto& f) { f.clickRow(row); }, Property::ListIndex);
        else if (code == LBN_DBLCLK)
            to.forwardTo<forms::FolderListBox>(c, [row](auto& f) { f.openRow(row); });
    }
};

class FileListAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override { return newListBox(c, parent); }
    void show(ControlWindow& c, Property property) const override {
        const auto& model = static_cast<const forms::FileListBox&>(*c.control);
        if (property == Property::List)
            showRows(c.hwnd, model.items(), LB_RESETCONTENT, LB_ADDSTRING);
        if (property == Property::List || property == Property::ListIndex)
            showRow(c, model.listIndex());
    }
    std::wstring text(const ControlWindow& c) const override {
        return rowsText(static_cast<const forms::FileListBox&>(*c.control).items());
    }
    void command(ControlWindow& c, WORD code, Forwarder& to) const override {
        const int row = pickedRow(c);
        if (row >= 0 && code == LBN_SELCHANGE)
            to.forwardTo<forms::FileListBox>(
                c, [row](auto& f) { f.setListIndex(row); }, Property::ListIndex);
    }
};

}  // namespace

AdapterList listAdapters() {
    static const DriveListAdapter driveList;
    static const FolderListAdapter folderList;
    static const FileListAdapter fileList;
    return {
        {forms::ControlKind::DriveList, &driveList},
        {forms::ControlKind::FolderList, &folderList},
        {forms::ControlKind::FileList, &fileList},
    };
}

}  // namespace korvo::win32
