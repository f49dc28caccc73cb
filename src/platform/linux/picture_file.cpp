#include "platform/linux/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

namespace korvo::platform {

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

PictureFormat sniffPicture(std::string_view head) {
    using namespace std::string_view_literals;
    if (startsWith(head, "\x89PNG\r\n\x1a\n"sv)) return PictureFormat::Png;
    if (startsWith(head, "\xff\xd8\xff"sv)) return PictureFormat::Jpeg;
    if (startsWith(head, "GIF87a"sv) || startsWith(head, "GIF89a"sv)) return PictureFormat::Gif;
    // "BM" alone matches too much text; a real header also has its zero reserved words.
    if (head.size() >= 14 && startsWith(head, "BM"sv) && head.substr(6, 4) == "\0\0\0\0"sv) {
        return PictureFormat::Bmp;
    }
    if (head.size() >= 12 && startsWith(head, "RIFF"sv) && head.substr(8, 4) == "WEBP"sv) {
        return PictureFormat::WebP;
    }
    if (startsWith(head, "II*\0"sv) || startsWith(head, "MM\0*"sv)) return PictureFormat::Tiff;
    if (startsWith(head, "\xff\x0a"sv) || startsWith(head, "\0\0\0\x0cJXL \r\n\x87\n"sv)) {
        return PictureFormat::JpegXl;
    }
    // ISO media file: a leading "ftyp" box whose major brand is one of the still-picture ones.
    if (head.size() >= 12 && head.substr(4, 4) == "ftyp"sv) {
        for (std::string_view brand : {"avif"sv, "avis"sv, "heic"sv, "heix"sv, "mif1"sv}) {
            if (head.substr(8, 4) == brand) return PictureFormat::Heif;
        }
    }
    return PictureFormat::NotAPicture;
}

PictureFormat sniffPictureFile(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return PictureFormat::NotAPicture;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return PictureFormat::NotAPicture;
    struct stat info {};
    std::array<char, 32> head{};
    ssize_t got = -1;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        do {
            got = ::read(fd, head.data(), head.size());
        } while (got < 0 && errno == EINTR);
    }
    ::close(fd);
    if (got <= 0) return PictureFormat::NotAPicture;
    return sniffPicture(std::string_view(head.data(), static_cast<std::size_t>(got)));
}

}  // namespace korvo::platform
