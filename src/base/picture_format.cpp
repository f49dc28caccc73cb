// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/picture_format.h"

#include <cstdint>
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

const char* pictureFormatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Png:
            return "png";
        case PictureFormat::Jpeg:
            return "jpeg";
        case PictureFormat::Gif:
            return "gif";
        case PictureFormat::Bmp:
            return "bmp";
        case PictureFormat::WebP:
            return "webp";
        case PictureFormat::Tiff:
            return "tiff";
        case PictureFormat::Heif:
            return "heif";
        case PictureFormat::JpegXl:
            return "jxl";
        case PictureFormat::Mng:
            return "mng";
        case PictureFormat::Ico:
            return "ico";
        case PictureFormat::Icns:
            return "icns";
        case PictureFormat::Xpm:
            return "xpm";
        case PictureFormat::Xbm:
            return "xbm";
        case PictureFormat::Pnm:
            return "pnm";
        case PictureFormat::NotAPicture:
            break;
    }
    return nullptr;
}

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

namespace {

std::uint32_t bigEndian(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::optional<PictureSize> sized(std::int64_t width, std::int64_t height) {
    constexpr std::int64_t largest = 1 << 30;  // more than any picture format's own limit
    if (width <= 0 || height <= 0 || width > largest || height > largest) return std::nullopt;
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace

std::optional<PictureSize> headerSize(std::string_view head) {
    switch (pictureFormat(head)) {
        case PictureFormat::Png:  // the IHDR chunk comes first, its width and height first
            if (head.size() < 24 || !holdsAt(head, 12, "IHDR")) return std::nullopt;
            return sized(bigEndian(head, 16), bigEndian(head, 20));
        case PictureFormat::Gif:
            if (head.size() < 10) return std::nullopt;
            return sized(littleEndian(head, 6, 2), littleEndian(head, 8, 2));
        case PictureFormat::Bmp: {
            // The 40-byte and later info headers hold signed 32-bit sizes (a negative height
            // is a picture stored top down); the old 12-byte one unsigned 16-bit ones.
            if (head.size() < 18) return std::nullopt;
            if (littleEndian(head, 14, 4) == 12) {
                if (head.size() < 22) return std::nullopt;
                return sized(littleEndian(head, 18, 2), littleEndian(head, 20, 2));
            }
            if (head.size() < 26) return std::nullopt;
            const auto height = static_cast<std::int32_t>(littleEndian(head, 22, 4));
            return sized(static_cast<std::int32_t>(littleEndian(head, 18, 4)),
                         height < 0 ? -static_cast<std::int64_t>(height) : height);
        }
        default:
            return std::nullopt;
    }
}

}  // namespace korvo
