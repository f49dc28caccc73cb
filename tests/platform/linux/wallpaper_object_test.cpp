#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <vector>

#include "helpers.h"
#include "platform/linux/picture_file.h"
#include "platform/linux/wallpaper_object.h"

namespace korvo::platform {
namespace {

using testing::TempDir;
using testing::writeFile;
using testing::writePicture;

TEST(PictureSniffing, KnowsTheCommonFormatsByTheirFirstBytes) {
    using namespace std::string_view_literals;
    const std::pair<std::string_view, PictureFormat> cases[] = {
        {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR"sv, PictureFormat::Png},
        {"\xff\xd8\xff\xe0\0\x10JFIF"sv, PictureFormat::Jpeg},
        {"GIF89a\x01\0\x01\0"sv, PictureFormat::Gif},
        {"BM\x36\0\0\0\0\0\0\0\x36\0\0\0"sv, PictureFormat::Bmp},
        {"RIFF\x24\0\0\0WEBPVP8 "sv, PictureFormat::WebP},
        {"II*\0\x08\0\0\0"sv, PictureFormat::Tiff},
        {"MM\0*\0\0\0\x08"sv, PictureFormat::Tiff},
        {"\0\0\0\x1c"
         "ftypavif\0\0\0\0"sv,
         PictureFormat::Heif},
        {"\xff\x0a\xfa\x7f"sv, PictureFormat::JpegXl},
        {"BMW is a car, not a bitmap"sv, PictureFormat::NotAPicture},
        {"RIFF\x24\0\0\0WAVEfmt "sv, PictureFormat::NotAPicture},
        {"Null"sv, PictureFormat::NotAPicture},
        {"\x89PN"sv, PictureFormat::NotAPicture},
        {""sv, PictureFormat::NotAPicture},
    };
    for (const auto& [head, format] : cases) {
        EXPECT_EQ(sniffPicture(head), format) << head;
    }
}

TEST(PictureSniffing, ReadsOnlyRegularFilesAndNeverBlocks) {
    TempDir dir;
    writePicture(dir.file("real.png"), 8, 8);
    writeFile(dir.file("notes.png"), "just some text\n");
    ASSERT_EQ(::mkfifo(dir.file("pipe.png").c_str(), 0600), 0);
    EXPECT_EQ(sniffPictureFile(dir.file("real.png")), PictureFormat::Png);
    EXPECT_EQ(sniffPictureFile(dir.file("notes.png")), PictureFormat::NotAPicture);
    EXPECT_EQ(sniffPictureFile(dir.file("missing.png")), PictureFormat::NotAPicture);
    EXPECT_EQ(sniffPictureFile(dir.file("pipe.png")), PictureFormat::NotAPicture);
    EXPECT_EQ(sniffPictureFile(dir.path()), PictureFormat::NotAPicture);
}

// A desktop object whose applier records what it was asked to do.
struct Recorder {
    std::vector<Wallpaper> applied;
    HRESULT answer = engine::S_OK;
    WallpaperObject object{[this](const Wallpaper& w) {
        applied.push_back(w);
        return answer;
    }};
};

HRESULT setStyle(WallpaperObject& object, std::uint32_t style) {
    engine::WALLPAPEROPT options;
    options.dwStyle = style;
    return object.SetWallpaperOptions(options);
}

TEST(WallpaperObject, AppliesStyleAndPictureTogetherOnlyInApplyChanges) {
    TempDir dir;
    const std::string picture = dir.file("été à la plage.png");
    writePicture(picture, 8, 8);
    Recorder r;
    engine::COMPONENTSOPT options;
    ASSERT_EQ(r.object.GetDesktopItemOptions(options), engine::S_OK);
    EXPECT_EQ(options.fActiveDesktop, 1) << "the core must never need to switch it on";
    EXPECT_EQ(r.object.SetDesktopItemOptions(options), engine::S_OK);

    EXPECT_EQ(setStyle(r.object, engine::WPSTYLE_STRETCH), engine::S_OK);
    EXPECT_EQ(r.object.SetWallpaper(picture), engine::S_OK);
    EXPECT_TRUE(r.applied.empty());
    EXPECT_EQ(r.object.ApplyChanges(7), engine::S_OK);
    ASSERT_EQ(r.applied.size(), 1u);
    EXPECT_EQ(r.applied[0].path, picture);
    EXPECT_EQ(r.applied[0].style, Style::Stretch);

    r.answer = engine::E_FAIL;
    EXPECT_EQ(r.object.ApplyChanges(7), engine::E_FAIL) << "the desktop's failure reaches the core";
}

TEST(WallpaperObject, StylesOtherThanTheThreeAreRefused) {
    Recorder r;
    EXPECT_EQ(setStyle(r.object, 0), engine::S_OK);
    EXPECT_EQ(setStyle(r.object, 1), engine::S_OK);
    EXPECT_EQ(setStyle(r.object, 2), engine::S_OK);
    EXPECT_FALSE(engine::succeeded(setStyle(r.object, 3)));
    EXPECT_FALSE(engine::succeeded(setStyle(r.object, 0xFFFFFFFFu)));
    engine::WALLPAPEROPT wrongSize;
    wrongSize.dwSize = 4;
    EXPECT_FALSE(engine::succeeded(r.object.SetWallpaperOptions(wrongSize)));
}

TEST(WallpaperObject, RefusesWhatIsNotAReadablePictureAndChangesNothing) {
    TempDir dir;
    writeFile(dir.file("text.jpg"), "hello");
    writeFile(dir.file("empty.png"), "");
    const std::string refused[] = {"Null",
                                   "",
                                   dir.file("missing.png"),
                                   dir.file("text.jpg"),
                                   dir.file("empty.png"),
                                   dir.path(),
                                   std::string("/tmp/a\0b.png", 12)};
    for (const auto& path : refused) {
        Recorder r;
        EXPECT_FALSE(engine::succeeded(r.object.SetWallpaper(path))) << path;
        EXPECT_EQ(r.object.ApplyChanges(7), engine::S_OK);
        EXPECT_TRUE(r.applied.empty()) << path << " reached the desktop";
    }
}

TEST(WallpaperObject, HandsTheDesktopAnAbsolutePath) {
    TempDir dir;
    writePicture(dir.file("relative.png"), 4, 4);
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    Recorder r;
    const HRESULT set = r.object.SetWallpaper("relative.png");
    std::filesystem::current_path(before);
    ASSERT_EQ(set, engine::S_OK);
    ASSERT_EQ(r.object.ApplyChanges(7), engine::S_OK);
    ASSERT_EQ(r.applied.size(), 1u);
    EXPECT_EQ(r.applied[0].path, std::filesystem::path(dir.path()) / "relative.png");
}

}  // namespace
}  // namespace korvo::platform
