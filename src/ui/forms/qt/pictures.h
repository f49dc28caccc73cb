#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <optional>
#include <string>

#include "ui/forms/services.h"
#include "ui/forms/types.h"

namespace korvo::qt {

// Where a picture source is read from: ":name" (or ":/name") is a bundled Qt resource, anything
// else a file path in Korvo's byte encoding.
QString pictureLocation(const std::string& source);

// The picture's natural size from its header alone; nullopt when the file is not a picture Qt
// can read.
std::optional<forms::PictureInfo> probePicture(const std::string& source);

// Decodes the picture at `size` pixels. Formats that can scale while decoding (JPEG) never
// build the full-size picture, so a preview of a 40-megapixel photo stays cheap. An empty size
// means the natural size, cut to `visible` when that is not empty. A null image when the file
// cannot be read.
QImage decodePicture(const std::string& source, QSize size, QSize visible = {});

// One widget's picture, decoded once for the size it is shown at and kept until the picture or
// that size changes.
class PictureCache {
  public:
    // stretch: scaled to `area`; otherwise the natural size, of which only `area` is kept.
    const QPixmap& pixmap(const forms::Picture& picture, QSize area, bool stretch);
    void clear();

  private:
    const forms::PictureData* data_ = nullptr;
    std::string source_;
    QSize area_;
    bool stretch_ = false;
    QPixmap pixmap_;
};

}  // namespace korvo::qt
