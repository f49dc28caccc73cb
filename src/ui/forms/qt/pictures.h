// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/forms/services.h"
#include "ui/forms/types.h"

class QObject;

namespace korvo::qt {

// The file a picture source names, in Korvo's byte encoding (":name" sources are the program's
// bundled pictures, read from its own bytes, not from a file).
QString pictureLocation(const std::string& source);

// The picture's natural size from its header alone; nullopt when the file is not a picture Qt
// can read.
std::optional<forms::PictureInfo> probePicture(const std::string& source);

// Decodes the picture at `size` pixels. Formats that can scale while decoding (JPEG) never
// build the full-size picture, so a preview of a 40-megapixel photo stays cheap. An empty size
// means the natural size, cut to `visible` when that is not empty. A null image when the file
// cannot be read.
QImage decodePicture(const std::string& source, QSize size, QSize visible = {});

// Pictures from files larger than this (natural size, in pixels) decode on Qt's thread pool.
inline constexpr qint64 OffThreadPixels = 1'000'000;

// One widget's picture, decoded once for the size it is shown at and kept until the picture or
// that size changes. Large pictures from files decode off the UI thread: meanwhile, and when a
// picture cannot be decoded, the last picture decoded stays. Only the newest request counts: an
// older one not yet started is skipped, and the result of one already running is dropped.
class PictureCache {
  public:
    // `decoded` runs on `owner`'s thread when an off-thread decode has brought a new pixmap.
    PictureCache(QObject* owner, std::function<void()> decoded);
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // stretch: scaled to `area`; otherwise the natural size, of which only `area` is kept.
    const QPixmap& pixmap(const forms::Picture& picture, QSize area, bool stretch);
    void clear();

  private:
    struct Shared;
    bool accept(std::uint64_t generation, const QImage& image);

    std::shared_ptr<Shared> shared_;
    std::function<void()> decoded_;
    const forms::PictureData* data_ = nullptr;
    std::string source_;
    QSize area_;
    bool stretch_ = false;
    QPixmap pixmap_;
};

}  // namespace korvo::qt
