// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/picture_format.h"

#include <utility>

namespace korvo {

namespace {

using namespace std::string_view_literals;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The bytes at `at` in `head`, when there are that many.
bool holdsAt(std::string_view head, std::size_t at, std::string_view bytes) {
    return head.size() >= at + bytes.size() && head.substr(at, bytes.size()) == bytes;
}

}  // namespace

PictureFormat pictureFormat(std::string_view head) {
    // The shortest tests first: the fixed signatures (none a prefix of another, none longer than
    // the 12 bytes the later rules need) and netpbm's two bytes. So more bytes never change a
    // format once told.
    static constexpr std::pair<std::string_view, PictureFormat> prefixes[] = {
        {"\x89PNG\r\n\x1a\n"sv, PictureFormat::Png},
        {"\xff\xd8\xff"sv, PictureFormat::Jpeg},
        {"GIF87a"sv, PictureFormat::Gif},
        {"GIF89a"sv, PictureFormat::Gif},
        {"II*\0"sv, PictureFormat::Tiff},
        {"MM\0*"sv, PictureFormat::Tiff},
        {"\xff\x0a"sv, PictureFormat::JpegXl},  // a bare codestream
        {"\0\0\0\x0cJXL \r\n\x87\n"sv, PictureFormat::JpegXl},
        {"\x8aMNG\r\n\x1a\n"sv, PictureFormat::Mng},
        {"\0\0\1\0"sv, PictureFormat::Ico},
        {"icns"sv, PictureFormat::Icns},
        {"/* XPM */"sv, PictureFormat::Xpm},
        {"#define"sv, PictureFormat::Xbm},
    };
    for (const auto& [magic, format] : prefixes)
        if (startsWith(head, magic)) return format;
    if (head.size() >= 2 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6')
        return PictureFormat::Pnm;
    // "BM" alone matches too much text; a real header also has its zero reserved words.
    if (startsWith(head, "BM"sv) && holdsAt(head, 6, "\0\0\0\0"sv) && head.size() >= 14)
        return PictureFormat::Bmp;
    if (startsWith(head, "RIFF"sv) && holdsAt(head, 8, "WEBP"sv)) return PictureFormat::WebP;
    // An ISO media file: a leading "ftyp" box whose major brand is one of the still-picture ones.
    if (holdsAt(head, 4, "ftyp"sv)) {
        for (std::string_view brand : {"avif"sv, "avis"sv, "heic"sv, "heix"sv, "mif1"sv})
            if (holdsAt(head, 8, brand)) return PictureFormat::Heif;
    }
    return PictureFormat::NotAPicture;
}

}  // namespace korvo
