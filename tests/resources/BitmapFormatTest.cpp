// Every committed bitmap has the size, depth and format the game's surfaces expect.
#include "tests/resources/ArtworkColours.h"

#include <gtest/gtest.h>

#include <fstream>

BmpFile loadBitmap(const std::string& name) {
    BmpFile bmp;
    std::string error;
    EXPECT_TRUE(readBmp(resourcesDir() / "bitmaps" / name, bmp, error)) << name << ": " << error;
    return bmp;
}

namespace {

struct Expected {
    const char* file;
    int width;
    int height;
    int bits;
};

constexpr Expected BITMAPS[] = {
    {"menu_background.bmp", 640, 460, 8},
    {"font_normal.bmp", 640, 120, 4},
    {"font_highlight.bmp", 640, 120, 4},
    {"jewel6_crumble.bmp", 192, 32, 8},
    {"jewel1.bmp", 32, 32, 8},
    {"jewel1_crumble.bmp", 192, 32, 8},
    {"jewel2.bmp", 32, 32, 8},
    {"jewel2_crumble.bmp", 192, 32, 8},
    {"jewel3.bmp", 32, 32, 8},
    {"jewel3_crumble.bmp", 192, 32, 8},
    {"jewel4.bmp", 32, 32, 8},
    {"jewel4_crumble.bmp", 192, 32, 8},
    {"jewel5.bmp", 32, 32, 8},
    {"jewel5_crumble.bmp", 192, 32, 8},
    {"jewel6.bmp", 32, 32, 8},
    {"one_player_background.bmp", 640, 460, 8},
    {"two_player_background.bmp", 640, 448, 8},
};

TEST(BitmapFormat, EveryBitmapHasItsSizeAndDepth) {
    for (const Expected& e : BITMAPS) {
        const BmpFile bmp = loadBitmap(e.file);
        EXPECT_EQ(bmp.width, e.width) << e.file;
        EXPECT_EQ(bmp.height, e.height) << e.file;
        EXPECT_EQ(bmp.bitsPerPixel, e.bits) << e.file;
    }
}

TEST(BitmapFormat, BitmapsAreUncompressedWithTheirFullLength) {
    for (const Expected& e : BITMAPS) {
        const BmpFile bmp = loadBitmap(e.file);
        EXPECT_EQ(bmp.compression, 0U) << e.file;
        EXPECT_EQ(bmp.declaredFileSize, bmp.actualFileSize) << e.file;
        const std::size_t rowBytes = std::size_t((e.width * e.bits + 31) / 32) * 4;
        const std::size_t header = 14 + 40 + bmp.palette.size() * 4;
        EXPECT_EQ(bmp.actualFileSize, header + rowBytes * std::size_t(e.height)) << e.file;
    }
}

TEST(BitmapFormat, EveryFileListedInTheResourceScriptExists) {
    const std::vector<std::uint8_t> script = readBytes(resourcesDir() / "veskar.rc");
    const std::string text(script.begin(), script.end());
    std::size_t listed = 0;
    for (std::size_t at = text.find("BITMAP \""); at != std::string::npos;
         at = text.find("BITMAP \"", at + 1)) {
        const std::size_t start = at + 8;
        const std::string path = text.substr(start, text.find('"', start) - start);
        EXPECT_TRUE(std::filesystem::exists(resourcesDir() / path)) << path;
        ++listed;
    }
    EXPECT_EQ(listed, std::size(BITMAPS));
    EXPECT_TRUE(std::filesystem::exists(resourcesDir() / "icons" / "veskar.ico"));
}

TEST(BmpReader, RejectsAFileCutShort) {
    const std::vector<std::uint8_t> whole = readBytes(resourcesDir() / "bitmaps" / "jewel1.bmp");
    ASSERT_GT(whole.size(), 1100U);
    const std::filesystem::path cut = std::filesystem::temp_directory_path() / "veskar_cut_jewel.bmp";
    for (const std::size_t length : {std::size_t{10}, std::size_t{53}, std::size_t{500}, whole.size() - 1}) {
        {
            std::ofstream out(cut, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(whole.data()), std::streamsize(length));
        }
        BmpFile bmp;
        std::string error;
        EXPECT_FALSE(readBmp(cut, bmp, error)) << length;
    }
    std::filesystem::remove(cut);
}

}  // namespace
