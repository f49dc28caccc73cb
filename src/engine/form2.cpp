// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/form2.h"

#include <cstdio>

#include "app/program.h"
#include "base/text.h"
#include "ui/forms/errors.h"

namespace korvo {

namespace {

void check(shell::HRESULT result, const char* step) {
    if (shell::succeeded(result)) return;
    // The code tells a missing picture or tool, a time-out and a refusal apart in the journal.
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
    throw forms::Error(forms::ErrorCode::ShellCallFailed,
                       std::string("the desktop refused ") + step + " (" + code + ")");
}

}  // namespace

Form2::Form2(Program& program) : forms::Form(program.runtime(), "Form2"), app(program) {
    setCaption("Form2");
}

void Form2::SetWallpaper(const std::string& Filename, std::int32_t Wallpaperstyle,
                         bool ForceEnable) {
    const auto& create = app.services().desktop;
    std::unique_ptr<shell::DesktopObject> desktop = create ? create() : nullptr;
    if (!desktop)
        throw forms::Error(forms::ErrorCode::ShellCallFailed, "no desktop object can be created");

    shell::COMPONENTSOPT components;
    components.dwSize = 12;
    check(desktop->GetDesktopItemOptions(components), "GetDesktopItemOptions");
    if (ForceEnable && components.fActiveDesktop == 0) {
        components.fActiveDesktop = 1;
        check(desktop->SetDesktopItemOptions(components), "SetDesktopItemOptions");
    }

    shell::WALLPAPEROPT options;
    options.dwSize = 8;
    options.dwStyle = static_cast<std::uint32_t>(Wallpaperstyle);
    check(desktop->SetWallpaperOptions(options), "SetWallpaperOptions");
    check(desktop->SetWallpaper(Filename), "SetWallpaper");
    check(desktop->ApplyChanges(shell::AD_APPLY_SAVE | shell::AD_APPLY_HTMLGEN |
                                shell::AD_APPLY_REFRESH),
          "ApplyChanges");
}

void Form2::Byo() {
    // A style that is not a number (a settings file without a valid "Aspect") means centred.
    const std::int32_t style = text::asInteger(app.CurrentAspect).value_or(0);
    SetWallpaper(app.CurrentPicture, style, true);
}

void Form2::Change() {
    try {
        Byo();
    } catch (const forms::Error& error) {
        app.services().diagnostics->report("wallpaper not changed", app.CurrentPicture,
                                           error.what());
        throw;
    }
}

void Form2::Form_QueryUnload(int& Cancel, int UnloadMode) {
    if (UnloadMode == forms::FormControlMenu) {
        Cancel = 1;
        hide();
    }
}

}  // namespace korvo
