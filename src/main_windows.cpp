// Korvo.exe: wires the program state, the Windows platform services and the Win32 front end,
// runs Sub Main and waits in the message loop until the program ends itself.

#include <memory>
#include <string>

#include "app/program.h"
#include "platform/disk_text_file_store.h"
#include "platform/environment.h"
#include "platform/local_time.h"
#include "platform/select.h"
#include "platform/stderr_diagnostics.h"
#include "platform/windows/windows_file_system.h"
#include "services/services.h"
#include "ui/forms/win32/scheduler.h"
#include "ui/forms/win32/text.h"
#include "ui/forms/win32/view.h"
#include "ui/forms/win32/window_services.h"

namespace {

// The executable's folder and file name, in UTF-8. The folder never ends in a separator, a drive
// root included ("c:"), so that the folder, a separator and a name always make one path.
std::pair<std::string, std::string> programPlace() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // a long path: try again with room for it
    }
    const std::size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return {".", korvo::win32::utf8(path)};
    std::wstring folder = path.substr(0, cut);
    return {korvo::win32::utf8(folder), korvo::win32::utf8(path.substr(cut + 1))};
}

}  // namespace

int main() {
    using namespace korvo;
    const platform::Environment env = platform::Environment::fromProcess();
    const auto [folder, executable] = programPlace();

    win32::Scheduler scheduler;
    win32::WindowServices window;
    const std::unique_ptr<forms::FileSystem> files = platform::makeFileSystem();
    platform::DiskTextFileStore settingsStore;
    const std::unique_ptr<StartupEntries> startup = platform::makeStartupEntries(env);

    Services services{scheduler,
                      window,
                      *files,
                      settingsStore,
                      *startup,
                      platform::selectDesktopBackend(env),
                      platform::systemLocalTime,
                      folder,
                      executable};
    services.diagnostics = &platform::stderrDiagnostics();
    platform::restoreWallpaper(env);

    Program program(std::move(services));
    win32::View view(program.runtime(), window);
    program.runtime().dispatch([&program] { program.SubMain(); });
    if (program.runtime().ended()) return 0;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
