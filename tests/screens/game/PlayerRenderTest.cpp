// A player's picture in every state, checked at the places the game's layout gives against the
// jewel bitmaps and the glyph cells they come from.
#include <gtest/gtest.h>

#include "platform/core/GdiObjects.h"
#include "platform/testing/TestBackend.h"
#include "settings/Settings.h"
#include "shell/GlobalResources.h"
#include "tests/game/WellText.h"
#include "tests/screens/game/PictureCheck.h"

using veskar::platform::TestBackend;

namespace {

inline constexpr std::uint32_t UNTOUCHED = 0x00FF00FF;
inline constexpr int WELL_X = 140, WELL_Y = 15, NEXT_X = 50, NEXT_Y = 50, PANEL_X = 319, PANEL_Y = 90;

// A one-player game's player at the one-player layout, drawn into a buffer of the window's size.
class PlayerRender : public ::testing::Test {
  protected:
    void SetUp() override {
        TestBackend::reset();
        loadBitmaps(nullptr, GetModuleHandleA(nullptr));
        player.layout.wellX = WELL_X;
        player.layout.wellY = WELL_Y;
        player.layout.nextX = NEXT_X;
        player.layout.nextY = NEXT_Y;
        player.layout.panelX = PANEL_X;
        player.layout.panelY = PANEL_Y;
        player.setName("VELK");
        player.next = 0x00363534;  // bottom '4', middle '5', top '6'
        player.current = 0x00333231;
        buffer = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(buffer, 634, 455);
        SelectObject(buffer, bitmap);
    }
    void TearDown() override { releaseBitmaps(); }

    PixelSource render() {
        std::fill(bitmap->pixels.begin(), bitmap->pixels.end(), UNTOUCHED);
        player.render(buffer);
        return [this](int x, int y) { return bitmap->pixels[static_cast<std::size_t>(y) * 634 + x]; };
    }
    static int cellX(int x) { return WELL_X + 32 * x; }
    static int cellY(int y) { return WELL_Y + 32 * y; }

    GameSession session{5};
    Player& player = joinedPlayer(session, GameKind::OnePlayer);
    HDC buffer = nullptr;
    HBITMAP bitmap = nullptr;
};

}  // namespace

TEST_F(PlayerRender, PlayShowsTheCellsTheColumnSlidingInAndTheNextColumn) {
    setWell(player, {"12...", "3.456"});
    player.columnX = 2;
    player.columnBottom = 10;  // the column has moved 10 pixels into the well
    const PixelSource picture = render();
    EXPECT_TRUE(showsJewel(picture, cellX(0), cellY(11), jewelSprites[0]));
    EXPECT_TRUE(showsJewel(picture, cellX(1), cellY(11), jewelSprites[1]));
    EXPECT_TRUE(showsJewel(picture, cellX(0), cellY(12), jewelSprites[2]));
    EXPECT_TRUE(showsJewel(picture, cellX(4), cellY(12), jewelSprites[5]));
    EXPECT_TRUE(isPlain(picture, cellX(1), cellY(12), 32, 32, UNTOUCHED)) << "an empty cell draws nothing";
    // Only the lowest 10 pixel rows of the bottom jewel show; nothing above the well's top edge.
    EXPECT_TRUE(showsPiece(picture, cellX(2), WELL_Y, jewelSprites[0], 0, 22, 32, 10));
    EXPECT_TRUE(isPlain(picture, cellX(2), WELL_Y + 10, 32, 32, UNTOUCHED));
    EXPECT_TRUE(isPlain(picture, cellX(2), 0, 32, WELL_Y, UNTOUCHED));
    // The next column: bottom jewel's top edge at nextY + 94, top jewel's at nextY + 30.
    EXPECT_TRUE(showsJewel(picture, NEXT_X + 15, NEXT_Y + 94, jewelSprites[3]));
    EXPECT_TRUE(showsJewel(picture, NEXT_X + 15, NEXT_Y + 62, jewelSprites[4]));
    EXPECT_TRUE(showsJewel(picture, NEXT_X + 15, NEXT_Y + 30, jewelSprites[5]));
    EXPECT_TRUE(showsText(picture, NEXT_X + 8, NEXT_Y + 142, normalFont, "Next"));
}

TEST_F(PlayerRender, ClearingCollapseAndRiseMoveTheMarkedJewels) {
    setWell(player, {"a....", "2....", "b3..."});
    player.clearing = true;
    player.clearFrame = 3;
    PixelSource picture = render();
    EXPECT_TRUE(showsJewel(picture, cellX(0), cellY(10), jewelAnimations[0], 3)) << "clearing frame 3";
    EXPECT_TRUE(showsJewel(picture, cellX(0), cellY(12), jewelAnimations[1], 3));
    EXPECT_TRUE(showsJewel(picture, cellX(1), cellY(12), jewelSprites[2])) << "unmarked jewels stay still";

    player.clearing = false;
    player.collapsing = true;
    player.collapseOffset = 6;
    picture = render();
    // 6 pixels lower; its lowest rows lie under the resting jewel below, drawn after it.
    EXPECT_TRUE(showsPiece(picture, cellX(0), cellY(10) + 6, jewelSprites[0], 0, 0, 32, 26));
    EXPECT_TRUE(showsJewel(picture, cellX(0), cellY(11), jewelSprites[1]));

    player.collapsing = false;
    setWell(player, {"1...."});
    player.riseOffset = 12;
    picture = render();
    EXPECT_TRUE(showsPiece(picture, cellX(0), cellY(12) + 12, jewelSprites[0], 0, 0, 32, 20));
    EXPECT_TRUE(isPlain(picture, cellX(0), WELL_Y + 416, 32, 12, UNTOUCHED)) << "cut at the well's floor";
}

TEST_F(PlayerRender, LevelDisplayVanishesEveryJewelThenNamesTheLevel) {
    setWell(player, {"1...2"});
    player.levelShow = true;
    player.levelShowTicks = 17;  // frame 2
    player.riseOffset = 5;       // the display ignores it
    PixelSource picture = render();
    EXPECT_TRUE(showsJewel(picture, cellX(0), cellY(12), jewelAnimations[0], 2));
    EXPECT_TRUE(showsJewel(picture, cellX(4), cellY(12), jewelAnimations[1], 2));
    EXPECT_TRUE(isPlain(picture, NEXT_X + 15, NEXT_Y + 30, 32, 96, UNTOUCHED)) << "no next column";
    EXPECT_TRUE(showsText(picture, NEXT_X + 8, NEXT_Y + 142, normalFont, "Next"));

    player.levelShowTicks = 48;
    player.level = 3;
    picture = render();
    EXPECT_TRUE(isPlain(picture, cellX(0), cellY(12), 32, 32, UNTOUCHED));
    EXPECT_TRUE(showsText(picture, WELL_X + 20, WELL_Y + 215, normalFont, "LEVEL"));
    EXPECT_TRUE(showsText(picture, WELL_X + 120, WELL_Y + 215, normalFont, "4"));

    player.level = 8;
    picture = render();
    EXPECT_TRUE(showsText(picture, WELL_X + 20, WELL_Y + 215, normalFont, "FREE RUN"));
    EXPECT_TRUE(isPlain(picture, WELL_X + 20 + 8 * 14, WELL_Y + 215, 14, 18, UNTOUCHED)) << "no number";
}

TEST_F(PlayerRender, GameOverShowsOnlyItsTwoWords) {
    setWell(player, {"11111"});
    player.gameOver = true;
    player.score = 1234;
    const PixelSource picture = render();
    EXPECT_TRUE(showsText(picture, WELL_X + 20, WELL_Y + 215, normalFont, "GAME"));
    EXPECT_TRUE(showsText(picture, WELL_X + 80, WELL_Y + 215, normalFont, "OVER"));
    EXPECT_TRUE(isPlain(picture, cellX(0), cellY(12), 160, 32, UNTOUCHED));
    EXPECT_TRUE(isPlain(picture, NEXT_X + 15, NEXT_Y + 30, 32, 96, UNTOUCHED));
    EXPECT_TRUE(showsText(picture, PANEL_X + 7, PANEL_Y + 80, highlightFont, "1234"));
}

TEST_F(PlayerRender, FullAndShortPanels) {
    player.score = 907;
    player.level = 2;
    settings.loadDefaults();
    PixelSource picture = render();
    EXPECT_TRUE(showsText(picture, PANEL_X + 7, PANEL_Y + 15, normalFont, "VELK"));
    EXPECT_TRUE(showsText(picture, PANEL_X + 7, PANEL_Y + 50, normalFont, "Level:"));
    EXPECT_TRUE(showsText(picture, PANEL_X + 107, PANEL_Y + 50, highlightFont, "3"));
    EXPECT_TRUE(showsText(picture, PANEL_X + 7, PANEL_Y + 80, highlightFont, "907"));
    EXPECT_TRUE(showsText(picture, PANEL_X + 7, PANEL_Y + 140, normalFont, "High:"));
    EXPECT_TRUE(showsText(picture, PANEL_X + 107, PANEL_Y + 140, highlightFont, "8192"));

    player.layout.fullPanel = false;
    picture = render();
    EXPECT_TRUE(showsText(picture, PANEL_X + 7, PANEL_Y + 15, normalFont, "VELK"));
    EXPECT_TRUE(showsText(picture, PANEL_X + 7, PANEL_Y + 50, highlightFont, "907"));
    EXPECT_TRUE(isPlain(picture, PANEL_X + 7, PANEL_Y + 80, 60, 78, UNTOUCHED))
        << "no level and no high score";
}
