// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Shows every window of Korvo.exe's binding in each language, one at a time, for the
// documentation's screenshots:
//   korvo_win32_screenshots OUTPUT_FOLDER RESOURCES_FOLDER
// Each window is shown as Korvo.exe shows it, in a program folder C:\Korvo holding the sample
// pictures. The picture is taken from outside, with the window system's frame: for each window
// the program writes the X window's number into OUTPUT_FOLDER/<Form>-<LANG>.xid and waits, still
// drawing, until screenshots.sh has taken the picture and removed that file.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "win32_program.h"

namespace {

using namespace korvo;
using namespace korvo::win32;

// Hands the window to the picture taker and waits until it is done; false when the window has no
// X window or the picture taker never came.
bool photographed(HWND window, const std::filesystem::path& request) {
    // Wine's X11 driver keeps each top-level window's X window under this property.
    const auto xid = reinterpret_cast<std::uintptr_t>(GetPropW(window, L"__wine_x11_whole_window"));
    if (xid == 0) return false;
    const auto partial = std::filesystem::path(request).concat(".part");
    std::ofstream(partial) << xid << "\n";
    std::filesystem::rename(partial, request);
    return test::pumpUntil([&] { return !std::filesystem::exists(request); }, 20000);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) return 2;  // usage at the top of this file
    const std::filesystem::path output = std::filesystem::absolute(argv[1]);
    const std::filesystem::path folder = L"C:\\Korvo";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    std::filesystem::copy(std::filesystem::absolute(argv[2]) / "fond", folder / "fond",
                          std::filesystem::copy_options::recursive, ignored);
    std::filesystem::create_directories(output);

    test::Win32Program program(test::settingsWith("C:\\Korvo\\fond\\", "EN", "0"), folder);
    program.start();
    Program& app = program.app();
    int failures = 0;
    for (const char* code : LanguageCodes) {
        test::showInLanguage(app, code);
        for (const char* name : test::shownForms()) {
            forms::Form* form = test::loadedForm(app, name);
            HWND window = form ? program.view().window(*form) : nullptr;
            for (forms::Form* other : app.runtime().forms())
                if (other != form) app.runtime().dispatch([other] { other->hide(); });
            if (form) app.runtime().dispatch([form] { form->show(); });
            // Drawn, and the window manager given a moment to frame what was drawn.
            test::pumpUntil([] { return false; }, 300);
            const std::string shot = std::string(name) + "-" + code;
            if (window && photographed(window, output / (shot + ".xid"))) {
                std::printf("%s\n", shot.c_str());
            } else {
                std::fprintf(stderr, "korvo_win32_screenshots: cannot draw %s in %s\n", name, code);
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
