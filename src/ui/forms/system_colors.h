// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/forms/types.h"

namespace korvo::forms {

// The colours the windows' design leaves to the system, as they were on the desktop it was drawn
// on: its explicit greys (the options dialog's RGB(192, 192, 192), the language buttons') are that
// desktop's button face, so the frames, buttons and dialogs that take the system's colour agree
// with them. One table, which both bindings draw with, whatever the system's own colours are.
enum class SystemColor {
    ButtonFace,
    ButtonHighlight,  // the lit edge of a raised face
    ButtonLight,
    ButtonShadow,  // the shaded edge, and the groove of a frame
    ButtonDarkShadow,
    Window,  // the inside of a text box or a list
    WindowText,
    GrayText,  // the text of what is disabled
    Highlight,
    HighlightText,
    InfoBackground,
    InfoText,
};

constexpr Color systemColor(SystemColor color) {
    switch (color) {
        case SystemColor::ButtonFace:
            return rgb(192, 192, 192);
        case SystemColor::ButtonHighlight:
        case SystemColor::Window:
        case SystemColor::HighlightText:
            return rgb(255, 255, 255);
        case SystemColor::ButtonLight:
            return rgb(223, 223, 223);
        case SystemColor::ButtonShadow:
        case SystemColor::GrayText:
            return rgb(128, 128, 128);
        case SystemColor::ButtonDarkShadow:
            return rgb(64, 64, 64);
        case SystemColor::WindowText:
        case SystemColor::InfoText:
            return rgb(0, 0, 0);
        case SystemColor::Highlight:
            return rgb(0, 0, 128);
        case SystemColor::InfoBackground:
            return rgb(255, 255, 225);
    }
    return rgb(0, 0, 0);
}

}  // namespace korvo::forms
