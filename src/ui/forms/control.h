// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/forms/types.h"

namespace korvo::forms {

class Form;
class Runtime;
class Control;

enum class ControlKind {
    Label,
    CommandButton,
    OptionButton,
    CheckBox,
    ComboBox,
    TextBox,
    Frame,
    PictureBox,
    Image,
    DriveList,
    FolderList,
    FileList,
    Slider,
    Timer,
    Menu,
};

// Which part of a control's state changed; the view re-reads that part.
enum class Property {
    Caption,
    Enabled,
    Visible,
    Geometry,
    Colors,
    Font,
    Picture,
    Value,
    List,
    ListIndex,
    Locked,
    MousePointer,
    Timer,
};

// Something that holds controls: a form, a frame or a picture box.
class Container {
  public:
    virtual ~Container() = default;
    virtual Form& form() = 0;
    // Whether the chain of containers up to the form lets its contents take input.
    virtual bool enablesContents() const = 0;
    const std::vector<Control*>& children() const { return children_; }

  private:
    friend class Control;
    std::vector<Control*> children_;
};

class Control {
  public:
    Control(Container& parent, std::string name, ControlKind kind, Rect rect, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 when not part of a control array
    ControlKind kind() const { return kind_; }
    Form& form() const { return *form_; }
    Container& container() const { return *container_; }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Enabled and inside containers that are all enabled: what the user can actually reach.
    bool effectivelyEnabled() const;

    bool visible() const { return visible_; }
    // Visible itself and inside containers that are all visible.
    bool effectivelyVisible() const;
    void setVisible(bool visible);

    const Rect& rect() const { return rect_; }
    void setRect(const Rect& rect);

    Color foreColor() const { return foreColor_; }
    void setForeColor(Color color);
    // nullopt: the window system's own colour (or transparent, for labels).
    std::optional<Color> backColor() const { return backColor_; }
    void setBackColor(std::optional<Color> color);

    bool hasFont() const;
    const Font& font() const;  // throws Error(PropertyNotSupported) for controls without a font
    void setFont(const Font& font);

    const Picture& picture() const { return picture_; }
    void setPicture(Picture picture);

    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);

    // Pointer events, forwarded by the view.
    std::function<void(const MouseEvent&)> onMouseDown;
    std::function<void(const MouseEvent&)> onMouseMove;
    void mouseDown(const MouseEvent& event);
    void mouseMove(const MouseEvent& event);
    // The left button pressed and released over the control, as the view tells it: the Click of
    // the kinds that have no other (labels, images). A press alone, or one that started a window
    // drag, is no click.
    virtual void pointerClick() {}

  protected:
    void changed(Property property);
    Runtime& runtime() const;

  private:
    Form* form_;
    Container* container_;
    std::string name_;
    ControlKind kind_;
    int index_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    Rect rect_;
    Color foreColor_{};
    std::optional<Color> backColor_;
    Font font_;
    Picture picture_;
    int mousePointer_ = 0;
};

class Label : public Control {
  public:
    Label(Container& parent, std::string name, Rect rect, const std::string& caption = {},
          int index = -1);
    std::function<void()> onClick;
    void pointerClick() override;
};

class CommandButton : public Control {
  public:
    CommandButton(Container& parent, std::string name, Rect rect, const std::string& caption = {},
                  int index = -1);
    std::function<void()> onClick;
    void click();  // the user's press, and `Value = True` from code
    // The button Enter presses (a dialog's OK) and the one Escape presses (its Cancel).
    bool isDefault() const { return default_; }
    void setDefault(bool isDefault) { default_ = isDefault; }
    bool isCancel() const { return cancel_; }
    void setCancel(bool isCancel) { cancel_ = isCancel; }

  private:
    bool default_ = false;
    bool cancel_ = false;
};

class OptionButton : public Control {
  public:
    OptionButton(Container& parent, std::string name, Rect rect, const std::string& caption = {},
                 int index = -1);
    bool value() const { return value_; }
    // Selecting clears the other option buttons of the same container and runs the click
    // handler, also when this button was already selected.
    void select();
    std::function<void()> onClick;

  private:
    bool value_ = false;
};

class CheckBox : public Control {
  public:
    static constexpr int Unchecked = 0, Checked = 1, Grayed = 2;
    CheckBox(Container& parent, std::string name, Rect rect, const std::string& caption = {});
    int value() const { return value_; }
    void setValue(int value);  // 0, 1 or 2; runs the click handler when the value changes
    void click();              // the user's click: ticks an unticked box, unticks otherwise
    std::function<void()> onClick;

  private:
    int value_ = Unchecked;
};

class TextBox : public Control {
  public:
    TextBox(Container& parent, std::string name, Rect rect, const std::string& text = {});
    const std::string& text() const { return caption(); }
    void setText(const std::string& text);  // runs the change handler when the text changes
    bool locked() const { return locked_; }
    void setLocked(bool locked);
    std::function<void()> onChange;

  private:
    bool locked_ = false;
};

// Shared by the lists that have entries and a current index.
class ListControl : public Control {
  public:
    using Control::Control;
    int listCount() const { return static_cast<int>(items_.size()); }
    const std::string& list(int index) const;  // throws Error(InvalidPropertyValue)
    const std::vector<std::string>& items() const { return items_; }
    int listIndex() const { return listIndex_; }

  protected:
    void replaceItems(std::vector<std::string> items);
    // Validates and stores; throws Error(InvalidPropertyValue) for an index that does not exist.
    void storeListIndex(int index);
    std::vector<std::string>& mutableItems() { return items_; }

  private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

class ComboBox : public ListControl {
  public:
    ComboBox(Container& parent, std::string name, Rect rect, const std::string& text = {});
    const std::string& text() const { return caption(); }
    void setText(const std::string& text);  // an edit: runs onChange when the text changes
    void addItem(const std::string& item);
    void clear();
    void setListIndex(int index);  // a pick: the text becomes the item, then onClick
    std::function<void()> onChange;
    std::function<void()> onClick;
};

class FileListBox : public ListControl {
  public:
    FileListBox(Container& parent, std::string name, Rect rect);
    const std::string& path() const { return path_; }
    // Lists every file of the folder and clears the selection. Throws Error(PathNotFound) when
    // the folder cannot be listed; the list then keeps its former folder and entries.
    void setPath(const std::string& path);
    // Selecting an entry runs onClick; an index that does not exist is an error.
    void setListIndex(int index);
    std::string fileName() const;  // the selected entry, or empty
    std::function<void()> onClick;
    std::function<void()> onPathChange;

  private:
    std::string path_;
};

// The sub-folders of one folder (its List), shown below a ".." row whenever there is a folder
// above, so that the user can walk both ways: a double click on a row makes that folder the
// list's Path. A binding shows rows() and hands the user's clicks to clickRow and openRow, so
// every toolkit walks the same way.
class FolderListBox : public ListControl {
  public:
    FolderListBox(Container& parent, std::string name, Rect rect);
    const std::string& path() const { return path_; }
    // Lists the sub-folders and clears the selection; onChange when the folder changes. Throws
    // Error(PathNotFound) when the folder cannot be listed; the list then stays where it was.
    void setPath(const std::string& path);
    void setListIndex(int index);  // highlights a sub-folder and runs onClick
    std::function<void()> onChange;
    std::function<void()> onClick;

    // What the list shows, top to bottom: "..", unless the folder is a root, then List.
    std::vector<std::string> rows() const;
    int currentRow() const;  // the row of ListIndex; -1 when no sub-folder is highlighted
    // The user's single click: highlights the row's sub-folder; the ".." row highlights none.
    void clickRow(int row);
    // The user's double click: walks into the row's sub-folder, or up from the ".." row.
    void openRow(int row);

  private:
    int firstFolderRow() const { return parent_.empty() ? 0 : 1; }
    std::string path_;
    std::string parent_;  // the folder above path_; empty at a root
};

class DriveListBox : public ListControl {
  public:
    DriveListBox(Container& parent, std::string name, Rect rect);
    const std::string& drive() const { return caption(); }
    void setDrive(const std::string& drive);  // onChange when it changes
    void setListIndex(int index);
    std::function<void()> onChange;
};

class Frame : public Control, public Container {
  public:
    Frame(Container& parent, std::string name, Rect rect, const std::string& caption = {});
    Form& form() override { return Control::form(); }
    bool enablesContents() const override;
};

class PictureBox : public Control, public Container {
  public:
    PictureBox(Container& parent, std::string name, Rect rect);
    Form& form() override { return Control::form(); }
    bool enablesContents() const override;
};

class Image : public Control {
  public:
    Image(Container& parent, std::string name, Rect rect, bool stretch = false, int index = -1);
    bool stretch() const { return stretch_; }
    bool bordered() const { return bordered_; }
    void setBordered(bool bordered);
    std::function<void()> onClick;
    void pointerClick() override;

  private:
    bool stretch_;
    bool bordered_ = false;
};

class Slider : public Control {
  public:
    Slider(Container& parent, std::string name, Rect rect, int min, int max, bool vertical = true);
    int min() const { return min_; }
    int max() const { return max_; }
    bool vertical() const { return vertical_; }
    int value() const { return value_; }
    // Runs onChange when the position changes; a value outside the range is an error.
    void setValue(int value);
    std::function<void()> onChange;

  private:
    int min_, max_, value_;
    bool vertical_;
};

class Timer : public Control {
  public:
    static constexpr int MaxInterval = 65535;
    Timer(Container& parent, std::string name, int interval, bool enabled);
    ~Timer() override;
    int interval() const { return interval_; }
    void setInterval(int milliseconds);           // 0 to 65 535; 0 never fires
    bool isEnabled() const { return enabled(); }  // setEnabled starts and stops it
    std::function<void()> onTimer;

    // Runtime-side bookkeeping.
    void fire();

  private:
    int interval_;
};

class Menu : public Control {
  public:
    // A top-level menu of the form, or an item of `parent` when one is given.
    Menu(Container& form, std::string name, const std::string& caption, Menu* parent = nullptr);
    bool isSeparator() const { return caption() == "-"; }
    Menu* parentMenu() const { return parent_; }
    const std::vector<Menu*>& items() const { return items_; }
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    void click();
    std::function<void()> onClick;

  private:
    Menu* parent_;
    std::vector<Menu*> items_;
    bool checked_ = false;
};

// Controls of one name told apart by Index: `Option2[3]`.
template <class T>
class ControlArray {
  public:
    template <class Make>
    ControlArray(int count, Make make) {
        for (int i = 0; i < count; ++i) controls_.push_back(make(i));
    }
    T& operator[](int index) { return *controls_.at(static_cast<std::size_t>(index)); }
    const T& operator[](int index) const { return *controls_.at(static_cast<std::size_t>(index)); }
    int count() const { return static_cast<int>(controls_.size()); }
    auto begin() { return controls_.begin(); }
    auto end() { return controls_.end(); }

  private:
    std::vector<std::unique_ptr<T>> controls_;
};

}  // namespace korvo::forms
