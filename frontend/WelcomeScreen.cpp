// Choosing and starting a game from the first screen.
#include "frontend/WelcomeScreen.h"

#include "game/screens/OnePlayerGame.h"
#include "game/screens/TwoPlayerGame.h"
#include "shell/GlobalResources.h"
#include "shell/ScreenSwitch.h"

namespace {

// Positions on the menu background's list rows and description box, in pixels.
inline constexpr int TEXT_X = 205;
inline constexpr int FIRST_ROW_Y = 35;
inline constexpr int ROW_PITCH = 40;
inline constexpr int DESCRIPTION_X = 157;
inline constexpr int DESCRIPTION_Y = 300;
inline constexpr int DESCRIPTION_PITCH = 30;
inline constexpr const char* ITEMS[] = {"1 Player Game", "2 Players Game"};

}  // namespace

int WelcomeScreen::onKeyDown(HWND window, WPARAM virtualKey, LPARAM, std::unique_ptr<Screen>& currentScreen) {
    switch (virtualKey) {
        case VK_UP:
        case VK_DOWN:
            chosen = virtualKey == VK_UP ? 0 : 1;
            invalidate(window, 0);
            return 0;
        case VK_RETURN:
            // Either switch deletes this screen: nothing of it is touched afterwards.
            if (chosen == 0) {
                return switchScreen<OnePlayerGame>(window, currentScreen, window) ? 0 : -1;
            }
            return switchScreen<TwoPlayerGame>(window, currentScreen, window) ? 0 : -1;
        case VK_ESCAPE:
            SendMessageA(window, WM_DESTROY, 0, 0);  // deletes this screen too
            return 0;
        default:
            return 0;
    }
}

int WelcomeScreen::draw(HWND, WPARAM, LPARAM, HDC offscreen, std::unique_ptr<Screen>&) {
    BitBlt(offscreen, 0, 0, menuBackground.width, menuBackground.height, menuBackground.memoryDC, 0, 0,
           SRCCOPY);
    for (int item = 0; item < 2; ++item) {
        const BitmapFont& font = item == chosen ? highlightFont : normalFont;
        font.drawText(offscreen, ITEMS[item], TEXT_X, FIRST_ROW_Y + item * ROW_PITCH);
    }
    normalFont.drawText(offscreen, "Enter starts a game", DESCRIPTION_X, DESCRIPTION_Y);
    normalFont.drawText(offscreen, "Escape leaves", DESCRIPTION_X, DESCRIPTION_Y + DESCRIPTION_PITCH);
    return 0;
}
