// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The view: a form of the tests' own making drawn and driven through Qt, then the options dialog
// and its folder browser as the Qt front end draws them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "qt_program.h"
#include "qt_world.h"
#include "support/sampler.h"
#include "ui/options/folder_browser.h"
#include "ui/options/foption.h"

namespace korvo::qt::test {
namespace {

using Log = std::vector<std::string>;

using korvo::testing::Sampler;

// The sampler over a folder of three pictures and two folders, one with a folder inside.
struct QtView : ::testing::Test {
    QTemporaryDir dir;
    QtWorld w;
    Sampler& f = w.runtime.form<Sampler>([this] { return std::make_unique<Sampler>(w.runtime); });
    QtView() {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) std::ofstream(path(name)) << "x";
        QDir(dir.path()).mkpath("alpha/inner");
        QDir(dir.path()).mkpath("beta");
    }
    std::string path(const char* sub = "") const {
        return QDir::cleanPath(dir.filePath(sub)).toStdString();
    }
};

TEST_F(QtView, TheWindowTakesItsFlagsAndEnabledStateFromTheForm) {
    // A form gets its window when it is first shown, made from the model as it stands then.
    EXPECT_EQ(w.view.window(f), nullptr) << "a form that was never shown has no window";
    f.Title.setCaption("Made late");
    f.Box.setEnabled(false);
    f.show();
    QWidget* window = w.view.window(f);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(w.widget<QLabel>(f.Title)->text(), "Made late");
    EXPECT_FALSE(w.view.widget(f.Tick)->isEnabled()) << "inside the frame disabled before";
    f.Box.setEnabled(true);
    EXPECT_EQ(window->windowFlags() & Qt::WindowType_Mask, Qt::Tool) << "no task-bar button";
    EXPECT_EQ(window->findChild<QMenuBar*>(), nullptr) << "a hidden menu is for popping up";
    // Places, sizes and back colours are read off the real program's windows on X11.
    f.setBorderStyle(forms::BorderStyle::FixedDialog);
    EXPECT_FALSE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "a fixed dialog keeps its size";

    QWidget* inner = w.view.widget(f.Choice[0]);
    f.Box.setEnabled(false);
    EXPECT_FALSE(inner->isEnabled() || w.view.widget(f.Tick)->isEnabled());
    EXPECT_TRUE(w.view.widget(f.Name)->isEnabled()) << "outside the frame";
    EXPECT_NE(inner->palette().color(QPalette::Disabled, QPalette::WindowText),
              inner->palette().color(QPalette::Active, QPalette::WindowText));
}

TEST_F(QtView, AWindowGoesToItsDesignedPlaceOnlyWhenItsFormAsks) {
    f.setRect({1500, 750, f.rect().width, f.rect().height});
    f.show();
    QWidget* window = w.view.window(f);
    EXPECT_FALSE(window->testAttribute(Qt::WA_Moved)) << "the window manager's place by default";
    QtWorld other;
    Sampler& manual =
        other.runtime.form<Sampler>([&] { return std::make_unique<Sampler>(other.runtime); });
    manual.setStartUpPosition(forms::StartUpPosition::Manual);
    manual.setRect({1500, 750, manual.rect().width, manual.rect().height});
    manual.show();
    EXPECT_EQ(other.view.window(manual)->pos(), QPoint(100, 50));
}

TEST_F(QtView, ModelChangesShowWithoutComingBackAsUserActions) {
    f.show();
    const int polls = f.polls;
    f.Title.setCaption("A && B &Co");
    EXPECT_EQ(w.widget<QLabel>(f.Title)->text(), "A & B Co") << "'&' marks the access key";
    f.Pick.addItem("one");
    f.Pick.addItem("two");
    f.Pick.setListIndex(1);
    EXPECT_EQ(w.widget<QComboBox>(f.Pick)->currentText(), "two");
    f.Delay.setValue(-3);
    EXPECT_EQ(w.widget<QSlider>(f.Delay)->value(), -3);
    f.Files.setPath(path());
    f.Files.setListIndex(2);
    EXPECT_EQ(w.widget<QListWidget>(f.Files)->currentRow(), 2);
    f.Dir.setPath(path());
    f.Dir.setListIndex(1);
    EXPECT_EQ(w.widget<QListWidget>(f.Dir)->item(0)->text(), "..") << "a way up comes first";
    EXPECT_EQ(w.widget<QListWidget>(f.Dir)->currentRow(), 2);
    EXPECT_EQ(f.polls, polls) << "no model change came back as a user action";
}

TEST_F(QtView, EachUserActionRunsItsHandlerOnceAsOneDispatchedEvent) {
    f.show();
    f.Tick.setValue(forms::CheckBox::Grayed);
    f.Pick.addItem("alpha");
    f.Pick.addItem("beta");
    f.Files.setPath(path());
    f.Dir.setPath(path());
    auto* dirs = w.widget<QListWidget>(f.Dir);
    const auto checked = [&](int i) { return w.widget<QRadioButton>(f.Choice[i])->isChecked(); };
    const auto click = [&](const forms::Control& c) { w.widget<QAbstractButton>(c)->click(); };
    const auto press = [](QWidget* on, Qt::MouseButton b) {
        sendMouse(on, QEvent::MouseButtonPress, {4, 2}, b, b);
    };
    const auto release = [](QWidget* on) {
        sendMouse(on, QEvent::MouseButtonRelease, {4, 2}, Qt::LeftButton, Qt::NoButton);
    };
    QWidget* freeArea = w.view.window(f)->childAt(200, 270);
    const struct {
        std::string logged;
        std::function<void()> act;
        std::function<bool()> shown = [] { return true; };
    } actions[] = {
        {"Go", [&] { click(f.Go); }},
        {"Choice 1", [&] { click(f.Choice[1]); }, [&] { return checked(1); }},
        {"Choice 1", [&] { click(f.Choice[1]); }, [&] { return checked(1); }},  // selected already
        {"Choice 2", [&] { click(f.Choice[2]); }, [&] { return !checked(1) && checked(2); }},
        {"Tick 0", [&] { click(f.Tick); },  // a greyed box unticks
         [&] { return w.widget<QCheckBox>(f.Tick)->checkState() == Qt::Unchecked; }},
        {"Name design!", [&] { emit w.widget<QLineEdit>(f.Name)->textEdited("design!"); }},
        {"Pick click beta", [&] { emit w.widget<QComboBox>(f.Pick)->activated(1); }},
        {"Delay -7", [&] { w.widget<QSlider>(f.Delay)->setValue(-7); }},
        {"File a.jpg", [&] { w.widget<QListWidget>(f.Files)->setCurrentRow(0); }},
        {"Dir click 1", [&] { dirs->setCurrentRow(2); }},  // "beta", below the way up
        {"Dir " + path("alpha"), [&] { emit dirs->itemActivated(dirs->item(1)); },
         [&] { return dirs->count() == 2 && dirs->item(1)->text() == "inner"; }},
        {"Dir " + path(), [&] { emit dirs->itemActivated(dirs->item(0)); }},
        {"Title down 2 60", [&] { press(w.view.widget(f.Title), Qt::RightButton); }},
        {"Title down 1 60", [&] { press(w.view.widget(f.Title), Qt::LeftButton); }},
        {"Title click", [&] { release(w.view.widget(f.Title)); }},  // a label's click
        {"Form down", [&] { press(freeArea, Qt::LeftButton); }},
        {"Query unload 0", [&] { EXPECT_FALSE(w.view.window(f)->close()) << "it only asks"; },
         [&] { return w.runtime.isLoaded<Sampler>() && w.view.window(f)->isVisible(); }},
    };
    for (const auto& action : actions) {
        SCOPED_TRACE(action.logged);
        f.log.clear();
        const int polls = f.polls;
        action.act();
        EXPECT_EQ(f.log, Log{action.logged});
        EXPECT_EQ(f.polls, polls + 1) << "one dispatched event, then the polls";
        EXPECT_TRUE(action.shown()) << "the widget shows the model again";
    }
}

TEST_F(QtView, UnloadingDeletesTheWindowEvenFromItsOwnCloseBox) {
    f.show();
    f.refuse = 0;
    QPointer<QWidget> window = w.view.window(f);
    window->close();
    EXPECT_FALSE(w.runtime.isLoaded<Sampler>());
    ASSERT_FALSE(window.isNull()) << "its own close event is still running";
    flushDeletes();
    EXPECT_TRUE(window.isNull());
}

// The centre of the slider's thumb at `value`, in the coordinates of `window`, as the style
// draws it.
int thumbCentre(QSlider* slider, int value, QWidget* window) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = value;
    option.upsideDown = !slider->invertedAppearance();  // as QSlider fills it when vertical
    option.tickPosition = slider->tickPosition();
    const QRect thumb = slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                        QStyle::SC_SliderHandle, slider);
    return slider->mapTo(window, thumb.center()).y();
}

TEST(QtOptions, EachDelayLabelStandsBesideItsSliderPositionAndTheBrowserStartsAtTheRoot) {
    QtProgram program(settingsWith("Null", "EN", "0"));
    program.start();
    const auto shown = [&](forms::Form& form) {
        program.app().runtime().dispatch([&] { form.show(); });
        QApplication::processEvents();
        return program.view().window(form);
    };
    Foption& options = program.app().form<Foption>();
    QWidget* window = shown(options);
    auto* slider = dynamic_cast<QSlider*>(program.view().widget(options.Slider1));
    ASSERT_TRUE(window && slider);
    for (int i = 0; i <= 10; ++i) {
        const int thumb = thumbCentre(slider, -i, window);
        int nearest = -1, best = 1 << 20;
        for (int j = 0; j <= 10; ++j) {
            QWidget* label = program.view().widget(options.Label1[j]);
            const int distance = std::abs(label->mapTo(window, label->rect().center()).y() - thumb);
            if (distance < best) best = distance, nearest = j;
        }
        EXPECT_EQ(nearest, i) << "slider value " << -i;
    }

    Form5& browser = program.app().form<Form5>();
    ASSERT_TRUE(shown(browser));
    EXPECT_EQ(dynamic_cast<QComboBox*>(program.view().widget(browser.Drive1))->currentText(), "/");
}

}  // namespace
}  // namespace korvo::qt::test
