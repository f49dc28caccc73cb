#include "ui/forms/qt/pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <mutex>

namespace korvo::qt {

namespace {

// The format by the data's first bytes. Left to guess, QImageReader asks every image-format
// plugin whether it can read the data, loading all of them with their libraries; named, it uses
// a built-in handler (PNG, BMP, PPM, XBM, XPM) or loads the one plugin. A literal's bytes
// stop at its first NUL, hence the explicit lengths.
QByteArray formatOf(const QByteArray& head) {
    static const struct {
        QByteArrayView magic;
        const char* format;
    } known[] = {
        {"\x89PNG\r\n\x1a\n", "png"},
        {"\xff\xd8\xff", "jpeg"},
        {"GIF87a", "gif"},
        {"GIF89a", "gif"},
        {"BM", "bmp"},
        {QByteArrayView("II*\0", 4), "tiff"},
        {QByteArrayView("MM\0*", 4), "tiff"},
        {"\x8aMNG\r\n\x1a\n", "mng"},
        {"/* XPM */", "xpm"},
        {"icns", "icns"},
        {QByteArrayView("\0\0\1\0", 4), "ico"},
        {"#define", "xbm"},
    };
    for (const auto& [magic, format] : known)
        if (head.startsWith(magic)) return format;
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP") return "webp";
    if (head.size() >= 2 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6') return "ppm";
    return {};
}

// A reader bound to the one format the file is in: by its first bytes, else (the formats
// without a signature, TGA and WBMP) by its name's extension.
struct Reader {
    explicit Reader(const std::string& source) : file(pictureLocation(source)) {
        if (!file.open(QIODevice::ReadOnly)) return;
        QByteArray format = formatOf(file.peek(16));
        if (format.isEmpty()) format = QFileInfo(file.fileName()).suffix().toLower().toLatin1();
        if (format.isEmpty()) return;
        reader.setDevice(&file);
        reader.setFormat(format);
        reader.setAutoDetectImageFormat(false);
    }
    bool canRead() { return reader.device() && reader.canRead(); }

    QFile file;
    QImageReader reader;
};

}  // namespace

QString pictureLocation(const std::string& source) {
    if (!source.empty() && source.front() == ':') {
        const QString name = QString::fromUtf8(source.c_str() + 1);
        return name.startsWith(u'/') ? QLatin1Char(':') + name : QStringLiteral(":/") + name;
    }
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
        reader.setScaledSize(size);
    } else if (!visible.isEmpty()) {
        const QSize natural = reader.size();
        if (natural.isValid() &&
            (natural.width() > visible.width() || natural.height() > visible.height()))
            reader.setClipRect({{0, 0}, natural.boundedTo(visible)});
    }
    return reader.read();
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
