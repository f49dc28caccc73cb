// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/notices.h"

#include <array>
#include <utility>

namespace korvo::i18n {

namespace {

const std::array<std::pair<std::string_view, HiddenNotice>, 6> Notices{{
    {"EN",
     {"Korvo is still running",
      "Korvo goes on changing the wallpaper. To see its window again, start Korvo again from "
      "the applications menu."}},
    {"FR",
     {"Korvo fonctionne toujours",
      "Korvo continue de changer le fond d'écran. Pour revoir sa fenêtre, relancez Korvo "
      "depuis le menu des applications."}},
    {"DE",
     {"Korvo läuft weiter",
      "Korvo wechselt weiter das Hintergrundbild. Um sein Fenster wieder zu sehen, starten Sie "
      "Korvo erneut aus dem Anwendungsmenü."}},
    {"JP",
     {"Korvo は動作中です",
      "Korvo は壁紙の変更を続けます。ウィンドウを再び表示するには、アプリケーションメニューから "
      "Korvo をもう一度起動してください。"}},
    {"ESP",
     {"Korvo sigue en marcha",
      "Korvo sigue cambiando el fondo de escritorio. Para volver a ver su ventana, inicie Korvo "
      "de nuevo desde el menú de aplicaciones."}},
    {"CHN",
     {"Korvo 仍在运行",
      "Korvo 会继续更换桌面壁纸。要再次显示其窗口，请从应用程序菜单重新启动 Korvo。"}},
}};

}  // namespace

const HiddenNotice& hiddenNoticeFor(std::string_view code) {
    for (const auto& [language, notice] : Notices)
        if (language == code) return notice;
    return Notices.front().second;
}

}  // namespace korvo::i18n
