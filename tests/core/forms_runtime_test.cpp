#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "base/paths.h"
#include "platform/folder_listing.h"
#include "support/fixture.h"
#include "support/manual_scheduler.h"
#include "support/recording_window.h"
#include "ui/forms/runtime.h"

namespace korvo::forms {
namespace {

using std::chrono::milliseconds;

struct World {
    fake::ManualScheduler scheduler;
    fake::RecordingWindow window;
    platform::StdFileSystem files;
    Runtime runtime{scheduler, window, files};
    std::vector<std::string> log;
};

// Two forms that touch each other while loading, as the options dialog and the option form do.
class Second;
class First : public Form {
  public:
    explicit First(World& w) : Form(w.runtime, "First"), world(w) {}
    void Form_Load() override;
    World& world;
    Timer Tick{*this, "Tick", 1000, true};
    Timer Idle{*this, "Idle", 1000, false};
};

class Second : public Form {
  public:
    explicit Second(World& w) : Form(w.runtime, "Second"), world(w) {}
    void Form_Load() override;
    World& world;
};

First& first(World& w) {
    return w.runtime.form<First>([&] { return std::make_unique<First>(w); });
}
Second& second(World& w) {
    return w.runtime.form<Second>([&] { return std::make_unique<Second>(w); });
}

void First::Form_Load() {
    world.log.push_back("First load");
    second(world);
}

void Second::Form_Load() {
    world.log.push_back("Second load");
    // Touching First again from inside its own loading sees the instance being loaded.
    world.log.push_back(&first(world) == this->world.runtime.forms().front() ? "same" : "other");
}

TEST(FormsLifecycle, NestedTouchDuringLoadSeesTheSameInstanceAndLoadsOnce) {
    World w;
    First& f = first(w);
    EXPECT_EQ(&f, &first(w));
    EXPECT_EQ(w.log, (std::vector<std::string>{"First load", "Second load", "same"}));
    EXPECT_FALSE(f.visible()) << "forms load hidden";
    EXPECT_TRUE(w.scheduler.isArmed(f.Tick)) << "loading starts the timers enabled in the design";
    EXPECT_FALSE(w.scheduler.isArmed(f.Idle));
}

class Closable : public Form {
  public:
    explicit Closable(World& w) : Form(w.runtime, "Closable"), world(w) {}
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        world.log.push_back("query " + std::to_string(UnloadMode));
        if (refuse) Cancel = 1;
    }
    void Form_Unload(int&) override { world.log.push_back("unload"); }
    World& world;
    bool refuse = false;
    TextBox Box{*this, "Box", {0, 0, 10, 10}, "design"};
    Timer Tick{*this, "Tick", 500, true};
};

Closable& closable(World& w) {
    return w.runtime.form<Closable>([&] { return std::make_unique<Closable>(w); });
}

TEST(FormsLifecycle, HideKeepsContentsUnloadGivesAFreshInstance) {
    World w;
    closable(w).Box.setText("edited");
    closable(w).show();
    closable(w).hide();
    EXPECT_EQ(closable(w).Box.text(), "edited");

    closable(w).refuse = true;
    w.runtime.dispatch([&] { closable(w).requestClose(); });
    EXPECT_TRUE(w.runtime.isLoaded<Closable>()) << "Cancel keeps the form";

    closable(w).refuse = false;
    w.runtime.dispatch([&] { closable(w).requestClose(); });
    EXPECT_FALSE(w.runtime.isLoaded<Closable>());
    EXPECT_EQ(w.log, (std::vector<std::string>{"query 0", "query 0", "unload"}));
    w.scheduler.advance(milliseconds(2000));
    EXPECT_EQ(w.scheduler.firedCount(), 0) << "an unloaded form's timers stop";

    EXPECT_EQ(closable(w).Box.text(), "design") << "the next touch loads design-time state";
}

TEST(FormsLifecycle, UnloadFromInsideItsOwnHandlerIsSafe) {
    World w;
    closable(w).Tick.onTimer = [&] {
        Closable& self = closable(w);
        self.unload();
        w.log.push_back(self.Box.text());  // the instance lives on until its event is over
    };
    w.scheduler.advance(milliseconds(500));
    EXPECT_FALSE(w.runtime.isLoaded<Closable>());
    EXPECT_EQ(w.log.back(), "design");
}

TEST(FormsLifecycle, EndingStopsAtOnceWithoutUnloadHandlers) {
    World w;
    closable(w).Tick.onTimer = [&] {
        w.log.push_back("tick");
        w.runtime.end();
    };
    w.scheduler.advance(milliseconds(5000));
    EXPECT_TRUE(w.runtime.ended());
    EXPECT_TRUE(w.window.ended);
    EXPECT_EQ(w.log, std::vector<std::string>{"tick"}) << "no unload handler, no second tick";
    w.runtime.dispatch([&] { w.log.push_back("late event"); });
    EXPECT_EQ(w.log.size(), 1u);
}

class Controls : public Form {
  public:
    explicit Controls(World& w) : Form(w.runtime, "Controls") {}
    Frame Outer{*this, "Outer", {0, 0, 1000, 1000}};
    Frame Inner{Outer, "Inner", {0, 0, 500, 500}};
    CheckBox Check{Inner, "Check", {0, 0, 10, 10}};
    ControlArray<OptionButton> Option{
        3,
        [this](int i) { return std::make_unique<OptionButton>(Outer, "Option", Rect{}, "", i); }};
    OptionButton Elsewhere{*this, "Elsewhere", {}};
    Image Picture{*this, "Picture", {}, true};
    Timer Clock{*this, "Clock", 0, true};
    Menu Top{*this, "Top", "Top"};
    Menu Item{*this, "Item", "Item", &Top};
    FileListBox Files{*this, "Files", {}};
    Slider Slide{*this, "Slide", {}, -10, 0};
    ComboBox Combo{*this, "Combo", {}};
    FolderListBox Dir{*this, "Dir", {}};
};

Controls& controls(World& w) {
    return w.runtime.form<Controls>([&] { return std::make_unique<Controls>(w); });
}

TEST(FormsControls, OptionButtonsAreExclusivePerContainerAndAlwaysRunTheirHandler) {
    World w;
    auto& c = controls(w);
    int clicks = 0;
    c.Option[1].onClick = [&] { ++clicks; };
    c.Elsewhere.select();
    c.Option[0].select();
    c.Option[1].select();
    c.Option[1].select();
    EXPECT_EQ(clicks, 2) << "selecting an already selected button runs its handler again";
    EXPECT_FALSE(c.Option[0].value());
    EXPECT_TRUE(c.Option[1].value());
    EXPECT_TRUE(c.Elsewhere.value()) << "another container is not affected";
}

TEST(FormsControls, ValuesOutsideTheirRangeAreErrorsAndChangeNothing) {
    World w;
    auto& c = controls(w);
    EXPECT_THROW(c.Check.setValue(3), Error);
    EXPECT_THROW(c.Slide.setValue(1), Error);
    EXPECT_THROW(c.Clock.setInterval(65536), Error);
    EXPECT_THROW(c.Files.setListIndex(0), Error) << "an empty list has no entry 0";
    EXPECT_THROW(c.Files.setPath("/no/such/folder/anywhere"), Error);
    EXPECT_EQ(c.Files.listIndex(), -1);
    for (Control* fontless : std::initializer_list<Control*>{&c.Picture, &c.Clock, &c.Item}) {
        EXPECT_THROW((void)fontless->font(), Error) << fontless->name() << " has no font";
        EXPECT_THROW(fontless->setFont({}), Error) << fontless->name();
    }
    EXPECT_NO_THROW((void)c.Check.font());
}

TEST(FormsControls, CodeDrivenChangesRunTheSameHandlersAsTheUser) {
    World w;
    auto& c = controls(w);
    std::vector<std::string> events;
    c.Check.onClick = [&] { events.push_back("check " + std::to_string(c.Check.value())); };
    c.Slide.onChange = [&] { events.push_back("slide " + std::to_string(c.Slide.value())); };
    c.Combo.onChange = [&] { events.push_back("edit " + c.Combo.text()); };
    c.Combo.onClick = [&] { events.push_back("pick " + c.Combo.text()); };
    c.Check.setValue(1);
    c.Check.setValue(1);
    c.Check.click();
    c.Slide.setValue(-3);
    c.Combo.addItem("tiled");
    c.Combo.setText("t");
    c.Combo.setListIndex(0);
    EXPECT_EQ(events,
              (std::vector<std::string>{"check 1", "check 0", "slide -3", "edit t", "pick tiled"}));
}

TEST(FormsTimers, ChangesInsideAHandlerTakeEffectAtOnce) {
    World w;
    auto& f = first(w);
    int ticks = 0, idles = 0;
    f.Idle.onTimer = [&] { ++idles; };
    f.Tick.onTimer = [&] {
        ++ticks;
        f.Idle.setEnabled(true);  // its countdown starts now
        f.Tick.setInterval(2000);
    };
    w.scheduler.advance(milliseconds(1000));
    EXPECT_EQ(ticks, 1);
    w.scheduler.advance(milliseconds(1000));
    EXPECT_EQ(idles, 1);
    EXPECT_EQ(ticks, 1) << "the new interval counts from the change";
    w.scheduler.advance(milliseconds(1000));
    EXPECT_EQ(ticks, 2);
}

TEST(FormsTimers, ShortestIntervalPollRunsAfterEveryEventWithoutAClockOfItsOwn) {
    World w;
    auto& c = controls(w);
    int polls = 0;
    c.Clock.onTimer = [&] { ++polls; };
    c.Clock.setInterval(1);
    EXPECT_FALSE(w.scheduler.isArmed(c.Clock)) << "a poll costs no wake-ups";
    EXPECT_EQ(w.runtime.pollCount(), 1);
    w.runtime.dispatch([] {});
    w.runtime.dispatch([&] { w.runtime.dispatch([] {}); });  // a menu's loop: a round each
    EXPECT_EQ(polls, 3);
    first(w);
    w.scheduler.advance(milliseconds(3000));
    EXPECT_EQ(polls, 6) << "and after every timer event";
    c.Clock.setEnabled(false);
    w.runtime.dispatch([] {});
    EXPECT_EQ(polls, 6);
}

TEST(FormsErrors, NothingAHandlerThrowsEscapesTheDispatcher) {
    World w;
    int after = 0;
    EXPECT_NO_THROW(w.runtime.dispatch([] { throw Error(ErrorCode::InvalidPropertyValue, "x"); }));
    EXPECT_NO_THROW(w.runtime.dispatch([] { throw std::out_of_range("y"); }));
    w.runtime.dispatch([&] { ++after; });
    EXPECT_EQ(after, 1) << "the program goes on";
    EXPECT_FALSE(w.runtime.ended());
}

TEST(FormsErrors, IgnoringErrorsSkipsOnlyTheFailingStatement) {
    std::vector<int> ran;
    ignoringErrors({
        [&] { ran.push_back(1); },
        [&] { throw Error(ErrorCode::InvalidPropertyValue, "bad"); },
        [&] { ran.push_back(3); },
    });
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    EXPECT_THROW(ignoringErrors({[] { throw ProgramEnded{}; }}), ProgramEnded)
        << "ending the program is not an error to ignore";
}

// What a view hears, one line a report; Enabled reports by control name alone.
class Observer : public ViewObserver {
  public:
    void formEvent(Form& form, FormEvent event, FormProperty) override {
        if (event == FormEvent::Shown) seen.push_back("shown " + form.name());
    }
    void controlChanged(Control& control, Property property) override {
        if (property == Property::Enabled)
            enabled.insert(control.name());
        else
            seen.push_back("changed " + control.name());
    }
    std::vector<std::string> seen;
    std::set<std::string> enabled;
};

TEST(FormsObservers, EveryChangeIsReportedOnceAndADisabledFrameDisablesAllItHolds) {
    World w;
    Observer observer;
    auto& c = controls(w);
    w.runtime.addObserver(&observer);
    c.Combo.setText("x");
    c.Combo.setText("x");  // no change, no report
    c.show();
    c.Check.setForeColor(rgb(255, 255, 255));
    c.Outer.setEnabled(false);  // Check sits in a frame inside Outer
    w.runtime.removeObserver(&observer);
    c.Combo.setText("y");
    EXPECT_EQ(observer.seen,
              (std::vector<std::string>{"changed Combo", "shown Controls", "changed Check"}));
    EXPECT_EQ(observer.enabled, (std::set<std::string>{"Outer", "Inner", "Check", "Option"}));
    EXPECT_TRUE(c.Check.enabled());
    EXPECT_FALSE(c.Check.effectivelyEnabled() || c.Option[2].effectivelyEnabled());
    EXPECT_TRUE(c.Elsewhere.effectivelyEnabled());
    c.Outer.setEnabled(true);
    EXPECT_TRUE(c.Check.effectivelyEnabled());
}

TEST(FormsFolderList, TheRowAboveTheSubFoldersWalksUpAndADoubleClickWalksIn) {
    World w;
    testing::TempFolder root;
    for (const char* sub : {"alpha/inner", "beta"})
        std::filesystem::create_directories(toPath(root.file(sub)));
    auto& dir = controls(w).Dir;
    std::vector<std::string> log;
    dir.onChange = [&] { log.push_back(dir.path()); };
    dir.onClick = [&] { log.push_back(std::to_string(dir.listIndex())); };
    dir.setPath(root.str());
    EXPECT_EQ(dir.rows(), (std::vector<std::string>{"..", "alpha", "beta"}));
    dir.clickRow(0);  // the way up: nothing to highlight
    dir.clickRow(2);
    EXPECT_EQ(dir.currentRow(), 2);
    dir.openRow(1);
    EXPECT_EQ(dir.rows(), (std::vector<std::string>{"..", "inner"}));
    EXPECT_EQ(dir.currentRow(), -1);
    dir.openRow(0);
    EXPECT_EQ(log, (std::vector<std::string>{root.str(), "1", root.str() + separator() + "alpha",
                                             root.str()}));

    std::filesystem::remove_all(toPath(root.file("beta")));
    EXPECT_THROW(dir.openRow(2), Error) << "a folder gone meanwhile";
    EXPECT_EQ(dir.path(), root.str()) << "the list stays where it was";
    EXPECT_EQ(dir.rows().size(), 3u);

    dir.setPath(fromPath(toPath(root.str()).root_path()));
    EXPECT_EQ(dir.rows(), dir.items()) << "a root has no way up";
    dir.clickRow(0);
    EXPECT_EQ(log.back(), "0") << "its first row is a folder";
}

}  // namespace
}  // namespace korvo::forms
