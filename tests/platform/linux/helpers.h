#pragma once

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/desktop_backend.h"

namespace korvo::platform::testing {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvo-test.XXXXXX");
        if (!::mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Four solid quadrants (red, green / blue, yellow) so that position, scale and repetition all
// show in the pixels.
inline QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            image.setPixel(x, y,
                           !bottom ? (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0))
                                   : (right ? qRgb(255, 255, 0) : qRgb(0, 0, 255)));
        }
    }
    return image;
}

// Saves a quadrant picture as PNG at a path given as raw bytes (the name need not be UTF-8).
inline void writePicture(const std::string& path, int width, int height) {
    const std::string temporary = std::filesystem::path(path).parent_path() / "korvo-picture.png";
    if (!quadrants(width, height).save(QString::fromStdString(temporary), "PNG")) std::abort();
    std::filesystem::rename(temporary, path);
}

// One whole change as the core makes it: a fresh desktop object for the environment, the style,
// the picture, then apply with save and refresh; the first failure ends it.
inline engine::HRESULT changeWallpaper(const Environment& env, const std::string& path,
                                       std::uint32_t style) {
    auto object = selectDesktopBackend(env)();
    if (!object) return engine::E_FAIL;
    engine::WALLPAPEROPT options;
    options.dwStyle = style;
    engine::HRESULT result = object->SetWallpaperOptions(options);
    if (engine::succeeded(result)) result = object->SetWallpaper(path);
    if (engine::succeeded(result)) result = object->ApplyChanges(7);
    return result;
}

}  // namespace korvo::platform::testing
