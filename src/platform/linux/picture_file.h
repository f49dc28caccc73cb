#pragma once

#include <string>
#include <string_view>

namespace korvo::platform {

enum class PictureFormat { NotAPicture, Png, Jpeg, Gif, Bmp, WebP, Tiff, Heif, JpegXl };

// The format the first bytes of a file announce; NotAPicture for anything else (text, an empty
// file, a truncated header). Only the magic numbers count, never the name's extension.
PictureFormat sniffPicture(std::string_view head);

// The format of the file at path: NotAPicture when it is missing, not a regular file, unreadable or
// not a picture. Never blocks on a FIFO or a device that happens to be named like a picture.
PictureFormat sniffPictureFile(const std::string& path);

}  // namespace korvo::platform
