// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The options dialog and the assistant by keyboard alone: Tab walks the controls in the form's
// order, Space picks, arrows move the slider and the lists, Enter presses the focused or the
// default button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <string>

#include "app/program.h"
#include "qt_program.h"
#include "ui/assistant/fassist1.h"
#include "ui/assistant/fassist2.h"
#include "ui/assistant/fassist3.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"

namespace korvo::qt::test {
namespace {

// The key on whatever has the focus, as the keyboard delivers it.
void press(Qt::Key key) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr) << "nothing has the focus";
    QTest::keyClick(focused, key);
}

std::string focusedName() {
    const QWidget* focused = QApplication::focusWidget();
    while (focused && focused->objectName().isEmpty()) focused = focused->parentWidget();
    return focused ? focused->objectName().toStdString() : "";
}

// The window of `form`, shown and active, as it comes up when the program shows it.
QWidget* activeWindow(QtProgram& program, forms::Form& form) {
    QWidget* window = program.view().window(form);
    if (!window || !QTest::qWaitForWindowActive(window)) return nullptr;
    return window;
}

TEST(QtKeyboard, TheOptionsDialogIsSetAndConfirmedOrCancelledFromTheKeyboard) {
    for (const Qt::Key last : {Qt::Key_Return, Qt::Key_Escape}) {
        SCOPED_TRACE(last == Qt::Key_Return ? "Enter" : "Escape");
        QtProgram program(settingsWith("Null", "EN", "0"));
        program.start();
        Program& app = program.app();
        app.runtime().dispatch([&] { app.form<Form1>().Coption.click(); });
        ASSERT_NE(activeWindow(program, app.form<Foption>()), nullptr);
        EXPECT_EQ(focusedName(), "Option1") << "the first tab stop, Manual";
        // What a screen reader says: the caption, or for the folder box its frame's.
        Foption& options = app.form<Foption>();
        EXPECT_EQ(program.view().widget(options.Option4)->accessibleName(), "Automatic");
        EXPECT_EQ(program.view().widget(options.Text2)->accessibleName(), "Wallpapers Folders");
        press(Qt::Key_Tab);
        EXPECT_EQ(focusedName(), "Option4");
        press(Qt::Key_Space);  // Automatic
        EXPECT_EQ(app.OptChangeMode, "1");
        press(Qt::Key_Tab);
        EXPECT_EQ(focusedName(), "Slider1");
        press(Qt::Key_Up);  // from "1 second" one step up: "5 seconds"
        press(last);
        EXPECT_FALSE(app.form<Foption>().visible()) << "OK and Cancel both close the dialog";
        if (last == Qt::Key_Return) {
            EXPECT_EQ(app.ReadSetting("OPTION", "Affichage"), "1") << "Enter is OK";
            EXPECT_EQ(app.ReadSetting("OPTION", "Delay"), "5");
        } else {
            EXPECT_EQ(app.ReadSetting("OPTION", "Affichage"), "2") << "Escape is Cancel";
            EXPECT_EQ(app.OptChangeMode, "2") << "the stored mode is back";
        }
    }
}

TEST(QtKeyboard, TheAssistantIsWalkedToItsEndFromTheKeyboard) {
    QtProgram program(settingsWith("Null", "EN", "1"));
    program.start();
    Program& app = program.app();
    ASSERT_NE(activeWindow(program, app.form<Fassist1>()), nullptr);
    EXPECT_EQ(focusedName(), "Option1(0)") << "Continue, first in order, waits disabled";
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Space);  // German
    for (int i = 0; i < 4; ++i) press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "C1") << "Tab comes round to Continue";
    press(Qt::Key_Return);

    // The folder page: "Choose..", "Default" (Space takes the default folder), Continue.
    ASSERT_NE(activeWindow(program, app.form<Fassist2>()), nullptr);
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "Cv2");
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "C1") << "the read-only folder box takes no focus";
    press(Qt::Key_Return);

    // The settings page: Auto-change, then the delay list one item down, then Continue.
    ASSERT_NE(activeWindow(program, app.form<Fassist3>()), nullptr);
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "Combo1");
    press(Qt::Key_Down);  // "5 seconds"
    for (int i = 0; i < 3; ++i) press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "C1");
    press(Qt::Key_Return);

    EXPECT_EQ(app.ReadSetting("Start", "First"), "0");
    EXPECT_EQ(app.ReadSetting("OPTION", "Lang"), "DE");
    EXPECT_EQ(app.ReadSetting("OPTION", "Affichage"), "1");
    EXPECT_EQ(app.ReadSetting("OPTION", "Delay"), "5");
    EXPECT_TRUE(app.form<Form1>().visible()) << "the assistant hands over to the main window";
}

}  // namespace
}  // namespace korvo::qt::test
