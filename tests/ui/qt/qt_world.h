// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/folder_listing.h"
#include "platform/linux/glib_loop.h"
#include "ui/forms/qt/view.h"
#include "ui/forms/qt/window_services.h"
#include "ui/forms/runtime.h"

namespace korvo::qt::test {

// A runtime on the real Qt services with the view attached, as main() wires it, minus the
// program: forms of the tests' own making are rendered and driven through it.
struct QtWorld {
    platform::GlibLoop scheduler;  // the program's loop, which Qt's loop runs
    WindowServices window;
    platform::StdFileSystem files;
    forms::Runtime runtime{scheduler, window, files};
    View view{runtime, window};

    template <class F>
    F& form() {
        return runtime.form<F>([this] { return std::make_unique<F>(*this); });
    }
    template <class W>
    W* widget(const forms::Control& control) {
        return dynamic_cast<W*>(view.widget(control));
    }
};

// Runs the Qt event loop until `done` holds or `ms` milliseconds have passed.
inline bool waitFor(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer clock;
    clock.start();
    QTimer tick;  // wakes the loop now and then, so that a wait never blocks past its time
    tick.start(10);
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

// Deletes what deleteLater left, as the event loop would.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A mouse event at `at` in the widget, as the window system would deliver it.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

}  // namespace korvo::qt::test
