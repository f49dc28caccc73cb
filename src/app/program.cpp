// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/program.h"

#include "base/paths.h"
#include "base/text.h"
#include "engine/fsuite.h"
#include "i18n/language.h"
#include "ui/assistant/fassist1.h"
#include "ui/main/form1.h"

namespace korvo {

namespace {

const std::string& settingsFolder(const Services& services) {
    return services.settingsFolder.empty() ? services.programFolder : services.settingsFolder;
}

}  // namespace

Program::Program(Services services)
    : services_(std::move(services)),
      settings_(services_.settingsStore, *services_.diagnostics),
      runtime_(services_.scheduler, services_.window, services_.files) {}

Program::~Program() = default;

std::string Program::ReadSetting(const std::string& section, const std::string& key) {
    IniPath = settingsFolder(services_) + separator() + "Korv.ini";
    return settings_.read(IniPath, section, key);
}

void Program::WriteSetting(const std::string& section, const std::string& key,
                           const std::optional<std::string>& value) {
    IniPath = settingsFolder(services_) + separator() + "Korv.ini";
    settings_.write(IniPath, section, key, value);
}

void Program::SubMain() {
    form<Form1>();  // loading it reads the settings, arms the clocks and adds the tray icon
    ShowFirstWindow();
}

void Program::ShowFirstWindow() {
    // A missing or unreadable flag means nothing has been set up yet: a fresh installation, so
    // the assistant runs.
    const auto first = text::asNumber(ReadSetting("Start", "First"));
    if (first && *first == 0) {
        form<Form1>().show();
    } else if (!first || *first == 1) {
        form<Fassist1>().show();
    }
}

std::optional<bool> Program::startupWanted(const std::string& win) {
    const auto number = text::asNumber(win);
    if (number == 0.0) return false;
    if (number == 1.0) return true;
    return std::nullopt;
}

void Program::SyncStartup() {
    const auto wanted = startupWanted(ReadSetting("Start", "Win"));
    if (wanted == true) AddToStartup();
    if (wanted == false) RemoveFromStartup();
}

void Program::AddToStartup() {
    ExePath = services_.programFolder + separator() + services_.executableName;
    services_.startup.add("Korvo", ExePath);
}

void Program::RemoveFromStartup() {
    services_.startup.remove("Korvo");
}

void Program::ApplyLanguage() {
    korvo::ApplyLanguage(*this);
}

void Program::SetCounterTimer(std::optional<bool> on) {
    if (on) form<Fsuite>().T01.setEnabled(*on);
}

void Program::ArmCounter() {
    // A text comparison, as the stored delay is compared with the digit string "1".
    const int order = text::compare(ArmDelay, "1");
    if (order < 0) {
        SetCounterTimer(false);
    } else if (order > 0) {
        CounterInterval = ArmDelay;
        SetCounterTimer(true);
        form<Fsuite>().Tpro(ClockDelay);
    }
}

void Program::StartWindowDrag(forms::Form& window) {
    services_.window.startWindowDrag(window);
}

}  // namespace korvo
