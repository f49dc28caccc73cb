#include <gtest/gtest.h>

#include <QFontInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "qt_world.h"
#include "ui/forms/qt/fonts.h"

namespace korvo::qt::test {
namespace {

using Log = std::vector<std::string>;

class Clocks : public forms::Form {
  public:
    explicit Clocks(QtWorld& w) : forms::Form(w.runtime, "Clocks") {
        Clock.onTimer = [this] {
            if (++ticks == unloadAt) unload();
        };
        Poll.onTimer = [this] { ++polls; };
    }
    forms::Timer Clock{*this, "Clock", 40, true};
    forms::Timer Poll{*this, "Poll", 1, true};
    forms::Timer Idle{*this, "Idle", 1000, false};
    int ticks = 0, polls = 0, unloadAt = -1;
};

TEST(QtScheduler, ModelTimersFireOnTheQtLoopAndPollsCostNoTimer) {
    QtWorld w;
    auto& f = w.form<Clocks>();
    EXPECT_EQ(w.scheduler.armedCount(), 1) << "the poll and the stopped timer have no QTimer";
    ASSERT_TRUE(waitFor([&] { return f.ticks >= 3; }));
    EXPECT_GE(f.polls, f.ticks) << "the poll runs after each timer event";

    f.Clock.setEnabled(false);
    f.Idle.setEnabled(true);
    EXPECT_EQ(w.scheduler.armedCount(), 1);
    const int ticks = f.ticks;
    waitFor([] { return false; }, 150);
    EXPECT_EQ(f.ticks, ticks) << "a stopped timer does not fire";

    // A timer may unload its own form, stopping every timer of it from inside its own timeout.
    f.unloadAt = ticks + 1;
    f.Clock.setEnabled(true);
    ASSERT_TRUE(waitFor([&] { return !w.runtime.isLoaded<Clocks>(); }));
    flushDeletes();
    EXPECT_EQ(w.scheduler.armedCount(), 0);
    waitFor([] { return false; }, 100);  // and no late timeout reaches the freed form
}

class Tray : public forms::Form {
  public:
    explicit Tray(QtWorld& w) : forms::Form(w.runtime, "Tray") {
        Top.setVisible(false);
        Gone.setVisible(false);
        Show.onClick = [this] { log.push_back("show"); };
    }
    void Form_MouseMove(const forms::MouseEvent& e) override {
        log.push_back(std::to_string(static_cast<int>(e.x) / 15));
        if (log.back() != "517") return;
        popupMenu(Top, &About);
        log.push_back("menu closed");
    }
    forms::Menu Top{*this, "Top", "Fichier"};
    forms::Menu Show{*this, "Show", "&See", &Top};
    forms::Menu Line{*this, "Line", "-", &Top};
    forms::Menu About{*this, "About", "&About of...", &Top};
    forms::Menu Gone{*this, "Gone", "Hidden item", &Top};
    forms::Menu Quit{*this, "Quit", "&Quit", &Top};
    Log log;
};

TEST(QtTray, ClicksReachTheOwnersMouseMoveAsWindowsMessages) {
    QtWorld w;
    auto& f = w.form<Tray>();
    w.window.addTrayIcon(f, "Korvo");
    auto* icon = w.window.findChild<QSystemTrayIcon*>();
    ASSERT_NE(icon, nullptr);
    QStringList seen;  // the popup's items, "*" marking the bold ones
    QTimer chooser;    // picks "&See" once the popup is open
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !seen.isEmpty()) return;
        for (QAction* a : menu->actions())
            seen << (a->isSeparator() ? QStringLiteral("-") : a->text()) +
                        (a->font().bold() ? "*" : "");
        QKeyEvent key(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"));
        QApplication::sendEvent(menu, &key);
    });
    chooser.start(20);
    for (const auto& [reason, logged] :
         {std::pair{QSystemTrayIcon::Trigger, Log{"514"}},
          {QSystemTrayIcon::DoubleClick, {"515"}},
          {QSystemTrayIcon::MiddleClick, {"520"}},
          {QSystemTrayIcon::Context, {"517", "show", "menu closed"}}}) {
        f.log.clear();
        emit icon->activated(reason);
        EXPECT_TRUE(f.log.empty()) << "delivered from the event loop, not inside the icon's event";
        const std::size_t count = logged.size();  // clang 14 cannot capture a structured binding
        EXPECT_TRUE(waitFor([&] { return f.log.size() == count; }));
        EXPECT_EQ(f.log, logged);
    }
    EXPECT_EQ(seen, (QStringList{"&See", "-", "&About of...*", "&Quit"}))
        << "visible items only; the default one, and only it, bold";

    w.runtime.dispatch([&] { f.unload(); });
    EXPECT_FALSE(w.window.hasTrayIcon(f)) << "the icon goes with its form";
    emit icon->activated(QSystemTrayIcon::Trigger);  // a late click reaches nothing
    waitFor([] { return false; }, 50);
}

TEST(QtServices, FaceSubstitutes) {
    installFontSubstitutions();
    const QFont gothic = toQFont({"MS UI Gothic", 9.75, 128});
    EXPECT_EQ(QFontInfo(gothic).family(), "Noto Sans CJK JP");
    EXPECT_NEAR(QFontInfo(gothic).pointSizeF(), 9.75, 0.3);
    for (char32_t c : {U'K', U'ア', U'日', U'语', U'选'})
        EXPECT_TRUE(QFontMetrics(gothic).inFontUcs4(c)) << "U+" << std::hex << unsigned(c);
    EXPECT_EQ(QFontInfo(toQFont({"MS Sans Serif", 8.25, 0})).family(), "Liberation Sans")
        << "Western text in a face of the same metrics";
    EXPECT_NEAR(QFontInfo(toQFont({"Arial", -4, 0})).pointSizeF(), 8.25, 0.3);
}

TEST(QtServices, WindowDragFollowsTheMouseWhereTheSystemCannotMoveIt) {
    struct Page : forms::Form {
        explicit Page(QtWorld& w) : forms::Form(w.runtime, "Page") {}
        void Form_MouseDown(const forms::MouseEvent&) override {
            runtime().window().startWindowDrag(*this);
        }
    };
    QtWorld w;
    auto& f = w.form<Page>();
    f.show();
    QWidget* window = w.view.window(f);
    QWidget* client = window->childAt(10, 10);
    const QPoint start = window->pos();
    QCursor::setPos(window->mapToGlobal(QPoint(10, 10)));
    sendMouse(client, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    // The offscreen platform has no window manager to hand the move to.
    QCursor::setPos(window->mapToGlobal(QPoint(40, 30)));
    sendMouse(client, QEvent::MouseMove, {40, 30}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window->pos(), start + QPoint(30, 20));
    sendMouse(client, QEvent::MouseButtonRelease, {40, 30}, Qt::LeftButton, Qt::NoButton);
    sendMouse(client, QEvent::MouseMove, {60, 60}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window->pos(), start + QPoint(30, 20)) << "the release ends the drag";
}

}  // namespace
}  // namespace korvo::qt::test
