// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace korvo {

// The picture formats Korvo tells by their first bytes. TGA and WBMP have no signature and are
// not among them.
enum class PictureFormat {
    NotAPicture,
    Png,
    Jpeg,
    Gif,
    Bmp,
    WebP,
    Tiff,
    Heif,  // HEIC and AVIF: an ISO media file whose major brand is a still picture's
    JpegXl,
    Mng,
    Ico,
    Icns,
    Xpm,
    Xbm,
    Pnm,  // PBM, PGM and PPM, plain or raw
};

// The format's usual short name, as image libraries name their readers: "png", "jpeg", "heif",
// "jxl", "ico", "pnm" …; null for NotAPicture.
const char* pictureFormatName(PictureFormat format);

// How many first bytes every signature fits in; fewer may be given.
inline constexpr std::size_t PictureSignatureSize = 16;

// The format the first bytes of a file announce; NotAPicture for anything else (text, an empty
// file, a cut header). Only the bytes count, never a name. A format once told stays the same
// whatever bytes follow.
PictureFormat pictureFormat(std::string_view head);

struct PictureSize {
    int width;
    int height;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// How many first bytes headerSize needs.
inline constexpr std::size_t PictureHeaderSize = 32;

// The size a PNG, GIF or BMP header gives in its fixed fields (PNG's IHDR, GIF's logical screen,
// BMP's info header, its height either way up); nothing for other formats, a cut header or a
// size of nothing. What the header says only: the data may still be broken.
std::optional<PictureSize> headerSize(std::string_view head);

}  // namespace korvo
