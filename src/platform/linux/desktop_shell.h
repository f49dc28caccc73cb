// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/linux/glib_loop.h"
#include "platform/linux/tray_icon.h"
#include "ui/forms/runtime.h"
#include "ui/forms/toolkit.h"

namespace korvo::platform {

// The window services of the Linux program. What a hidden Korvo needs — its tray icon (a menu
// the tray host draws included), notices, picture sizes, the browser, the screen's resolution,
// the end of the program — is answered here without any window toolkit. The toolkit (the Qt
// binding, a module of its own) is loaded the first time a window is shown or a menu must be
// drawn by Korvo itself, and then draws every window from the model as it stands.
class DesktopShell final : public forms::WindowServices, public forms::ViewObserver {
  public:
    // `toolkitModule`: the toolkit's shared object. `argc`/`argv` go to the toolkit as given to
    // the program.
    DesktopShell(Environment env, GlibLoop& loop, std::string toolkitModule, int& argc,
                 char** argv);
    ~DesktopShell() override;
    DesktopShell(const DesktopShell&) = delete;
    DesktopShell& operator=(const DesktopShell&) = delete;

    // Observes `runtime` until the returned object goes: the first form shown loads the toolkit.
    // The toolkit's windows go with it, before the runtime they draw. `sessionEnds` runs when
    // the toolkit hears that the desktop session ends.
    class Attached {
      public:
        explicit Attached(DesktopShell& shell) : shell_(shell) {}
        ~Attached() { shell_.detach(); }
        Attached(const Attached&) = delete;
        Attached& operator=(const Attached&) = delete;

      private:
        DesktopShell& shell_;
    };
    [[nodiscard]] std::unique_ptr<Attached> attach(forms::Runtime& runtime,
                                                   std::function<void()> sessionEnds);
    bool toolkitLoaded() const { return toolkit_ != nullptr; }

    void popupMenu(forms::Form& owner, forms::Menu& menu, forms::Menu* defaultItem) override;
    void startWindowDrag(forms::Form& form) override;
    void activate(forms::Form& form) override;
    std::optional<forms::PictureInfo> probePicture(const std::string& path) override;
    void openAddress(const std::string& address) override;
    void addTrayIcon(forms::Form& owner, const std::string& tip) override;
    void removeTrayIcon(forms::Form& owner) override;
    bool hasTray() override;
    void showNotice(const std::string& summary, const std::string& body) override;
    int twipsPerPixelX() override { return twipsPerPixel_; }
    int twipsPerPixelY() override { return twipsPerPixel_; }
    int screenWidth() override { return screenWidth_ * twipsPerPixel_; }
    int screenHeight() override { return screenHeight_ * twipsPerPixel_; }
    void endProgram() override;

    void formEvent(forms::Form& form, forms::FormEvent event,
                   forms::FormProperty property) override;
    void controlChanged(forms::Control&, forms::Property) override {}

  private:
    void detach();
    // The toolkit's window services, loading the toolkit first; nullptr when it cannot be.
    forms::WindowServices* windows();
    void trayMouse(int message);
    void exportMenu();
    void menuChosen(int id);

    Environment env_;
    GlibLoop& loop_;
    std::string toolkitModule_;
    int& argc_;
    char** argv_;
    forms::Runtime* runtime_ = nullptr;
    std::function<void()> sessionEnds_;
    void* module_ = nullptr;
    std::unique_ptr<forms::Toolkit> toolkit_;
    bool toolkitFailed_ = false;
    int twipsPerPixel_ = 15;
    int screenWidth_ = 0, screenHeight_ = 0;

    // The tray icon and the form its notifications go to.
    forms::Form* trayOwner_ = nullptr;
    std::unique_ptr<TrayIcon> tray_;
    // The menu a tray host draws: the items the program's menu held when it was last exported,
    // by entry id, as (form, item name) so that nothing dangles once a form is unloaded.
    bool exporting_ = false;
    std::vector<std::pair<forms::Form*, std::string>> exported_;
};

// Which of Qt's platforms Korvo's windows use, when the user has not chosen one
// (QT_QPA_PLATFORM): under a Wayland compositor that draws no title bars of its own (GNOME),
// the X11 one through Xwayland, so that the dialogs get the desktop's title bars and the windows
// keep their places; elsewhere Qt's own choice. Empty for Qt's own choice.
std::string toolkitPlatform(const Environment& env);

}  // namespace korvo::platform
