// artgen OUTDIR: writes every bitmap and the icon of the game, named as resources/veskar.rc names
// them (OUTDIR/bitmaps/*.bmp, OUTDIR/icons/veskar.ico). The output is the same on every run.
#include "tools/artgen/Backgrounds.h"
#include "tools/artgen/BmpEncoder.h"
#include "tools/artgen/CrumblePainter.h"
#include "tools/artgen/GlyphSheet.h"
#include "tools/artgen/IconEncoder.h"
#include "tools/artgen/JewelPainter.h"
#include "tools/artgen/Quantizer.h"
#include "tools/artgen/ArtLayout.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

[[nodiscard]] bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
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
[[nodiscard]] bool writePicture(const std::filesystem::path& path, const Canvas& picture)
{
    return writeFile(path, encodeBmp(quantize(picture, {TEXT_BACKGROUND}, 256), 8));
}

[[nodiscard]] bool writeJewels(const std::filesystem::path& bitmaps)
{
    bool ok = true;
    for (int i = 0; i < JEWEL_COLOURS; ++i) {
        const std::string number = std::to_string(i + 1);
        ok = writePicture(bitmaps / ("jewel" + number + ".bmp"), paintJewel(i)) && ok;
        ok = writePicture(bitmaps / ("jewel" + number + "_crumble.bmp"), paintCrumbleStrip(i)) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
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
    ok = writeFile(bitmaps / "font_highlight.bmp", encodeBmp(paintGlyphSheet(GlyphColours::LightBlue), 4)) && ok;
    ok = writeJewels(bitmaps) && ok;
    ok = writeFile(out / "icons" / "veskar.ico", encodeIcon({jewelIcon(0, 32), jewelIcon(0, 16)})) && ok;
    return ok ? 0 : 1;
}
