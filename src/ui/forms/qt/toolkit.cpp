// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Qt binding as the module the Linux program loads when its first window is needed.

#include "ui/forms/toolkit.h"

#include <QApplication>
#include <memory>

#include "ui/forms/qt/view.h"
#include "ui/forms/qt/window_services.h"

namespace korvo::qt {

namespace {

// A tray program: closing or hiding its last window never ends it. Qt's loop runs the GLib
// context the program's loop ran, so the program's timers and watches go on in it.
class QtToolkit final : public forms::Toolkit {
  public:
    QtToolkit(forms::Runtime& runtime, const std::function<void()>& sessionEnds, int& argc,
              char** argv)
        : app_(std::make_unique<QApplication>(argc, argv)) {
        QApplication::setApplicationName(QStringLiteral("Korvo"));
        QApplication::setQuitOnLastWindowClosed(false);
        QGuiApplication::setDesktopFileName(QStringLiteral(KORVO_APP_ID));
        QObject::connect(app_.get(), &QGuiApplication::commitDataRequest, sessionEnds);
        windows_ = std::make_unique<WindowServices>();
        view_ = std::make_unique<View>(runtime, *windows_);
    }

    // The view and the window services hold Qt objects: they go before the application.
    ~QtToolkit() override {
        view_.reset();
        windows_.reset();
    }

    forms::WindowServices& windows() override { return *windows_; }
    int run() override { return QApplication::exec(); }

  private:
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<WindowServices> windows_;
    std::unique_ptr<View> view_;
};

}  // namespace

}  // namespace korvo::qt

extern "C" Q_DECL_EXPORT korvo::forms::Toolkit* korvo_attach_toolkit(
    korvo::forms::Runtime& runtime, korvo::forms::WindowServices& /*shell*/,
    const std::function<void()>& sessionEnds, int& argc, char** argv) {
    return new korvo::qt::QtToolkit(runtime, sessionEnds, argc, argv);
}
