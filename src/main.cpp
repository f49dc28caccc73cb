// Korvo: wires the program state, the platform services and the Qt front end, runs Sub Main and
// waits in the event loop until the program ends itself.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
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
#include "services/services.h"
#include "ui/forms/qt/scheduler.h"
#include "ui/forms/qt/view.h"
#include "ui/forms/qt/window_services.h"

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
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
    program.runtime().dispatch([&program] { program.SubMain(); });
    // Ended before the loop even started: Qt's loop would not know and wait for ever.
    if (program.runtime().ended()) return 0;
    return QApplication::exec();
}
