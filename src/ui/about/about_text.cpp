// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/about/about_text.h"

#include <string>

#include "app/program.h"

namespace korvo {

namespace {

const char* const CrLf = "\r\n";
// The second line of the French, English and Japanese texts.
const char* const RightsEN = "Copyright (C) 2004 the Korvo developers. All rights reserved.";

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
    app.AboutText = std::string("本ソフトの無断複製・転載を禁じます。") + CrLf + RightsEN + CrLf +
                    "権利侵害サイトはお知らせください。";
}

void SetAboutTextCHN(Program& app) {
    app.AboutText = std::string("Korvo 由 Korvo 开发者编写，并在 Korvo 官方网站发布。") + CrLf +
                    "版权所有 (C) 2004 Korvo 开发者。保留所有权利。";
}

}  // namespace korvo
