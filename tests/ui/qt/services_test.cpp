#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "qt_world.h"
#include "ui/forms/qt/fonts.h"
#include "ui/forms/qt/pictures.h"

namespace korvo::qt::test {
namespace {

class Clocks : public forms::Form {
  public:
    explicit Clocks(QtWorld& w) : forms::Form(w.runtime, "Clocks") {
        Clock.onTimer = [this] { ++ticks; };
        Poll.onTimer = [this] { ++polls; };
    }
    forms::Timer Clock{*this, "Clock", 40, true};
    forms::Timer Poll{*this, "Poll", 1, true};
    forms::Timer Idle{*this, "Idle", 1000, false};
    int ticks = 0;
    int polls = 0;
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

    f.Idle.setInterval(0);
    EXPECT_EQ(w.scheduler.armedCount(), 0) << "interval 0 never fires";
    f.Clock.setEnabled(true);
    w.runtime.dispatch([&] { f.unload(); });
    EXPECT_EQ(w.scheduler.armedCount(), 0) << "an unloaded form's timers stop";
    waitFor([] { return false; }, 100);  // and no late timeout reaches the freed form
}

class Unloader : public forms::Form {
  public:
    explicit Unloader(QtWorld& w) : forms::Form(w.runtime, "Unloader") {
        Once.onTimer = [this] { unload(); };
    }
    forms::Timer Once{*this, "Once", 20, true};
};

TEST(QtScheduler, ATimerMayUnloadItsOwnForm) {
    QtWorld w;
    w.form<Unloader>();
    ASSERT_TRUE(waitFor([&] { return !w.runtime.isLoaded<Unloader>(); }));
    flushDeletes();
    EXPECT_EQ(w.scheduler.armedCount(), 0);
}

// Pictures are made by the tests themselves: a large JPEG, a PNG, and files that only claim to
// be pictures.
class QtPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QImage large(4000, 3000, QImage::Format_RGB32);
        large.fill(QColor(200, 30, 30));
        ASSERT_TRUE(large.save(path("large.jpg"), "JPEG", 90));
        std::ofstream(path("fake.jpg").toStdString()) << "not a picture at all";
        const QByteArray whole = readAll(path("large.jpg"));
        std::ofstream(path("cut.jpg").toStdString(), std::ios::binary)
            .write(whole.constData(), whole.size() / 3);
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray readAll(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(QtPictures, ProbeReadsTheSizeAndRefusesWhatIsNoPicture) {
    const auto info = probePicture(path("large.jpg").toStdString());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, 4000);
    EXPECT_EQ(info->height, 3000);
    EXPECT_FALSE(probePicture(path("fake.jpg").toStdString()));
    EXPECT_FALSE(probePicture(path("missing.png").toStdString()));
    EXPECT_FALSE(probePicture(""));
    EXPECT_FALSE(probePicture(dir.path().toStdString())) << "a folder";
    EXPECT_TRUE(decodePicture(path("fake.jpg").toStdString(), {257, 185}).isNull());
    (void)decodePicture(path("cut.jpg").toStdString(), {257, 185});  // a cut file: no crash
}

TEST_F(QtPictures, AnImageDecodesAtTheSizeItIsShown) {
    // With room for a preview but not for the whole picture, only a decode at display size can
    // succeed: proof that the full 12-megapixel picture is never built.
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(8);  // MiB; the full picture would need 46
    EXPECT_TRUE(decodePicture(path("large.jpg").toStdString(), {}).isNull());
    const QImage preview = decodePicture(path("large.jpg").toStdString(), {257, 185});
    EXPECT_EQ(preview.size(), QSize(257, 185));

    class Preview : public forms::Form {
      public:
        explicit Preview(QtWorld& w) : forms::Form(w.runtime, "Preview") {}
        forms::Image Im1{*this, "Im1", {120, 240, 3855, 2775}, true};
    };
    QtWorld w;
    auto& f = w.form<Preview>();
    f.Im1.setBordered(true);
    w.runtime.dispatch(
        [&] { f.Im1.setPicture(w.runtime.loadPicture(path("large.jpg").toStdString())); });
    ASSERT_TRUE(f.Im1.picture());
    f.show();
    const QImage shot = w.view.widget(f.Im1)->grab().toImage();
    QImageReader::setAllocationLimit(limit);
    ASSERT_EQ(shot.size(), QSize(257, 185));
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0, 0, 0)) << "the border";
    const QColor middle = shot.pixelColor(128, 92);
    EXPECT_NEAR(middle.red(), 200, 8);
    EXPECT_NEAR(middle.green(), 30, 8);
}

class Tray : public forms::Form {
  public:
    explicit Tray(QtWorld& w) : forms::Form(w.runtime, "Tray") {
        Top.setVisible(false);
        Show.onClick = [this] { log.push_back("show"); };
        About.onClick = [this] { log.push_back("about"); };
        Quit.onClick = [this] { runtime().end(); };
    }
    void Form_MouseMove(const forms::MouseEvent& e) override {
        const int message = static_cast<int>(e.x) / 15;
        log.push_back(std::to_string(message));
        if (message == 517) {
            popupMenu(Top, &About);
            log.push_back("menu closed");
        }
    }
    forms::Menu Top{*this, "Top", "Fichier"};
    forms::Menu Show{*this, "Show", "&See", &Top};
    forms::Menu Line{*this, "Line", "-", &Top};
    forms::Menu About{*this, "About", "&About of...", &Top};
    forms::Menu Gone{*this, "Gone", "Hidden item", &Top};
    forms::Menu Quit{*this, "Quit", "&Quit", &Top};
    std::vector<std::string> log;
};

QSystemTrayIcon* trayIcon(QtWorld& w) {
    const auto icons = w.window.findChildren<QSystemTrayIcon*>();
    return icons.size() == 1 ? icons.front() : nullptr;
}

// Chooses the item with access key `key` in the popup menu once it is open, after checking it.
void chooseInPopup(char key, QStringList& seen, bool& defaultBold) {
    QTimer::singleShot(50, [key, &seen, &defaultBold] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* action : menu->actions()) {
            seen << (action->isSeparator() ? QStringLiteral("-") : action->text());
            if (action->font().bold()) defaultBold = action->text() == "&About of...";
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (key - 'a'), Qt::NoModifier,
                        QString(QChar::fromLatin1(key)));
        QApplication::sendEvent(menu, &press);
    });
}

TEST(QtTray, ClicksReachTheOwnersMouseMoveAsWindowsMessages) {
    QtWorld w;
    auto& f = w.form<Tray>();
    w.window.addTrayIcon(f, "Korvo");
    QSystemTrayIcon* icon = trayIcon(w);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), "Korvo");
    EXPECT_EQ(icon->contextMenu(), nullptr) << "the right button is the core's";

    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(f.log.empty()) << "delivered from the event loop, not inside the icon's event";
    ASSERT_TRUE(waitFor([&] { return !f.log.empty(); }));
    EXPECT_EQ(f.log, std::vector<std::string>{"514"});

    QStringList seen;
    bool defaultBold = false;
    chooseInPopup('s', seen, defaultBold);
    emit icon->activated(QSystemTrayIcon::Context);
    ASSERT_TRUE(waitFor([&] { return f.log.size() >= 4; }));
    EXPECT_EQ(f.log, (std::vector<std::string>{"514", "517", "show", "menu closed"}));
    EXPECT_EQ(seen, (QStringList{"&See", "-", "&About of...", "Hidden item", "&Quit"}));
    EXPECT_TRUE(defaultBold) << "the default item, and only it, is bold";

    w.runtime.dispatch([&] { f.unload(); });
    EXPECT_FALSE(w.window.hasTrayIcon(f)) << "the icon goes with its form";
    emit icon->activated(QSystemTrayIcon::Trigger);  // a late click reaches nothing
    waitFor([] { return false; }, 50);
}

TEST(QtTray, QuittingFromThePopupStopsTheHandlerThatOpenedIt) {
    // Last in this file: ending the program leaves every event loop, as it should.
    QtWorld w;
    auto& f = w.form<Tray>();
    f.Gone.setVisible(false);
    w.window.addTrayIcon(f, "Korvo");
    QStringList seen;
    bool defaultBold = false;
    chooseInPopup('q', seen, defaultBold);
    emit trayIcon(w)->activated(QSystemTrayIcon::Context);
    ASSERT_TRUE(waitFor([&] { return w.runtime.ended(); }));
    EXPECT_EQ(seen, (QStringList{"&See", "-", "&About of...", "&Quit"})) << "hidden items stay out";
    EXPECT_EQ(f.log, std::vector<std::string>{"517"}) << "nothing ran after the menu closed";
}

TEST(QtServices, ScreenMetricsAndFaceSubstitutes) {
    QtWorld w;
    EXPECT_EQ(w.window.twipsPerPixelX(), 15) << "96 dpi";
    EXPECT_EQ(w.window.twipsPerPixelY(), 15);

    installFontSubstitutions();
    const QFont gothic = toQFont({"MS UI Gothic", 9.75, 128});
    EXPECT_EQ(QFontInfo(gothic).family(), "Noto Sans CJK JP");
    EXPECT_NEAR(QFontInfo(gothic).pointSizeF(), 9.75, 0.3);
    const QFontMetrics metrics(gothic);
    for (char32_t c : {U'K', U'ア', U'日', U'语', U'选'})
        EXPECT_TRUE(metrics.inFontUcs4(c))
            << "Latin, Japanese and Chinese: U+" << std::hex << static_cast<unsigned>(c);
    EXPECT_EQ(QFontInfo(toQFont({"MS UI Gothic", 9.75, 0})).family(), "Liberation Sans")
        << "Western text in a Latin face";
    EXPECT_EQ(QFontInfo(toQFont({"MS Sans Serif", 8.25, 0})).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(toQFont({"Lucida Sans Unicode", 8.25, 0})).family(), "DejaVu Sans");
    EXPECT_NEAR(QFontInfo(toQFont({"Arial", -4, 0})).pointSizeF(), 8.25, 0.3)
        << "a size that cannot be meant falls back";
}

TEST(QtServices, WindowDragFollowsTheMouseWhereTheSystemCannotMoveIt) {
    class Page : public forms::Form {
      public:
        explicit Page(QtWorld& w) : forms::Form(w.runtime, "Page") {
            setBorderStyle(forms::BorderStyle::None);
        }
        void Form_MouseDown(const forms::MouseEvent&) override {
            runtime().window().startWindowDrag(*this);
        }
    };
    QtWorld w;
    auto& f = w.form<Page>();
    f.show();
    QWidget* window = w.view.window(f);
    QWidget* client = window->childAt(10, 10);
    ASSERT_NE(client, nullptr);
    const QPoint start = window->pos();
    QCursor::setPos(window->mapToGlobal(QPoint(10, 10)));
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(10, 10),
                     client->mapToGlobal(QPointF(10, 10)), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(client, &down);
    // The offscreen platform has no window manager to hand the move to.
    QCursor::setPos(window->mapToGlobal(QPoint(40, 30)));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 30), client->mapToGlobal(QPointF(40, 30)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(client, &move);
    EXPECT_EQ(window->pos(), start + QPoint(30, 20));
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(40, 30),
                   client->mapToGlobal(QPointF(40, 30)), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(client, &up);
}

}  // namespace
}  // namespace korvo::qt::test
