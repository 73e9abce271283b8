// Writing pictures: the whole file or none, and what libpng reads back.

#include "tools/PngWriter.h"
#include "tools/OutputFileError.h"
#include "tools/ReplacingFile.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A scratch folder per test, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        m_path = fs::temp_directory_path() /
                 ("kovo-png-" + std::to_string(::getpid()) + "-" + std::to_string(s_count++));
        fs::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    // Every name in the folder, hidden ones included.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    static inline int s_count = 0;
    fs::path m_path;
};

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A 3 x 2 picture: red, green, blue over white, clear black, half-clear grey.
RgbaImage Sample() {
    return {3, 2, {255, 0,   0,   255, 0, 255, 0, 255, 0,   0,   255, 255,
                   255, 255, 255, 255, 0, 0,   0, 0,   128, 128, 128, 128}};
}

// What libpng reads from path, expanded to RGBA; channels tells what the file held.
RgbaImage ReadPng(const std::string& path, int& channels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    EXPECT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
    channels = PNG_IMAGE_PIXEL_CHANNELS(image.format);
    image.format = PNG_FORMAT_RGBA;
    RgbaImage out{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    out.pixels.resize(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr))
        << image.message;
    return out;
}

TEST(PngWriterTest, RgbaKeepsAlphaAndRgbDropsIt) {
    const ScratchFolder folder;
    WritePng(Sample(), PngChannels::Rgba, folder / "rgba.png");
    WritePng(Sample(), PngChannels::Rgb, folder / "rgb.png");
    int channels = 0;
    EXPECT_EQ(ReadPng(folder / "rgba.png", channels).pixels, Sample().pixels);
    EXPECT_EQ(channels, 4);
    RgbaImage opaque = Sample();
    for (std::size_t i = 3; i < opaque.pixels.size(); i += 4) {
        opaque.pixels[i] = 255;
    }
    EXPECT_EQ(ReadPng(folder / "rgb.png", channels).pixels, opaque.pixels);
    EXPECT_EQ(channels, 3);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"rgb.png", "rgba.png"}));
}

TEST(PngWriterTest, ANewPictureHasTheUmasksPermissionsAndAReplacedOneKeepsItsOwn) {
    const ScratchFolder folder;
    WriteText(folder / "old.png", "old");
    // What killed runs left: only the one an hour old is surely nobody's.
    WriteText(folder / ".old.png.1-0.tmp", "stale");
    WriteText(folder / ".old.png.2-0.tmp", "being written");
    fs::last_write_time(folder / ".old.png.1-0.tmp",
                        fs::file_time_type::clock::now() - std::chrono::minutes(61));
    fs::permissions(folder / "old.png", fs::perms::owner_read | fs::perms::owner_write);
    const mode_t saved = ::umask(027);
    WritePng(Sample(), PngChannels::Rgb, folder / "new.png");
    WritePng(Sample(), PngChannels::Rgb, folder / "old.png");
    ::umask(saved);
    EXPECT_EQ(Contents(folder / "old.png").substr(1, 3), "PNG");
    EXPECT_EQ(fs::status(folder / "new.png").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(fs::status(folder / "old.png").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{".old.png.2-0.tmp", "new.png", "old.png"}));
}

TEST(PngWriterTest, FailuresLeaveTheTargetAsItWasAndNoTemporaryFile) {
    const ScratchFolder folder;
    fs::create_directories(folder / "a folder");
    WriteText(folder / "kept.png", "old");
    const std::string cases[] = {folder / "missing/out.png", folder / "a folder", folder / ""};
    for (const std::string& target : cases) {
        EXPECT_THROW(WritePng(Sample(), PngChannels::Rgb, target), OutputFileError) << target;
    }
    {
        // Given up before Commit: the target keeps its content.
        ReplacingFile file(folder / "kept.png");
        std::fputs("partial", file.Stream());
    }
    EXPECT_EQ(Contents(folder / "kept.png"), "old");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a folder", "kept.png"}));
}

TEST(PngWriterTest, TheErrorNamesTheFileAndTheReason) {
    try {
        WritePng(Sample(), PngChannels::Rgb, "/nonexistent-folder/out.png");
        FAIL();
    } catch (const OutputFileError& error) {
        EXPECT_STREQ(error.what(),
                     "/nonexistent-folder/out.png: cannot be written: No such file or directory");
    }
}

} // namespace
