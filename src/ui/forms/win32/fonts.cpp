// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/win32/fonts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "ui/forms/win32/text.h"

namespace korvo::win32 {

namespace {

// The design's East Asian faces: their lines are as high as their em.
constexpr std::array<std::wstring_view, 3> GothicFaces = {L"MS UI Gothic", L"MS Gothic",
                                                          L"MS PGothic"};

// UI faces of each language, in the order they are preferred: Windows' own, then the ones a
// Linux system under Wine is likely to have.
constexpr std::array<const wchar_t*, 4> JapaneseFaces = {L"Meiryo UI", L"Yu Gothic UI",
                                                         L"MS UI Gothic", L"Noto Sans CJK JP"};
constexpr std::array<const wchar_t*, 4> ChineseFaces = {L"Microsoft YaHei UI", L"Microsoft YaHei",
                                                        L"SimSun", L"Noto Sans CJK SC"};

bool eastAsian(wchar_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) ||  // radicals, punctuation, kana, ideographs
           (c >= 0xAC00 && c <= 0xD7AF) ||  // Hangul
           (c >= 0xF900 && c <= 0xFAFF) ||  // compatibility ideographs
           (c >= 0xFF00 && c <= 0xFFEF);    // full and half width forms
}

int CALLBACK found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM seen) {
    *reinterpret_cast<bool*>(seen) = true;
    return 0;
}

// Whether the system has a face of that name (not merely one the mapper would put in its place).
bool installed(const std::wstring& face) {
    if (face.empty() || face.size() >= LF_FACESIZE) return false;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::copy(face.begin(), face.end(), wanted.lfFaceName);
    bool seen = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, found, reinterpret_cast<LPARAM>(&seen), 0);
    ReleaseDC(nullptr, screen);
    return seen;
}

template <std::size_t N>
std::wstring firstInstalled(const std::array<const wchar_t*, N>& faces) {
    for (const wchar_t* face : faces)
        if (installed(face)) return face;
    return {};  // the mapper picks one of the character set
}

// The face asked of the font mapper, with the character set and the em in pixels.
struct FontChoice {
    std::wstring face;
    int charset;
    int em;
};

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi;
}

FontChoice chooseFont(const forms::Font& font, Script script) {
    // A size the model could not have meant (zero, negative, absurd) falls back to the default.
    const double points = font.size > 0 && font.size < 500 ? font.size : 8.25;
    const int em = static_cast<int>(std::lround(points * screenDpi() / 72.0));
    const std::wstring face = wide(font.name);
    const int charset = std::clamp(font.charset, 0, 255);
    if (installed(face)) return {face, charset, em};
    switch (script) {
        case Script::Japanese:
            return {firstInstalled(JapaneseFaces), SHIFTJIS_CHARSET, em};
        case Script::Chinese:
            return {firstInstalled(ChineseFaces), GB2312_CHARSET, em};
        case Script::Latin:
            break;
    }
    // The design's Western face, MS Sans Serif, has 13-pixel lines at an 11-pixel em.
    const bool gothic =
        std::find(GothicFaces.begin(), GothicFaces.end(), face) != GothicFaces.end();
    const int latinEm = gothic ? static_cast<int>(std::lround(em * 11.0 / 13.0)) : em;
    return {L"MS Shell Dlg", ANSI_CHARSET, latinEm};
}

}  // namespace

Script scriptOf(std::wstring_view text) {
    if (std::none_of(text.begin(), text.end(), eastAsian)) return Script::Latin;
    BOOL lost = FALSE;
    const int written =
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                            nullptr, 0, nullptr, &lost);
    return written > 0 && !lost ? Script::Japanese : Script::Chinese;
}

HFONT makeFont(const forms::Font& font, Script script) {
    const FontChoice choice = chooseFont(font, script);
    return CreateFontW(-choice.em, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                       font.italic ? TRUE : FALSE, FALSE, FALSE, static_cast<DWORD>(choice.charset),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, choice.face.c_str());
}

}  // namespace korvo::win32
