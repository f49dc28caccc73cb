// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace korvo {

class Program;

// The credits of the about box, one procedure per text; each replaces AboutText whole. German
// and Spanish show the English text.
void SetAboutTextFR(Program& app);
void SetAboutTextEN(Program& app);
void SetAboutTextJP(Program& app);
void SetAboutTextCHN(Program& app);

}  // namespace korvo
