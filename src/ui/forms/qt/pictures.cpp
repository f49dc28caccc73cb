// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/pictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <mutex>
#include <string_view>

#include "base/picture_format.h"
#include "ui/forms/bundled_pictures.h"

namespace korvo::qt {

namespace {

// Qt's name for the format. Left to guess, QImageReader asks every image-format plugin whether
// it can read the data, loading all of them with their libraries; named, it uses a built-in
// handler (PNG, BMP, PPM, XBM, XPM) or loads the one plugin. HEIF and JPEG XL are named by the
// plugin that reads them, so their extension names them as before.
const char* qtFormat(PictureFormat format) {
    switch (format) {
        case PictureFormat::Heif:
        case PictureFormat::JpegXl:
            return nullptr;
        case PictureFormat::Pnm:  // Qt's reader of the three netpbm kinds answers to any of them
            return "ppm";
        default:
            return pictureFormatName(format);
    }
}

// A reader bound to the one format the file is in: by its first bytes, else (the formats
// without a signature, TGA and WBMP) by its name's extension.
struct Reader {
    explicit Reader(const std::string& source) {
        // A picture bundled with the program is read from the program's own bytes.
        if (!source.empty() && source.front() == ':') {
            const auto bytes = forms::bundledPicture(source);
            bundled.setData(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                       static_cast<qsizetype>(bytes.size())));
            device = &bundled;
        } else {
            file.setFileName(pictureLocation(source));
            device = &file;
        }
        if (!device->open(QIODevice::ReadOnly)) return;
        const QByteArray head = device->peek(PictureSignatureSize);
        QByteArray format = qtFormat(pictureFormat(std::string_view(head.data(), head.size())));
        if (format.isEmpty()) format = QFileInfo(file.fileName()).suffix().toLower().toLatin1();
        if (format.isEmpty()) return;
        reader.setDevice(device);
        reader.setFormat(format);
        reader.setAutoDetectImageFormat(false);
    }
    bool canRead() { return reader.device() && reader.canRead(); }

    QFile file;
    QBuffer bundled;
    QIODevice* device = nullptr;
    QImageReader reader;
};

// Palette, grey and one-bit pictures become 32-bit before anything scales or draws them: some
// window systems' pixmaps would otherwise reduce them to two colours.
bool fullColour(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied || format == QImage::Format_Invalid;
}

QImage inFullColour(QImage image) {
    if (fullColour(image.format())) return image;
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

}  // namespace

QString pictureLocation(const std::string& source) {
    return QFile::decodeName(QByteArray::fromStdString(source));
}

std::optional<forms::PictureInfo> probePicture(const std::string& source) {
    if (source.empty()) return std::nullopt;
    Reader file(source);
    if (!file.canRead()) return std::nullopt;
    QSize size = file.reader.size();
    if (!size.isValid()) {
        // The few formats that cannot tell their size from the header are decoded once.
        const QImage image = file.reader.read();
        if (image.isNull()) return std::nullopt;
        size = image.size();
    }
    return forms::PictureInfo{size.width(), size.height()};
}

QImage decodePicture(const std::string& source, QSize size, QSize visible) {
    if (source.empty()) return {};
    Reader file(source);
    if (!file.canRead()) return {};
    QImageReader& reader = file.reader;
    if (!size.isEmpty()) {
        if (!fullColour(reader.imageFormat())) {
            // Scaled in full colour: a palette scaled as it is keeps only its own colours.
            const QImage whole = inFullColour(reader.read());
            return whole.isNull()
                       ? whole
                       : whole.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        reader.setScaledSize(size);
    } else if (!visible.isEmpty()) {
        const QSize natural = reader.size();
        if (natural.isValid() &&
            (natural.width() > visible.width() || natural.height() > visible.height()))
            reader.setClipRect({{0, 0}, natural.boundedTo(visible)});
    }
    return inFullColour(reader.read());
}

// What a decode on the pool shares with the cache that asked for it: the newest request's
// number, and the owner to hand results to for as long as it lives.
struct PictureCache::Shared {
    std::atomic<std::uint64_t> generation{0};
    std::mutex mutex;
    QObject* owner = nullptr;  // guarded by mutex; null once the cache is gone
};

PictureCache::PictureCache(QObject* owner, std::function<void()> decoded)
    : shared_(std::make_shared<Shared>()), decoded_(std::move(decoded)) {
    shared_->owner = owner;
}

PictureCache::~PictureCache() {
    ++shared_->generation;
    const std::lock_guard lock(shared_->mutex);
    shared_->owner = nullptr;
}

const QPixmap& PictureCache::pixmap(const forms::Picture& picture, QSize area, bool stretch) {
    if (!picture || area.isEmpty()) {
        clear();
        return pixmap_;
    }
    if (picture.get() == data_ && picture->source == source_ && area == area_ &&
        stretch == stretch_)
        return pixmap_;
    data_ = picture.get();
    source_ = picture->source;
    area_ = area;
    stretch_ = stretch;
    const std::uint64_t generation = ++shared_->generation;
    const QSize size = stretch ? area : QSize();
    const QSize visible = stretch ? QSize() : area;
    const bool resource = source_.front() == ':';
    if (resource || qint64(picture->width) * picture->height <= OffThreadPixels) {
        accept(generation, decodePicture(source_, size, visible));
        return pixmap_;
    }
    QThreadPool::globalInstance()->start(
        [this, shared = shared_, generation, source = source_, size, visible] {
            if (shared->generation != generation) return;  // a newer picture is wanted already
            QImage image = decodePicture(source, size, visible);
            const std::lock_guard lock(shared->mutex);
            if (!shared->owner) return;
            // Queued to the owner: dropped with it if it goes first, and `this` lives as long.
            QMetaObject::invokeMethod(
                shared->owner,
                [this, generation, image = std::move(image)] {
                    if (accept(generation, image) && decoded_) decoded_();
                },
                Qt::QueuedConnection);
        });
    return pixmap_;
}

bool PictureCache::accept(std::uint64_t generation, const QImage& image) {
    // A stale result, and a picture that cannot be decoded, keep what is shown.
    if (generation != shared_->generation || image.isNull()) return false;
    pixmap_ = QPixmap::fromImage(image);
    return true;
}

void PictureCache::clear() {
    ++shared_->generation;
    data_ = nullptr;
    source_.clear();
    area_ = {};
    pixmap_ = {};
}

}  // namespace korvo::qt
