// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace korvo::i18n {

// What Korvo tells a user whose desktop has no tray when its window goes out of sight: it keeps
// running, and how to get the window back.
struct HiddenNotice {
    std::string_view summary;
    std::string_view body;
};

// The notice in the language of `code` (one of the six codes); English for any other text.
const HiddenNotice& hiddenNoticeFor(std::string_view code);

}  // namespace korvo::i18n
