// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/picture_format.h"

#include <gtest/gtest.h>

#include <string>

namespace korvo {
namespace {

using namespace std::string_view_literals;

// Each signature once, with the look-alikes that must not pass for it: text that starts like a
// bitmap, a RIFF file that holds sound, a video's ISO box, cut headers.
TEST(PictureFormat, EachFormatIsToldByItsFirstBytesAndNothingElseIs) {
    const std::pair<std::string_view, PictureFormat> cases[] = {
        {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR"sv, PictureFormat::Png},
        {"\xff\xd8\xff\xe0\0\x10JFIF"sv, PictureFormat::Jpeg},
        {"GIF87a"sv, PictureFormat::Gif},
        {"GIF89a\x18\0\x10\0"sv, PictureFormat::Gif},
        {"BM\x36\x03\0\0\0\0\0\0\x36\0\0\0"sv, PictureFormat::Bmp},
        {"RIFF\x24\0\0\0WEBPVP8 "sv, PictureFormat::WebP},
        {"II*\0\x08\0\0\0"sv, PictureFormat::Tiff},
        {"MM\0*\0\0\0\x08"sv, PictureFormat::Tiff},
        {"\0\0\0\034ftypavif\0\0\0\0"sv, PictureFormat::Heif},
        {"\0\0\0\030ftypheic"sv, PictureFormat::Heif},
        {"\xff\x0a\xfa\x7f"sv, PictureFormat::JpegXl},
        {"\0\0\0\x0cJXL \r\n\x87\n"sv, PictureFormat::JpegXl},
        {"\x8aMNG\r\n\x1a\n"sv, PictureFormat::Mng},
        {"\0\0\1\0\1\0\x10\x10"sv, PictureFormat::Ico},
        {"icns\0\0\x01\0"sv, PictureFormat::Icns},
        {"/* XPM */\nstatic"sv, PictureFormat::Xpm},
        {"#define p_width 24"sv, PictureFormat::Xbm},
        {"P1\n"sv, PictureFormat::Pnm},
        {"P6\n24 16\n255\n"sv, PictureFormat::Pnm},
        {"P6q-ftypavif2qqq"sv, PictureFormat::Pnm},  // told by two bytes, kept whatever follows
        {""sv, PictureFormat::NotAPicture},
        {"BMW is a car, not a bitmap"sv, PictureFormat::NotAPicture},
        {"BM\x36\x03\0\0\0\0\0\0"sv, PictureFormat::NotAPicture},  // cut before its data offset
        {"RIFF\x24\0\0\0WAVEfmt "sv, PictureFormat::NotAPicture},
        {"\0\0\0 ftypisom\0\0\x02\0"sv, PictureFormat::NotAPicture},
        {"\x89PN"sv, PictureFormat::NotAPicture},
        {"P7\nWIDTH 4"sv, PictureFormat::NotAPicture},
        {"GIF88a"sv, PictureFormat::NotAPicture},
    };
    for (const auto& [head, format] : cases)
        EXPECT_EQ(pictureFormat(head), format) << ::testing::PrintToString(std::string(head));
}

// The sizes the preview reads off the header alone; other formats are left to a decoder.
TEST(PictureFormat, PngGifAndBmpTellTheirSizeInTheirHeader) {
    const std::pair<std::string_view, std::optional<PictureSize>> cases[] = {
        {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x04\0\0\0\x02\x80"sv, PictureSize{1024, 640}},
        {"GIF89a\x18\0\x10\0"sv, PictureSize{24, 16}},
        {"BM\x36\x03\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x18\0\0\0\xf0\xff\xff\xff"sv,
         PictureSize{24, 16}},  // stored top down: a negative height
        {"BM\x36\x03\0\0\0\0\0\0\x1a\0\0\0\x0c\0\0\0\x18\0\x10\0\x01\0"sv,
         PictureSize{24, 16}},  // the old 12-byte header
        {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\0\0\0\0\x10"sv, std::nullopt},
        {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0"sv, std::nullopt},  // cut
        {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xff\xff\xff\0\0\0\x10"sv, std::nullopt},
        {"\xff\xd8\xff\xe0\0\x10JFIF"sv, std::nullopt},  // a JPEG's size is further in
    };
    for (const auto& [head, size] : cases)
        EXPECT_EQ(headerSize(head), size) << ::testing::PrintToString(std::string(head));
}

}  // namespace
}  // namespace korvo
