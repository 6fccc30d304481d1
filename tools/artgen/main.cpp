// artgen OUTDIR: writes every bitmap and the icon of the game, named as resources/veskar.rc names
// them (OUTDIR/bitmaps/*.bmp, OUTDIR/icons/veskar.ico), and the same icon for the desktop's icon
// theme (OUTDIR/icons/hicolor/NxN/apps/veskar.png). The output is the same on every run.
#include "tools/artgen/ArtLayout.h"
#include "tools/artgen/Backgrounds.h"
#include "tools/artgen/BmpEncoder.h"
#include "tools/artgen/CrumblePainter.h"
#include "tools/artgen/GlyphSheet.h"
#include "tools/artgen/IconEncoder.h"
#include "tools/artgen/JewelPainter.h"
#include "tools/artgen/PngEncoder.h"
#include "tools/artgen/Quantizer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

[[nodiscard]] bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) {
        std::fprintf(stderr, "artgen: nothing to write for %s\n", path.string().c_str());
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "artgen: cannot write %s\n", path.string().c_str());
    }
    return bool(out);
}

// An 8-bit bitmap of the picture; the text background keeps its exact colour.
[[nodiscard]] bool writePicture(const std::filesystem::path& path, const Canvas& picture) {
    return writeFile(path, encodeBmp(quantize(picture, {TEXT_BACKGROUND}, 256), 8));
}

// The still jewel is cut from the strip's first frame after the strip is reduced to its palette, so
// the two are the same pixel for pixel and the game sees no change when a clearing begins.
[[nodiscard]] IndexedImage firstFrame(const IndexedImage& strip) {
    IndexedImage still{JEWEL_SIZE, JEWEL_SIZE, strip.palette, {}};
    for (int y = 0; y < JEWEL_SIZE; ++y) {
        const auto row = strip.indices.begin() + std::ptrdiff_t(y) * strip.width;
        still.indices.insert(still.indices.end(), row, row + JEWEL_SIZE);
    }
    return still;
}

[[nodiscard]] bool writeJewels(const std::filesystem::path& bitmaps) {
    bool ok = true;
    for (int i = 0; i < JEWEL_COLOURS; ++i) {
        const std::string number = std::to_string(i + 1);
        const IndexedImage strip = quantize(paintCrumbleStrip(i), {TEXT_BACKGROUND}, 256);
        ok = writeFile(bitmaps / ("jewel" + number + ".bmp"), encodeBmp(firstFrame(strip), 8)) && ok;
        ok = writeFile(bitmaps / ("jewel" + number + "_crumble.bmp"), encodeBmp(strip, 8)) && ok;
    }
    return ok;
}

// The icon theme's sizes, each painted at its own size from the .ico's design.
[[nodiscard]] bool writeThemeIcons(const std::filesystem::path& icons) {
    bool ok = true;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path apps = icons / "hicolor" / folder / "apps";
        std::error_code error;
        std::filesystem::create_directories(apps, error);
        ok = writeFile(apps / "veskar.png", encodePng(jewelIcon(0, size))) && ok;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTDIR\n");
        return 2;
    }
    const std::filesystem::path out(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(out / "bitmaps", error);
    std::filesystem::create_directories(out / "icons", error);
    const std::filesystem::path bitmaps = out / "bitmaps";
    bool ok = writePicture(bitmaps / "menu_background.bmp", paintMenuBackground());
    ok = writePicture(bitmaps / "one_player_background.bmp", paintOnePlayerBackground()) && ok;
    ok = writePicture(bitmaps / "two_player_background.bmp", paintTwoPlayerBackground()) && ok;
    ok = writeFile(bitmaps / "font_normal.bmp", encodeBmp(paintGlyphSheet(GlyphColours::Gold), 4)) && ok;
    ok = writeFile(bitmaps / "font_highlight.bmp", encodeBmp(paintGlyphSheet(GlyphColours::LightBlue), 4)) &&
         ok;
    ok = writeJewels(bitmaps) && ok;
    ok = writeFile(out / "icons" / "veskar.ico", encodeIcon({jewelIcon(0, 32), jewelIcon(0, 16)})) && ok;
    ok = writeThemeIcons(out / "icons") && ok;
    return ok ? 0 : 1;
}
