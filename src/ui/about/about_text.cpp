// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/about/about_text.h"

#include <string>

#include "app/program.h"

namespace korvo {

namespace {

const char* const CrLf = "\r\n";
// The second line of the French, English and Japanese texts: whose Korvo is, and that it is free
// software (an "all rights reserved" would tell its users the opposite of its licence).
const char* const RightsEN =
    "Copyright (C) 2004 the Korvo developers. Free software under the GNU GPL, version 3 or "
    "later.";

}  // namespace

void SetAboutTextFR(Program& app) {
    app.AboutText = std::string(
                        "Korvo est écrit par les développeurs de Korvo, webmestres du "
                        "site de Korvo, le site officiel du programme.") +
                    CrLf + RightsEN;
}

void SetAboutTextEN(Program& app) {
    app.AboutText = std::string(
                        "Korvo is written by the Korvo developers, webmasters of "
                        "the makers' site.    ") +
                    CrLf + RightsEN;
}

void SetAboutTextJP(Program& app) {
    app.AboutText =
        std::string("本ソフトの複製・改変は GNU GPL（第3版以降）の許諾の範囲でのみ認められます。") +
        CrLf + RightsEN + CrLf + "権利侵害サイトはお知らせください。";
}

void SetAboutTextCHN(Program& app) {
    app.AboutText =
        std::string("Korvo 由 Korvo 开发者编写，并在 Korvo 官方网站发布。") + CrLf +
        "版权所有 (C) 2004 Korvo 开发者。本软件为自由软件，依 GNU GPL 第 3 版或更高版本授权。";
}

}  // namespace korvo
