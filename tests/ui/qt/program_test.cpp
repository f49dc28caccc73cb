#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QWidget>
#include <set>

#include "qt_program.h"
#include "qt_world.h"
#include "ui/assistant/fassist1.h"
#include "ui/forms/qt/pictures.h"
#include "ui/main/form1.h"

namespace korvo::qt::test {
namespace {

const std::string SampleFolder = std::string(KORVO_RESOURCES_DIR) + "/fond/";

TEST(QtProgramWindows, TheMainWindowRendersFromItsModel) {
    QtProgram p(settingsWith(SampleFolder, "0"));
    p.start();
    Form1& main = p.app().form<Form1>();
    QWidget* window = p.view().window(main);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible()) << "a normal start shows the main window";
    EXPECT_EQ(window->size(), QSize(423, 333));
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->windowFlags() & Qt::WindowType_Mask, Qt::Tool) << "no task-bar button";
    EXPECT_EQ(static_cast<QLabel*>(p.view().widget(main.LFNa))->text(), "Korvo");
    ASSERT_TRUE(main.Is1.picture());
    EXPECT_TRUE(probePicture(main.Is1.picture()->source)) << "the bundled logo is found";

    auto* list = static_cast<QListWidget*>(p.view().widget(main.Fi));
    ASSERT_EQ(list->count(), main.Fi.listCount());
    EXPECT_GT(list->count(), 0) << "the sample folder is listed";

    QWidget* preview = p.view().widget(main.Im1);
    EXPECT_EQ(preview->size(), QSize(257, 185));
    list->setCurrentRow(0);  // the user picks the first picture
    EXPECT_EQ(main.Fi.listIndex(), 0);
    EXPECT_EQ(p.app().CurrentPicture, SampleFolder + main.Fi.fileName());
    const QImage shot = preview->grab().toImage();
    std::set<QRgb> colours;
    for (int x = 10; x < 250; x += 20)
        for (int y = 10; y < 180; y += 20) colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 1u) << "the preview shows the picture, not a plain area";

    const QImage whole = window->grab().toImage();
    EXPECT_EQ(whole.pixelColor(200, 2), QColor(0, 0, 192)) << "the title strip";
}

TEST(QtProgramWindows, AFirstStartShowsTheAssistantAndKeepsTheMainWindowHidden) {
    QtProgram p(settingsWith("Null", "1"));
    p.start();
    EXPECT_FALSE(p.view().window(p.app().form<Form1>())->isVisible());
    QWidget* page = p.view().window(p.app().form<Fassist1>());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->size(), QSize(456, 312));
}

}  // namespace
}  // namespace korvo::qt::test
