// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace korvo::platform {

namespace {

// Larger files, or pictures larger decoded, are not pictures anyone means as a wallpaper, and
// would cost more memory than Korvo should take for one.
constexpr std::int64_t kMaxFileSize = 256ll << 20;
constexpr std::int64_t kMaxDecodedSize = 256ll << 20;

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

std::vector<unsigned char> readWholeFile(const std::string& path) {
    const int fd = openRegularFile(path);
    if (fd < 0) return {};
    std::vector<unsigned char> bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0 && info.st_size <= kMaxFileSize) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        bytes.resize(done);
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

// gdk-pixbuf's name for a format desktops are handed; null for the rest. Icons, X bitmaps and
// netpbm files are pictures the preview shows, not wallpapers.
const char* loaderName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Png:
        case PictureFormat::Jpeg:
        case PictureFormat::Gif:
        case PictureFormat::Bmp:
        case PictureFormat::WebP:
        case PictureFormat::Tiff:
        case PictureFormat::Heif:
        case PictureFormat::JpegXl:
            return pictureFormatName(format);
        default:
            return nullptr;
    }
}

// The format as a wallpaper: NotAPicture for the formats no desktop is handed.
PictureFormat wallpaperFormat(std::string_view head) {
    const PictureFormat format = pictureFormat(head);
    return loaderName(format) ? format : PictureFormat::NotAPicture;
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

namespace {

// Whether this machine has a loader for the format: the ones that come as modules may be absent.
bool loaderAvailable(const char* name) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> found;
        GSList* formats = gdk_pixbuf_get_formats();
        for (GSList* at = formats; at; at = at->next) {
            auto* format = static_cast<GdkPixbufFormat*>(at->data);
            if (gdk_pixbuf_format_is_disabled(format)) continue;
            gchar* formatName = gdk_pixbuf_format_get_name(format);
            found.emplace_back(formatName);
            g_free(formatName);
        }
        g_slist_free(formats);
        return found;
    }();
    for (const auto& known : names)
        if (known == name) return true;
    return false;
}

struct SizeCheck {
    bool eighth;
    bool tooLarge = false;
};

// The header has been read: refuse what would take too much memory before it is allocated, and
// ask a JPEG for its eighth (its loader then decodes at that scale).
void sizePrepared(GdkPixbufLoader* loader, gint width, gint height, gpointer data) {
    auto* check = static_cast<SizeCheck*>(data);
    if (width <= 0 || height <= 0 ||
        static_cast<std::int64_t>(width) * height * 4 > kMaxDecodedSize) {
        check->tooLarge = true;
        // A size of nothing is how a loader is told to stop before it allocates the picture.
        gdk_pixbuf_loader_set_size(loader, 0, 0);
        return;
    }
    if (check->eighth) gdk_pixbuf_loader_set_size(loader, (width + 7) / 8, (height + 7) / 8);
}

}  // namespace

Pixbuf decodePictureFile(const std::string& path, bool eighth) {
    const std::vector<unsigned char> bytes = readWholeFile(path);
    const PictureFormat format =
        pictureFormat(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    const char* name = loaderName(format);
    if (!name || !loaderAvailable(name)) return nullptr;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type(name, nullptr);
    if (!loader) return nullptr;
    SizeCheck check{eighth && format == PictureFormat::Jpeg};
    g_signal_connect(loader, "size-prepared", G_CALLBACK(sizePrepared), &check);
    // Fed in slices, so that a refused size stops the loader before it reads on.
    bool fed = true;
    for (std::size_t at = 0; fed && !check.tooLarge && at < bytes.size(); at += 1 << 16) {
        const std::size_t slice = std::min<std::size_t>(1 << 16, bytes.size() - at);
        fed = gdk_pixbuf_loader_write(loader, bytes.data() + at, slice, nullptr);
    }
    const bool closed = gdk_pixbuf_loader_close(loader, nullptr);
    Pixbuf picture;
    if (fed && closed && !check.tooLarge) {
        if (GdkPixbuf* decoded = gdk_pixbuf_loader_get_pixbuf(loader))
            picture.reset(static_cast<GdkPixbuf*>(g_object_ref(decoded)));
    }
    g_object_unref(loader);
    return picture;
}

namespace {

void sizeOnly(GdkPixbufLoader* loader, gint width, gint height, gpointer data) {
    *static_cast<std::pair<int, int>*>(data) = {width, height};
    gdk_pixbuf_loader_set_size(loader, 0, 0);  // stop: nothing is decoded
}

}  // namespace

std::optional<std::pair<int, int>> pictureSize(const std::string& path) {
    const int fd = openRegularFile(path);
    if (fd < 0) return std::nullopt;
    // A header is read in slices until the loader knows the size; a large embedded preview may
    // come first in a JPEG, so up to a few megabytes are read.
    std::vector<unsigned char> slice(1 << 14);
    ssize_t got;
    do {
        got = ::read(fd, slice.data(), PictureHeaderSize);
    } while (got < 0 && errno == EINTR);
    const std::string_view head(reinterpret_cast<const char*>(slice.data()),
                                got > 0 ? static_cast<std::size_t>(got) : 0);
    // PNG, GIF and BMP say their size in fixed fields; a loader would decode a good part of the
    // picture before it tells.
    if (const auto fixed = headerSize(head)) {
        ::close(fd);
        return std::pair{fixed->width, fixed->height};
    }
    const char* name = got > 0 ? pictureFormatName(pictureFormat(head)) : nullptr;
    GdkPixbufLoader* loader =
        name && loaderAvailable(name) ? gdk_pixbuf_loader_new_with_type(name, nullptr) : nullptr;
    std::pair<int, int> size{0, 0};
    if (loader) {
        g_signal_connect(loader, "size-prepared", G_CALLBACK(sizeOnly), &size);
        auto total = static_cast<std::size_t>(got);
        bool fed = gdk_pixbuf_loader_write(loader, slice.data(), total, nullptr);
        while (fed && size.first == 0 && total < (4u << 20)) {
            do {
                got = ::read(fd, slice.data(), slice.size());
            } while (got < 0 && errno == EINTR);
            if (got <= 0) break;
            total += static_cast<std::size_t>(got);
            fed = gdk_pixbuf_loader_write(loader, slice.data(), static_cast<std::size_t>(got),
                                          nullptr);
        }
        gdk_pixbuf_loader_close(loader, nullptr);
        g_object_unref(loader);
    }
    ::close(fd);
    if (size.first <= 0 || size.second <= 0) return std::nullopt;
    return size;
}

bool pictureDecodes(const std::string& path) {
    const char* format = loaderName(sniffPictureFile(path));
    if (!format) return false;
    if (!loaderAvailable(format)) return true;

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
    if (!decodePictureFile(path, true)) return false;
    const std::lock_guard lock(mutex);
    if (decoded.size() >= 4096) decoded.clear();  // a bound for folders of many thousand
    decoded.insert_or_assign(path, stamp);
    return true;
}

}  // namespace korvo::platform
