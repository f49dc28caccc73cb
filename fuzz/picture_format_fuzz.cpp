// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any first bytes of a file: no read past them, a known format or none, told by the first
// PictureSignatureSize bytes alone, and never changed by the bytes that follow once told; a
// header's size read from the first PictureHeaderSize bytes alone, only for a format told, and
// never nothing.
#include <cstdint>
#include <string_view>

#include "base/picture_format.h"
#include "fuzz/check.h"

using korvo::PictureFormat;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view head(reinterpret_cast<const char*>(bytes), size);
    const PictureFormat format = korvo::pictureFormat(head);
    KORVO_REQUIRE(static_cast<int>(format) >= static_cast<int>(PictureFormat::NotAPicture) &&
                  static_cast<int>(format) <= static_cast<int>(PictureFormat::Pnm));
    KORVO_REQUIRE(korvo::pictureFormat(head.substr(0, korvo::PictureSignatureSize)) == format);
    for (std::size_t cut = 0; cut < head.size() && cut <= korvo::PictureSignatureSize; ++cut) {
        const PictureFormat shorter = korvo::pictureFormat(head.substr(0, cut));
        KORVO_REQUIRE(shorter == PictureFormat::NotAPicture || shorter == format);
    }
    const auto told = korvo::headerSize(head);
    KORVO_REQUIRE(told == korvo::headerSize(head.substr(0, korvo::PictureHeaderSize)));
    KORVO_REQUIRE(!told ||
                  (format != PictureFormat::NotAPicture && told->width > 0 && told->height > 0));
    return 0;
}
