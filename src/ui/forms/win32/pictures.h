// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

#include "ui/forms/services.h"
#include "ui/forms/win32/win32.h"

namespace korvo::win32 {

// Pictures decoded by the Windows imaging component. A source starting with ":" names a picture
// bundled in the program as an RCDATA resource of that name ("korvo.png", "flags/0.png");
// anything else is a file path in UTF-8.
class Pictures {
  public:
    Pictures();
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    // The natural size from the picture's header; nullopt when it is not a picture WIC reads.
    std::optional<forms::PictureInfo> probe(const std::string& source);
    // A 32-bit top-down bitmap with premultiplied alpha: scaled to width x height when
    // stretching, otherwise the natural size cut to width x height. nullptr when unreadable.
    HBITMAP decode(const std::string& source, int width, int height, bool stretch);
    // An icon of size x size pixels; nullptr when the picture cannot be read.
    HICON icon(const std::string& source, int size);

  private:
    IWICBitmapFrameDecode* frame(const std::string& source);
    HBITMAP pixels(IWICBitmapSource* source, const WICPixelFormatGUID& format, int width,
                   int height);

    IWICImagingFactory* factory_ = nullptr;
    bool joinedCom_ = false;
};

}  // namespace korvo::win32
