// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <set>

#include "support/fixture.h"
#include "ui/forms/runtime.h"

namespace korvo::forms {
namespace {

using std::chrono::milliseconds;
using Lines = std::vector<std::string>;

// Also what a view hears once added as one: a line a report, Enabled by control name alone.
struct Forms : ::testing::Test, ViewObserver {
    fake::ManualScheduler scheduler;
    fake::RecordingWindow window;
    platform::StdFileSystem files;
    Runtime runtime{scheduler, window, files};
    Lines log;
    std::set<std::string> enabled;
    void formEvent(Form& form, FormEvent event, FormProperty) override {
        if (event == FormEvent::Shown) log.push_back("shown " + form.name());
    }
    void controlChanged(Control& control, Property property) override {
        if (property == Property::Enabled) enabled.insert(control.name());
        if (property != Property::Enabled) log.push_back("changed " + control.name());
    }
    template <class F>
    F& form() {
        return runtime.form<F>([&] { return std::make_unique<F>(*this); });
    }
};

struct Closable : Form {
    explicit Closable(Forms& w) : Form(w.runtime, "Closable"), world(w) {}
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        world.log.push_back("query " + std::to_string(UnloadMode));
        if (refuse) Cancel = 1;
    }
    void Form_Unload(int&) override { world.log.push_back("unload"); }
    Forms& world;
    bool refuse = false;
    TextBox Box{*this, "Box", {0, 0, 10, 10}, "design"};
    Timer Tick{*this, "Tick", 500, true};
    Timer Idle{*this, "Idle", 1000, false};
};

TEST_F(Forms, HideKeepsContentsUnloadGivesAFreshInstance) {
    auto& c = form<Closable>();
    EXPECT_TRUE(!c.visible() && scheduler.isArmed(c.Tick)) << "loaded hidden, its timers running";
    c.Box.setText("edited");
    c.show();
    c.hide();
    EXPECT_EQ(form<Closable>().Box.text(), "edited");
    for (const bool refuse : {true, false}) {
        c.refuse = refuse;
        runtime.dispatch([&] { c.requestClose(); });
        EXPECT_EQ(runtime.isLoaded<Closable>(), refuse) << "Cancel keeps the form";
    }
    EXPECT_EQ(log, (Lines{"query 0", "query 0", "unload"}));
    scheduler.advance(milliseconds(2000));
    EXPECT_EQ(scheduler.firedCount(), 0) << "an unloaded form's timers stop";
    EXPECT_EQ(form<Closable>().Box.text(), "design") << "the next touch loads design-time state";
}

TEST_F(Forms, UnloadFromInsideItsOwnHandlerIsSafe) {
    form<Closable>().Tick.onTimer = [&] {
        Closable& self = form<Closable>();
        self.unload();
        log.push_back(self.Box.text());  // the instance lives on until its event is over
    };
    scheduler.advance(milliseconds(500));
    EXPECT_FALSE(runtime.isLoaded<Closable>());
    EXPECT_EQ(log.back(), "design");
}

TEST_F(Forms, EndingStopsAtOnceWithoutUnloadHandlers) {
    form<Closable>().Tick.onTimer = [&] {
        log.push_back("tick");
        runtime.end();
    };
    scheduler.advance(milliseconds(5000));
    runtime.dispatch([&] { log.push_back("late event"); });
    EXPECT_TRUE(runtime.ended() && window.ended);
    EXPECT_EQ(log, Lines{"tick"}) << "no unload handler, no second tick, no late event";
}

struct Controls : Form {
    explicit Controls(Forms& w) : Form(w.runtime, "Controls") {}
    Frame Outer{*this, "Outer", {0, 0, 1000, 1000}};
    Frame Inner{Outer, "Inner", {0, 0, 500, 500}};
    CheckBox Check{Inner, "Check", {0, 0, 10, 10}};
    ControlArray<OptionButton> Option{
        3,
        [this](int i) { return std::make_unique<OptionButton>(Outer, "Option", Rect{}, "", i); }};
    OptionButton Elsewhere{*this, "Elsewhere", {}};
    Timer Clock{*this, "Clock", 0, true};
    FileListBox Files{*this, "Files", {}};
    Slider Slide{*this, "Slide", {}, -10, 0};
    ComboBox Combo{*this, "Combo", {}};
    FolderListBox Dir{*this, "Dir", {}};
};

TEST_F(Forms, ValuesOutsideTheirRangeAreErrorsAndChangeNothing) {
    auto& c = form<Controls>();
    EXPECT_THROW(c.Check.setValue(3), Error);
    EXPECT_THROW(c.Slide.setValue(1), Error);
    EXPECT_THROW(c.Clock.setInterval(65536), Error);
    EXPECT_THROW(c.Files.setListIndex(0), Error) << "an empty list has no entry 0";
    EXPECT_THROW(c.Files.setPath("/no/such/folder/anywhere"), Error);
    EXPECT_EQ(c.Files.listIndex(), -1);
}

TEST_F(Forms, CodeDrivenChangesRunTheUsersHandlersAndOptionButtonsAreExclusivePerContainer) {
    auto& c = form<Controls>();
    c.Check.onClick = [&] { log.push_back("check " + std::to_string(c.Check.value())); };
    c.Slide.onChange = [&] { log.push_back("slide " + std::to_string(c.Slide.value())); };
    c.Combo.onChange = [&] { log.push_back("edit " + c.Combo.text()); };
    c.Combo.onClick = [&] { log.push_back("pick " + c.Combo.text()); };
    c.Check.setValue(1);
    c.Check.setValue(1);
    c.Check.click();
    c.Slide.setValue(-3);
    c.Combo.addItem("tiled");
    c.Combo.setText("t");
    c.Combo.setListIndex(0);
    for (OptionButton* b : {&c.Elsewhere, &c.Option[0], &c.Option[1]}) b->select();
    EXPECT_EQ(log, (Lines{"check 1", "check 0", "slide -3", "edit t", "pick tiled"}));
    EXPECT_TRUE(!c.Option[0].value() && c.Elsewhere.value()) << "other containers keep theirs";
}

TEST_F(Forms, ChangesInsideAHandlerTakeEffectAtOnce) {
    auto& c = form<Closable>();
    c.Idle.onTimer = [&] { log.push_back("idle"); };
    c.Tick.onTimer = [&] {
        log.push_back("tick");
        c.Idle.setEnabled(true);  // its countdown starts now
        c.Tick.setInterval(2000);
    };
    scheduler.advance(milliseconds(2000));
    EXPECT_EQ(log, (Lines{"tick", "idle"})) << "the new interval counts from the change";
    scheduler.advance(milliseconds(500));
    EXPECT_EQ(std::count(log.begin(), log.end(), "tick"), 2);
}

TEST_F(Forms, ShortestIntervalPollRunsAfterEveryEventWithoutAClockOfItsOwn) {
    auto& c = form<Controls>();
    int polls = 0;
    c.Clock.onTimer = [&] { ++polls; };
    c.Clock.setInterval(1);
    EXPECT_FALSE(scheduler.isArmed(c.Clock)) << "a poll costs no wake-ups";
    runtime.dispatch([&] { runtime.dispatch([] {}); });  // a menu's loop: a round each
    form<Closable>();
    scheduler.advance(milliseconds(1500));
    EXPECT_EQ(polls, 5) << "after every event, the timers' too";
    c.Clock.setEnabled(false);
    runtime.dispatch([] {});
    EXPECT_EQ(polls, 5);
}

TEST_F(Forms, NothingAHandlerThrowsEscapesTheDispatcherAndIgnoringSkipsOneStatement) {
    runtime.dispatch([] { throw Error(ErrorCode::InvalidPropertyValue, "x"); });
    runtime.dispatch([] { throw std::out_of_range("y"); });
    EXPECT_FALSE(runtime.ended()) << "the program goes on";
    std::vector<int> ran;
    ignoringErrors({[&] { ran.push_back(1); },
                    [&] { throw Error(ErrorCode::InvalidPropertyValue, "bad"); },
                    [&] { ran.push_back(3); }});
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    EXPECT_THROW(ignoringErrors({[] { throw ProgramEnded{}; }}), ProgramEnded)
        << "ending the program is not an error to ignore";
}

TEST_F(Forms, EveryChangeIsReportedOnceAndADisabledFrameDisablesAllItHolds) {
    auto& c = form<Controls>();
    runtime.addObserver(this);
    c.Combo.setText("x");
    c.Combo.setText("x");  // no change, no report
    c.show();
    c.Check.setForeColor(rgb(255, 255, 255));
    c.Outer.setEnabled(false);  // Check sits in a frame inside Outer
    runtime.removeObserver(this);
    c.Combo.setText("y");
    EXPECT_EQ(log, (Lines{"changed Combo", "shown Controls", "changed Check"}));
    EXPECT_EQ(enabled, (std::set<std::string>{"Outer", "Inner", "Check", "Option"}));
    EXPECT_FALSE(c.Check.effectivelyEnabled() || c.Option[2].effectivelyEnabled());
    EXPECT_TRUE(c.Elsewhere.effectivelyEnabled());
    c.Outer.setEnabled(true);
    EXPECT_TRUE(c.Check.effectivelyEnabled());
}

// Walking in and up through the rows is the view tests' part; here, what no view can show.
TEST_F(Forms, AFolderGoneMeanwhileLeavesTheListWhereItWasAndARootHasNoWayUp) {
    testing::TempFolder root;
    std::filesystem::create_directories(toPath(root.file("beta")));
    auto& dir = form<Controls>().Dir;
    dir.setPath(root.str());
    std::filesystem::remove_all(toPath(root.file("beta")));
    EXPECT_THROW(dir.openRow(1), Error);
    EXPECT_EQ(dir.path(), root.str());
    dir.setPath(fromPath(toPath(root.str()).root_path()));
    EXPECT_EQ(dir.rows(), dir.items());
    dir.onClick = [&] { log.push_back(std::to_string(dir.listIndex())); };
    dir.clickRow(0);
    EXPECT_EQ(log, Lines{"0"}) << "its first row is a folder";
}

}  // namespace
}  // namespace korvo::forms
