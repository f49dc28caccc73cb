// Korvo: wires the program state, the platform services and the Qt front end, runs Sub Main and
// waits in the event loop until the program ends itself.

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/program.h"
#include "cli/single_instance.h"
#include "platform/disk_text_file_store.h"
#include "platform/environment.h"
#include "platform/linux/gsettings_desktops.h"
#include "platform/linux/settings_folder.h"
#include "platform/local_time.h"
#include "platform/select.h"
#include "platform/stderr_diagnostics.h"
#include "services/services.h"
#include "ui/forms/qt/scheduler.h"
#include "ui/forms/qt/view.h"
#include "ui/forms/qt/window_services.h"
#include "ui/main/systray.h"

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// SIGTERM and SIGINT reach the event loop through this pipe: a handler may only write a byte.
int quitPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(quitPipe[1], &byte, 1);
}

bool catchQuitSignals() {
    if (::pipe2(quitPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace korvo;
    const platform::Environment env = platform::Environment::fromProcess();
    // One Korvo per user session: the command line is answered, and a second start hands over,
    // before any window exists.
    const cli::CommandLine commandLine = cli::parseCommandLine({argv + 1, argv + argc});
    const std::string instanceName = cli::instanceName(env.get("XDG_RUNTIME_DIR"));
    if (const int status = cli::answerWithoutWindow(commandLine, instanceName, KORVO_VERSION);
        status >= 0) {
        return status;
    }
    // Qt would abort with a message about platform plugins; say what is really missing.
    if (!env.has("DISPLAY") && !env.has("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
        std::fputs("korvo: no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
                   stderr);
        return 1;
    }

    // Without a session bus, Qt and GLib would launch one of their own that outlives Korvo; an
    // address no library can connect to stops them, and the programs Korvo starts.
    if (platform::sessionBusAddress(env).empty()) {
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvo"));
    // Korvo lives in the tray: closing or hiding its last window never ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    qt::Scheduler scheduler;
    qt::WindowServices window;
    const std::unique_ptr<forms::FileSystem> files = platform::makeFileSystem(env);
    platform::DiskTextFileStore settingsStore;
    const std::unique_ptr<StartupEntries> startup = platform::makeStartupEntries(env);

    Services services{scheduler,
                      window,
                      *files,
                      settingsStore,
                      *startup,
                      platform::selectDesktopBackend(env),
                      platform::systemLocalTime,
                      localPath(QCoreApplication::applicationDirPath()),
                      localPath(QFileInfo(QCoreApplication::applicationFilePath()).fileName())};
    services.systemName = "Linux";
    services.diagnostics = &platform::stderrDiagnostics();
    // Settings beside a read-only program go to the user's own folder.
    services.settingsFolder =
        platform::prepareSettingsFolder(services.programFolder, env, settingsStore);
    platform::restoreWallpaper(env);

    Program program(std::move(services));
    qt::View view(program.runtime(), window);
    cli::InstanceServer instance(program, view);
    if (instance.listen(instanceName) == cli::InstanceServer::Claim::TakenByAnother) {
        return cli::handOver(instanceName, cli::Request::Start) == cli::HandOver::Delivered ? 0 : 1;
    }

    // A signal or the end of the desktop session ends Korvo the way "&Quit" does: the tray icon
    // is withdrawn and nothing is written.
    const auto quit = [&program] {
        program.runtime().dispatch([&program] { program.form<SysTray>().MnuQuitter_Click(); });
    };
    std::unique_ptr<QSocketNotifier> quitNotifier;
    if (catchQuitSignals()) {
        quitNotifier = std::make_unique<QSocketNotifier>(quitPipe[0], QSocketNotifier::Read);
        QObject::connect(quitNotifier.get(), &QSocketNotifier::activated, quit);
    }
    QObject::connect(&app, &QGuiApplication::commitDataRequest, quit);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&program, quit] {
        if (!program.runtime().ended()) quit();
    });
    program.runtime().dispatch([&program] { program.SubMain(); });
    // Ended before the loop even started: Qt's loop would not know and wait for ever.
    if (program.runtime().ended()) return 0;
    return QApplication::exec();
}
