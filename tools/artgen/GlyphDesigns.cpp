// Looks up glyph designs by character code.
#include "tools/artgen/GlyphDesigns.h"

namespace {

std::vector<GlyphDesign> allDesigns() {
    std::vector<GlyphDesign> all = signGlyphs();
    for (const auto& part : {upperGlyphs(), lowerGlyphs()}) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

}  // namespace

const GlyphDesign* designFor(int code) {
    static const std::vector<GlyphDesign> designs = allDesigns();
    for (const GlyphDesign& design : designs) {
        if (static_cast<unsigned char>(design.code) == code) {
            return &design;
        }
    }
    return nullptr;
}
