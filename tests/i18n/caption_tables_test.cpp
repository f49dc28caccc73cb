// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "i18n/caption_tables.h"

namespace korvo::i18n {
namespace {

TEST(CaptionTables, TheSystemNameReplacesEachWindowsInACaption) {
    EXPECT_EQ(withSystemName(kFassist3Check1Design, "Linux"), "Start Korvo when Linux Start");
    EXPECT_EQ(withSystemName("Windows, Windows", "Linux"), "Linux, Linux");
}

}  // namespace
}  // namespace korvo::i18n
