#include <gtest/gtest.h>

#include <QListWidget>

#include "qt_program.h"
#include "ui/assistant/fassist1.h"
#include "ui/forms/qt/pictures.h"
#include "ui/main/form1.h"

namespace korvo::qt::test {
namespace {

const std::string SampleFolder = std::string(KORVO_RESOURCES_DIR) + "/fond/";

TEST(QtProgramWindows, TheMainWindowListsTheSamplesAndPreviewsThePick) {
    QtProgram p(settingsWith(SampleFolder, "0"));
    p.start();
    Form1& main = p.app().form<Form1>();
    ASSERT_NE(p.view().window(main), nullptr);
    EXPECT_TRUE(p.view().window(main)->isVisible()) << "a normal start shows the main window";
    ASSERT_TRUE(main.Is1.picture());
    EXPECT_TRUE(probePicture(main.Is1.picture()->source)) << "the bundled logo is found";

    auto* list = static_cast<QListWidget*>(p.view().widget(main.Fi));
    ASSERT_GT(list->count(), 0) << "the sample folder is listed";
    list->setCurrentRow(0);  // the user picks the first picture
    EXPECT_EQ(p.app().CurrentPicture, SampleFolder + main.Fi.fileName());
    EXPECT_TRUE(main.Im1.picture()) << "and previewed";
}

TEST(QtProgramWindows, AFirstStartShowsTheAssistantAndKeepsTheMainWindowHidden) {
    QtProgram p(settingsWith("Null", "1"));
    p.start();
    EXPECT_FALSE(p.view().window(p.app().form<Form1>())->isVisible());
    ASSERT_NE(p.view().window(p.app().form<Fassist1>()), nullptr);
    EXPECT_TRUE(p.view().window(p.app().form<Fassist1>())->isVisible());
}

}  // namespace
}  // namespace korvo::qt::test
