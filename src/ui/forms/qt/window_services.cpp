// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/window_services.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <cmath>

#include "ui/forms/qt/menus.h"
#include "ui/forms/qt/pictures.h"
#include "ui/forms/qt/view.h"
#include "ui/forms/runtime.h"

namespace korvo::qt {

namespace {

// The mouse messages a tray icon reports on Windows; the core decodes them from X.
constexpr int ButtonDown = 0x201, ButtonUp = 0x202, ButtonDoubleClick = 0x203;
constexpr int RightOffset = 3, MiddleOffset = 6;

int messageFor(Qt::MouseButton button, int base) {
    switch (button) {
        case Qt::LeftButton:
            return base;
        case Qt::RightButton:
            return base + RightOffset;
        case Qt::MiddleButton:
            return base + MiddleOffset;
        default:
            return 0;
    }
}

// Shown when the owner has no icon of its own: a dark blue tile with a hill and a sun, the
// wallpaper idea at tray size.
QIcon fallbackIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 192));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    painter.setBrush(QColor(255, 214, 64));
    painter.drawEllipse(QPointF(22, 10), 4, 4);
    painter.setBrush(QColor(96, 192, 96));
    painter.drawPolygon(
        QPolygon({QPoint(2, 29), QPoint(12, 14), QPoint(19, 22), QPoint(23, 18), QPoint(30, 29)}));
    return QIcon(pixmap);
}

QIcon iconOf(const forms::Form& form) {
    if (const forms::Picture& picture = form.icon()) {
        const QImage image = decodePicture(picture->source, {});
        if (!image.isNull()) return QIcon(QPixmap::fromImage(image));
    }
    const QIcon application = QGuiApplication::windowIcon();
    return application.isNull() ? fallbackIcon() : application;
}

}  // namespace

int screenTwipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    if (!(dpi >= 24.0 && dpi <= 1440.0)) return 15;
    return static_cast<int>(std::lround(1440.0 / dpi));
}

// One tray icon and the form its notifications go to.
class TrayIcon final : public QObject {
  public:
    TrayIcon(forms::Form& owner, const QString& tip, QObject* parent)
        : QObject(parent), owner_(&owner), icon_(iconOf(owner), this) {
        icon_.setToolTip(tip);
        // No context menu is ever attached: the right button is the core's to answer.
        QObject::connect(&icon_, &QSystemTrayIcon::activated, this,
                         [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
        icon_.show();
    }

    void setTip(const QString& tip) { icon_.setToolTip(tip); }
    QString tip() const { return icon_.toolTip(); }

    // Gone from the tray at once; the object itself goes when the event that removed it is over.
    void remove() {
        removed_ = true;
        icon_.hide();
        deleteLater();
    }

    // A press, release or double click seen on the icon's own window (the XEmbed tray).
    void buttonEvent(const QMouseEvent& event) {
        int base = ButtonUp;
        if (event.type() == QEvent::MouseButtonPress) {
            base = ButtonDown;
            sawPress_ = true;  // Qt answers the same press with activated(), which is not needed
        } else if (event.type() == QEvent::MouseButtonDblClick) {
            base = ButtonDoubleClick;
            sawPress_ = true;
        }
        if (const int message = messageFor(event.button(), base)) post(message);
    }

  private:
    // Tray hosts that report clicks rather than buttons (StatusNotifierItem): a click stands for
    // its release.
    void activated(QSystemTrayIcon::ActivationReason reason) {
        if (sawPress_) {
            sawPress_ = false;
            return;
        }
        switch (reason) {
            case QSystemTrayIcon::Trigger:
                post(ButtonUp);
                break;
            case QSystemTrayIcon::Context:
                post(ButtonUp + RightOffset);
                break;
            case QSystemTrayIcon::MiddleClick:
                post(ButtonUp + MiddleOffset);
                break;
            case QSystemTrayIcon::DoubleClick:
                post(ButtonDoubleClick);
                break;
            default:
                break;
        }
    }

    // Delivered from the event loop, never from inside the icon's own event handling: the
    // handler may remove the icon (quitting), which deletes the window that got the event.
    void post(int message) {
        QMetaObject::invokeMethod(
            this, [this, message] { deliver(message); }, Qt::QueuedConnection);
    }

    void deliver(int message) {
        if (removed_) return;
        forms::Form* owner = owner_;
        const float x = static_cast<float>(message * screenTwipsPerPixel());
        owner->runtime().dispatch([owner, x] { owner->mouseMove(forms::MouseEvent{0, 0, x, 0}); });
    }

    forms::Form* owner_;
    QSystemTrayIcon icon_;
    bool removed_ = false;
    bool sawPress_ = false;
};

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
    if (!trays_.empty() && qApp) qApp->removeEventFilter(this);
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

void WindowServices::addTrayIcon(forms::Form& owner, const std::string& tip) {
    const QString text = QString::fromUtf8(tip.c_str());
    if (const auto it = trays_.find(&owner); it != trays_.end() && it->second) {
        it->second->setTip(text);
        return;
    }
    if (trays_.empty()) qApp->installEventFilter(this);
    trays_[&owner] = new TrayIcon(owner, text, this);
}

void WindowServices::removeTrayIcon(forms::Form& owner) {
    const auto it = trays_.find(&owner);
    if (it == trays_.end()) return;
    if (it->second) it->second->remove();
    trays_.erase(it);
    if (trays_.empty()) qApp->removeEventFilter(this);
}

void WindowServices::formUnloaded(forms::Form& form) {
    removeTrayIcon(form);
}

bool WindowServices::hasTrayIcon(const forms::Form& owner) const {
    const auto it = trays_.find(&owner);
    return it != trays_.end() && it->second;
}

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

TrayIcon* WindowServices::trayFor(const QObject* iconWindow) const {
    if (trays_.size() == 1) return trays_.begin()->second;
    const QString tip = static_cast<const QWidget*>(iconWindow)->toolTip();
    for (const auto& [form, tray] : trays_)
        if (tray && tray->tip() == tip) return tray;
    return nullptr;
}

bool WindowServices::eventFilter(QObject* watched, QEvent* event) {
    // Qt's XEmbed tray icon answers the press, not the release; its window is watched here so
    // that the release reaches the core as the message it waits for.
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
         type == QEvent::MouseButtonDblClick) &&
        watched->isWidgetType() && watched->objectName() == QLatin1String("QSystemTrayIconSys")) {
        if (TrayIcon* tray = trayFor(watched)) tray->buttonEvent(*static_cast<QMouseEvent*>(event));
    }
    return false;
}

}  // namespace korvo::qt
