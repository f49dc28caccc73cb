// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/window_services.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <cmath>

#include "ui/forms/qt/menus.h"
#include "ui/forms/qt/pictures.h"
#include "ui/forms/qt/view.h"
#include "ui/forms/runtime.h"

namespace korvo::qt {

namespace {}  // namespace

int screenTwipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    if (!(dpi >= 24.0 && dpi <= 1440.0)) return 15;
    return static_cast<int>(std::lround(1440.0 / dpi));
}

class WindowServices::DragFollower final : public QObject {
  public:
    // Called while the button that started the drag is down.
    void start(QWidget* window) {
        stop();
        window_ = window;
        offset_ = QCursor::pos() - window->pos();
        qApp->installEventFilter(this);
    }
    void stop() {
        if (window_) qApp->removeEventFilter(this);
        window_.clear();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!window_ || mouse->buttons() == Qt::NoButton)
                stop();
            else
                window_->move(mouse->globalPosition().toPoint() - offset_);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            stop();
        }
        return false;
    }

  private:
    QPointer<QWidget> window_;
    QPoint offset_;
};

WindowServices::WindowServices() : drag_(std::make_unique<DragFollower>()) {}

WindowServices::~WindowServices() {
    drag_->stop();
}

void WindowServices::popupMenu(forms::Form& owner, forms::Menu& menu, forms::Menu* defaultItem) {
    forms::Runtime& runtime = owner.runtime();
    QMenu popup;
    fillMenu(popup, menu, defaultItem);
    if (popup.isEmpty()) return;
    forms::Menu* chosen = menuItem(popup.exec(QCursor::pos()));
    if (chosen) runtime.dispatch([chosen] { chosen->click(); });
    // The chosen item may have ended the program: the handler that opened the menu stops here.
    if (runtime.ended()) throw forms::ProgramEnded{};
}

void WindowServices::startWindowDrag(forms::Form& form) {
    QWidget* window = view_ ? view_->window(form) : nullptr;
    if (!window || !window->isVisible()) return;
    QWindow* handle = window->windowHandle();
    if (handle && handle->startSystemMove()) return;
    drag_->start(window);
}

void WindowServices::activate(forms::Form& form) {
    QWidget* window = view_ ? view_->window(form) : nullptr;
    if (!window || !window->isVisible()) return;
    window->raise();
    window->activateWindow();
}

std::optional<forms::PictureInfo> WindowServices::probePicture(const std::string& path) {
    return qt::probePicture(path);
}

void WindowServices::openAddress(const std::string& address) {
    const QUrl url = QUrl::fromUserInput(QString::fromUtf8(address.c_str()));
    if (url.isValid()) QDesktopServices::openUrl(url);
}

// The program's shell keeps the tray icon (platform/linux/tray_icon.h), in a process that may
// never load Qt; a program that has no shell shows none.
void WindowServices::addTrayIcon(forms::Form&, const std::string&) {}

void WindowServices::removeTrayIcon(forms::Form&) {}

int WindowServices::twipsPerPixelX() {
    return screenTwipsPerPixel();
}

int WindowServices::twipsPerPixelY() {
    return screenTwipsPerPixel();
}

int WindowServices::screenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() * screenTwipsPerPixel() : 0;
}

int WindowServices::screenHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() * screenTwipsPerPixel() : 0;
}

void WindowServices::endProgram() {
    drag_->stop();
    // Leaves every running loop, the popup menu's included.
    QCoreApplication::exit(0);
}

}  // namespace korvo::qt
