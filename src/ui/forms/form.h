// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include "ui/forms/control.h"
#include "ui/forms/types.h"

namespace korvo::forms {

class Runtime;

enum UnloadMode {
    FormControlMenu = 0,  // the window's own close box or control menu
    FormCode = 1,         // an Unload statement in code
    AppWindows = 2,
    AppTaskManager = 3,
};

enum class FormProperty { Caption, Visible, Geometry, Colors, Icon, Border, Taskbar };

// Where a window is first put when it is shown. The window system's default place is where users
// expect a new window (not under a panel, on the screen they work on); a window that asks for
// its design's left and top is put there, and a centred one in the middle of the pointer's
// screen. Later, the window stays wherever the user moved it.
enum class StartUpPosition { Manual, CenterScreen, WindowsDefault };

// A window: its design-time state lives in the members of the derived class, so a fresh instance
// is a freshly designed window. Instances are created and loaded only by the Runtime.
class Form : public Container {
  public:
    Form(Runtime& runtime, std::string name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Form& form() override { return *this; }
    bool enablesContents() const override { return enabled_; }
    Runtime& runtime() const { return runtime_; }
    const std::string& name() const { return name_; }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    bool visible() const { return visible_; }
    const Rect& rect() const { return rect_; }  // left, top and the client area's size
    void setRect(const Rect& rect);
    void move(int left, int top);
    std::optional<Color> backColor() const { return backColor_; }
    void setBackColor(std::optional<Color> color);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style);
    const Picture& icon() const { return icon_; }
    void setIcon(Picture icon);
    bool showInTaskbar() const { return showInTaskbar_; }
    // The form's own font: what its text would be drawn in; its controls keep their own.
    const Font& font() const { return font_; }
    void setFont(const Font& font) { font_ = font; }
    void setShowInTaskbar(bool show);
    bool enabled() const { return enabled_; }
    StartUpPosition startUpPosition() const { return startUpPosition_; }
    void setStartUpPosition(StartUpPosition position) { startUpPosition_ = position; }

    void show();
    void hide();
    // Runs Form_QueryUnload and Form_Unload; true when the form is gone. The instance itself
    // lives on until the event that unloaded it has finished.
    bool unload(int mode = FormCode);
    void popupMenu(Menu& menu, Menu* defaultItem = nullptr);

    // Every control in declaration order, containers before their contents.
    const std::vector<Control*>& controls() const { return controls_; }
    // The controls the Tab key walks, in creation order (the design's order): those a user can
    // operate from the keyboard, shown and enabled or not (the view skips what cannot take focus).
    std::vector<Control*> tabOrder() const;

    // Forwarded by the view.
    void requestClose();  // the close box
    // Enter: the focused button when a button has the focus, else the default button. Escape: the
    // cancel button, else the close box of a window that has one. Either does nothing when the
    // button is disabled or hidden.
    void enterPressed(Control* focused);
    void escapePressed();
    void mouseDown(const MouseEvent& event) { Form_MouseDown(event); }
    void mouseMove(const MouseEvent& event) { Form_MouseMove(event); }

    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}
    virtual void Form_Unload(int& /*Cancel*/) {}
    virtual void Form_MouseDown(const MouseEvent& /*event*/) {}
    virtual void Form_MouseMove(const MouseEvent& /*event*/) {}

    bool isLoaded() const { return loaded_; }

  private:
    friend class Runtime;
    friend class Control;
    void changed(FormProperty property);

    Runtime& runtime_;
    std::string name_;
    std::string caption_;
    bool visible_ = false;
    bool enabled_ = true;
    bool loaded_ = false;
    Rect rect_{0, 0, 4800, 3600};
    std::optional<Color> backColor_;
    BorderStyle borderStyle_ = BorderStyle::Sizable;
    Picture icon_;
    Font font_;
    bool showInTaskbar_ = true;
    StartUpPosition startUpPosition_ = StartUpPosition::WindowsDefault;
    std::vector<Control*> controls_;
};

}  // namespace korvo::forms
