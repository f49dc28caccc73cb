// A small tray program on the Qt front end, shaped like Korvo at rest: a hidden main form that
// owns the tray icon and its menu, a one-second clock and a poll. A button released on the icon
// opens the menu; "&Quit" unloads the form from inside the menu and ends the program. It says what
// it does on standard output, one line an event, for the end-to-end test to follow.

#include <QApplication>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/folder_listing.h"
#include "ui/forms/qt/scheduler.h"
#include "ui/forms/qt/view.h"
#include "ui/forms/qt/window_services.h"
#include "ui/forms/runtime.h"

namespace {

using namespace korvo;

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

class TrayHost : public forms::Form {
  public:
    explicit TrayHost(forms::Runtime& runtime) : forms::Form(runtime, "TrayHost") {
        setBorderStyle(forms::BorderStyle::None);
        setRect({0, 0, 6345, 4995});
        Top.setVisible(false);
        Quit.onClick = [this] {
            say("quit");
            unload();
            this->runtime().end();
        };
        Clock.onTimer = [this] { ++seconds; };
        Poll.onTimer = [this] { (void)(seconds > 3600); };
    }
    void Form_Load() override {
        runtime().window().addTrayIcon(*this, "Korvo");
        hide();
        setShowInTaskbar(false);
        say("ready");
    }
    void Form_QueryUnload(int&, int) override { runtime().window().removeTrayIcon(*this); }
    void Form_MouseMove(const forms::MouseEvent& event) override {
        const int message = static_cast<int>(event.x) / runtime().window().twipsPerPixelX();
        say("mouse-move " + std::to_string(message));
        if (busy || (message != 514 && message != 517)) return;
        busy = true;
        popupMenu(Top, &About);
        say("menu closed");
        busy = false;
    }

    forms::Menu Top{*this, "Top", "Fichier"};
    forms::Menu Show{*this, "Show", "&See (Voir)", &Top};
    forms::Menu Line1{*this, "Line1", "-", &Top};
    forms::Menu About{*this, "About", "&About of...", &Top};
    forms::Menu Line2{*this, "Line2", "-", &Top};
    forms::Menu Quit{*this, "Quit", "&Quit", &Top};
    forms::Timer Clock{*this, "Clock", 1000, true};
    forms::Timer Poll{*this, "Poll", 1, true};
    int seconds = 0;
    bool busy = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    qt::Scheduler scheduler;
    qt::WindowServices window;
    platform::StdFileSystem files;
    forms::Runtime runtime(scheduler, window, files);
    qt::View view(runtime, window);
    runtime.dispatch([&runtime] {
        runtime.form<TrayHost>([&runtime] { return std::make_unique<TrayHost>(runtime); });
    });
    const int status = QApplication::exec();
    say("exit " + std::to_string(status));
    return status;
}
