// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/caption_fit.h"

#include <algorithm>
#include <cstddef>

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo::forms {

namespace {

// The byte length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Chinese and Japanese text has no spaces: a line may break after any of its characters, as the
// window systems' text layout does. From the CJK radicals on, short of the half-width forms.
bool breaksAfter(const std::string& text, std::size_t at, std::size_t length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 1) return lead == ' ';
    if (length != 3) return false;
    const unsigned point = (lead & 0x0Fu) << 12 |
                           (static_cast<unsigned char>(text[at + 1]) & 0x3Fu) << 6 |
                           (static_cast<unsigned char>(text[at + 2]) & 0x3Fu);
    return point >= 0x2E80 && point < 0xFF00;
}

std::string trimmedRight(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// Pieces a line may break between, each ending where a break is allowed.
std::vector<std::string> breakablePieces(const std::string& paragraph) {
    std::vector<std::string> pieces;
    std::string piece;
    for (std::size_t at = 0; at < paragraph.size();) {
        const std::size_t length = std::min(
            sequenceLength(static_cast<unsigned char>(paragraph[at])), paragraph.size() - at);
        piece.append(paragraph, at, length);
        const bool spaceFollows = at + length < paragraph.size() && paragraph[at + length] == ' ';
        if (breaksAfter(paragraph, at, length) && !spaceFollows) {
            pieces.push_back(piece);
            piece.clear();
        }
        at += length;
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

int pixelWidth(const Control& control, int twipsPerPixel) {
    const PixelEdges edges = pixelEdges(control.rect(), twipsPerPixel, 1 << 24);
    return edges.right - edges.left;
}

int pixelHeight(const Control& control, int twipsPerPixel) {
    const PixelEdges edges = pixelEdges(control.rect(), twipsPerPixel, 1 << 24);
    return edges.bottom - edges.top;
}

std::string firstCharacter(const std::string& text) {
    return text.substr(0,
                       std::min(sequenceLength(static_cast<unsigned char>(text[0])), text.size()));
}

}  // namespace

std::string shownCaption(const std::string& caption) {
    std::string shown;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if (caption[at] != '&') {
            shown += caption[at];
        } else if (at + 1 < caption.size()) {
            shown += caption[++at];
        }
    }
    return shown;
}

std::vector<std::string> wrappedLines(const Control& label, const std::string& text, int width,
                                      const TextMetrics& metrics) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
        std::string line;
        for (const std::string& piece : breakablePieces(paragraph)) {
            const std::string longer = line + piece;
            if (line.empty() || metrics.width(label, trimmedRight(longer)) <= width) {
                line = longer;
                continue;
            }
            lines.push_back(trimmedRight(line));
            line = piece.substr(std::min(piece.find_first_not_of(' '), piece.size()));
        }
        lines.push_back(trimmedRight(line));
        start = end + 1;
    }
    return lines;
}

std::vector<CaptionOverflow> captionOverflows(const Form& form, int twipsPerPixel,
                                              const CaptionChrome& chrome,
                                              const TextMetrics& metrics) {
    std::vector<CaptionOverflow> overflows;
    for (const Control* control : form.controls()) {
        const std::string caption = shownCaption(control->caption());
        if (caption.empty()) continue;
        const int width = pixelWidth(*control, twipsPerPixel);
        int room = width;
        switch (control->kind()) {
            case ControlKind::Label: {
                const std::vector<std::string> lines =
                    wrappedLines(*control, caption, width, metrics);
                int widest = 0;
                for (const std::string& line : lines)
                    widest = std::max(widest, metrics.width(*control, line));
                const int height = pixelHeight(*control, twipsPerPixel);
                const int lineHeight = std::max(1, metrics.lineHeight(*control));
                const int fits = std::max(1, height / lineHeight);
                if (widest > width) {
                    overflows.push_back({control, caption, widest - width, false});
                } else if (static_cast<int>(lines.size()) > fits) {
                    const int needed = static_cast<int>(lines.size()) * lineHeight;
                    overflows.push_back({control, caption, needed - height, true});
                }
                continue;
            }
            case ControlKind::CommandButton:
                room -= chrome.buttonPadding;
                break;
            case ControlKind::OptionButton:
            case ControlKind::CheckBox:
                room -= chrome.indicator + chrome.indicatorGap;
                if (room < metrics.width(*control, firstCharacter(caption))) continue;
                break;
            case ControlKind::Frame:
                room -= chrome.frameIndent + chrome.frameTrail;
                break;
            default:
                continue;  // text boxes and lists show data, not a caption of the design
        }
        const int needed = metrics.width(*control, caption);
        if (needed > room) overflows.push_back({control, caption, needed - room, false});
    }
    return overflows;
}

}  // namespace korvo::forms
