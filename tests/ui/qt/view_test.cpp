#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "qt_world.h"

namespace korvo::qt::test {
namespace {

using forms::rgb;

// A window with one control of each kind the forms use, laid out in twips.
class Sampler : public forms::Form {
  public:
    explicit Sampler(QtWorld& w) : forms::Form(w.runtime, "Sampler") {
        setBorderStyle(forms::BorderStyle::None);
        setShowInTaskbar(false);
        setRect({150, 300, 6000, 4500});
        setBackColor(rgb(128, 128, 128));
        Strip.setBackColor(rgb(0, 0, 192));
        Title.setForeColor(rgb(255, 255, 255));
        Box.setBackColor(rgb(0, 0, 0));
        Box.setForeColor(rgb(255, 255, 255));
        Files.setBackColor(rgb(64, 64, 64));

        Go.onClick = [this] { log.push_back("Go"); };
        for (auto& option : Choice)
            option->onClick = [this, i = option->index()] {
                log.push_back("Choice " + std::to_string(i));
            };
        Tick.onClick = [this] { log.push_back("Tick " + std::to_string(Tick.value())); };
        Name.onChange = [this] { log.push_back("Name " + Name.text()); };
        Pick.onChange = [this] { log.push_back("Pick change " + Pick.text()); };
        Pick.onClick = [this] { log.push_back("Pick click " + Pick.text()); };
        Files.onClick = [this] { log.push_back("File " + Files.fileName()); };
        Delay.onChange = [this] { log.push_back("Delay " + std::to_string(Delay.value())); };
        Title.onMouseDown = [this](const forms::MouseEvent& e) {
            log.push_back("Title down " + std::to_string(e.button) + " " +
                          std::to_string(static_cast<int>(e.x)));
        };
        Poll.onTimer = [this] { ++polls; };
    }
    void Form_MouseDown(const forms::MouseEvent&) override { log.push_back("Form down"); }

    forms::PictureBox Strip{*this, "Strip", {0, 0, 6000, 375}};
    forms::Label Title{Strip, "Title", {720, 120, 3000, 255}, "Korvo"};
    forms::CommandButton Go{*this, "Go", {4440, 4000, 975, 375}, "&Apply"};
    forms::Frame Box{*this, "Box", {2160, 1200, 3600, 2400}, "Preview"};
    forms::ControlArray<forms::OptionButton> Choice{
        3, [this](int i) {
            return std::make_unique<forms::OptionButton>(Box, "Choice",
                                                         forms::Rect{120, 240 + 300 * i, 1500, 255},
                                                         "Choice " + std::to_string(i), i);
        }};
    forms::CheckBox Tick{Box, "Tick", {120, 1200, 1500, 255}, "Tick"};
    forms::TextBox Name{*this, "Name", {0, 600, 2000, 300}, "design"};
    forms::ComboBox Pick{*this, "Pick", {0, 1000, 2000, 315}};
    forms::FileListBox Files{*this, "Files", {0, 1920, 2100, 2000}};
    forms::Slider Delay{*this, "Delay", {5500, 500, 400, 3000}, 0, 10};
    forms::Timer Poll{*this, "Poll", 1, true};
    std::vector<std::string> log;
    int polls = 0;
};

template <class W>
W* widgetOf(QtWorld& w, const forms::Control& control) {
    return dynamic_cast<W*>(w.view.widget(control));
}

void press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(at), widget->mapToGlobal(QPointF(at)),
                      button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &key);
    }
}

TEST(QtView, RendersTheModelAsWindowAndWidgets) {
    QtWorld w;
    auto& f = w.form<Sampler>();
    QWidget* window = w.view.window(f);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible()) << "forms load hidden";
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->windowFlags() & Qt::WindowType_Mask, Qt::Tool) << "no task-bar button";
    EXPECT_EQ(window->size(), QSize(400, 300)) << "6000 x 4500 twips at 15 twips a pixel";
    EXPECT_EQ(window->pos(), QPoint(10, 20));

    auto* title = widgetOf<QLabel>(w, f.Title);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->parentWidget(), w.view.widget(f.Strip)) << "inside its picture box";
    EXPECT_EQ(title->geometry(), QRect(48, 8, 200, 17));
    EXPECT_EQ(title->text(), "Korvo");
    EXPECT_EQ(title->palette().color(QPalette::Active, QPalette::WindowText),
              QColor(255, 255, 255));
    EXPECT_EQ(widgetOf<QPushButton>(w, f.Go)->text(), "&Apply") << "'&' marks the access key";
    EXPECT_EQ(widgetOf<QGroupBox>(w, f.Box)->title(), "Preview");
    EXPECT_EQ(widgetOf<QRadioButton>(w, f.Choice[2])->parentWidget(), w.view.widget(f.Box));
    EXPECT_EQ(widgetOf<QLineEdit>(w, f.Name)->text(), "design");
    auto* slider = widgetOf<QSlider>(w, f.Delay);
    EXPECT_EQ(slider->orientation(), Qt::Vertical);
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 10);
    EXPECT_EQ(w.view.widget(f.Poll), nullptr) << "a timer has no widget";

    f.show();
    EXPECT_TRUE(window->isVisible());
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(0, 0, 192)) << "the picture box's back colour";
    EXPECT_EQ(shot.pixelColor(399, 299), QColor(128, 128, 128)) << "the form's back colour";
    f.hide();
    EXPECT_FALSE(window->isVisible());
}

TEST(QtView, FollowsModelChangesAndGreysWhatADisabledFrameHolds) {
    QtWorld w;
    auto& f = w.form<Sampler>();
    f.Title.setCaption("A && B &Co");
    EXPECT_EQ(widgetOf<QLabel>(w, f.Title)->text(), "A & B Co");
    f.Title.setRect({0, 0, 1500, 300});
    EXPECT_EQ(w.view.widget(f.Title)->geometry(), QRect(0, 0, 100, 20));
    f.Name.setLocked(true);
    EXPECT_TRUE(widgetOf<QLineEdit>(w, f.Name)->isReadOnly());
    f.Go.setVisible(false);
    EXPECT_TRUE(w.view.widget(f.Go)->isHidden());
    f.Pick.addItem("one");
    f.Pick.addItem("two");
    f.Pick.setListIndex(1);
    EXPECT_EQ(widgetOf<QComboBox>(w, f.Pick)->count(), 2);
    EXPECT_EQ(widgetOf<QComboBox>(w, f.Pick)->currentText(), "two");
    f.Tick.setValue(forms::CheckBox::Grayed);
    EXPECT_EQ(widgetOf<QCheckBox>(w, f.Tick)->checkState(), Qt::PartiallyChecked);
    f.setRect({0, 0, 3000, 1500});
    EXPECT_EQ(w.view.window(f)->size(), QSize(200, 100));
    f.setCaption("Renamed");
    EXPECT_EQ(w.view.window(f)->windowTitle(), "Renamed");

    auto* inner = widgetOf<QRadioButton>(w, f.Choice[0]);
    const QColor enabledText = inner->palette().color(QPalette::Active, QPalette::WindowText);
    f.Box.setEnabled(false);
    EXPECT_FALSE(inner->isEnabled());
    EXPECT_FALSE(w.view.widget(f.Tick)->isEnabled());
    EXPECT_TRUE(w.view.widget(f.Name)->isEnabled()) << "outside the frame";
    EXPECT_NE(inner->palette().color(QPalette::Disabled, QPalette::WindowText), enabledText)
        << "disabled contents are drawn grey";
    f.Box.setEnabled(true);
    EXPECT_TRUE(inner->isEnabled());

    f.setBorderStyle(forms::BorderStyle::FixedDialog);
    f.setShowInTaskbar(true);
    QWidget* window = w.view.window(f);
    EXPECT_FALSE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "a fixed dialog keeps its size";
}

TEST(QtView, UserActionsRunTheModelHandlersThroughDispatch) {
    QtWorld w;
    auto& f = w.form<Sampler>();
    f.show();
    const int pollsBefore = f.polls;
    widgetOf<QPushButton>(w, f.Go)->click();
    EXPECT_EQ(f.log.back(), "Go");
    EXPECT_GT(f.polls, pollsBefore) << "a dispatched event runs the polls after it";

    auto* second = widgetOf<QRadioButton>(w, f.Choice[1]);
    second->click();
    second->click();  // already selected: the handler runs again and it stays selected
    EXPECT_TRUE(f.Choice[1].value());
    EXPECT_TRUE(second->isChecked());
    widgetOf<QRadioButton>(w, f.Choice[2])->click();
    EXPECT_FALSE(second->isChecked()) << "the model cleared it";

    f.Tick.setValue(forms::CheckBox::Grayed);
    widgetOf<QCheckBox>(w, f.Tick)->click();
    EXPECT_EQ(f.Tick.value(), forms::CheckBox::Unchecked) << "a click on a greyed box unticks";
    EXPECT_EQ(widgetOf<QCheckBox>(w, f.Tick)->checkState(), Qt::Unchecked);

    auto* name = widgetOf<QLineEdit>(w, f.Name);
    name->setFocus();
    name->end(false);
    type(name, "!");
    EXPECT_EQ(f.Name.text(), "design!");

    f.Pick.addItem("alpha");
    f.Pick.addItem("beta");
    emit widgetOf<QComboBox>(w, f.Pick)->activated(1);
    EXPECT_EQ(f.Pick.listIndex(), 1);

    auto* slider = widgetOf<QSlider>(w, f.Delay);
    slider->setValue(7);
    EXPECT_EQ(f.Delay.value(), 7);

    EXPECT_EQ(f.log,
              (std::vector<std::string>{"Go", "Choice 1", "Choice 1", "Choice 2", "Tick 2",
                                        "Tick 0", "Name design!", "Pick click beta", "Delay 7"}))
        << "each action once, and a picked item is a click, not an edit";
}

TEST(QtView, ModelChangesAreNotForwardedBackAsUserActions) {
    const auto folder = std::filesystem::temp_directory_path() / "korvo-qt-list";
    std::filesystem::create_directories(folder);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) std::ofstream(folder / name) << "x";
    QtWorld w;
    auto& f = w.form<Sampler>();
    f.Files.setPath(folder.string());
    auto* list = widgetOf<QListWidget>(w, f.Files);
    ASSERT_EQ(list->count(), 3);
    f.Files.setListIndex(2);
    EXPECT_EQ(list->currentRow(), 2);
    f.Delay.setValue(3);
    f.Name.setText("typed by code");
    EXPECT_EQ(f.log, (std::vector<std::string>{"File c.jpg", "Delay 3", "Name typed by code"}))
        << "each handler ran once, from the model";

    list->setCurrentRow(0);  // the user's pick
    EXPECT_EQ(f.Files.listIndex(), 0);
    EXPECT_EQ(f.log.back(), "File a.jpg");
    std::filesystem::remove_all(folder);
}

TEST(QtView, MousePressesReachTheControlOrTheFormUnderThem) {
    QtWorld w;
    auto& f = w.form<Sampler>();
    f.show();
    press(w.view.widget(f.Title), {4, 2}, Qt::RightButton);
    EXPECT_EQ(f.log, std::vector<std::string>{"Title down 2 60"}) << "right button, x in twips";
    press(w.view.window(f)->childAt(200, 270), {1, 1});
    EXPECT_EQ(f.log.back(), "Form down") << "the free area is the form's";
    EXPECT_EQ(f.log.size(), 2u) << "a press on the label does not reach the form as well";
}

class Browser : public forms::Form {
  public:
    explicit Browser(QtWorld& w) : forms::Form(w.runtime, "Browser") {
        Dir1.onChange = [this] { log.push_back("change " + Dir1.path()); };
    }
    forms::DriveListBox Drive1{*this, "Drive1", {0, 0, 2295, 315}};
    forms::FolderListBox Dir1{*this, "Dir1", {0, 360, 2295, 3240}};
    std::vector<std::string> log;
};

TEST(QtView, TheFolderListWalksIntoFoldersAndBackUp) {
    const auto top = std::filesystem::temp_directory_path() / "korvo-qt-walk";
    std::filesystem::create_directories(top / "alpha" / "inner");
    std::filesystem::create_directories(top / "beta");
    QtWorld w;
    auto& f = w.form<Browser>();
    f.Drive1.setDrive("/");
    auto* drives = widgetOf<QComboBox>(w, f.Drive1);
    EXPECT_EQ(drives->currentText(), "/");
    f.Dir1.setPath(top.string());
    auto* list = widgetOf<QListWidget>(w, f.Dir1);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "..") << "a way up, above the model's entries";

    list->setCurrentRow(2);  // the user highlights "beta"
    EXPECT_EQ(f.Dir1.listIndex(), 1);
    emit list->itemActivated(list->item(1));  // and opens "alpha"
    EXPECT_EQ(f.Dir1.path(), (top / "alpha").string());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "inner");
    emit list->itemActivated(list->item(0));
    EXPECT_EQ(f.Dir1.path(), top.string());
    EXPECT_EQ(f.log, (std::vector<std::string>{"change " + top.string(),
                                               "change " + (top / "alpha").string(),
                                               "change " + top.string()}));
    f.Dir1.setPath("/");
    EXPECT_NE(list->item(0)->text(), "..") << "nothing above the root";
    std::filesystem::remove_all(top);
}

class Closable : public forms::Form {
  public:
    explicit Closable(QtWorld& w) : forms::Form(w.runtime, "Closable") {
        setBorderStyle(forms::BorderStyle::FixedDialog);
    }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        modes.push_back(UnloadMode);
        if (refuse) Cancel = 1;
    }
    forms::CommandButton Ok{*this, "Ok", {0, 0, 900, 300}, "OK"};
    bool refuse = true;
    std::vector<int> modes;
};

TEST(QtView, CloseBoxAsksTheFormAndUnloadingDestroysTheWindow) {
    QtWorld w;
    auto& f = w.form<Closable>();
    f.show();
    QPointer<QWidget> window = w.view.window(f);
    EXPECT_FALSE(window->close()) << "the close box only asks";
    EXPECT_TRUE(w.runtime.isLoaded<Closable>()) << "Cancel keeps the form";
    EXPECT_TRUE(window->isVisible());

    f.refuse = false;
    window->close();
    EXPECT_FALSE(w.runtime.isLoaded<Closable>());
    ASSERT_FALSE(window.isNull());
    EXPECT_FALSE(window->isVisible());
    flushDeletes();
    EXPECT_TRUE(window.isNull()) << "the window goes with the form";

    auto& again = w.form<Closable>();
    EXPECT_EQ(again.modes, std::vector<int>{}) << "a fresh instance";
    QPointer<QWidget> second = w.view.window(again);
    ASSERT_FALSE(second.isNull());
    again.refuse = false;
    w.runtime.dispatch([&] { again.unload(); });
    EXPECT_EQ(w.view.window(again), nullptr);
    flushDeletes();
    EXPECT_TRUE(second.isNull());
}

class Menus : public forms::Form {
  public:
    explicit Menus(QtWorld& w) : forms::Form(w.runtime, "Menus") {
        Hidden.setVisible(false);
        Open.onClick = [this] { ++opened; };
    }
    forms::Menu File{*this, "File", "&File"};
    forms::Menu Open{*this, "Open", "&Open", &File};
    forms::Menu Hidden{*this, "Hidden", "Popup only"};
    forms::Menu Inside{*this, "Inside", "Inside", &Hidden};
    int opened = 0;
};

TEST(QtView, OnlyVisibleTopLevelMenusMakeAMenuBar) {
    QtWorld w;
    auto& f = w.form<Menus>();
    auto* bar = w.view.window(f)->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text(), "&File");
    bar->actions()[0]->menu()->actions()[0]->trigger();
    EXPECT_EQ(f.opened, 1);

    f.File.setVisible(false);
    waitFor([&] { return w.view.window(f)->findChild<QMenuBar*>() == nullptr; });
    EXPECT_EQ(w.view.window(f)->findChild<QMenuBar*>(), nullptr);
    EXPECT_EQ(w.view.window(f)->size(), QSize(320, 240)) << "the client area alone again";
}

}  // namespace
}  // namespace korvo::qt::test
