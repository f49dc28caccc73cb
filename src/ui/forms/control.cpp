// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/control.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "base/paths.h"
#include "ui/forms/errors.h"
#include "ui/forms/form.h"
#include "ui/forms/runtime.h"

namespace korvo::forms {

namespace {

[[noreturn]] void invalidValue(const std::string& what) {
    throw Error(ErrorCode::InvalidPropertyValue, "Invalid property value: " + what);
}

// The folder above `folder`, or empty at a root (and for no folder at all).
std::string parentFolder(const std::string& folder) {
    if (folder.empty()) return {};
    std::filesystem::path path = toPath(folder).lexically_normal();
    if (path.filename().empty()) path = path.parent_path();  // "a/b/" is "a/b"
    if (!path.has_relative_path()) return {};
    return fromPath(path.parent_path());
}

}  // namespace

Control::Control(Container& parent, std::string name, ControlKind kind, Rect rect, int index)
    : form_(&parent.form()),
      container_(&parent),
      name_(std::move(name)),
      kind_(kind),
      index_(index),
      rect_(rect) {
    parent.children_.push_back(this);
    form_->controls_.push_back(this);
}

Control::~Control() {
    auto& siblings = container_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    auto& all = form_->controls_;
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

Runtime& Control::runtime() const {
    return form_->runtime();
}

void Control::changed(Property property) {
    runtime().notify(*this, property);
}

void Control::setCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    changed(Property::Caption);
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    changed(Property::Enabled);
    if (kind_ == ControlKind::Timer) runtime().timerChanged(static_cast<Timer&>(*this));
    // What a frame holds greys out with it; tell the view about every control inside.
    if (auto* holder = dynamic_cast<Container*>(this)) {
        std::vector<Control*> pending(holder->children().begin(), holder->children().end());
        while (!pending.empty()) {
            Control* inner = pending.back();
            pending.pop_back();
            inner->changed(Property::Enabled);
            if (auto* nested = dynamic_cast<Container*>(inner))
                pending.insert(pending.end(), nested->children().begin(), nested->children().end());
        }
    }
}

bool Control::effectivelyEnabled() const {
    return enabled_ && container_->enablesContents();
}

bool Control::effectivelyVisible() const {
    if (!visible_) return false;
    const auto* holder = dynamic_cast<const Control*>(container_);
    return !holder || holder->effectivelyVisible();
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    changed(Property::Visible);
}

void Control::setRect(const Rect& rect) {
    if (rect_ == rect) return;
    rect_ = rect;
    changed(Property::Geometry);
}

void Control::setForeColor(Color color) {
    if (foreColor_ == color) return;
    foreColor_ = color;
    changed(Property::Colors);
}

void Control::setBackColor(std::optional<Color> color) {
    if (backColor_ == color) return;
    backColor_ = color;
    changed(Property::Colors);
}

bool Control::hasFont() const {
    return kind_ != ControlKind::Image && kind_ != ControlKind::Timer && kind_ != ControlKind::Menu;
}

const Font& Control::font() const {
    if (!hasFont()) throw Error(ErrorCode::PropertyNotSupported, name_ + " does not support Font");
    return font_;
}

void Control::setFont(const Font& font) {
    if (!hasFont()) throw Error(ErrorCode::PropertyNotSupported, name_ + " does not support Font");
    if (font_ == font) return;
    font_ = font;
    changed(Property::Font);
}

void Control::setPicture(Picture picture) {
    picture_ = std::move(picture);
    changed(Property::Picture);
}

void Control::setMousePointer(int pointer) {
    if (mousePointer_ == pointer) return;
    mousePointer_ = pointer;
    changed(Property::MousePointer);
}

void Control::mouseDown(const MouseEvent& event) {
    if (onMouseDown) onMouseDown(event);
}

void Control::mouseMove(const MouseEvent& event) {
    if (onMouseMove) onMouseMove(event);
}

Label::Label(Container& parent, std::string name, Rect rect, const std::string& caption, int index)
    : Control(parent, std::move(name), ControlKind::Label, rect, index) {
    setCaption(caption);
}

void Label::pointerClick() {
    if (onClick) onClick();
}

CommandButton::CommandButton(Container& parent, std::string name, Rect rect,
                             const std::string& caption, int index)
    : Control(parent, std::move(name), ControlKind::CommandButton, rect, index) {
    setCaption(caption);
}

void CommandButton::click() {
    if (onClick) onClick();
}

OptionButton::OptionButton(Container& parent, std::string name, Rect rect,
                           const std::string& caption, int index)
    : Control(parent, std::move(name), ControlKind::OptionButton, rect, index) {
    setCaption(caption);
}

void OptionButton::select() {
    for (Control* sibling : container().children()) {
        auto* other = dynamic_cast<OptionButton*>(sibling);
        if (other && other != this && other->value_) {
            other->value_ = false;
            other->changed(Property::Value);
        }
    }
    if (!value_) {
        value_ = true;
        changed(Property::Value);
    }
    if (onClick) onClick();
}

CheckBox::CheckBox(Container& parent, std::string name, Rect rect, const std::string& caption)
    : Control(parent, std::move(name), ControlKind::CheckBox, rect) {
    setCaption(caption);
}

void CheckBox::setValue(int value) {
    if (value < Unchecked || value > Grayed) invalidValue(name() + ".Value");
    if (value_ == value) return;
    value_ = value;
    changed(Property::Value);
    if (onClick) onClick();
}

void CheckBox::click() {
    setValue(value_ == Unchecked ? Checked : Unchecked);
}

TextBox::TextBox(Container& parent, std::string name, Rect rect, const std::string& text)
    : Control(parent, std::move(name), ControlKind::TextBox, rect) {
    setCaption(text);
}

void TextBox::setText(const std::string& text) {
    if (caption() == text) return;
    setCaption(text);
    if (onChange) onChange();
}

void TextBox::setLocked(bool locked) {
    if (locked_ == locked) return;
    locked_ = locked;
    changed(Property::Locked);
}

const std::string& ListControl::list(int index) const {
    if (index < 0 || index >= listCount()) invalidValue(name() + ".List");
    return items_[static_cast<std::size_t>(index)];
}

void ListControl::replaceItems(std::vector<std::string> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    changed(Property::List);
}

void ListControl::storeListIndex(int index) {
    if (index < -1 || index >= listCount()) invalidValue(name() + ".ListIndex");
    listIndex_ = index;
    changed(Property::ListIndex);
}

ComboBox::ComboBox(Container& parent, std::string name, Rect rect, const std::string& text)
    : ListControl(parent, std::move(name), ControlKind::ComboBox, rect) {
    setCaption(text);
}

void ComboBox::setText(const std::string& text) {
    if (caption() == text) return;
    setCaption(text);
    if (onChange) onChange();
}

void ComboBox::addItem(const std::string& item) {
    mutableItems().push_back(item);
    changed(Property::List);
}

void ComboBox::clear() {
    replaceItems({});
}

void ComboBox::setListIndex(int index) {
    storeListIndex(index);
    if (index < 0) return;
    setCaption(list(index));
    if (onClick) onClick();
}

FileListBox::FileListBox(Container& parent, std::string name, Rect rect)
    : ListControl(parent, std::move(name), ControlKind::FileList, rect) {}

void FileListBox::setPath(const std::string& path) {
    auto files = runtime().files().listFiles(path);  // throws and leaves everything as it was
    path_ = path;
    replaceItems(std::move(files));
    if (onPathChange) onPathChange();
}

void FileListBox::setListIndex(int index) {
    storeListIndex(index);
    if (index >= 0 && onClick) onClick();
}

std::string FileListBox::fileName() const {
    return listIndex() < 0 ? std::string{} : list(listIndex());
}

FolderListBox::FolderListBox(Container& parent, std::string name, Rect rect)
    : ListControl(parent, std::move(name), ControlKind::FolderList, rect) {}

void FolderListBox::setPath(const std::string& path) {
    auto folders = runtime().files().listFolders(path);  // throws and leaves everything as it was
    const bool moved = path != path_;
    path_ = path;
    parent_ = parentFolder(path);
    replaceItems(std::move(folders));
    if (moved && onChange) onChange();
}

void FolderListBox::setListIndex(int index) {
    storeListIndex(index);
    if (index >= 0 && onClick) onClick();
}

std::vector<std::string> FolderListBox::rows() const {
    std::vector<std::string> shown;
    shown.reserve(items().size() + 1);
    if (!parent_.empty()) shown.emplace_back("..");
    shown.insert(shown.end(), items().begin(), items().end());
    return shown;
}

int FolderListBox::currentRow() const {
    return listIndex() < 0 ? -1 : listIndex() + firstFolderRow();
}

void FolderListBox::clickRow(int row) {
    if (row < firstFolderRow()) return;  // no row, or the way up: nothing to highlight
    setListIndex(row - firstFolderRow());
}

void FolderListBox::openRow(int row) {
    if (row < 0) invalidValue(name() + ".List");
    if (row < firstFolderRow()) {
        setPath(parent_);
    } else {
        setPath(joinPath(path_, list(row - firstFolderRow())));
    }
}

DriveListBox::DriveListBox(Container& parent, std::string name, Rect rect)
    : ListControl(parent, std::move(name), ControlKind::DriveList, rect) {}

void DriveListBox::setDrive(const std::string& drive) {
    if (items().empty()) replaceItems(runtime().files().drives());
    if (caption() == drive) return;
    setCaption(drive);
    if (onChange) onChange();
}

void DriveListBox::setListIndex(int index) {
    storeListIndex(index);
    if (index >= 0) setDrive(list(index));
}

Frame::Frame(Container& parent, std::string name, Rect rect, const std::string& caption)
    : Control(parent, std::move(name), ControlKind::Frame, rect) {
    setCaption(caption);
}

bool Frame::enablesContents() const {
    return effectivelyEnabled();
}

PictureBox::PictureBox(Container& parent, std::string name, Rect rect)
    : Control(parent, std::move(name), ControlKind::PictureBox, rect) {}

bool PictureBox::enablesContents() const {
    return effectivelyEnabled();
}

Image::Image(Container& parent, std::string name, Rect rect, bool stretch, int index)
    : Control(parent, std::move(name), ControlKind::Image, rect, index), stretch_(stretch) {}

void Image::pointerClick() {
    if (onClick) onClick();
}

void Image::setBordered(bool bordered) {
    bordered_ = bordered;
    changed(Property::Picture);
}

Slider::Slider(Container& parent, std::string name, Rect rect, int min, int max, bool vertical)
    : Control(parent, std::move(name), ControlKind::Slider, rect),
      min_(min),
      max_(max),
      value_(min),
      vertical_(vertical) {}

void Slider::setValue(int value) {
    if (value < min_ || value > max_) invalidValue(name() + ".Value");
    if (value_ == value) return;
    value_ = value;
    changed(Property::Value);
    if (onChange) onChange();
}

Timer::Timer(Container& parent, std::string name, int interval, bool enabled)
    : Control(parent, std::move(name), ControlKind::Timer, {}), interval_(interval) {
    if (interval < 0 || interval > MaxInterval) invalidValue(this->name() + ".Interval");
    Control::setEnabled(enabled);
    Control::setVisible(false);
}

Timer::~Timer() {
    runtime().timerDestroyed(*this);
}

void Timer::setInterval(int milliseconds) {
    if (milliseconds < 0 || milliseconds > MaxInterval) invalidValue(name() + ".Interval");
    if (interval_ == milliseconds) return;
    interval_ = milliseconds;
    changed(Property::Timer);
    runtime().timerChanged(*this);
}

void Timer::fire() {
    if (onTimer) onTimer();
}

Menu::Menu(Container& form, std::string name, const std::string& caption, Menu* parent)
    : Control(form, std::move(name), ControlKind::Menu, {}), parent_(parent) {
    setCaption(caption);
    if (parent_) parent_->items_.push_back(this);
}

void Menu::setChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    changed(Property::Value);
}

void Menu::click() {
    if (onClick) onClick();
}

}  // namespace korvo::forms
