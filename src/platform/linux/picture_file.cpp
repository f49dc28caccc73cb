// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QImageReader>
#include <array>
#include <mutex>
#include <unordered_map>

namespace korvo::platform {

namespace {

// Larger files are not pictures anyone means as a wallpaper, and would cost more memory than
// Korvo should take for one.
constexpr qint64 kMaxFileSize = 256ll << 20;

// A descriptor for path when it names a regular file; -1 otherwise. Opening does not block on a
// FIFO or a device that happens to be named like a picture.
int openRegularFile(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QByteArray readWholeFile(const std::string& path) {
    const int fd = openRegularFile(path);
    if (fd < 0) return {};
    QByteArray bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0 && info.st_size <= kMaxFileSize) {
        bytes.resize(static_cast<qsizetype>(info.st_size));
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t got =
                ::read(fd, bytes.data() + done, static_cast<std::size_t>(bytes.size() - done));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += got;
        }
        bytes.truncate(done);
    }
    ::close(fd);
    return bytes;
}

// What identifies one version of a file.
struct FileStamp {
    dev_t device;
    ino_t inode;
    off_t size;
    time_t seconds;
    long nanoseconds;
    bool operator==(const FileStamp&) const = default;
};

// Qt's name for a format desktops are handed; null for the rest. Icons, X bitmaps and netpbm
// files are pictures the preview shows, not wallpapers.
const char* qtFormat(PictureFormat format) {
    switch (format) {
        case PictureFormat::Png:
            return "png";
        case PictureFormat::Jpeg:
            return "jpeg";
        case PictureFormat::Gif:
            return "gif";
        case PictureFormat::Bmp:
            return "bmp";
        case PictureFormat::WebP:
            return "webp";
        case PictureFormat::Tiff:
            return "tiff";
        case PictureFormat::Heif:
            return "heif";
        case PictureFormat::JpegXl:
            return "jxl";
        default:
            return nullptr;
    }
}

// The format as a wallpaper: NotAPicture for the formats no desktop is handed.
PictureFormat wallpaperFormat(std::string_view head) {
    const PictureFormat format = pictureFormat(head);
    return qtFormat(format) ? format : PictureFormat::NotAPicture;
}

}  // namespace

PictureFormat sniffPictureFile(const std::string& path) {
    const int fd = openRegularFile(path);
    if (fd < 0) return PictureFormat::NotAPicture;
    std::array<char, PictureSignatureSize> head{};
    ssize_t got;
    do {
        got = ::read(fd, head.data(), head.size());
    } while (got < 0 && errno == EINTR);
    ::close(fd);
    if (got <= 0) return PictureFormat::NotAPicture;
    return wallpaperFormat(std::string_view(head.data(), static_cast<std::size_t>(got)));
}

QImage decodePictureFile(const std::string& path, bool eighth) {
    QByteArray bytes = readWholeFile(path);
    const char* format = qtFormat(pictureFormat(std::string_view(bytes.data(), bytes.size())));
    if (!format) return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (size.isValid()) {
        const qint64 limit = QImageReader::allocationLimit() > 0
                                 ? qint64(QImageReader::allocationLimit()) << 20
                                 : kMaxFileSize;
        if (size.isEmpty() || qint64(size.width()) * size.height() * 4 > limit) return {};
        if (eighth && qstrcmp(format, "jpeg") == 0)
            reader.setScaledSize(QSize((size.width() + 7) / 8, (size.height() + 7) / 8));
    }
    return reader.read();
}

bool pictureDecodes(const std::string& path) {
    const char* format = qtFormat(sniffPictureFile(path));
    if (!format) return false;
    static const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    if (!readable.contains(format)) return true;

    // The rotation comes back to the same files: one that decoded and has not changed since is
    // taken without decoding it again.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    const FileStamp stamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec,
                          info.st_mtim.tv_nsec};
    static std::mutex mutex;
    static std::unordered_map<std::string, FileStamp> decoded;
    {
        const std::lock_guard lock(mutex);
        const auto known = decoded.find(path);
        if (known != decoded.end() && known->second == stamp) return true;
    }
    if (decodePictureFile(path, true).isNull()) return false;
    const std::lock_guard lock(mutex);
    if (decoded.size() >= 4096) decoded.clear();  // a bound for folders of many thousand
    decoded.insert_or_assign(path, stamp);
    return true;
}

}  // namespace korvo::platform
