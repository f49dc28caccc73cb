// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/settings_file.h"
#include "services/services.h"
#include "ui/forms/runtime.h"

namespace korvo {

// The program state: one per process, one per test. It owns the services, the forms and the
// program-wide variables, which keep their established names so that each procedure reads as
// the behaviour it carries out.
class Program {
  public:
    explicit Program(Services services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Services& services() { return services_; }
    forms::Runtime& runtime() { return runtime_; }

    // The one instance of form F, created and loaded on first touch.
    template <class F>
    F& form() {
        return runtime_.form<F>([this] { return std::make_unique<F>(*this); });
    }
    template <class F>
    bool isLoaded() const {
        return runtime_.isLoaded<F>();
    }

    // Settings file.
    std::string ReadSetting(const std::string& section, const std::string& key);
    void WriteSetting(const std::string& section, const std::string& key,
                      const std::optional<std::string>& value);

    // Start-up.
    void SubMain();
    void ShowFirstWindow();

    // Log-on start. "Win" is read one way everywhere: as a number, 1 meaning the entry is wanted,
    // 0 that it is not, anything else (no number included) that it is left alone.
    static std::optional<bool> startupWanted(const std::string& win);
    void SyncStartup();
    void AddToStartup();
    void RemoveFromStartup();

    // Language: puts the stored language's captions on the windows.
    void ApplyLanguage();

    // The change clock's module procedures. SetCounterTimer switches the counting timer on
    // (true) or off (false); no value leaves it as it is.
    void SetCounterTimer(std::optional<bool> on);
    void ArmCounter();

    // Lets the user move a window without a title bar by pressing a mouse button on it.
    void StartWindowDrag(forms::Form& form);

    // Program-wide variables.
    std::string IniPath;
    std::string ExePath;
    std::string CurrentPicture;
    std::string SelectedPicture;
    std::string CurrentAspect;
    std::string CurrentLang;
    std::string FolderPath;
    std::string ClockDelay;
    std::string ArmDelay;
    std::string CounterInterval;
    std::int32_t ElapsedSeconds = 0;
    std::string CounterTarget;
    std::string TimeSetting;
    std::string StoredChangeMode;
    std::string OptChangeMode;
    std::string OptDelay;
    std::string AssistLang;
    std::string AssistFolder;
    std::optional<std::string> AssistDelay;  // may stay unassigned: its write then removes "Delay"
    std::string CaptionApply;
    std::string CaptionOptions;
    std::string CaptionExit;
    std::string AboutText;
    bool HiddenNoticeGiven = false;  // told once a session how to get a hidden window back
    std::string LatinFontName;       // the two variables of SetLatinFonts
    int LatinFontCharset = 0;

  private:
    Services services_;
    SettingsFile settings_;
    forms::Runtime runtime_;
};

}  // namespace korvo
