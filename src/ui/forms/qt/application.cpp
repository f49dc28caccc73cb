// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/application.h"

#include <QApplication>

#include "ui/forms/runtime.h"

namespace korvo::qt {

Application::Application(int& argc, char** argv)
    : app_(std::make_unique<QApplication>(argc, argv)),
      scheduler_(std::make_unique<Scheduler>()),
      window_(std::make_unique<WindowServices>()) {
    QApplication::setApplicationName(QStringLiteral("Korvo"));
    QApplication::setQuitOnLastWindowClosed(false);
}

// The window services and the scheduler hold Qt objects: they go before the application.
Application::~Application() {
    window_.reset();
    scheduler_.reset();
}

void Application::onSessionEnd(const std::function<void()>& quit) {
    QObject::connect(app_.get(), &QGuiApplication::commitDataRequest, quit);
    QObject::connect(app_.get(), &QCoreApplication::aboutToQuit, quit);
}

int Application::run(const forms::Runtime& runtime) {
    // Ended before the loop even started: Qt's loop would not know and wait for ever.
    if (runtime.ended()) return 0;
    return QApplication::exec();
}

}  // namespace korvo::qt
