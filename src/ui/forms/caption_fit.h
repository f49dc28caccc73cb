// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

namespace korvo::forms {

class Control;
class Form;

// Whether a window's captions fit the room its design gives them, once a binding draws them in
// the faces it has. The rules are the same for every binding; what differs is measured by the
// binding itself: the width of a text in a control's font, and what it draws around a caption.

// What a binding draws beside a caption's text, in pixels.
struct CaptionChrome {
    int buttonPadding = 0;  // a command button: its border and margin, both sides together
    int indicator = 0;      // an option button or check box: the circle or the box ...
    int indicatorGap = 0;   // ... and the space between it and the text
    int frameIndent = 0;    // a frame: from its left edge to its caption ...
    int frameTrail = 0;     // ... and the border kept after the caption up to the right edge
};

// Text as a binding draws it in a control's font, in pixels.
class TextMetrics {
  public:
    virtual ~TextMetrics() = default;
    // The advance of one line of text.
    virtual int width(const Control& control, const std::string& line) const = 0;
    // The distance from one line to the next.
    virtual int lineHeight(const Control& control) const = 0;
};

// A caption that does not fit: wider than its room, or, for a label that wraps, more lines than
// its height holds.
struct CaptionOverflow {
    const Control* control;
    std::string caption;  // as shown, access keys taken out
    int pixels;           // how much too wide, or too tall for a label
    bool tooTall;
};

// A caption as shown: "&x" shows x (the access key) and "&&" one ampersand.
std::string shownCaption(const std::string& caption);

// The lines a label shows in `width` pixels: its own line breaks, then a break wherever a line
// would grow wider, between words or after a Chinese or Japanese character. A single word wider
// than `width` stays whole on its line.
std::vector<std::string> wrappedLines(const Control& label, const std::string& text, int width,
                                      const TextMetrics& metrics);

// Every caption of `form` that does not fit its design, in the order of the form's controls.
// Labels wrap within their width and may fill their height; buttons, option buttons, check boxes
// and frames show one line. An option button or check box too narrow for even the first
// character of its caption shows its indicator alone, as its design means.
std::vector<CaptionOverflow> captionOverflows(const Form& form, int twipsPerPixel,
                                              const CaptionChrome& chrome,
                                              const TextMetrics& metrics);

}  // namespace korvo::forms
