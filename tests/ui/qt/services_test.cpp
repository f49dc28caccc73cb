// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Qt services under the forms: the program's loop inside Qt's, the preview's pictures, the
// popup menu and the font substitutes.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QMenu>
#include <QRawFont>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "qt_world.h"
#include "ui/forms/qt/fonts.h"
#include "ui/forms/qt/pictures.h"

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

// The program's GLib loop, as it goes on inside Qt's once the windows are loaded.
TEST(ProgramLoop, ModelTimersFireInsideQtsLoopAndPollsCostNoTimer) {
    QtWorld w;
    auto& f = w.form<Clocks>();
    EXPECT_EQ(w.scheduler.armedCount(), 1) << "the poll and the stopped timer have no timeout";
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

// The preview's decoding: large pictures from files decode off the UI thread, the newest picture
// wins over an older decode that ends later, and a picture that cannot be decoded keeps the one
// shown before; each reader is bound to the format the file's first bytes say.
struct Preview : forms::Form {
    explicit Preview(QtWorld& w) : forms::Form(w.runtime, "Preview") {}
    forms::Image Im1{*this, "Im1", {0, 0, 3855, 2775}, true};
};

class QtPreview : public ::testing::Test {
  protected:
    std::string picture(const char* name, QSize size, QColor colour, const char* format) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(file, format));
        return file.toStdString();
    }
    void show(const std::string& path) {
        w.runtime.dispatch([&] { f.Im1.setPicture(w.runtime.loadPicture(path)); });
    }
    // The preview's colour in its middle, once every decode has ended and been delivered.
    QColor settled() {
        (void)shown();
        do {
            QThreadPool::globalInstance()->waitForDone();
            QCoreApplication::processEvents();
        } while (QThreadPool::globalInstance()->activeThreadCount() > 0);
        return shown();
    }
    QColor shown() { return w.view.widget(f.Im1)->grab().toImage().pixelColor(128, 92); }

    QTemporaryDir dir;
    QtWorld w;
    Preview& f = w.form<Preview>();
};

TEST_F(QtPreview, TheNewestPictureWinsOverAnOlderDecodeThatEndsLater) {
    // A slow, detailed 24-megapixel JPEG first, then a quick flat one: the older decode ends
    // last, and its result must not replace the newer picture.
    QImage detail(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < detail.height(); ++y)
        for (int x = 0; x < detail.width(); ++x)
            detail.setPixel(x, y, qRgb(200 + (x * 7 + y * 13) % 50, (x ^ y) % 40, (x * y) % 40));
    ASSERT_TRUE(detail.save(dir.filePath("slow.jpg"), "JPEG", 95));
    const std::string quick = picture("quick.png", {1200, 1000}, Qt::blue, "PNG");
    f.show();

    show(dir.filePath("slow.jpg").toStdString());
    EXPECT_GT(shown().green(), 100) << "painting does not wait for the decode";
    QThread::msleep(10);  // the decode has begun
    show(quick);
    (void)shown();
    ASSERT_TRUE(waitFor([&] { return shown() == QColor(Qt::blue); }));
    EXPECT_EQ(settled(), QColor(Qt::blue));
}

TEST_F(QtPreview, APictureThatCannotBeDecodedKeepsTheOneShownBefore) {
    f.show();
    // A PNG header that tells a size over data that is no PNG: probed as a picture, never decoded.
    for (const QSize size : {QSize(640, 400), QSize(1600, 1000)}) {
        SCOPED_TRACE(size.width());
        const std::string good = picture("good.png", size, Qt::red, "PNG");
        const std::string broken = picture("broken.png", size, Qt::green, "PNG");
        QFile file(QString::fromStdString(broken));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(33);  // the signature and the header chunk stay; the data chunk is noise
        file.write(QByteArray("\0\0\x10\0IDAT", 8) + QByteArray(4100, '\x5a'));
        file.close();

        show(good);
        ASSERT_TRUE(waitFor([&] { return shown() == QColor(Qt::red); }));
        show(broken);
        ASSERT_EQ(f.Im1.picture()->source, broken) << "the model takes what its header says";
        EXPECT_EQ(settled(), QColor(Qt::red));
        f.Im1.setPicture(nullptr);
        EXPECT_NE(settled(), QColor(Qt::red)) << "no picture at all empties the preview";
    }
}

TEST_F(QtPreview, WhatIsNoPictureIsRefusedAndALargeOneDecodesOnlyAtTheSizeShown) {
    const std::string large = picture("large.jpg", {4000, 3000}, QColor(200, 30, 30), "JPEG");
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    std::ofstream(path("fake.jpg")) << "not a picture at all";
    std::filesystem::copy_file(large, path("cut.jpg"));
    std::filesystem::resize_file(path("cut.jpg"), std::filesystem::file_size(large) / 3);
    for (const std::string& none : {path("fake.jpg"), path("missing.png"), path("")})
        EXPECT_FALSE(probePicture(none)) << none;
    (void)decodePicture(path("cut.jpg"), {257, 185});  // a cut file: no crash

    // With room for a preview but not for the whole picture, only a decode at display size can
    // succeed: proof that the full 12-megapixel picture is never built.
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(8);  // MiB; the full picture would need 46
    EXPECT_TRUE(decodePicture(large, {}).isNull());
    f.show();
    show(large);
    const QColor colour = settled();
    QImageReader::setAllocationLimit(limit);
    EXPECT_NEAR(colour.red(), 200, 8);
    EXPECT_LT(colour.green(), 100);
}

// Some window systems reduce a palette picture's pixmap to two colours: the preview never hands
// them one.
TEST_F(QtPreview, PaletteGreyAndOneBitPicturesDecodeInFullColourAtEverySize) {
    QImage palette(40, 20, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(200, 30, 30), qRgb(30, 30, 200), qRgb(30, 160, 60)});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) palette.setPixel(x, y, x < 20 ? 0 : (y < 10 ? 1 : 2));
    QImage grey(40, 20, QImage::Format_Grayscale8);
    grey.fill(QColor(128, 128, 128));
    QImage bits(40, 20, QImage::Format_Mono);
    bits.fill(0);
    for (const auto& [name, image] :
         {std::pair{"palette.png", palette}, {"grey.png", grey}, {"bits.png", bits}}) {
        SCOPED_TRACE(name);
        const QString file = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(image.save(file, "PNG"));
        const QImage expected = image.convertToFormat(QImage::Format_RGB32);
        for (const QSize size : {QSize(), QSize(20, 10), QSize(80, 40)}) {
            const QImage decoded = decodePicture(file.toStdString(), size);
            EXPECT_TRUE(decoded.format() == QImage::Format_RGB32 ||
                        decoded.format() == QImage::Format_ARGB32_Premultiplied)
                << decoded.format();
            for (const QPoint at : {QPoint(5, 2), QPoint(30, 4), QPoint(30, 15)}) {
                const QPoint scaled(at.x() * decoded.width() / 40, at.y() * decoded.height() / 20);
                EXPECT_EQ(decoded.pixelColor(scaled).rgb(), expected.pixelColor(at).rgb());
            }
        }
    }
}

TEST_F(QtPreview, EachFormatIsKnownByItsFirstBytesWhateverTheFileIsCalled) {
    for (const char* format :
         {"png", "jpeg", "bmp", "ppm", "pgm", "pbm", "xbm", "xpm", "tiff", "webp", "ico", "wbmp"}) {
        SCOPED_TRACE(format);
        // WBMP (like TGA, which Qt does not write) has no signature: its extension names it.
        const std::string file =
            picture(std::string_view(format) == "wbmp" ? "picture.wbmp" : "picture.dat", {24, 16},
                    Qt::darkCyan, format);
        const auto info = probePicture(file);
        ASSERT_TRUE(info);
        EXPECT_EQ(QSize(info->width, info->height), QSize(24, 16));
        EXPECT_EQ(decodePicture(file, {12, 8}).size(), QSize(12, 8));
    }
}

class Tray : public forms::Form {
  public:
    explicit Tray(QtWorld& w) : forms::Form(w.runtime, "Tray") {
        Top.setVisible(false);
        Gone.setVisible(false);
        Show.onClick = [this] { log.push_back("show"); };
    }
    forms::Menu Top{*this, "Top", "Fichier"};
    forms::Menu Show{*this, "Show", "&See", &Top};
    forms::Menu Line{*this, "Line", "-", &Top};
    forms::Menu About{*this, "About", "&About of...", &Top};
    forms::Menu Gone{*this, "Gone", "Hidden item", &Top};
    Log log;
};

// The menu Korvo draws itself, for an XEmbed tray whose host draws none.
TEST(QtMenus, ThePopupShowsTheVisibleItemsTheDefaultInBoldAndRunsTheOneChosen) {
    QtWorld w;
    auto& f = w.form<Tray>();
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
    w.runtime.dispatch([&] {
        f.popupMenu(f.Top, &f.About);
        f.log.push_back("menu closed");
    });
    EXPECT_EQ(f.log, (Log{"show", "menu closed"})) << "the choice runs once the menu has closed";
    EXPECT_EQ(seen, (QStringList{"&See", "-", "&About of...*"}))
        << "visible items only; the default one, and only it, bold";
}

TEST(QtServices, LatinLettersKeepTheirWidthsAndJapaneseTextComesFromNotoCjk) {
    const auto faceOf = [](const forms::Font& font, QFontDatabase::WritingSystem script) {
        return QRawFont::fromFont(toQFont(font), script).familyName();
    };
    EXPECT_EQ(faceOf({"MS Sans Serif", 8.25, 0}, QFontDatabase::Latin), "Liberation Sans")
        << "Western text in a face of the same widths";
    EXPECT_EQ(faceOf({"MS UI Gothic", 9.75, 128}, QFontDatabase::Latin), "Liberation Sans")
        << "a Japanese character set keeps the Latin letters narrow";
    EXPECT_EQ(faceOf({"MS UI Gothic", 9.75, 128}, QFontDatabase::Japanese), "Noto Sans CJK JP");
    const QFont gothic = toQFont({"MS UI Gothic", 9.75, 128});
    EXPECT_NEAR(QFontInfo(gothic).pointSizeF(), 9.75, 0.3);
    for (char32_t c : {U'K', U'ア', U'日', U'语', U'选'})
        EXPECT_TRUE(QFontMetrics(gothic).inFontUcs4(c)) << "U+" << std::hex << unsigned(c);
    EXPECT_NEAR(QFontInfo(toQFont({"Arial", -4, 0})).pointSizeF(), 8.25, 0.3);
}

}  // namespace
}  // namespace korvo::qt::test
