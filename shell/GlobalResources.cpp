// The shared bitmaps, defined in their construction order, and their loading and release; the
// loading of the sound effects.
#include "shell/GlobalResources.h"

#include "audio/effects/SoundEffect.h"

namespace {

inline constexpr int MENU_BACKGROUND = 102;
inline constexpr int NORMAL_FONT = 104;
inline constexpr int HIGHLIGHT_FONT = 105;
inline constexpr int ONE_PLAYER_BACKGROUND = 118;
inline constexpr int TWO_PLAYER_BACKGROUND = 128;
inline constexpr int GLYPH_WIDTH = 14;   // pixels
inline constexpr int GLYPH_HEIGHT = 18;  // pixels
inline constexpr int GLYPH_GAP = 2;      // pixels
inline constexpr std::array<int, JEWEL_COLORS> JEWEL_SPRITES{107, 109, 111, 113, 115, 117};
// The sixth strip is 106: the numbers after 117 went to the backgrounds.
inline constexpr std::array<int, JEWEL_COLORS> JEWEL_ANIMATIONS{108, 110, 112, 114, 116, 106};
inline constexpr int MATCH_SOUND = 124;
inline constexpr int LAND_SOUND = 125;
inline constexpr int MENU_SELECT_SOUND = 126;
inline constexpr int MENU_MOVE_SOUND = 127;

}  // namespace

Surface menuBackground;
Surface onePlayerBackground;
Surface twoPlayerBackground;
BitmapFont highlightFont;
BitmapFont normalFont;
std::array<Surface, JEWEL_COLORS> jewelSprites;
std::array<Surface, JEWEL_COLORS> jewelAnimations;

void loadBitmaps(HDC dc, HINSTANCE instance) {
    menuBackground.load(dc, instance, MENU_BACKGROUND);
    onePlayerBackground.load(dc, instance, ONE_PLAYER_BACKGROUND);
    twoPlayerBackground.load(dc, instance, TWO_PLAYER_BACKGROUND);
    highlightFont.load(dc, instance, HIGHLIGHT_FONT, GLYPH_WIDTH, GLYPH_HEIGHT, GLYPH_GAP);
    normalFont.load(dc, instance, NORMAL_FONT, GLYPH_WIDTH, GLYPH_HEIGHT, GLYPH_GAP);
    for (int i = 0; i < JEWEL_COLORS; ++i) {
        jewelSprites[i].load(dc, instance, JEWEL_SPRITES[i]);
    }
    for (int i = 0; i < JEWEL_COLORS; ++i) {
        jewelAnimations[i].load(dc, instance, JEWEL_ANIMATIONS[i]);
    }
}

void releaseBitmaps() {
    menuBackground.release();
    onePlayerBackground.release();
    twoPlayerBackground.release();
    highlightFont.release();
    normalFont.release();
    for (Surface& sprite : jewelSprites) {
        sprite.release();
    }
    for (Surface& animation : jewelAnimations) {
        animation.release();
    }
}

void loadSounds() {
    SoundMatch.Load(MATCH_SOUND);
    SoundLand.Load(LAND_SOUND);
    SoundMenuSelect.Load(MENU_SELECT_SOUND);
    SoundMenuMove.Load(MENU_MOVE_SOUND);
}
