// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/form_window.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "ui/forms/qt/convert.h"
#include "ui/forms/qt/menus.h"
#include "ui/forms/qt/pictures.h"
#include "ui/forms/qt/window_services.h"

namespace korvo::qt {

namespace {

using forms::FormProperty;

Qt::WindowFlags windowFlags(const forms::Form& form) {
    // A window without a task-bar button is a tool window.
    const Qt::WindowFlags type = form.showInTaskbar() ? Qt::Window : Qt::Tool;
    const Qt::WindowFlags titled =
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    switch (form.borderStyle()) {
        case forms::BorderStyle::None:
            return type | Qt::FramelessWindowHint;
        case forms::BorderStyle::FixedSingle:
            return type | titled | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        case forms::BorderStyle::FixedDialog:
            return (form.showInTaskbar() ? Qt::Dialog : Qt::Tool) | titled |
                   Qt::WindowCloseButtonHint;
        case forms::BorderStyle::FixedToolWindow:
            return Qt::Tool | titled | Qt::WindowCloseButtonHint;
        case forms::BorderStyle::Sizable:
            break;
    }
    return type | titled | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
}

}  // namespace

FormWindow::FormWindow(forms::Form& form, forms::Runtime& runtime, WindowServices& services,
                       QPalette palette)
    : form_(&form),
      runtime_(runtime),
      services_(services),
      palette_(std::move(palette)),
      flags_(windowFlags(form)) {
    window_ = new QWidget(nullptr, flags_);
    window_->setObjectName(qtext(form.name()));
    window_->setAttribute(Qt::WA_QuitOnClose, false);
    client_ = new QWidget(window_);
    client_->setMouseTracking(true);
}

FormWindow::~FormWindow() {
    delete window_;
}

void FormWindow::retire() {
    form_ = nullptr;
    window_->hide();
    deleteLater();
}

int FormWindow::twipsPerPixel() const {
    return services_.twipsPerPixelX();
}

void FormWindow::apply(FormProperty property) {
    switch (property) {
        case FormProperty::Caption:
            window_->setWindowTitle(qtext(form_->caption()));
            break;
        case FormProperty::Colors: {
            QPalette palette = palette_;
            if (form_->backColor()) palette.setColor(QPalette::Window, qcolor(*form_->backColor()));
            client_->setPalette(palette);
            client_->setAutoFillBackground(true);
            break;
        }
        case FormProperty::Icon: {
            const forms::Picture& icon = form_->icon();
            window_->setWindowIcon(icon ? QIcon(QPixmap::fromImage(decodePicture(icon->source, {})))
                                        : QIcon());
            break;
        }
        case FormProperty::Border:
        case FormProperty::Taskbar:
            applyFlags();
            break;
        case FormProperty::Geometry:
            applyGeometry();
            break;
        case FormProperty::Visible:
            if (form_->visible())
                show();
            else
                window_->hide();
            break;
    }
}

void FormWindow::applyFlags() {
    const Qt::WindowFlags wanted = windowFlags(*form_);
    if (wanted == flags_) return;
    flags_ = wanted;
    // New flags take a window off the screen; it comes back where it was.
    const QPoint at = window_->pos();
    window_->setWindowFlags(wanted);
    applyGeometry();
    if (placed_) window_->move(at);
    if (form_->visible()) show();
}

void FormWindow::show() {
    if (!placed_) {
        placeFirst();
        placed_ = true;
    } else if (QWindow* handle = window_->windowHandle(); handle && !window_->isVisible()) {
        // A window mapped again is placed anew by the window manager unless it asks for a
        // place: it asks for the one it had, where the user may have moved it.
        handle->setPosition(handle->position());
    }
    window_->show();
}

void FormWindow::placeFirst() {
    switch (form_->startUpPosition()) {
        case forms::StartUpPosition::Manual:
            window_->move(modelPlace_);
            break;
        case forms::StartUpPosition::CenterScreen: {
            const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
            if (!screen) screen = window_->screen();
            if (!screen) break;
            const QRect area = screen->geometry();
            window_->move(area.x() + (area.width() - window_->width()) / 2,
                          area.y() + (area.height() - window_->height()) / 2);
            break;
        }
        case forms::StartUpPosition::WindowsDefault:
            // Left to the window manager, which knows where its user expects a new window.
            break;
    }
}

void FormWindow::applyGeometry() {
    const forms::Rect& rect = form_->rect();
    const int twips = twipsPerPixel();
    const QRect client = pixelRect({0, 0, rect.width, rect.height}, twips);
    const int bar = menuBar_ ? menuBar_->sizeHint().height() : 0;
    const QSize size(std::max(1, client.width()), std::max(1, client.height() + bar));
    ++applying_;
    if (form_->borderStyle() != forms::BorderStyle::Sizable) {
        window_->setFixedSize(size);
    } else {
        window_->setMinimumSize(0, 0);
        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window_->resize(size);
    }
    // The design's left and top are where the form starts; the window goes there only when the
    // form asks for it when first shown, or when a handler moves the form later.
    const QPoint asked(toPixels(rect.left, twips), toPixels(rect.top, twips));
    if (placed_ && asked != modelPlace_) window_->move(asked);
    modelPlace_ = asked;
    layoutClient();
    --applying_;
}

void FormWindow::layoutClient() {
    const int bar = menuBar_ ? menuBar_->sizeHint().height() : 0;
    const int width = window_->width();
    if (menuBar_) menuBar_->setGeometry(0, 0, width, bar);
    client_->setGeometry(0, bar, width, std::max(0, window_->height() - bar));
}

void FormWindow::scheduleMenuBar() {
    // Rebuilt from the event loop: the change may come from a handler of the very action the
    // menu bar is still delivering.
    if (menuBarPending_) return;
    menuBarPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            menuBarPending_ = false;
            if (form_) rebuildMenuBar();
        },
        Qt::QueuedConnection);
}

void FormWindow::rebuildMenuBar() {
    // Only visible top-level menus make a menu bar; a form whose menus are all hidden keeps them
    // for popping up.
    std::vector<forms::Menu*> menus;
    for (forms::Control* control : form_->controls()) {
        auto* menu = control->kind() == forms::ControlKind::Menu
                         ? static_cast<forms::Menu*>(control)
                         : nullptr;
        if (menu && !menu->parentMenu() && menu->visible()) menus.push_back(menu);
    }
    if (menus.empty()) {
        if (menuBar_) {
            delete menuBar_;
            menuBar_ = nullptr;
            applyGeometry();
        }
        return;
    }
    if (!menuBar_) {
        menuBar_ = new QMenuBar(window_);
        connect(menuBar_, &QMenuBar::triggered, this, [this](QAction* action) {
            forms::Menu* item = menuItem(action);
            if (item && form_) runtime_.dispatch([item] { item->click(); });
        });
    }
    menuBar_->clear();
    for (forms::Menu* menu : menus) {
        const QString caption = qtext(menu->caption());
        QAction* action = nullptr;
        if (menu->items().empty()) {
            action = menuBar_->addAction(caption);
            action->setData(QVariant::fromValue(static_cast<void*>(menu)));
        } else {
            QMenu* dropDown = menuBar_->addMenu(caption);
            fillMenu(*dropDown, *menu, nullptr);
            action = dropDown->menuAction();
        }
        action->setEnabled(menu->enabled());
    }
    menuBar_->show();
    applyGeometry();
}

void FormWindow::movedOrResized(const QEvent& event) {
    const bool resized = event.type() == QEvent::Resize;
    if (resized) layoutClient();
    if (form_ && event.spontaneous() && applying_ == 0) modelFollowsWindow(resized);
}

void FormWindow::modelFollowsWindow(bool resized) {
    // The user moved or sized the window: the model keeps the window's place, in twips. Only
    // what changed in pixels is written back, so rounding never creeps into the model.
    const int twips = twipsPerPixel();
    const forms::Rect& rect = form_->rect();
    forms::Rect next = rect;
    const QPoint at = window_->frameGeometry().topLeft();
    if (at.x() != toPixels(rect.left, twips)) next.left = at.x() * twips;
    if (at.y() != toPixels(rect.top, twips)) next.top = at.y() * twips;
    if (resized) {
        const QRect client = pixelRect({0, 0, rect.width, rect.height}, twips);
        if (client_->width() != client.width()) next.width = client_->width() * twips;
        if (client_->height() != client.height()) next.height = client_->height() * twips;
    }
    if (next == rect) return;
    modelPlace_ = QPoint(toPixels(next.left, twips), toPixels(next.top, twips));
    forms::Form* form = form_;
    ++applying_;
    runtime_.dispatch([form, next] { form->setRect(next); });
    --applying_;
}

}  // namespace korvo::qt
