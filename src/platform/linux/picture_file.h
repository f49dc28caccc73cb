// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <string>

#include "base/picture_format.h"

namespace korvo::platform {

// The format of the file at path, by its first bytes: NotAPicture when it is missing, not a
// regular file, unreadable, not a picture, or one no desktop is handed as a wallpaper (an icon,
// an X bitmap, a netpbm file). Never blocks on a FIFO or a device that happens to be named like a
// picture.
PictureFormat sniffPictureFile(const std::string& path);

// The picture at path, decoded by the one image plugin its first bytes name (left to guess, Qt
// loads every plugin with its libraries). A null image when the file is missing, not a regular
// file, over 256 MB, not a picture, broken, or larger decoded than Qt's image allocation limit,
// which is checked from the header before anything is allocated. `eighth`: a JPEG decodes at an
// eighth of its size, which costs a fraction of the time and still reads all of its data.
QImage decodePictureFile(const std::string& path, bool eighth = false);

// Whether a desktop handed this file would show a picture: it decodes whole. A format Qt has no
// plugin for here (HEIF, JPEG XL) is the desktop's to judge, by its header.
bool pictureDecodes(const std::string& path);

}  // namespace korvo::platform
