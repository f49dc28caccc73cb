// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/form.h"

#include <utility>

#include "ui/forms/runtime.h"

namespace korvo::forms {

Form::Form(Runtime& runtime, std::string name) : runtime_(runtime), name_(std::move(name)) {
    caption_ = name_;
}

Form::~Form() = default;

void Form::changed(FormProperty property) {
    if (loaded_) runtime_.notify(*this, FormEvent::Changed, property);
}

void Form::setCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    changed(FormProperty::Caption);
}

void Form::setRect(const Rect& rect) {
    if (rect_ == rect) return;
    rect_ = rect;
    changed(FormProperty::Geometry);
}

void Form::move(int left, int top) {
    setRect({left, top, rect_.width, rect_.height});
}

void Form::setBackColor(std::optional<Color> color) {
    if (backColor_ == color) return;
    backColor_ = color;
    changed(FormProperty::Colors);
}

void Form::setBorderStyle(BorderStyle style) {
    if (borderStyle_ == style) return;
    borderStyle_ = style;
    changed(FormProperty::Border);
}

void Form::setIcon(Picture icon) {
    icon_ = std::move(icon);
    changed(FormProperty::Icon);
}

void Form::setShowInTaskbar(bool show) {
    if (showInTaskbar_ == show) return;
    showInTaskbar_ = show;
    changed(FormProperty::Taskbar);
}

void Form::show() {
    if (visible_) return;
    visible_ = true;
    runtime_.notify(*this, FormEvent::Shown);
}

void Form::hide() {
    if (!visible_) return;
    visible_ = false;
    runtime_.notify(*this, FormEvent::Hidden);
}

bool Form::unload(int mode) {
    return runtime_.unload(*this, mode);
}

void Form::popupMenu(Menu& menu, Menu* defaultItem) {
    runtime_.window().popupMenu(*this, menu, defaultItem);
}

void Form::requestClose() {
    unload(FormControlMenu);
}

std::vector<Control*> Form::tabOrder() const {
    std::vector<Control*> order;
    for (Control* control : controls_) {
        switch (control->kind()) {
            case ControlKind::CommandButton:
            case ControlKind::OptionButton:
            case ControlKind::CheckBox:
            case ControlKind::ComboBox:
            case ControlKind::TextBox:
            case ControlKind::DriveList:
            case ControlKind::FolderList:
            case ControlKind::FileList:
            case ControlKind::Slider:
                order.push_back(control);
                break;
            default:
                break;
        }
    }
    return order;
}

namespace {

CommandButton* operable(Control* control) {
    if (!control || control->kind() != ControlKind::CommandButton) return nullptr;
    if (!control->effectivelyEnabled() || !control->effectivelyVisible()) return nullptr;
    return static_cast<CommandButton*>(control);
}

}  // namespace

void Form::enterPressed(Control* focused) {
    if (focused && focused->kind() == ControlKind::CommandButton) {
        if (CommandButton* button = operable(focused)) button->click();
        return;
    }
    for (Control* control : controls_) {
        if (control->kind() == ControlKind::CommandButton &&
            static_cast<CommandButton*>(control)->isDefault()) {
            if (CommandButton* button = operable(control)) button->click();
            return;
        }
    }
}

void Form::escapePressed() {
    for (Control* control : controls_) {
        if (control->kind() == ControlKind::CommandButton &&
            static_cast<CommandButton*>(control)->isCancel()) {
            if (CommandButton* button = operable(control)) button->click();
            return;
        }
    }
    if (borderStyle_ != BorderStyle::None) requestClose();
}

}  // namespace korvo::forms
