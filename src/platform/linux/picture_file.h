// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "base/picture_format.h"

namespace korvo::platform {

struct PixbufDeleter {
    void operator()(GdkPixbuf* pixbuf) const { g_object_unref(pixbuf); }
};
using Pixbuf = std::unique_ptr<GdkPixbuf, PixbufDeleter>;

// The format of the file at path, by its first bytes: NotAPicture when it is missing, not a
// regular file, unreadable, not a picture, or one no desktop is handed as a wallpaper (an icon,
// an X bitmap, a netpbm file). Never blocks on a FIFO or a device that happens to be named like a
// picture.
PictureFormat sniffPictureFile(const std::string& path);

// The picture at path, decoded by the one loader its first bytes name (gdk-pixbuf's, a library
// every desktop stack already brings; no toolkit is loaded for it). Null when the file is
// missing, not a regular file, over 256 MB, not a picture, broken, or larger decoded than
// 256 MB, which is checked from the header before anything is allocated. `eighth`: a JPEG
// decodes at an eighth of its size, which costs a fraction of the time and still reads all of
// its data.
Pixbuf decodePictureFile(const std::string& path, bool eighth = false);

// The size in pixels of the picture at path, read from its header by the loader its first bytes
// name (any picture format, icons included); nothing when it is not a picture a loader here
// reads. Never blocks on a FIFO or a device.
std::optional<std::pair<int, int>> pictureSize(const std::string& path);

// Whether a desktop handed this file would show a picture: it decodes whole. A format no loader
// here reads (HEIF, JPEG XL, WebP without its loader) is the desktop's to judge, by its header.
bool pictureDecodes(const std::string& path);

}  // namespace korvo::platform
