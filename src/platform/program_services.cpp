// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/select.h"

namespace korvo::platform {

Services ProgramServices::bundle(forms::Scheduler& scheduler, forms::WindowServices& window) const {
    Services services{scheduler, window,  *files, *settingsStore,
                      *startup,  desktop, clock,  programFolder};
    services.executableName = executableName;
    services.systemName = systemName;
    services.settingsFolder = settingsFolder;
    services.diagnostics = diagnostics;
    return services;
}

}  // namespace korvo::platform
