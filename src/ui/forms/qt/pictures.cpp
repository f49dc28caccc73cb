#include "ui/forms/qt/pictures.h"

#include <QFile>
#include <QImageReader>

namespace korvo::qt {

QString pictureLocation(const std::string& source) {
    if (!source.empty() && source.front() == ':') {
        const QString name = QString::fromUtf8(source.c_str() + 1);
        return name.startsWith(u'/') ? QLatin1Char(':') + name : QStringLiteral(":/") + name;
    }
    return QFile::decodeName(QByteArray::fromStdString(source));
}

std::optional<forms::PictureInfo> probePicture(const std::string& source) {
    if (source.empty()) return std::nullopt;
    QImageReader reader(pictureLocation(source));
    if (!reader.canRead()) return std::nullopt;
    QSize size = reader.size();
    if (!size.isValid()) {
        // The few formats that cannot tell their size from the header are decoded once.
        const QImage image = reader.read();
        if (image.isNull()) return std::nullopt;
        size = image.size();
    }
    return forms::PictureInfo{size.width(), size.height()};
}

QImage decodePicture(const std::string& source, QSize size, QSize visible) {
    if (source.empty()) return {};
    QImageReader reader(pictureLocation(source));
    if (!reader.canRead()) return {};
    if (!size.isEmpty()) {
        reader.setScaledSize(size);
    } else if (!visible.isEmpty()) {
        const QSize natural = reader.size();
        if (natural.isValid() &&
            (natural.width() > visible.width() || natural.height() > visible.height()))
            reader.setClipRect({{0, 0}, natural.boundedTo(visible)});
    }
    return reader.read();
}

const QPixmap& PictureCache::pixmap(const forms::Picture& picture, QSize area, bool stretch) {
    if (!picture || area.isEmpty()) {
        clear();
        return pixmap_;
    }
    if (picture.get() != data_ || picture->source != source_ || area != area_ ||
        stretch != stretch_) {
        data_ = picture.get();
        source_ = picture->source;
        area_ = area;
        stretch_ = stretch;
        pixmap_ = QPixmap::fromImage(stretch ? decodePicture(source_, area)
                                             : decodePicture(source_, {}, area));
    }
    return pixmap_;
}

void PictureCache::clear() {
    data_ = nullptr;
    source_.clear();
    area_ = {};
    pixmap_ = {};
}

}  // namespace korvo::qt
