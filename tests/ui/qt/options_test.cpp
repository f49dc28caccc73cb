// The options dialog and its folder browser as the Qt front end draws them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <cstdlib>

#include "qt_program.h"
#include "ui/options/folder_browser.h"
#include "ui/options/foption.h"

namespace korvo::qt::test {
namespace {

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

TEST(QtOptions, EachDelayLabelStandsBesideItsSliderPosition) {
    QtProgram program(settingsWith("Null", "0"));
    program.start();
    Foption& options = program.app().form<Foption>();
    program.app().runtime().dispatch([&] { options.show(); });
    QApplication::processEvents();
    QWidget* window = program.view().window(options);
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
}

TEST(QtOptions, TheBrowserStartsAtTheRootAndHidesItsResultBox) {
    QtProgram program(settingsWith("Null", "0"));
    program.start();
    Form5& browser = program.app().form<Form5>();
    program.app().runtime().dispatch([&] { browser.show(); });
    QApplication::processEvents();
    QWidget* window = program.view().window(browser);
    ASSERT_TRUE(window);
    EXPECT_EQ(dynamic_cast<QComboBox*>(program.view().widget(browser.Drive1))->currentText(), "/");
    QWidget* result = program.view().widget(browser.Text2);
    EXPECT_GE(result->mapTo(window, QPoint(0, 0)).y(), window->height()) << "below the client area";
}

}  // namespace
}  // namespace korvo::qt::test
